#include "navigation/qt/MovementsWindow.h"

MovementsWindow::MovementsWindow(QWidget& frame, ControlledScene& scene, ProgramSettings& settings,
                                 const PlatformServices& services, CMovementsDlg::KeySink sendKey)
    : frame_(frame), scene_(scene), settings_(settings), services_(services), sendKey_(std::move(sendKey)) {}

MovementsWindow::~MovementsWindow() {
    delete window_.data();
}

void MovementsWindow::Toggle() {
    if (IsOpen()) {
        // The window deletes itself once closed.
        window_->close();
        window_.clear();
        return;
    }
    window_ = new CMovementsDlg(scene_, settings_, services_, sendKey_, &frame_);
    window_->show();
}

bool MovementsWindow::IsOpen() const {
    return !window_.isNull() && window_->isVisible();
}
