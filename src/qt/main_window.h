#pragma once

// The one window: every control of the control table at its place, the status
// bar, and the send/receive mode, which is the picture of DirectionButton.

#include "qt/app_icons.h"
#include "qt/file_list.h"
#include "qt/program_view.h"
#include "qt/status_bar.h"
#include "window/tabs.h"
#include "window/window_view.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <map>
#include <string>
#include <string_view>

namespace drovane {

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(bool boldFont);

    // The control of that name from the control table; nullptr for none.
    QWidget* control(std::string_view name) const;
    template <typename T> T* controlAs(std::string_view name) const {
        return qobject_cast<T*>(control(name));
    }

    QTabWidget* mainPanel() const { return panel_; }
    StatusBar* statusBar() const { return statusBar_; }
    FileList* fileList() const { return fileList_; }
    QLineEdit* directoryField() const { return directoryField_; }
    QLineEdit* patternField() const { return patternField_; }
    QLineEdit* fileNameField() const { return fileNameField_; }
    QPushButton* fileButton() const { return fileButton_; }
    QPushButton* directionButton() const { return directionButton_; }
    QPushButton* directoryButton() const { return directoryButton_; }
    QPushButton* startButton() const { return startButton_; }
    ProgramView& programView() const { return *programView_; }

    // The picture of DirectionButton.
    Mode mode() const;
    void showMode(Mode mode);

    void appendStatus(const QString& line);
    void clearStatus();
    void setProgramTabTitle(const QString& title);

private:
    QWidget* createControl(const struct ControlSpec& spec, QWidget* container);
    void keepControl(const struct ControlSpec& spec, QWidget* widget);

    QTabWidget* panel_ = nullptr;
    StatusBar* statusBar_ = nullptr;
    std::map<std::string, QWidget*, std::less<>> controls_;
    FileList* fileList_ = nullptr;
    QLineEdit* directoryField_ = nullptr;
    QLineEdit* patternField_ = nullptr;
    QLineEdit* fileNameField_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QPushButton* directionButton_ = nullptr;
    QPushButton* directoryButton_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPlainTextEdit* statusLine_ = nullptr;
    ProgramView* programView_ = nullptr;
};

} // namespace drovane
