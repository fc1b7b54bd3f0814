#pragma once
// The program's platform services, built together: the instance lock first, so that the test for a
// running instance happens before anything else.

#include "platform/PlatformServices.h"
#include "platform/qt/AlsaTones.h"
#include "platform/qt/DBusScreenSaverInhibitor.h"
#include "platform/qt/QtColourChooser.h"
#include "platform/qt/QtDesktopOpener.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtInstanceLock.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtSettingsStore.h"

class QtPlatformServices {
public:
    QtPlatformServices() = default;
    QtPlatformServices(const QtPlatformServices&) = delete;
    QtPlatformServices& operator=(const QtPlatformServices&) = delete;

    PlatformServices Services() {
        return PlatformServices{settings, messages, files,        colours,
                                tones,    desktop,  instanceLock, screenSaver};
    }
    // The window message boxes and dialogs are modal to (the main frame once it exists).
    void SetDialogParent(QWidget* parent) {
        messages.SetParent(parent);
        files.SetParent(parent);
        colours.SetParent(parent);
    }

    QtInstanceLock instanceLock;
    QtSettingsStore settings;
    QtMessageBoxes messages;
    QtFileDialogs files;
    QtColourChooser colours;
    AlsaTones tones;
    QtDesktopOpener desktop;
    DBusScreenSaverInhibitor screenSaver;
};
