// pexora-icon: writes the program icon, a specimen cut by the section plate with its cap showing
// pores, as a scalable SVG and as 48 and 256 pixel PNGs, all from the one shape table below, so that
// the pictures never drift apart. Its output is kept in dist/icons.
//
//     pexora-icon <folder>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>
#include <functional>

namespace {

constexpr int kCanvas = 256;  // the shapes' coordinate square, also the SVG's view box
constexpr int kPngSizes[] = {48, 256};

struct Shape {
    std::function<QPainterPath()> outline;
    const char* fill;
    double fillOpacity;
    const char* stroke;  // nullptr: no outline
    double strokeWidth;
};

// The plate seen from above and in front: a flat rhombus.
QPainterPath SectionPlate() {
    QPainterPath path;
    path.addPolygon(QPolygonF({{8, 104}, {128, 56}, {248, 104}, {128, 152}}));
    path.closeSubpath();
    return path;
}

QPainterPath Ellipse(double centreX, double centreY, double radiusX, double radiusY) {
    QPainterPath path;
    path.addEllipse(QPointF(centreX, centreY), radiusX, radiusY);
    return path;
}

// The part of the specimen below the cut: straight sides, a rounded bottom.
QPainterPath SpecimenBody() {
    QPainterPath path;
    path.moveTo(60, 104);
    path.lineTo(60, 184);
    path.arcTo(QRectF(60, 140, 136, 88), 180, 180);
    path.lineTo(196, 104);
    path.closeSubpath();
    return path;
}

// Back to front: the specimen below the cut, the translucent plate over it, the cap where the plate
// cut it (lying in the plate), pores in the cap.
const Shape kShapes[] = {
    {SpecimenBody, "#d9963a", 1.0, "#7a4b12", 6},
    {SectionPlate, "#4f8fc8", 0.6, "#2a5d8c", 5},
    {[] { return Ellipse(128, 104, 68, 26); }, "#f4d7a1", 1.0, "#7a4b12", 5},
    {[] { return Ellipse(106, 100, 9, 5); }, "#b8782a", 1.0, nullptr, 0},
    {[] { return Ellipse(148, 110, 7, 4); }, "#b8782a", 1.0, nullptr, 0},
    {[] { return Ellipse(138, 94, 5, 3); }, "#b8782a", 1.0, nullptr, 0},
};

// SVG path data of a Qt path (Qt turns arcs and ellipses into cubic curves).
QString PathData(const QPainterPath& path) {
    QString data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        const QString point = QStringLiteral("%1 %2").arg(element.x, 0, 'f', 2).arg(element.y, 0, 'f', 2);
        switch (element.type) {
            case QPainterPath::MoveToElement:
                data += QStringLiteral("M") + point;
                break;
            case QPainterPath::LineToElement:
                data += QStringLiteral("L") + point;
                break;
            case QPainterPath::CurveToElement:
                data += QStringLiteral("C") + point;
                break;
            case QPainterPath::CurveToDataElement:
                data += QStringLiteral(" ") + point;
                break;
        }
    }
    return data + QStringLiteral("Z");
}

QString Svg() {
    QString svg = QStringLiteral(
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                      "viewBox=\"0 0 %1 %1\">\n")
                      .arg(kCanvas);
    for (const Shape& shape : kShapes) {
        svg += QStringLiteral("  <path d=\"%1\" fill=\"%2\"").arg(PathData(shape.outline()), shape.fill);
        if (shape.fillOpacity < 1.0) svg += QStringLiteral(" fill-opacity=\"%1\"").arg(shape.fillOpacity);
        if (shape.stroke)
            svg += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"round\"")
                       .arg(shape.stroke)
                       .arg(shape.strokeWidth);
        svg += QStringLiteral("/>\n");
    }
    return svg + QStringLiteral("</svg>\n");
}

QImage Png(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(static_cast<double>(size) / kCanvas, static_cast<double>(size) / kCanvas);
    for (const Shape& shape : kShapes) {
        QColor fill(shape.fill);
        fill.setAlphaF(static_cast<float>(shape.fillOpacity));
        QPen pen = Qt::NoPen;
        if (shape.stroke) {
            pen = QPen(QColor(shape.stroke), shape.strokeWidth);
            pen.setJoinStyle(Qt::RoundJoin);
        }
        painter.setPen(pen);
        painter.setBrush(fill);
        painter.drawPath(shape.outline());
    }
    painter.end();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pexora-icon <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "pexora-icon: cannot create %s\n", argv[1]);
        return 1;
    }
    QFile svg(folder.filePath(QStringLiteral("pexora.svg")));
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(Svg().toUtf8()) < 0) {
        std::fprintf(stderr, "pexora-icon: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    for (const int size : kPngSizes) {
        const QString name = folder.filePath(QStringLiteral("pexora-%1.png").arg(size));
        if (!Png(size).save(name)) {
            std::fprintf(stderr, "pexora-icon: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
