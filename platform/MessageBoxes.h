#pragma once
// Modal message boxes with fixed English texts, titled "Pexora" unless a caller names another caption;
// tests script the answers.

#include <string>

enum class MessageButtons { Ok, YesNo, OkCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows `text` (UTF-8, "\n" breaks lines) under `caption` and waits for the answer. Closing the box
    // without a button answers Cancel for OK/Cancel, No for Yes/No and Ok for a lone OK button.
    virtual MessageAnswer ShowCaptioned(const std::string& caption, const std::string& text,
                                        MessageButtons buttons, MessageIcon icon) = 0;

    // A box titled with the program's name.
    MessageAnswer Show(const std::string& text, MessageButtons buttons, MessageIcon icon) {
        return ShowCaptioned("Pexora", text, buttons, icon);
    }

    // An information box with one OK button.
    void Inform(const std::string& text) { Show(text, MessageButtons::Ok, MessageIcon::Information); }
    // A warning box with one OK button.
    void Warn(const std::string& text) { Show(text, MessageButtons::Ok, MessageIcon::Warning); }
    // A Yes/No question; true for Yes.
    bool AskYesNo(const std::string& text) {
        return Show(text, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
    }
    // An OK/Cancel question; true for OK.
    bool AskOkCancel(const std::string& text) {
        return Show(text, MessageButtons::OkCancel, MessageIcon::Question) == MessageAnswer::Ok;
    }
};
