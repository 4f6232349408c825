#pragma once

// Every dialog the program shows goes through here, so tests can answer them
// by script.

#include <QString>
#include <optional>

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
    virtual void inform(const QString& title, const QString& text) = 0;
    // True for "Ja".
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> askText(const QString& title, const QString& prompt,
                                           const QString& initial) = 0;
    // The chosen folder ending in "/", or empty when cancelled.
    virtual QString chooseFolder(const QString& prompt, const QString& start) = 0;
};

} // namespace drovane
