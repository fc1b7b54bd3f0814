#pragma once
// Scriptable doubles of the platform services: they record what the program shows or asks for and give
// the answers a test queued. An empty queue answers as a user closing the box or dialog would.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ColourChooser.h"
#include "platform/DesktopOpener.h"
#include "platform/FileDialogs.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "platform/ScreenSaverInhibitor.h"
#include "platform/Tones.h"
#include "support/MemorySettingsStore.h"

class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        MessageButtons buttons;
        MessageIcon icon;
        std::string caption;
    };
    MessageAnswer ShowCaptioned(const std::string& caption, const std::string& text, MessageButtons buttons,
                                MessageIcon icon) override;

    std::deque<MessageAnswer> answers;
    std::vector<Shown> shown;
    std::vector<std::string> Texts() const;
};

class ScriptedFileDialogs : public FileDialogs {
public:
    struct Asked {
        bool save;
        FileDialogRequest request;
    };
    std::optional<FileDialogResult> Open(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> Save(const FileDialogRequest& request) override;

    std::deque<std::optional<FileDialogResult>> answers;  // nullopt: the user cancels
    std::vector<Asked> asked;
};

class ScriptedColourChooser : public ColourChooser {
public:
    std::optional<uint32_t> Choose(uint32_t initial) override;

    std::deque<std::optional<uint32_t>> answers;
    std::vector<uint32_t> initials;
    // Runs while the chooser is open, as events do under a real modal chooser (then it is cleared).
    std::function<void()> whileOpen;
};

class RecordingTones : public Tones {
public:
    void Beep(int frequencyHz, int durationMs) override { beeps.emplace_back(frequencyHz, durationMs); }
    std::vector<std::pair<int, int>> beeps;  // (frequency Hz, duration ms)
};

class RecordingDesktopOpener : public DesktopOpener {
public:
    bool Open(const std::string& target) override {
        opened.push_back(target);
        return succeed;
    }
    std::vector<std::string> opened;
    bool succeed = true;
};

class FixedInstanceLock : public InstanceLock {
public:
    explicit FixedInstanceLock(bool first = true) : first(first), held(first) {}
    bool IsFirstInstance() const override { return first; }
    bool TryHold() override { return held; }
    bool first;
    bool held;  // what TryHold answers: set it to let a second instance take the lock over
};

// Records what was held off: "inhibit <reason>" and "release" in order; `held` tells the state now.
class RecordingScreenSaver : public ScreenSaverInhibitor {
public:
    void Inhibit(const std::string& reason) override {
        calls.push_back("inhibit " + reason);
        held = true;
    }
    void Release() override {
        calls.push_back("release");
        held = false;
    }
    std::vector<std::string> calls;
    bool held = false;
};

// All doubles together, for code that takes PlatformServices.
struct ScriptedServices {
    MemorySettingsStore settings;
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs files;
    ScriptedColourChooser colours;
    RecordingTones tones;
    RecordingDesktopOpener desktop;
    FixedInstanceLock instanceLock;
    RecordingScreenSaver screenSaver;

    PlatformServices Services() {
        return PlatformServices{settings, messages, files,        colours,
                                tones,    desktop,  instanceLock, screenSaver};
    }
};
