#pragma once
// Opens documents and addresses with the desktop's handler (QDesktopServices).

#include <QUrl>

#include "platform/DesktopOpener.h"

class QtDesktopOpener : public DesktopOpener {
public:
    bool Open(const std::string& target) override;
};

// The address handed to the desktop: "scheme://..." and "mailto:..." as they are, anything else a local
// file (a relative path taken from the current directory).
QUrl DesktopUrl(const std::string& target);
