#include "platform/qt/CPersistWnd.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "platform/WindowPlacement.h"

namespace {

PlacementRect ToPlacement(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

// Frame border widths: horizontal from the left edge, vertical from the bottom edge (the top holds the
// title bar). Zero until the window manager has framed a shown window.
QSize BorderWidths(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.x() - frame.x(), frame.bottom() - inner.bottom()};
}

QSize FrameExtra(const QWidget& window) {
    return window.frameGeometry().size() - window.size();
}

// Gives a window its stored outer size once the window manager has framed it. Before that the frame is
// unknown, so the outer size would become the inner size and the window would grow by its frame on
// every run. Gives up two seconds after the window is shown (no window manager, or no frame).
class OuterSizeFix : public QObject {
public:
    OuterSizeFix(QWidget& window, QSize outer) : QObject(&window), window_(window), outer_(outer) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            QTimer::singleShot(2000, this, [this] { Finish(); });
        } else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
                   window_.isVisible()) {
            const QSize extra = FrameExtra(window_);
            if (extra.width() > 0 || extra.height() > 0) {
                Finish();
                window_.resize(outer_ - extra);
            }
        }
        return false;
    }

private:
    void Finish() {
        window_.removeEventFilter(this);
        deleteLater();
    }

    QWidget& window_;
    QSize outer_;
};

}  // namespace

void RestoreWindowPlacement(QWidget& window, SettingsStore& store, const std::string& section,
                            bool withSize) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const PlacementRect current = ToPlacement(window.frameGeometry());
    const PlacementRect stored = ReadPlacement(store, section, current);
    const QRect desktop = screen->virtualGeometry();
    const QSize border = BorderWidths(window);
    const ScreenArea area{desktop.x(), desktop.y(), desktop.width(), desktop.height()};
    if (stored == current || !PlacementFitsScreen(stored, area, border.width(), border.height())) return;

    // A top-level window's position is that of its frame; its size is that of its inside.
    window.move(stored.left, stored.top);
    if (!withSize) return;
    const QSize outer(stored.right - stored.left, stored.bottom - stored.top);
    window.resize(outer - FrameExtra(window));
    if (!window.isVisible()) new OuterSizeFix(window, outer);
}

bool SaveWindowPlacement(const QWidget& window, SettingsStore& store, const std::string& section) {
    const QSize border = BorderWidths(window);
    PlacementRect bounds = ToPlacement(window.frameGeometry());
    if (window.isMinimized()) {
        // The normal bounds: the inside of the normal state widened by the frame.
        const QRect frame = window.frameGeometry();
        const QRect inner = window.geometry();
        const QRect normal = window.normalGeometry();
        if (normal.isValid())
            bounds =
                ToPlacement(normal.adjusted(frame.left() - inner.left(), frame.top() - inner.top(),
                                            frame.right() - inner.right(), frame.bottom() - inner.bottom()));
    } else if (window.isMaximized()) {
        bounds = ShrinkMaximised(bounds, border.width(), border.height());
    }
    return WritePlacement(store, section, bounds);
}
