#pragma once
// The view's input adapter: translates the Qt mouse, wheel and key events of the view into the plain
// input calls of ViewNavigator and carries out what they answer (repaint, mouse capture, tone), so
// the view itself holds no input logic. Every event is passed on afterwards.

#include <QEvent>
#include <QObject>
#include <functional>
#include <utility>

#include "navigation/ViewNavigator.h"

class QMouseEvent;
class QWidget;
class Tones;

class ViewInputFilter : public QObject {
public:
    // Tells the view whether a drag is moving something (it draws moving objects more simply).
    using MovingSink = std::function<void(int moving)>;

    // Installs itself on `view` as an event filter and child, and lets the view take the keyboard focus
    // by click and Tab. Scene, settings, display state and tones must outlive the view.
    ViewInputFilter(QWidget& view, MovingSink setMoving, ControlledScene& scene,
                    const ProgramSettings& settings, DisplayState& display, Tones& tones);

    // The view's key handler with a Windows virtual-key code; the Movements window's buttons use it.
    void SendKey(int virtualKeyCode);
    const ViewNavigator& Navigator() const { return navigator_; }
    // Runs after a double-click switched the mode, so that the frame can refresh its command states.
    void SetModeSwitchedHandler(std::function<void()> handler) { modeSwitched_ = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MouseEvent(QEvent::Type type, const QMouseEvent& event);
    // Carries out `response`; `buttonsHeld` are the buttons still down after the event.
    void Apply(const NavigationResponse& response, Qt::MouseButtons buttonsHeld);

    QWidget& view_;
    MovingSink setMoving_;
    Tones& tones_;
    ViewNavigator navigator_;
    std::function<void()> modeSwitched_;
};
