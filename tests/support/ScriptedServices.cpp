#include "support/ScriptedServices.h"

#include <utility>

namespace {

template <typename T>
std::optional<T> NextAnswer(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

MessageAnswer ScriptedMessageBoxes::ShowCaptioned(const std::string& caption, const std::string& text,
                                                  MessageButtons buttons, MessageIcon icon) {
    shown.push_back({text, buttons, icon, caption});
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (buttons == MessageButtons::YesNo) return MessageAnswer::No;
    if (buttons == MessageButtons::OkCancel) return MessageAnswer::Cancel;
    return MessageAnswer::Ok;
}

std::vector<std::string> ScriptedMessageBoxes::Texts() const {
    std::vector<std::string> texts;
    for (const Shown& box : shown)
        texts.push_back(box.text);
    return texts;
}

std::optional<FileDialogResult> ScriptedFileDialogs::Open(const FileDialogRequest& request) {
    asked.push_back({false, request});
    return NextAnswer(answers);
}

std::optional<FileDialogResult> ScriptedFileDialogs::Save(const FileDialogRequest& request) {
    asked.push_back({true, request});
    return NextAnswer(answers);
}

std::optional<uint32_t> ScriptedColourChooser::Choose(uint32_t initial) {
    initials.push_back(initial);
    if (whileOpen) std::exchange(whileOpen, nullptr)();
    return NextAnswer(answers);
}
