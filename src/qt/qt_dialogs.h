#pragma once

#include "window/dialogs.h"

#include <QPointer>
#include <QWidget>

namespace drovane {

// The real dialogs, modal to the main window.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void inform(std::string_view title, std::string_view text) override;
    bool askYesNo(std::string_view title, std::string_view text) override;
    std::optional<std::string> askText(std::string_view title, std::string_view prompt,
                                       std::string_view initial) override;
    std::string chooseFolder(std::string_view prompt, std::string_view start) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace drovane
