#include "window/control_table.h"
#include "window/settings_access.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <set>

namespace drovane::testing {
namespace {

QString qName(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

bool kindMatches(ControlKind kind, QWidget* widget) {
    switch (kind) {
    case ControlKind::TextField:
        return qobject_cast<QLineEdit*>(widget) != nullptr;
    case ControlKind::Label:
    case ControlKind::Image:
        return qobject_cast<QLabel*>(widget) != nullptr;
    case ControlKind::DropDown:
        return qobject_cast<QComboBox*>(widget) != nullptr;
    case ControlKind::Button:
    case ControlKind::ImageButton:
        return qobject_cast<QPushButton*>(widget) != nullptr;
    case ControlKind::CheckBox:
        return qobject_cast<QCheckBox*>(widget) != nullptr;
    case ControlKind::Editor:
        return qobject_cast<QPlainTextEdit*>(widget) != nullptr ||
               qobject_cast<ProgramTextWidget*>(widget) != nullptr;
    case ControlKind::FileList:
        return qobject_cast<FileList*>(widget) != nullptr;
    case ControlKind::GroupBox:
        return qobject_cast<QGroupBox*>(widget) != nullptr;
    case ControlKind::FlatFrame:
        return qobject_cast<QFrame*>(widget) != nullptr;
    case ControlKind::ProgressBar:
        return qobject_cast<QProgressBar*>(widget) != nullptr;
    }
    return false;
}

QString shownText(QWidget* widget) {
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        return field->text();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        return box->title();
    }
    if (auto* editor = qobject_cast<QPlainTextEdit*>(widget)) {
        return editor->toPlainText();
    }
    if (auto* program = qobject_cast<ProgramTextWidget*>(widget)) {
        return program->toPlainText();
    }
    return {};
}

using ControlTableTest = WindowTest;

TEST_F(ControlTableTest, EveryControlHasItsNameKindPlaceTextAndContainer) {
    std::set<std::string_view> names;
    for (const ControlSpec& spec : controlTable()) {
        SCOPED_TRACE(std::string(spec.name));
        EXPECT_TRUE(names.insert(spec.name).second) << "name used twice";
        QWidget* widget = window().findChild<QWidget*>(qName(spec.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget, window().control(spec.name));
        EXPECT_TRUE(kindMatches(spec.kind, widget));
        EXPECT_EQ(widget->geometry(), QRect(spec.x, spec.y, spec.width, spec.height));
        EXPECT_EQ(shownText(widget), qName(spec.text));
        const QWidget* expectedParent =
            spec.container == Container::Window
                ? static_cast<QWidget*>(&window())
                : window().mainPanel()->widget(static_cast<int>(spec.container));
        EXPECT_EQ(widget->parentWidget(), expectedParent);
        EXPECT_EQ(widget->isEnabled(), (spec.options & option::Disabled) == 0);
        if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(field->isReadOnly(), (spec.options & option::ReadOnly) != 0);
        }
    }
    EXPECT_EQ(names.size(), 76U);
}

TEST_F(ControlTableTest, TheWindowCarriesTheKnownPlacesAndStates) {
    // Spot checks written out independently of the table.
    EXPECT_EQ(window().mainPanel()->geometry(), QRect(15, 14, 639, 596));
    EXPECT_EQ(window().fileList()->geometry(), QRect(31, 77, 564, 317));
    EXPECT_EQ(window().control("DirectionButton")->geometry(), QRect(546, 407, 51, 43));
    EXPECT_EQ(window().control("BottomFrame")->geometry(), QRect(15, 623, 638, 72));
    EXPECT_EQ(window().patternField()->text(), "*.nc");
    EXPECT_EQ(window().patternField()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(window().directoryButton()->text(), ":\\");
    EXPECT_EQ(window().startButton()->text(), QString::fromUtf8("Übertragung starten"));
    EXPECT_EQ(window().controlAs<QLineEdit>("EndCharField")->text(), "04");
    EXPECT_TRUE(window().controlAs<QPlainTextEdit>("StatusLine")->isReadOnly());
    EXPECT_TRUE(window().directoryField()->isReadOnly());
    for (const char* disabled : {"LineEndCombo", "XonSendCombo", "XonWaitCombo"}) {
        EXPECT_FALSE(window().control(disabled)->isEnabled()) << disabled;
    }
    EXPECT_TRUE(window().control("MachineCombo")->isEnabled());
    EXPECT_EQ(window().controlAs<QLabel>("DtrDsrLabel")->alignment() & Qt::AlignVertical_Mask,
              Qt::AlignTop);
    EXPECT_EQ(window().controlAs<QLabel>("DtrDsrLabel")->text(), "DTR/DSR nutzen:");
    EXPECT_EQ(window().controlAs<QLabel>("PortLabel")->alignment() & Qt::AlignVertical_Mask,
              Qt::AlignVCenter);
    EXPECT_EQ(window().controlAs<QFrame>("BottomFrame")->frameShape(), QFrame::Box);
    auto* progress = window().controlAs<QProgressBar>("TransferProgress");
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 100);
    const QStringList titles{QStringLiteral("Senden/Empfangen"), QStringLiteral("COM1"),
                             QStringLiteral("CNC-Programm")};
    ASSERT_EQ(window().mainPanel()->count(), 3);
    for (int tab = 0; tab < 3; ++tab) {
        EXPECT_EQ(window().mainPanel()->tabText(tab), titles[tab]);
    }
    const std::array widths{331, 50, 60, 119};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(window().fileList()->columnWidth(column), widths.at(column));
    }
}

TEST_F(ControlTableTest, TabOrderFollowsTheTable) {
    std::vector<QWidget*> expected;
    for (const ControlSpec& spec : controlTable()) {
        QWidget* widget = window().control(spec.name);
        if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
            expected.push_back(widget);
        }
    }
    std::vector<QWidget*> chain;
    const std::set<QWidget*> wanted(expected.begin(), expected.end());
    QWidget* next = window().nextInFocusChain();
    while (next != &window()) {
        if (wanted.count(next) != 0) {
            chain.push_back(next);
        }
        next = next->nextInFocusChain();
    }
    EXPECT_GE(expected.size(), 40U);
    EXPECT_EQ(chain, expected);
}

