#pragma once

// The three-field bar at the foot of the window; a left click on "Hilfe"
// asks for help.

#include <QFrame>
#include <QLabel>
#include <array>

namespace drovane {

class StatusBar : public QFrame {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent);
    QString fieldText(int field) const;
    void setFieldText(int field, const QString& text);

signals:
    void helpClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::array<QLabel*, 3> fields_{};
};

} // namespace drovane
