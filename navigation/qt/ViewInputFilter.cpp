#include "navigation/qt/ViewInputFilter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "navigation/qt/VirtualKeys.h"
#include "platform/Tones.h"

namespace {

std::optional<MouseButton> NavigationButton(Qt::MouseButton button) {
    if (button == Qt::LeftButton) return MouseButton::Left;
    if (button == Qt::RightButton) return MouseButton::Right;
    return std::nullopt;
}

}  // namespace

ViewInputFilter::ViewInputFilter(QWidget& view, MovingSink setMoving, ControlledScene& scene,
                                 const ProgramSettings& settings, DisplayState& display, Tones& tones)
    : QObject(&view),
      view_(view),
      setMoving_(std::move(setMoving)),
      tones_(tones),
      navigator_(scene, settings, display) {
    view.setFocusPolicy(Qt::StrongFocus);
    view.installEventFilter(this);
}

void ViewInputFilter::SendKey(int virtualKeyCode) {
    Apply(navigator_.KeyDown(virtualKeyCode), Qt::NoButton);
}

bool ViewInputFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &view_) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            MouseEvent(event->type(), static_cast<const QMouseEvent&>(*event));
            break;
        case QEvent::Wheel: {
            const auto& wheel = static_cast<const QWheelEvent&>(*event);
            const int delta = wheel.angleDelta().y();
            // A sideways turn has no vertical delta and is not a movement.
            if (delta != 0)
                Apply(navigator_.Wheel(static_cast<int16_t>(std::clamp(delta, INT16_MIN, INT16_MAX))),
                      wheel.buttons());
            break;
        }
        case QEvent::KeyPress: {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            SendKey(VirtualKeyFromQt(key.key(), key.modifiers()));
            break;
        }
        default:
            break;
    }
    return false;
}

void ViewInputFilter::MouseEvent(QEvent::Type type, const QMouseEvent& event) {
    const QPoint point = event.position().toPoint();
    if (type == QEvent::MouseMove) {
        Apply(navigator_.MouseMove(point.x(), point.y()), event.buttons());
        return;
    }
    const std::optional<MouseButton> button = NavigationButton(event.button());
    if (!button) return;
    if (type == QEvent::MouseButtonPress) {
        Apply(navigator_.ButtonDown(*button, point.x(), point.y()), event.buttons());
    } else if (type == QEvent::MouseButtonRelease) {
        Apply(navigator_.ButtonUp(*button), event.buttons());
    } else {
        Apply(navigator_.DoubleClick(), event.buttons());
        if (modeSwitched_) modeSwitched_();
    }
}

void ViewInputFilter::Apply(const NavigationResponse& response, Qt::MouseButtons buttonsHeld) {
    setMoving_(navigator_.moving);
    if (response.capture == MouseCapture::Take && QWidget::mouseGrabber() != &view_) view_.grabMouse();
    // With both buttons down, the drag of the other one keeps the capture.
    if (response.capture == MouseCapture::Release && buttonsHeld == Qt::NoButton &&
        QWidget::mouseGrabber() == &view_)
        view_.releaseMouse();
    if (response.playTone) tones_.Beep(response.tone.frequencyHz, response.tone.durationMs);
    if (response.repaint) view_.update();
}
