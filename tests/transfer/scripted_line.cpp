#include "scripted_line.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace drovane {

namespace {

const char* signalName(SerialSignal signal) {
    switch (signal) {
    case SerialSignal::Dtr:
        return "DTR";
    case SerialSignal::Rts:
        return "RTS";
    case SerialSignal::Break:
        return "Break";
    case SerialSignal::XonChar:
        return "XON char";
    case SerialSignal::XoffChar:
        return "XOFF char";
    case SerialSignal::Cts:
    case SerialSignal::Dsr:
    case SerialSignal::Ring:
    case SerialSignal::Rlsd:
        break;
    }
    return "status line";
}

} // namespace

void ScriptedLine::addChunk(std::string bytes, int waiting, SerialError errors) {
    const std::lock_guard lock(mutex_);
    if (waiting < 0) {
        waiting = static_cast<int>(bytes.size());
    }
    script_.push_back(Chunk{std::move(bytes), errors, waiting});
}

void ScriptedLine::addFailedRead(SerialError errors, int waiting) {
    const std::lock_guard lock(mutex_);
    script_.push_back(Chunk{{}, errors, waiting});
}

void ScriptedLine::failWrite(int writeNumber, SerialError errors, int bytesOut) {
    const std::lock_guard lock(mutex_);
    failingWrites_[writeNumber] = Failure{errors, bytesOut};
}

void ScriptedLine::leaveUndrained(int bytes) {
    const std::lock_guard lock(mutex_);
    undrained_ = bytes;
}

void ScriptedLine::onWrite(std::function<void(int)> hook) {
    const std::lock_guard lock(mutex_);
    onWrite_ = std::move(hook);
}

int ScriptedLine::openedId() const {
    const std::lock_guard lock(mutex_);
    return openedId_;
}

std::vector<ScriptedLine::Clock::time_point> ScriptedLine::writeTimes() const {
    const std::lock_guard lock(mutex_);
    return writeTimes_;
}

SerialSettings ScriptedLine::openedWith() const {
    const std::lock_guard lock(mutex_);
    return openedWith_;
}

OpenFailure ScriptedLine::lastOpenFailure() const {
    return inner_.lastOpenFailure();
}

int ScriptedLine::open(const SerialSettings& settings) {
    const int id = inner_.open(settings);
    {
        const std::lock_guard lock(mutex_);
        openedId_ = id;
        openedWith_ = settings;
    }
    console_.note(id != 0 ? "line open" : "line open failed");
    return id;
}

void ScriptedLine::close(int id) {
    inner_.close(id);
    console_.note("line close");
}

int ScriptedLine::drain(int id) {
    const int inner = inner_.drain(id);
    const std::lock_guard lock(mutex_);
    return std::exchange(undrained_, 0) + inner;
}

void ScriptedLine::watchAbort(const AbortRequest* abort) {
    inner_.watchAbort(abort);
}

int ScriptedLine::applyTimeouts(int id, const SerialTimeouts& t) {
    console_.note(
        "line timeouts " + std::to_string(t.readInterval) + " " +
        std::to_string(t.readTotalConstant) + " " + std::to_string(t.readTotalMultiplier) + " " +
        std::to_string(t.writeTotalConstant) + " " + std::to_string(t.writeTotalMultiplier));
    return inner_.applyTimeouts(id, t);
}

int ScriptedLine::setSignal(int id, SerialSignal signal, int value) {
    console_.note(std::string("line ") + signalName(signal) + " " + std::to_string(value));
    return inner_.setSignal(id, signal, value);
}

int ScriptedLine::getSignal(int id, SerialSignal signal) {
    return inner_.getSignal(id, signal);
}

bool ScriptedLine::awaitSignal(int id, SerialSignal signal, bool on, const AbortRequest& abort) {
    return inner_.awaitSignal(id, signal, on, abort);
}

int ScriptedLine::inputWaiting(int id) {
    {
        const std::lock_guard lock(mutex_);
        if (!script_.empty()) {
            serving_ = true;
            return script_.front().waiting;
        }
    }
    return inner_.inputWaiting(id);
}

bool ScriptedLine::waitForInput(int id, std::chrono::milliseconds limit) {
    {
        const std::lock_guard lock(mutex_);
        if (!script_.empty()) {
            return true;
        }
    }
    return inner_.waitForInput(id, limit);
}

int ScriptedLine::read(int id, void* buffer, int count) {
    {
        const std::lock_guard lock(mutex_);
        if (serving_) {
            serving_ = false;
            Chunk chunk = std::move(script_.front());
            script_.pop_front();
            pending_ |= chunk.errors;
            const auto size = std::min(chunk.bytes.size(), static_cast<std::size_t>(count));
            std::memcpy(buffer, chunk.bytes.data(), size);
            return static_cast<int>(size);
        }
    }
    return inner_.read(id, buffer, count);
}

int ScriptedLine::write(int id, const void* data, int count) {
    std::function<void(int)> hook;
    int number = 0;
    {
        const std::lock_guard lock(mutex_);
        number = ++writes_;
        writeTimes_.push_back(Clock::now());
        hook = onWrite_;
    }
    if (hook) {
        hook(number);
    }
    std::optional<Failure> failure;
    {
        const std::lock_guard lock(mutex_);
        const auto failing = failingWrites_.find(number);
        if (failing != failingWrites_.end()) {
            pending_ |= failing->second.errors;
            failure = failing->second;
        }
    }
    if (!failure) {
        return inner_.write(id, data, count);
    }
    const int through = std::min(failure->bytesOut, count);
    return through > 0 ? inner_.write(id, data, through) : 0;
}

SerialError ScriptedLine::takeErrors(int id) {
    SerialError errors = inner_.takeErrors(id);
    const std::lock_guard lock(mutex_);
    errors |= pending_;
    pending_ = SerialError::None;
    return errors;
}

} // namespace drovane
