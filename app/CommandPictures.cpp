#include "app/CommandPictures.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

#include "resources/CommandIds.h"

// Each picture is drawn on a 16 x 16 grid; smaller targets scale it uniformly and centre it.
namespace {

using Painter = void (*)(QPainter&);

const QColor kOutline(40, 40, 48);

void DrawFolder(QPainter& p) {
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(214, 170, 60));
    p.drawPath(back);
    QPolygonF front({{1.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}});
    p.setBrush(QColor(250, 212, 100));
    p.drawPolygon(front);
}

void DrawImage(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(150, 200, 245));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 220, 60));
    p.drawEllipse(QPointF(11, 5.5), 1.6, 1.6);
    p.setBrush(QColor(60, 150, 70));
    p.drawPolygon(QPolygonF({{2, 13}, {6, 7}, {9, 11}, {11, 9}, {14, 13}}));
}

void DrawCamera(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(90, 96, 110));
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
    p.drawRect(QRectF(4.5, 2.5, 4, 2));
    p.setBrush(QColor(170, 205, 240));
    p.drawEllipse(QPointF(8, 9), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(7, 8), 0.9, 0.9);
}

// A cube seen from above right, each visible face in its own shade of `base`.
void DrawCubeShape(QPainter& p, QPointF origin, double size, const QColor& base) {
    const double d = size * 0.45;
    const QPointF a = origin, b = origin + QPointF(size, 0), c = origin + QPointF(size, size),
                  e = origin + QPointF(0, size);
    const QPointF up(d, -d);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(base.lighter(135));
    p.drawPolygon(QPolygonF({a, a + up, b + up, b}));
    p.setBrush(base.darker(125));
    p.drawPolygon(QPolygonF({b, b + up, c + up, c}));
    p.setBrush(base);
    p.drawPolygon(QPolygonF({a, b, c, e}));
}

void DrawMoveObjects(QPainter& p) {
    DrawCubeShape(p, QPointF(4.5, 6.5), 6, QColor(200, 120, 60));
    p.setPen(QPen(QColor(30, 90, 200), 1.4));
    p.drawLine(QPointF(1, 14.5), QPointF(4, 14.5));
    p.drawLine(QPointF(1, 14.5), QPointF(1, 11.5));
    p.drawLine(QPointF(12, 1.5), QPointF(15, 1.5));
    p.drawLine(QPointF(15, 1.5), QPointF(15, 4.5));
}

void DrawReset(QPainter& p) {
    p.setPen(QPen(QColor(30, 120, 60), 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 120, 60));
    p.drawPolygon(QPolygonF({{6.5, 0.5}, {6.5, 6}, {2, 3}}));
}

void DrawTarget(QPainter& p) {
    p.setPen(QPen(QColor(190, 30, 30), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
    p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
    p.setPen(QPen(kOutline, 1));
    p.drawLine(QPointF(8, 0.5), QPointF(8, 4));
    p.drawLine(QPointF(8, 12), QPointF(8, 15.5));
    p.drawLine(QPointF(0.5, 8), QPointF(4, 8));
    p.drawLine(QPointF(12, 8), QPointF(15.5, 8));
}

void DrawObjects(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    QRadialGradient shade(QPointF(4.5, 4.5), 6);
    shade.setColorAt(0, QColor(250, 250, 255));
    shade.setColorAt(1, QColor(70, 110, 200));
    p.setBrush(shade);
    p.drawEllipse(QPointF(6, 6), 4.5, 4.5);
    DrawCubeShape(p, QPointF(7.5, 9.5), 4.5, QColor(200, 120, 60));
}

void DrawStage(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(30, 40, 110));
    p.drawRect(QRectF(4.5, 1.5, 10, 9));
    p.setBrush(QColor(60, 80, 160));
    p.drawPolygon(QPolygonF({{0.5, 14.5}, {4.5, 10.5}, {14.5, 10.5}, {11.5, 14.5}}));
    p.setBrush(QColor(20, 28, 80));
    p.drawPolygon(QPolygonF({{0.5, 5.5}, {4.5, 1.5}, {4.5, 10.5}, {0.5, 14.5}}));
}

void DrawLight(QPainter& p) {
    QRadialGradient glow(QPointF(7, 5), 6);
    glow.setColorAt(0, QColor(255, 255, 220));
    glow.setColorAt(1, QColor(245, 200, 40));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(glow);
    QPainterPath bulb;
    bulb.moveTo(5.5, 10.5);
    bulb.cubicTo(2, 8, 2.5, 1, 8, 1);
    bulb.cubicTo(13.5, 1, 14, 8, 10.5, 10.5);
    bulb.closeSubpath();
    p.drawPath(bulb);
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(QRectF(5.5, 10.5, 5, 3));
    p.drawLine(QPointF(6.5, 15), QPointF(9.5, 15));
}

void DrawStereo(QPainter& p) {
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(230, 40, 40));
    p.drawEllipse(QRectF(0.5, 5.5, 6.5, 5.5));
    p.setBrush(QColor(40, 210, 230));
    p.drawEllipse(QRectF(9, 5.5, 6.5, 5.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6.5, 6, 3, 3), 0, 180 * 16);
}

void DrawFlightRecorder(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(60, 60, 66));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF(2.5 + i * 3.2, 3.5, 1.6, 1.3));
        p.drawRect(QRectF(2.5 + i * 3.2, 11.2, 1.6, 1.3));
    }
    p.setBrush(QColor(230, 40, 40));
    p.drawEllipse(QPointF(8, 8), 2.4, 2.4);
}

