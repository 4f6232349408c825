#include "qt/status_bar.h"

#include "window/app_state.h"
#include "window/control_table.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <algorithm>

namespace drovane {

StatusBar::StatusBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const std::array<QString, 3> texts{QStringLiteral(" Version ") +
                                           QString::number(static_cast<double>(Version), 'f', 3),
                                       QString(), QStringLiteral("Hilfe")};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        auto* field = new QLabel(texts[i], this);
        field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Clicks belong to the bar, which knows where "Hilfe" starts.
        field->setAttribute(Qt::WA_TransparentForMouseEvents);
        fields_[i] = field;
    }
    // 85 pixels as drawn by the original font; wider where ours needs it.
    fields_[0]->setFixedWidth(std::max(85, fields_[0]->sizeHint().width()));
    fields_[2]->setFixedWidth(HelpFieldWidth);
    fields_[2]->setAlignment(Qt::AlignCenter);
    layout->addWidget(fields_[0]);
    layout->addWidget(fields_[1], 1);
    layout->addWidget(fields_[2]);
}

QString StatusBar::fieldText(int field) const {
    return fields_.at(static_cast<std::size_t>(field))->text();
}

void StatusBar::setFieldText(int field, const QString& text) {
    fields_.at(static_cast<std::size_t>(field))->setText(text);
}

void StatusBar::mousePressEvent(QMouseEvent* event) {
    QFrame::mousePressEvent(event);
    const int windowWidth = window()->width();
    const int x = mapTo(window(), event->position().toPoint()).x();
    if (event->button() == Qt::LeftButton && x > windowWidth - HelpFieldWidth) {
        emit helpClicked();
    }
}

} // namespace drovane
