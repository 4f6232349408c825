#include "service/service_console.h"

#include <algorithm>
#include <utility>

namespace drovane {

void ServiceConsole::appendLine(std::string_view line) {
    {
        const std::scoped_lock lock(mutex_);
        lastLine_ = line;
        jobLines_.emplace_back(line);
    }
    log_.line(machine_, line);
}

// Byte counts rewritten on every chunk: the status shows them, the log would
// drown in them.
void ServiceConsole::replaceLastLine(std::string_view line) {
    const std::scoped_lock lock(mutex_);
    lastLine_ = line;
}

void ServiceConsole::showSendPosition(std::size_t /*line*/, std::int64_t bytesLeft) {
    const std::scoped_lock lock(mutex_);
    state_.setBytes(sendTotal_ - bytesLeft);
}

void ServiceConsole::appendEditor(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    {
        const std::scoped_lock lock(mutex_);
        if (!bytesCame_) {
            bytesCame_ = true;
            state_.enter(MachineActivity::Receiving);
        }
    }
    state_.addBytes(static_cast<std::int64_t>(bytes.size()));
}

void ServiceConsole::setProgramText(std::string text) {
    const std::scoped_lock lock(mutex_);
    program_ = std::move(text);
}

std::string ServiceConsole::lastLine() const {
    const std::scoped_lock lock(mutex_);
    return lastLine_;
}

void ServiceConsole::startJob() {
    const std::scoped_lock lock(mutex_);
    bytesCame_ = false;
    jobLines_.clear();
    program_.clear();
}

std::string ServiceConsole::takeProgramText() {
    const std::scoped_lock lock(mutex_);
    return std::exchange(program_, {});
}

bool ServiceConsole::logged(std::string_view line) const {
    const std::scoped_lock lock(mutex_);
    return std::ranges::find(jobLines_, line) != jobLines_.end();
}

bool ServiceConsole::bytesCame() const {
    const std::scoped_lock lock(mutex_);
    return bytesCame_;
}

void ServiceConsole::startSend(std::int64_t total) {
    const std::scoped_lock lock(mutex_);
    sendTotal_ = total;
    state_.setTotal(total);
}

} // namespace drovane
