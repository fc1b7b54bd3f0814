#pragma once
// Holds off the screen saver and power saving, for as long as a recording may run unattended.

#include <string>

class ScreenSaverInhibitor {
public:
    virtual ~ScreenSaverInhibitor() = default;
    // Asks the desktop to keep the screen on, telling it why; nothing when it is held already or the
    // desktop offers no such service.
    virtual void Inhibit(const std::string& reason) = 0;
    // Gives back what Inhibit took; nothing when nothing is held.
    virtual void Release() = 0;
};
