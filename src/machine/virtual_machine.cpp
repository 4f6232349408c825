// The machine's state, looked at on every wake-up under the cable's mutex:
//
// - the session: the opening of our side it follows (a new one starts the
//   reception and the punch afresh);
// - the reception: Waiting for a program, Receiving one (its bytes arrive
//   through the cable's hook, as they reach the far end, so flow control
//   answers at once), Complete (the end character came; the rest of the
//   opening is ignored);
// - the input buffer's flow: holding (above the hold level, XOFF sent or CTS
//   low) until it is worked off to the resume level;
// - the punch: Idle, Asked (our side reads without having sent: punch after
//   the operator's walk), Punching (the tape, character by character at line
//   time, paused while our side holds it), Over.
//
// While a reception or a punch runs the machine wakes once per run of line
// time and takes or sends what is due, instead of once per byte.

#include "machine/virtual_machine.h"

#include "machine/machine_messages.h"
#include "machine/machine_program.h"
#include "serial/character_frame.h"
#include "serial/virtual/virtual_cable.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace drovane {

namespace {

// How many runs a late machine thread may catch up on its punch schedule at
// once.
constexpr int kPunchCatchUpRuns = 2;

double bytesPerSecond(std::int32_t workBaud, double clockSpeed) {
    return std::max(workBaud, 1) / 10.0 * clockSpeed;
}

void earliest(std::optional<LineClock::time_point>& until,
              std::optional<LineClock::time_point> candidate) {
    if (candidate && (!until || *candidate < *until)) {
        until = candidate;
    }
}

} // namespace

VirtualMachine::VirtualMachine(std::shared_ptr<VirtualCable> cable, VirtualMachineSettings settings)
    : cable_(std::move(cable)), settings_(settings), dsr_(lineTime(kMachineAnswerMs)),
      cts_(lineTime(kMachineAnswerMs)),
      input_(kMachineBufferSize, bytesPerSecond(settings.workBaud, cable_->clockSpeed)) {
    {
        const std::lock_guard lock(cable_->mutex);
        cable_->keepHistory = false;
        cable_->consumptionBaud = kAtLineRate;
        cable_->inputLimit = kMachineWireFifo;
        cable_->onArrival = [this](unsigned char byte, LineClock::time_point when) {
            arrived(byte, when);
        };
    }
    thread_ = std::jthread([this](const std::stop_token& stop) { run(stop); });
}

VirtualMachine::~VirtualMachine() {
    thread_.request_stop();
    {
        // Under the mutex, so the stop cannot slip in between the thread's
        // look at it and its wait.
        const std::lock_guard lock(cable_->mutex);
        cable_->changed.notify_all();
        stopped_.notify_all();
    }
    thread_.join();
    const std::lock_guard lock(cable_->mutex);
    cable_->onArrival = nullptr;
}

void VirtualMachine::setReport(Report report) {
    const std::lock_guard lock(reportMutex_);
    report_ = std::move(report);
}

void VirtualMachine::setEndCharacter(unsigned char endCharacter) {
    const std::lock_guard lock(cable_->mutex);
    settings_.endCharacter = endCharacter;
}

void VirtualMachine::setWorkBaud(std::int32_t workBaud) {
    const std::lock_guard lock(cable_->mutex);
    settings_.workBaud = workBaud;
}

std::optional<std::string> VirtualMachine::storedProgram() const {
    const std::lock_guard lock(cable_->mutex);
    return stored_;
}

void VirtualMachine::run(const std::stop_token& stop) {
    std::unique_lock lock(cable_->mutex);
    while (!stop.stop_requested()) {
        const auto now = LineClock::now();
        auto until = step(now);
        if (!reports_.empty()) {
            flushReports(lock);
            continue;
        }
        if (!inRuns()) {
            cable_->waitForChange(lock, until);
            continue;
        }
        // Every byte would notify the cable: wait out the run instead.
        const auto runEnd = now + lineTime(kMachineRunMs);
        stopped_.wait_until(lock, until ? std::min(*until, runEnd) : runEnd);
    }
}

