#pragma once
// Drives a modal dialog from a test: once the dialog's exec() shows it, `act` runs with it (check what
// it shows, fill it in, press a button). Polls every 10 ms for up to five seconds.

#include <QWidget>
#include <functional>

// Arms the driver; call it right before the code that opens the modal dialog. `act` runs once, with the
// active modal widget; the dialog is rejected after `act` if it is still open, so a failed check
// never leaves the test waiting.
void WhenModalAppears(std::function<void(QWidget*)> act);