TEST_F(ControlTableTest, WindowIsFixedCentredAndTitled) {
    EXPECT_EQ(window().windowTitle(), "Drovane");
    EXPECT_EQ(window().minimumSize(), QSize(667, 734));
    EXPECT_EQ(window().maximumSize(), QSize(667, 734));
    EXPECT_FALSE(window().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window().windowIcon().isNull());
    const QRect screen = window().screen()->availableGeometry();
    EXPECT_LE(std::abs(window().geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(window().geometry().center().y() - screen.center().y()), 1);
}

TEST_F(ControlTableTest, StatusBarShowsVersionAndHelpOpensOnlyInTheLastFortyPixels) {
    StatusBar* bar = window().statusBar();
    EXPECT_EQ(bar->fieldText(0), " Version 0.817");
    EXPECT_EQ(bar->fieldText(1), "");
    EXPECT_EQ(bar->fieldText(2), "Hilfe");
    EXPECT_EQ(bar->geometry().bottom(), window().height() - 1);
    window().show();
    const int y = bar->height() / 2;
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(20, y));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(667 - 40, y));
    QTest::mouseClick(bar, Qt::RightButton, {}, QPoint(667 - 10, y));
    EXPECT_EQ(helpShown_, 0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(667 - 39, y));
    EXPECT_EQ(helpShown_, 1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(666, y));
    EXPECT_EQ(helpShown_, 2);
}

TEST_F(ControlTableTest, BoldFontOnlyForTheNumberOne) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"BoldFont=1\r\n", true},   {"BoldFont=01\r\n", true}, {"BoldFont=2\r\n", false},
        {"BoldFont=ja\r\n", false}, {"Path=/x/\r\n", false},
    };
    for (const auto& [settings, bold] : cases) {
        SCOPED_TRACE(settings);
        writeSettings(settings);
        EXPECT_EQ(boldFontChosen(state_.settingsPath), bold);
        rebuild(boldFontChosen(state_.settingsPath));
        for (const ControlSpec& spec : controlTable()) {
            EXPECT_EQ(window().control(spec.name)->font().bold(), bold) << spec.name;
        }
        EXPECT_EQ(window().mainPanel()->font().bold(), bold);
        EXPECT_FALSE(window().statusBar()->font().bold());
    }
}

TEST_F(ControlTableTest, DigitsOnlyFieldsRefuseOtherKeysButNotTheProgram) {
    for (const ControlSpec& spec : controlTable()) {
        auto* field = qobject_cast<QLineEdit*>(window().control(spec.name));
        if (field == nullptr || field->isReadOnly()) {
            continue;
        }
        SCOPED_TRACE(std::string(spec.name));
        field->clear();
        QTest::keyClicks(field, "1a -+2.x9");
        const bool digitsOnly = (spec.options & option::DigitsOnly) != 0;
        EXPECT_EQ(field->text(), digitsOnly ? QString("129") : QString("1a -+2.x9"));
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), digitsOnly ? QString("12") : QString("1a -+2.x"));
        field->setText(QStringLiteral("$1B"));
        EXPECT_EQ(field->text(), "$1B");
    }
}

TEST_F(ControlTableTest, ReadOnlyControlsTakeNoTyping) {
    window().directoryField()->setText(QStringLiteral("/x/"));
    QTest::keyClicks(window().directoryField(), "abc");
    EXPECT_EQ(window().directoryField()->text(), "/x/");
    auto* status = window().controlAs<QPlainTextEdit>("StatusLine");
    QTest::keyClicks(status, "abc");
    EXPECT_EQ(status->toPlainText(), "");
    auto* program = window().controlAs<ProgramTextWidget>("ProgramEditor");
    QTest::keyClicks(program, "abc");
    EXPECT_EQ(program->toPlainText(), "");
}

} // namespace
} // namespace drovane::testing
