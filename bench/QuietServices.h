#pragma once
// Services for benchmarks that run the viewer's code without a user: tones stay silent and messages
// go to the standard error, where a run that went wrong can be read.

#include <cstdio>
#include <string>

#include "platform/MessageBoxes.h"
#include "platform/Tones.h"

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
