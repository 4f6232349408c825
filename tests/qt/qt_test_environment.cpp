#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

// The offscreen platform cannot stack windows and says so on every raise(); that is noise here.
QtMessageHandler standardHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message == QStringLiteral("This plugin does not support raise()")) {
        return;
    }
    standardHandler(type, context, message);
}

// One QApplication for the whole test program, on the offscreen platform unless told otherwise.
class QtTestEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        standardHandler = qInstallMessageHandler(quietHandler);
        app_ = std::make_unique<QApplication>(argc_, argv_.data());
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "resources_tests";
    std::array<char*, 2> argv_{name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

// gtest owns registered environments and deletes them after the run.
[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(std::make_unique<QtTestEnvironment>().release());

} // namespace
