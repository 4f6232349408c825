#pragma once
// Every dialog the program shows goes through here, so tests can answer them
// by script. Texts are UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

class Dialogs {
public:
    Dialogs() = default;
    Dialogs(const Dialogs&) = delete;
    Dialogs& operator=(const Dialogs&) = delete;
    Dialogs(Dialogs&&) = delete;
    Dialogs& operator=(Dialogs&&) = delete;
    virtual ~Dialogs() = default;

    // A message box with an OK button.
    virtual void inform(std::string_view title, std::string_view text) = 0;
    // True for "Ja".
    virtual bool askYesNo(std::string_view title, std::string_view text) = 0;
    // nullopt when cancelled.
    virtual std::optional<std::string> askText(std::string_view title, std::string_view prompt,
                                               std::string_view initial) = 0;
    // The chosen folder ending in a separator, or empty when cancelled.
    virtual std::string chooseFolder(std::string_view prompt, std::string_view start) = 0;
};

} // namespace drovane
