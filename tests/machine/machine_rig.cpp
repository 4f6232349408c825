#include "machine_rig.h"

#include <gtest/gtest.h>

#include <thread>

namespace drovane {

namespace {

using Clock = std::chrono::steady_clock;

bool waitForSignal(SerialLine& line, int id, SerialSignal signal) {
    const auto end = Clock::now() + kGuard;
    while (line.getSignal(id, signal) == 0) {
        if (Clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

bool handshakeProcedures(SerialLine& line, int id, const SerialSettings& settings, bool dtrDsr) {
    if (dtrDsr) {
        line.setSignal(id, SerialSignal::Dtr, 1);
        if (!waitForSignal(line, id, SerialSignal::Dsr)) {
            ADD_FAILURE() << "DSR never came";
            return false;
        }
    }
    if (settings.handshake == Handshake::RtsCts || settings.handshake == Handshake::RtsHandshake) {
        line.setSignal(id, SerialSignal::Rts, 1);
        if (!waitForSignal(line, id, SerialSignal::Cts)) {
            ADD_FAILURE() << "CTS never came";
            return false;
        }
    }
    return true;
}

bool writeByte(SerialLine& line, int id, unsigned char byte, SendOutcome& outcome) {
    const auto end = Clock::now() + kGuard;
    while (line.write(id, &byte, 1) != 1) {
        const SerialError errors = line.takeErrors(id);
        if (hasFlag(errors, SerialError::XoffReceived)) {
            ++outcome.xoffHolds;
        } else if (hasFlag(errors, SerialError::WaitingCTS)) {
            ++outcome.ctsHolds;
        } else {
            outcome.otherErrors |= errors;
        }
        if (Clock::now() > end) {
            ADD_FAILURE() << "a byte stayed held";
            return false;
        }
    }
    return true;
}

} // namespace

VirtualMachine::Report ReportLog::sink() {
    return [this](std::string_view line) {
        const std::lock_guard lock(mutex_);
        lines_.emplace_back(line);
        added_.notify_all();
    };
}

bool ReportLog::waitFor(std::string_view line) {
    std::unique_lock lock(mutex_);
    return added_.wait_for(lock, kGuard, [&] {
        for (const std::string& l : lines_) {
            if (l == line) {
                return true;
            }
        }
        return false;
    });
}

bool ReportLog::has(std::string_view line) const {
    const std::lock_guard lock(mutex_);
    for (const std::string& l : lines_) {
        if (l == line) {
            return true;
        }
    }
    return false;
}

bool ReportLog::waitForStart(std::string_view prefix) {
    std::unique_lock lock(mutex_);
    return added_.wait_for(lock, kGuard, [&] {
        for (const std::string& l : lines_) {
            if (l.starts_with(prefix)) {
                return true;
            }
        }
        return false;
    });
}

std::vector<std::string> ReportLog::lines() const {
    const std::lock_guard lock(mutex_);
    return lines_;
}

void ReportLog::clear() {
    const std::lock_guard lock(mutex_);
    lines_.clear();
}

SendOutcome sendAsJob(SerialLine& line, const SerialSettings& settings, const SendPlan& plan) {
    SendOutcome outcome;
    const int id = line.open(settings);
    if (id == 0) {
        ADD_FAILURE() << "the port did not open";
        return outcome;
    }
    line.setTimeouts(id, 100, 100, 100, 10, plan.writeTimeout);
    std::string bytes(static_cast<std::size_t>(plan.leader), '\0');
    bytes += plan.text;
    bytes.append(static_cast<std::size_t>(plan.trailer), '\0');
    bytes.push_back(static_cast<char>(plan.endCharacter));
    bool ok = handshakeProcedures(line, id, settings, plan.dtrDsr);
    for (std::size_t i = 0; ok && i < bytes.size(); ++i) {
        ok = writeByte(line, id, static_cast<unsigned char>(bytes[i]), outcome);
    }
    if (plan.dtrDsr) {
        line.setSignal(id, SerialSignal::Dtr, 0);
    }
    line.close(id);
    outcome.complete = ok;
    return outcome;
}

std::string receiveAsJob(SerialLine& line, const SerialSettings& settings,
                         const ReceivePlan& plan) {
    std::string got;
    const int id = line.open(settings);
    if (id == 0) {
        ADD_FAILURE() << "the port did not open";
        return got;
    }
    line.setTimeouts(id, 300, 300, 100, 10, 100);
    if (!handshakeProcedures(line, id, settings, plan.dtrDsr)) {
        line.close(id);
        return got;
    }
    const auto end = Clock::now() + kGuard;
    std::string chunk;
    while (got.find(static_cast<char>(plan.endCharacter)) == std::string::npos &&
           got.size() < plan.abortAfter) {
        if (Clock::now() > end) {
            ADD_FAILURE() << "the program never ended; got " << got.size() << " bytes";
            break;
        }
        const int waiting = line.inputWaiting(id);
        if (waiting == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        chunk.assign(static_cast<std::size_t>(waiting), '\0');
        const int read = line.read(id, chunk.data(), waiting);
        got.append(chunk, 0, static_cast<std::size_t>(std::max(read, 0)));
    }
    line.close(id);
    return got;
}

} // namespace drovane
