#pragma once
// Services for benchmarks that run the viewer's code without a user: tones stay silent, messages go to
// the standard error, where a run that went wrong can be read, and core operations draw nothing.

#include <cstdio>
#include <string>

#include "platform/MessageBoxes.h"
#include "platform/Tones.h"
#include "scene/SceneGraphics.h"

class SilentTones : public Tones {
public:
    void Beep(int, int) override {}
};

class PrintedMessages : public MessageBoxes {
public:
    MessageAnswer ShowCaptioned(const std::string&, const std::string& text, MessageButtons,
                                MessageIcon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return MessageAnswer::Ok;
    }
};

class NoGraphics : public SceneGraphics {
public:
    void DeleteLists(uint32_t, int32_t) override {}
    void DeleteTexture(uint32_t) override {}
    void ShowProgress(int, const std::string&) override {}
};
