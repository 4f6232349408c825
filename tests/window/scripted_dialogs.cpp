#include "scripted_dialogs.h"

#include <gtest/gtest.h>

namespace drovane::testing {

void ScriptedDialogs::note(std::string_view kind, std::string_view title, std::string_view text) {
    calls.push_back({std::string(kind), std::string(title), std::string(text)});
    if (whileOpen) {
        whileOpen();
    }
}

void ScriptedDialogs::inform(std::string_view title, std::string_view text) {
    note("inform", title, text);
}

bool ScriptedDialogs::askYesNo(std::string_view title, std::string_view text) {
    note("yesno", title, text);
    EXPECT_FALSE(yesNoAnswers.empty()) << "unexpected question: " << text;
    if (yesNoAnswers.empty()) {
        return false;
    }
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::askText(std::string_view title, std::string_view prompt,
                                                    std::string_view initial) {
    note("text", title, prompt);
    if (textAnswers.empty()) {
        return std::string(initial);
    }
    std::optional<std::string> answer = textAnswers.front();
    textAnswers.pop_front();
    return answer;
}

std::string ScriptedDialogs::chooseFolder(std::string_view prompt, std::string_view start) {
    note("folder", start, prompt);
    EXPECT_FALSE(folderAnswers.empty());
    if (folderAnswers.empty()) {
        return {};
    }
    std::string answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

std::vector<std::string> ScriptedDialogs::informed() const {
    std::vector<std::string> texts;
    for (const DialogCall& call : calls) {
        if (call.kind == "inform") {
            texts.push_back(call.title + " | " + call.text);
        }
    }
    return texts;
}

} // namespace drovane::testing