bool VirtualMachine::inRuns() const {
    return reception_ == Reception::Receiving || std::holds_alternative<Punching>(punch_);
}

void VirtualMachine::flushReports(std::unique_lock<std::mutex>& lock) {
    std::vector<std::string> lines;
    lines.swap(reports_);
    lock.unlock();
    {
        const std::lock_guard reportLock(reportMutex_);
        if (report_) {
            for (const std::string& line : lines) {
                report_(line);
            }
        }
    }
    lock.lock();
}

std::optional<LineClock::time_point> VirtualMachine::step(LineClock::time_point now) {
    cable_->settle(now);
    followSession(now);
    followLines(now);
    resumeIfWorkedOff(now);
    if (reception_ == Reception::Receiving && !cable_->nearOpen() && cable_->inFlight.empty()) {
        concludeReception(settings_.endCharacter == 0);
    }
    askForPunch(now);
    punchDue(now);
    return nextDeadline();
}

void VirtualMachine::arrived(unsigned char byte, LineClock::time_point when) {
    followSession(when);
    if (handshakeIs(Handshake::XonXoff) && (byte == kDefaultXon || byte == kDefaultXoff)) {
        heldByOurSide_ = byte == kDefaultXoff;
        return;
    }
    receiveData(byte, when);
}

void VirtualMachine::followSession(LineClock::time_point now) {
    if (cable_->id == sessionId_) {
        return;
    }
    if (std::holds_alternative<Punching>(punch_)) {
        reports_.emplace_back(machine_text::kPunchBroken);
        punch_ = PunchOver{};
    }
    sessionId_ = cable_->id;
    if (sessionId_ != 0) {
        beginSession(now);
    }
}

void VirtualMachine::beginSession(LineClock::time_point now) {
    if (reception_ == Reception::Receiving) {
        concludeReception(settings_.endCharacter == 0);
    }
    line_ = cable_->settings;
    input_.reset(now, bytesPerSecond(settings_.workBaud, cable_->clockSpeed));
    holding_ = false;
    reception_ = Reception::Waiting;
    heldByOurSide_ = false;
    punch_ = PunchIdle{};
}

void VirtualMachine::followLines(LineClock::time_point now) {
    cable_->setFarLine(cable_->dsr, LineEvent::Kind::Dsr, dsr_.follow(cable_->dtr, now));
    rtsSeen_ = cts_.follow(cable_->rts, now);
    applyCts();
}

void VirtualMachine::applyCts() {
    const bool busy = holding_ && handshakeIs(Handshake::RtsCts);
    cable_->setFarLine(cable_->cts, LineEvent::Kind::Cts, rtsSeen_ && !busy);
}

void VirtualMachine::receiveData(unsigned char byte, LineClock::time_point when) {
    if (reception_ == Reception::Complete) {
        return;
    }
    reception_ = Reception::Receiving;
    if (!input_.accept(when)) {
        if (++lost_ == 1) {
            reports_.emplace_back(machine_text::kOverflowAlarm);
        }
        return;
    }
    holdIfFull(when);
    if (settings_.endCharacter != 0 && byte == settings_.endCharacter) {
        concludeReception(true);
        return;
    }
    incoming_.push_back(static_cast<char>(byte));
}

void VirtualMachine::holdIfFull(LineClock::time_point when) {
    const bool flow = handshakeIs(Handshake::XonXoff) || handshakeIs(Handshake::RtsCts);
    if (!flow || holding_ ||
        std::ceil(input_.level(when)) < static_cast<double>(kMachineHoldLevel)) {
        return;
    }
    holding_ = true;
    if (handshakeIs(Handshake::XonXoff)) {
        cable_->sendFromFarEnd(kDefaultXoff);
    }
    applyCts();
}

