#pragma once

// Dialogs answered by a script; every call is noted.

#include "window/dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace drovane::testing {

struct DialogCall {
    std::string kind; // "inform", "yesno", "text", "folder"
    std::string title;
    std::string text;
};

class ScriptedDialogs final : public Dialogs {
public:
    std::vector<DialogCall> calls;
    std::deque<bool> yesNoAnswers;
    std::deque<std::string> folderAnswers;
    // Answers of the input dialog (nullopt: cancelled); without one the
    // dialog confirms its initial text.
    std::deque<std::optional<std::string>> textAnswers;
    // Runs while a dialog is open, before it is answered.
    std::function<void()> whileOpen;

    void inform(std::string_view title, std::string_view text) override;
    bool askYesNo(std::string_view title, std::string_view text) override;
    std::optional<std::string> askText(std::string_view title, std::string_view prompt,
                                       std::string_view initial) override;
    // The call notes the start folder as its title.
    std::string chooseFolder(std::string_view prompt, std::string_view start) override;

    // "title | text" of every message box with an OK button.
    std::vector<std::string> informed() const;

private:
    void note(std::string_view kind, std::string_view title, std::string_view text);
};

} // namespace drovane::testing
