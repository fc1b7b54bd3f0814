#pragma once
// The platform services the frame and its helpers use, handed around as one object.

class SettingsStore;
class MessageBoxes;
class FileDialogs;
class ColourChooser;
class Tones;
class DesktopOpener;
class InstanceLock;
class ScreenSaverInhibitor;

struct PlatformServices {
    SettingsStore& settings;
    MessageBoxes& messages;
    FileDialogs& files;
    ColourChooser& colours;
    Tones& tones;
    DesktopOpener& desktop;
    InstanceLock& instanceLock;
    ScreenSaverInhibitor& screenSaver;
};