void VirtualMachine::resumeIfWorkedOff(LineClock::time_point now) {
    if (!holding_ || input_.level(now) > static_cast<double>(kMachineResumeLevel)) {
        return;
    }
    holding_ = false;
    if (handshakeIs(Handshake::XonXoff)) {
        cable_->sendFromFarEnd(kDefaultXon);
    }
    applyCts();
}

void VirtualMachine::concludeReception(bool complete) {
    if (complete) {
        stored_ = keptProgram(incoming_);
        reports_.push_back(machine_text::stored(programName(*stored_), stored_->size(), lost_));
    } else {
        reports_.emplace_back(machine_text::kReceptionBroken);
    }
    incoming_.clear();
    lost_ = 0;
    reception_ = complete ? Reception::Complete : Reception::Waiting;
}

void VirtualMachine::askForPunch(LineClock::time_point now) {
    // Our side opened the port and reads without having sent anything: the
    // operator walks to the control and presses punch.
    if (!cable_->nearOpen() || !cable_->nearReading || reception_ != Reception::Waiting) {
        return;
    }
    if (std::holds_alternative<PunchIdle>(punch_)) {
        punch_ = PunchAsked{now + lineTime(kMachinePunchDelayMs)};
    }
    if (const auto* asked = std::get_if<PunchAsked>(&punch_); asked && now >= asked->at) {
        startPunch(now);
    }
}

void VirtualMachine::startPunch(LineClock::time_point now) {
    const std::string_view program = stored_ ? std::string_view(*stored_) : sampleProgram();
    reports_.push_back(machine_text::punching(programName(program), program.size(), !stored_));
    punch_ = Punching{punchImage(program, settings_.endCharacter), 0, now};
}

// Sends every character whose time has come, as long as our side lets it.
void VirtualMachine::punchDue(LineClock::time_point now) {
    auto* punch = std::get_if<Punching>(&punch_);
    if (punch == nullptr) {
        return;
    }
    if (!outputAllowed()) {
        punch->nextAt = std::max(punch->nextAt, now);
        return;
    }
    const auto character = characterTime();
    punch->nextAt = std::max(punch->nextAt, now - kPunchCatchUpRuns * lineTime(kMachineRunMs));
    while (punch->sent < punch->image.size() && now >= punch->nextAt && outputAllowed()) {
        cable_->sendFromFarEnd(static_cast<unsigned char>(punch->image[punch->sent]));
        ++punch->sent;
        punch->nextAt += character;
    }
    if (punch->sent == punch->image.size()) {
        reports_.emplace_back(machine_text::kPunchDone);
        punch_ = PunchOver{};
    }
}

bool VirtualMachine::outputAllowed() const {
    if (handshakeIs(Handshake::XonXoff)) {
        return !heldByOurSide_;
    }
    if (handshakeIs(Handshake::RtsCts)) {
        return cable_->rts;
    }
    return true;
}

LineClock::duration VirtualMachine::lineTime(std::uint64_t milliseconds) const {
    return lineDuration(milliseconds, cable_->clockSpeed);
}

LineClock::duration VirtualMachine::characterTime() const {
    return drovane::characterTime(line_, line_.baudRate, cable_->clockSpeed);
}

std::optional<LineClock::time_point> VirtualMachine::nextDeadline() const {
    std::optional<LineClock::time_point> until;
    earliest(until, dsr_.nextChange());
    earliest(until, cts_.nextChange());
    if (holding_) {
        earliest(until, input_.fallsTo(static_cast<double>(kMachineResumeLevel)));
    }
    if (const auto* asked = std::get_if<PunchAsked>(&punch_)) {
        earliest(until, asked->at);
    }
    if (const auto* punch = std::get_if<Punching>(&punch_); punch && outputAllowed()) {
        // A run of characters at once.
        earliest(until, punch->nextAt + lineTime(kMachineRunMs));
    }
    return until;
}

} // namespace drovane
