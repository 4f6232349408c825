#pragma once

#include "shell/dialogs.h"

#include <QPointer>
#include <QWidget>

namespace drovane {

// The real dialogs, modal to the main window.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void inform(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    std::optional<QString> askText(const QString& title, const QString& prompt,
                                   const QString& initial) override;
    QString chooseFolder(const QString& prompt, const QString& start) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace drovane
