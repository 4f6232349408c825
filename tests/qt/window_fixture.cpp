#include "window_fixture.h"

#include <QDir>
#include <array>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

namespace drovane::testing {

namespace {

// One application for the whole test program, torn down by gtest before the
// statics it leaves behind.
class ApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override { app_.reset(); }
    QApplication& app() {
        if (!app_) {
            app_ = std::make_unique<QApplication>(argc_, argv_.data());
        }
        return *app_;
    }

private:
    int argc_ = 1;
    std::array<char, 13> name_{"window_tests"};
    std::array<char*, 2> argv_{name_.data(), nullptr};
    std::unique_ptr<QApplication> app_;
};

ApplicationEnvironment* const environment = static_cast<ApplicationEnvironment*>(
    ::testing::AddGlobalTestEnvironment(std::make_unique<ApplicationEnvironment>().release()));

} // namespace

QApplication& application() {
    return environment->app();
}

std::string readBytes(const QString& path) {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const QString& path, std::string_view bytes) {
    std::ofstream out(QFile::encodeName(path).toStdString(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

WindowTest::WindowTest() {
    application();
    state_.settingsPath = folder(QStringLiteral("drovane.ini")).toStdString();
    rebuild();
}

WindowTest::~WindowTest() {
    endHeldJob();
}

void WindowTest::holdJob() {
    jobReleased_ = false;
    ASSERT_TRUE(state_.transferJob.start([this] {
        while (!jobReleased_.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }));
}

void WindowTest::endHeldJob() {
    jobReleased_ = true;
    state_.transferJob.wait();
}

void WindowTest::rebuild(bool boldFont) {
    session_.reset();
    CommandDispatch::Hooks hooks{[this](Mode mode) {
                                     transfersStarted_.push_back(mode);
                                     if (onStart_) {
                                         onStart_(mode);
                                     }
                                 },
                                 [this] { ++helpShown_; },
                                 {}};
    session_ = std::make_unique<WindowSession>(state_, dialogs_, boldFont, std::move(hooks));
    session_->installButtonFilters();
}

QString WindowTest::folder(const QString& relative) const {
    return temp_.path() + QLatin1Char('/') + relative;
}

void WindowTest::writeSettings(std::string_view bytes) const {
    writeBytes(QString::fromStdString(state_.settingsPath), bytes);
}

int WindowTest::selectInList(const QString& directory, const QString& name) {
    FileList& list = *window().fileList();
    list.pointAt(directory);
    for (int i = 0; i < list.entryCount(); ++i) {
        if (list.entryName(i) == name) {
            list.selectEntry(i);
            return i;
        }
    }
    ADD_FAILURE() << "no entry " << name.toStdString();
    return -1;
}

} // namespace drovane::testing