void DrawResample(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    const QColor shades[3] = {QColor(120, 120, 120), QColor(170, 170, 170), QColor(220, 220, 220)};
    for (int i = 0; i < 3; ++i) {
        const double y = 9.5 - i * 3.5;
        p.setBrush(shades[i]);
        p.drawPolygon(QPolygonF({{0.5, y + 3}, {4.5, y}, {15.5, y}, {11.5, y + 3}}));
    }
    p.setPen(QPen(QColor(30, 90, 200), 1.5));
    p.drawLine(QPointF(3, 15.5), QPointF(13, 0.5));
}

void DrawContextHelp(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(
        QPolygonF({{1.5, 1.5}, {1.5, 12.5}, {4, 10}, {6, 14.5}, {7.5, 13.8}, {5.6, 9.5}, {9, 9.5}}));
    QFont font;
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(20, 60, 200));
    p.drawText(QRectF(8, 1, 8, 11), Qt::AlignCenter, QStringLiteral("?"));
}

Painter PainterOf(int commandId) {
    switch (commandId) {
        case kIdLoadObject:
            return DrawFolder;
        case kIdSaveImage:
            return DrawImage;
        case kIdMoveCamera:
            return DrawCamera;
        case kIdMoveObjects:
            return DrawMoveObjects;
        case kIdResetPositions:
            return DrawReset;
        case kIdMoveToObject:
            return DrawTarget;
        case kIdObjects:
            return DrawObjects;
        case kIdStage:
            return DrawStage;
        case kIdLight:
            return DrawLight;
        case kIdStereo:
            return DrawStereo;
        case kIdFlightRecorder:
            return DrawFlightRecorder;
        case kIdResampleDataset:
            return DrawResample;
        case kIdContextHelp:
            return DrawContextHelp;
        default:
            return nullptr;
    }
}

QPixmap Render(Painter draw, int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double scale = std::min(width, height) / double(kToolbarPictureSize);
    painter.translate((width - kToolbarPictureSize * scale) / 2, (height - kToolbarPictureSize * scale) / 2);
    painter.scale(scale, scale);
    draw(painter);
    return pixmap;
}

// Gives menus (small requests) the menu bitmap and everything else the toolbar picture.
// A picture never grows beyond the requested size; a larger one shrinks keeping its proportions.
QSize FitInto(const QSize& picture, const QSize& limit) {
    if (picture.width() <= limit.width() && picture.height() <= limit.height()) return picture;
    return picture.scaled(limit, Qt::KeepAspectRatio);
}

class CommandIconEngine : public QIconEngine {
public:
    explicit CommandIconEngine(int commandId) : commandId_(commandId) {}
    QIconEngine* clone() const override { return new CommandIconEngine(commandId_); }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return FitInto(PictureFor(size).size(), size);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap picture = PictureFor(size);
        if (picture.size() != FitInto(picture.size(), size))
            picture = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode == QIcon::Disabled) {
            QStyleOption option;
            option.palette = QApplication::palette();
            picture = QApplication::style()->generatedIconPixmap(QIcon::Disabled, picture, &option);
        }
        return picture;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const QPixmap picture = pixmap(rect.size(), mode, state);
        painter->drawPixmap(rect.x() + (rect.width() - picture.width()) / 2,
                            rect.y() + (rect.height() - picture.height()) / 2, picture);
    }

private:
    QPixmap PictureFor(const QSize& size) const {
        const int bitmap = MenuBitmapOf(commandId_);
        if (bitmap != 0 && size.width() < kToolbarPictureSize) return MenuBitmap(bitmap);
        return ToolbarPicture(commandId_);
    }
    int commandId_;
};

class MenuIconStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_SmallIconSize) return kMenuBitmapWidth;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

QPixmap ToolbarPicture(int commandId) {
    const Painter draw = PainterOf(commandId);
    return draw ? Render(draw, kToolbarPictureSize, kToolbarPictureSize) : QPixmap();
}

int MenuBitmapOf(int commandId) {
    switch (commandId) {
        case kIdLoadObject:
            return kBitmapLoadObject;
        case kIdObjects:
            return kBitmapObjects;
        case kIdStage:
            return kBitmapStage;
        case kIdLight:
            return kBitmapLight;
        case kIdFlightRecorder:
            return kBitmapFlightRecorder;
        default:
            return 0;
    }
}

QPixmap MenuBitmap(int bitmapId) {
    Painter draw = nullptr;
    switch (bitmapId) {
        case kBitmapLoadObject:
            draw = DrawFolder;
            break;
        case kBitmapObjects:
            draw = DrawObjects;
            break;
        case kBitmapStage:
            draw = DrawStage;
            break;
        case kBitmapLight:
            draw = DrawLight;
            break;
        case kBitmapFlightRecorder:
            draw = DrawFlightRecorder;
            break;
        default:
            return QPixmap();
    }
    return Render(draw, kMenuBitmapWidth, kMenuBitmapHeight);
}

QIcon CommandIcon(int commandId) {
    if (!PainterOf(commandId)) return QIcon();
    return QIcon(new CommandIconEngine(commandId));
}

QProxyStyle* MenuBitmapStyle() {
    // One style for every menu of the process; the application owns it, so it outlives every menu.
    static QPointer<QProxyStyle> style;
    if (!style) {
        style = new MenuIconStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}
