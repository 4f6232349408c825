#include "qt/main_window.h"

#include "qt/event_filters.h"
#include "window/control_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

namespace drovane {
namespace {

QString qText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

constexpr int DropDownHeight = 350;

// The control places were drawn for an 11-pixel dialog font; a narrow face at
// that size keeps every caption inside its box, also in bold.
QFont controlFontFor(const QFont& standard) {
    QFont narrow = standard;
    narrow.setFamilies({QStringLiteral("DejaVu Sans"), standard.family()});
    narrow.setStretch(QFont::Condensed);
    narrow.setPixelSize(11);
    return narrow;
}
constexpr QSize DirectionIconSize(42, 32);
constexpr QSize ImageIconSize(32, 32);

QLineEdit* makeTextField(const ControlSpec& spec, QWidget* parent) {
    auto* field = new QLineEdit(qText(spec.text), parent);
    field->setReadOnly((spec.options & option::ReadOnly) != 0);
    if ((spec.options & option::Centred) != 0) {
        field->setAlignment(Qt::AlignCenter);
    }
    if ((spec.options & option::DigitsOnly) != 0) {
        field->installEventFilter(new DigitsOnlyFilter(field));
    }
    return field;
}

QLabel* makeLabel(const ControlSpec& spec, QWidget* parent) {
    auto* label = new QLabel(qText(spec.text), parent);
    const Qt::Alignment vertical =
        (spec.options & option::TopAligned) != 0 ? Qt::AlignTop : Qt::AlignVCenter;
    label->setAlignment(Qt::AlignLeft | vertical);
    return label;
}

QComboBox* makeDropDown(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(false);
    combo->setMaxVisibleItems(DropDownHeight / combo->fontMetrics().height());
    // Neither the wheel's focus nor its value: a pass over it changes nothing.
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->installEventFilter(new ClosedDropDownWheelFilter(combo));
    return combo;
}

QPlainTextEdit* makeEditor(QWidget* parent) {
    auto* editor = new QPlainTextEdit(parent);
    editor->setReadOnly(true);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return editor;
}

QCheckBox* makeCheckBox(const ControlSpec& spec, QWidget* parent) {
    auto* box = new QCheckBox(qText(spec.text), parent);
    if ((spec.options & option::CaptionRight) != 0) {
        box->setLayoutDirection(Qt::RightToLeft);
    }
    return box;
}

QFrame* makeFlatFrame(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    return frame;
}

QIcon pictureIcon(Picture picture) {
    switch (picture) {
    case Picture::Computer:
        return AppIcons::iconComputer();
    case Picture::Machine:
        return AppIcons::iconMachine();
    case Picture::Send:
        return AppIcons::iconSend();
    case Picture::Receive:
        return AppIcons::iconReceive();
    case Picture::None:
        break;
    }
    return {};
}

} // namespace

MainWindow::MainWindow(bool boldFont) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Drovane"));
    setWindowIcon(AppIcons::iconMachine());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(WindowWidth, WindowHeight);

    statusBar_ = new StatusBar(this);
    const int barHeight = statusBar_->sizeHint().height();
    statusBar_->setGeometry(0, WindowHeight - barHeight, WindowWidth, barHeight);

    QFont controlFont = controlFontFor(font());
    controlFont.setBold(boldFont);

    panel_ = new QTabWidget(this);
    panel_->setObjectName(QStringLiteral("MainPanel"));
    panel_->setGeometry(MainPanelGeometry.x, MainPanelGeometry.y, MainPanelGeometry.width,
                        MainPanelGeometry.height);
    panel_->setFont(controlFont);
    for (const std::string_view title : initialTabTitles()) {
        panel_->addTab(new QWidget(panel_), qText(title));
    }
    for (const ControlSpec& spec : controlTable()) {
        QWidget* container = spec.container == Container::Window
                                 ? this
                                 : panel_->widget(static_cast<int>(spec.container));
        QWidget* widget = createControl(spec, container);
        widget->setObjectName(qText(spec.name));
        widget->setGeometry(spec.x, spec.y, spec.width, spec.height);
        widget->setFont(controlFont);
        widget->setEnabled((spec.options & option::Disabled) == 0);
        keepControl(spec, widget);
    }
    fileList_->setColumnWidth(0, 331);
    fileList_->setColumnWidth(1, 50);
    fileList_->setColumnWidth(2, 60);
    fileList_->setColumnWidth(3, 119);
    programView_ = new ProgramView(controlAs<ProgramTextWidget>("ProgramEditor"));

    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QWidget* MainWindow::createControl(const ControlSpec& spec, QWidget* container) {
    switch (spec.kind) {
    case ControlKind::TextField:
        return makeTextField(spec, container);
    case ControlKind::Label:
        return makeLabel(spec, container);
    case ControlKind::DropDown:
        return makeDropDown(container);
    case ControlKind::Button:
        return new QPushButton(qText(spec.text), container);
    case ControlKind::ImageButton: {
        auto* button = new QPushButton(container);
        button->setIcon(pictureIcon(spec.picture));
        button->setIconSize(DirectionIconSize);
        return button;
    }
    case ControlKind::CheckBox:
        return makeCheckBox(spec, container);
    case ControlKind::Editor:
        if (spec.name == "ProgramEditor") {
            return new ProgramTextWidget(container);
        }
        return makeEditor(container);
    case ControlKind::FileList:
        return new FileList(container);
    case ControlKind::GroupBox: {
        // Frames come after the controls they surround; below them they do
        // not catch their clicks.
        auto* box = new QGroupBox(qText(spec.text), container);
        box->lower();
        return box;
    }
    case ControlKind::FlatFrame: {
        QFrame* frame = makeFlatFrame(container);
        frame->lower();
        return frame;
    }
    case ControlKind::Image: {
        auto* image = new QLabel(container);
        image->setPixmap(pictureIcon(spec.picture).pixmap(ImageIconSize));
        return image;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(container);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }
    }
    return new QWidget(container);
}

void MainWindow::keepControl(const ControlSpec& spec, QWidget* widget) {
    controls_.emplace(std::string(spec.name), widget);
    const auto as = [widget]<typename T>(T*& slot) {
        slot = qobject_cast<T*>(widget);
    };
    if (spec.name == "FileList") {
        as(fileList_);
    } else if (spec.name == "DirectoryField") {
        as(directoryField_);
    } else if (spec.name == "PatternField") {
        as(patternField_);
    } else if (spec.name == "FileNameField") {
        as(fileNameField_);
    } else if (spec.name == "FileButton") {
        as(fileButton_);
    } else if (spec.name == "DirectionButton") {
        as(directionButton_);
    } else if (spec.name == "DirectoryButton") {
        as(directoryButton_);
    } else if (spec.name == "StartButton") {
        as(startButton_);
    } else if (spec.name == "StatusLine") {
        as(statusLine_);
    }
}

QWidget* MainWindow::control(std::string_view name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

Mode MainWindow::mode() const {
    return directionButton_->icon().cacheKey() == AppIcons::iconReceive().cacheKey() ? Mode::Receive
                                                                                     : Mode::Send;
}

void MainWindow::showMode(Mode mode) {
    directionButton_->setIcon(mode == Mode::Receive ? AppIcons::iconReceive()
                                                    : AppIcons::iconSend());
}

void MainWindow::appendStatus(const QString& line) {
    statusLine_->appendPlainText(line);
}

void MainWindow::clearStatus() {
    statusLine_->clear();
}

void MainWindow::setProgramTabTitle(const QString& title) {
    panel_->setTabText(ProgramTab, title);
}

} // namespace drovane
