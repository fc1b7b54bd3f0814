#pragma once
// The holder of a long-lived property dialog whose window exists only between two toggles of its
// command (or until the user closes it): the window is built anew on each opening, so it always starts
// from the current values, and deletes itself when closed.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>

template <class Dialog>
class ToolWindow {
public:
    using Factory = std::function<Dialog*(QWidget& parent)>;

    // `make` builds the window as a child of `frame`; `closed` runs whenever the window goes away
    // (command or close box), so that the frame can update its check marks. Everything they use must
    // outlive this object.
    ToolWindow(QWidget& frame, Factory make, std::function<void()> closed)
        : frame_(frame), make_(std::move(make)), closed_(std::move(closed)) {}
    // Closes the window if it is open, without calling `closed`.
    ~ToolWindow() {
        // The frame is going away: nothing of it may be called back any more, not even by a window
        // that was closed but whose deferred deletion has not run yet.
        callbacks_.reset();
        delete window_.data();
    }
    ToolWindow(const ToolWindow&) = delete;
    ToolWindow& operator=(const ToolWindow&) = delete;

    // Opens the window, or closes it when it is open.
    void Toggle() {
        if (IsOpen()) {
            window_->close();
            window_.clear();
            return;
        }
        Dialog* window = make_(frame_);
        window_ = window;
        QObject::connect(window, &QObject::destroyed, callbacks_.get(), [this](QObject* gone) {
            // Only the QWidget part of the window is left by now: forget it before anyone asks.
            if (window_.data() == gone) window_.clear();
            if (closed_) closed_();
        });
        window->show();
    }
    // Whether the window is open (the command's check mark).
    bool IsOpen() const { return !window_.isNull() && window_->isVisible(); }
    // The open window, or nullptr.
    Dialog* Window() const { return IsOpen() ? static_cast<Dialog*>(window_.data()) : nullptr; }

private:
    QWidget& frame_;
    Factory make_;
    std::function<void()> closed_;
    // Held as a widget: the window's `destroyed` comes when it is no longer a Dialog.
    QPointer<QWidget> window_;
    // Context of the `destroyed` connections: deleting it cuts them all.
    std::unique_ptr<QObject> callbacks_ = std::make_unique<QObject>();
};
