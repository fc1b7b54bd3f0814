#pragma once
// Opens a document or an address with the program the desktop associates with it.

#include <string>

class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // `target` is a local path or an address with a scheme ("https://...", "mailto:..."); false when
    // the desktop reports that nothing could open it.
    virtual bool Open(const std::string& target) = 0;
};
