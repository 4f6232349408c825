#include "service/machine_server.h"

#include "core/text.h"
#include "programs/program_file.h"
#include "service/program_naming.h"
#include "service/reception_store.h"
#include "service/request_answer.h"
#include "service/run_messages.h"
#include "transfer/abort_watch.h"
#include "transfer/job_messages.h"
#include "transfer/job_settings.h"
#include "transfer/receive_job.h"
#include "transfer/send_job.h"
#include "transfer/sentence.h"
#include "window/profile_snapshot.h"
#include "window/utf8_path.h"

#include <algorithm>
#include <utility>

namespace drovane {
namespace {

namespace sm = run_messages;
using std::chrono::steady_clock;

constexpr std::chrono::seconds kLongestPause{30};

// The reception's side of the save: the service decides after the job.
class KeptReception final : public ReceiveTarget {
public:
    OverwriteDecision checkSaveTarget() override { return OverwriteDecision::NoFileOrEmptyName; }
    void saveProgram(std::string_view programText, OverwriteDecision /*decision*/) override {
        text_ = programText;
        complete_ = true;
    }
    bool complete() const { return complete_; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
    bool complete_ = false;
};

LiveTexts liveTexts(const SettingsSnapshot& snapshot) {
    LiveTexts texts;
    texts.endCharField = snapshot.endCharField;
    texts.dtrDsrCheck = snapshot.dtrDsrCheck;
    texts.receiveControlFilterCombo = snapshot.receiveControlFilterCombo;
    return texts;
}

std::string utf8Name(const std::filesystem::path& path) {
    return utf8FromPath(path);
}

} // namespace

std::string patternExtension(std::string_view pattern) {
    const std::size_t dot = pattern.rfind('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    const std::string_view extension = pattern.substr(dot + 1);
    if (extension.find_first_of("*?") != std::string_view::npos) {
        return {};
    }
    return std::string(extension);
}

MachineServer::MachineServer(PlannedMachine plan, ServerPlace place)
    : plan_(std::move(plan)), place_(std::move(place)),
      name_(utf8FromWindows1252(plan_.machine.name)), extension_(patternExtension(place_.pattern)),
      controls_(snapshotFromProfile(plan_.profile, {})), console_(place_.log, name_, state_),
      live_(liveTexts(controls_)), context_{line_,
                                            console_,
                                            abort_,
                                            lock_,
                                            live_,
                                            JobTiming{.retryDelay = std::chrono::milliseconds(1000),
                                                      .quietEnd = plan_.machine.quietTime}} {
    const SerialSettings line = serialSettingsFrom(controls_);
    portName_ = utf8FromWindows1252(controls_.portCombo);
    const double bitsPerCharacter = 1 + line.dataBits + (line.parity != 0 ? 1 : 0) + line.stopBits;
    lineRate_ = static_cast<std::int64_t>(line.baudRate / bitsPerCharacter);
    thread_ = std::jthread([this] { serve(); });
}

MachineServer::~MachineServer() {
    stop();
}

void MachineServer::stop() {
    stopping_ = true;
    abort_.raise(AbortRequest::Shutdown);
}

void MachineServer::stopWhenIdle() {
    idleStop_ = true;
    if (!busy_) {
        stop();
    }
}

void MachineServer::serve() {
    while (!stopping_) {
        if (ensureOpen()) {
            receiveOnce();
        }
        sendBoardFile();
        clearAbort();
        if (idleStop_) {
            stopping_ = true;
        }
    }
    line_.release();
    state_.enter(MachineActivity::Off);
    ended_ = true;
}

bool MachineServer::sendFromBoard(std::filesystem::path file) {
    {
        const std::scoped_lock lock(boardMutex_);
        if (stopping_ || busy_ || boardSend_ || console_.bytesCame() ||
            state_.snapshot().activity != MachineActivity::Waiting) {
            return false;
        }
        boardSend_ = std::move(file);
    }
    abort_.raise(AbortRequest::Abort);
    return true;
}

bool MachineServer::abortTransfer() {
    const MachineActivity activity = state_.snapshot().activity;
    if (activity != MachineActivity::Receiving && activity != MachineActivity::Sending) {
        return false;
    }
    abort_.raise(AbortRequest::Abort);
    return true;
}

void MachineServer::clearAbort() {
    if (stopping_) {
        return;
    }
    abort_.clear();
    // A stop that came between the look and the clear.
    if (stopping_) {
        abort_.raise(AbortRequest::Shutdown);
    }
}

void MachineServer::sendBoardFile() {
    std::optional<std::filesystem::path> file;
    {
        const std::scoped_lock lock(boardMutex_);
        file = std::exchange(boardSend_, std::nullopt);
    }
    if (!file || stopping_) {
        return;
    }
    clearAbort();
    busy_ = true;
    const auto start = steady_clock::now();
    const std::string shown = utf8Name(*file);
    log(fill(sm::kBoardSend, shown));
    if (auto program = readProgramFile(*file)) {
        const std::string result = send(*program, windows1252FromUtf8(filePart(shown)));
        journal("gesendet", shown, *program, result,
                result == "gesendet" ? "" : console_.lastLine(), start);
    } else {
        log(fill(sm::kSendUnreadable, shown));
        journal("gesendet", shown, {}, "Fehler", console_.lastLine(), start);
    }
    busy_ = false;
}

bool MachineServer::ensureOpen() {
    if (line_.held() && !line_.dead()) {
        return true;
    }
    line_.release();
    const std::string port = utf8FromWindows1252(controls_.portCombo);
    if (line_.hold(serialSettingsFrom(controls_)) != 0) {
        if (portMissing_) {
            log(fill(sm::kPortBack, port));
        }
        portMissing_ = false;
        pause_ = std::chrono::seconds(1);
        return true;
    }
    // Another service (or the window) serves it: two never serve one port.
    if (line_.lastOpenFailure() == OpenFailure::InUse) {
        log(fill(sm::kLeftOut, port));
        stopping_ = true;
        return false;
    }
    if (!portMissing_) {
        portMissing_ = true;
        log(fill(sm::kPortMissing, port));
        if (const std::string_view reason = openFailureLine(line_.lastOpenFailure());
            !reason.empty()) {
            log(reason);
        }
        state_.enter(MachineActivity::PortMissing);
    }
    abort_.waitFor(pause_);
    pause_ = std::min(pause_ * 2, kLongestPause);
    return false;
}

void MachineServer::receiveOnce() {
    state_.enter(MachineActivity::Waiting);
    console_.startJob();
    KeptReception reception;
    {
        const AbortWatch watch(line_, abort_);
        ReceiveJob(context_, controls_, reception).run();
    }
    busy_ = true;
    const auto receivedAt = std::chrono::system_clock::now();
    if (!reception.complete()) {
        if (const std::string text = console_.takeProgramText(); !text.empty()) {
            storeCutShort(text, receivedAt);
        }
    } else if (const auto name = requestedProgram(reception.text())) {
        answer(*name);
    } else if (!reception.text().empty()) {
        storeProgram(reception.text(), receivedAt);
    }
    busy_ = false;
}

void MachineServer::storeProgram(const std::string& text,
                                 std::chrono::system_clock::time_point at) {
    const auto start = state_.snapshot().steadySince;
    if (plan_.machine.receiveFolder.empty()) {
        log(fill(sm::kNoReceiveFolder, static_cast<std::int64_t>(text.size())));
        return;
    }
    const StoredReception stored =
        storeReception(plan_.machine.receiveFolder, Reception{.text = text,
                                                              .machine = plan_.machine.name,
                                                              .extension = extension_,
                                                              .receivedAt = at,
                                                              .complete = true});
    const std::string file = utf8Name(stored.file);
    const bool lineErrors = console_.logged(messages::kSucceededWithLineErrors);
    std::string result = stored.result;
    std::string detail = stored.detail;
    if (result == "gespeichert") {
        log(fill(sm::kSaved, file));
        if (lineErrors) {
            result = "Leitungsfehler";
            detail = messages::kSucceededWithLineErrors;
        }
    } else if (result == "unverändert") {
        log(fill(sm::kUnchanged, file));
    } else {
        log(fill(sm::kNotSaved, detail));
    }
    journal("empfangen", file, text, result, detail, start);
}

void MachineServer::storeCutShort(const std::string& text,
                                  std::chrono::system_clock::time_point at) {
    const auto start = state_.snapshot().steadySince;
    const std::string why = stopping_ || abort_.raised() ? "abgebrochen" : "Leitungsfehler";
    const std::string lastLine = console_.lastLine();
    if (plan_.machine.receiveFolder.empty()) {
        log(fill(sm::kNoReceiveFolder, static_cast<std::int64_t>(text.size())));
        return;
    }
    const StoredReception stored =
        storeReception(plan_.machine.receiveFolder, Reception{.text = text,
                                                              .machine = plan_.machine.name,
                                                              .extension = extension_,
                                                              .receivedAt = at,
                                                              .complete = false});
    const std::string file = utf8Name(stored.file);
    if (stored.result == "gespeichert") {
        log(fill(sm::kIncompleteSaved, file));
        journal("unvollstaendig", file, text, why, lastLine, start);
    } else {
        log(fill(sm::kNotSaved, stored.detail));
        journal("unvollstaendig", file, text, stored.result, stored.detail, start);
    }
}

void MachineServer::answer(const std::string& name) {
    const auto start = steady_clock::now();
    const std::string shownName = utf8FromWindows1252(name);
    log(fill(sm::kRequest, shownName));
    const RequestAnswer found = answerRequest(name, plan_.machine, place_.pattern);
    std::string text = found.text;
    std::string file = shownName;
    if (found.outcome == RequestOutcome::SendFile) {
        file = utf8Name(found.file);
        auto program = readProgramFile(found.file);
        if (!program) {
            log(fill(sm::kSendUnreadable, file));
            journal("anfrage", shownName, {}, "Fehler", console_.lastLine(), start);
            return;
        }
        text = std::move(*program);
    } else if (found.outcome == RequestOutcome::NotFound ||
               found.outcome == RequestOutcome::Refused) {
        log(fill(sm::kRequestNotServed, found.result));
        journal("anfrage", shownName, {}, found.result, {}, start);
        if (text.empty()) {
            return;
        }
    }
    if (abort_.waitFor(plan_.machine.requestDelay)) {
        journal("gesendet", file, {}, "abgebrochen", {}, start);
        return;
    }
    const auto sendStart = steady_clock::now();
    const std::string result = send(text, windows1252FromUtf8(filePart(file)));
    if (found.outcome == RequestOutcome::SendFile || found.outcome == RequestOutcome::SendText) {
        journal("gesendet", file, text, result, result == "gesendet" ? "" : console_.lastLine(),
                sendStart);
    }
}

std::string MachineServer::send(const std::string& text, const std::string& fileName) {
    console_.startJob();
    state_.enter(MachineActivity::Sending, utf8FromWindows1252(fileName));
    console_.startSend(static_cast<std::int64_t>(text.size()));
    SendJob job(context_, snapshotFromProfile(plan_.profile, fileName), text);
    job.run();
    if (console_.lastLine() == fill(messages::kSent, job.bytesSent())) {
        return "gesendet";
    }
    return line_.dead() ? "Leitungsfehler" : "abgebrochen";
}

void MachineServer::journal(std::string kind, std::string file, std::string_view bytes,
                            std::string result, std::string detail,
                            std::chrono::steady_clock::time_point start) {
    const JournalEntry entry{
        .time = std::chrono::system_clock::now(),
        .machine = name_,
        .port = utf8FromWindows1252(controls_.portCombo),
        .kind = std::move(kind),
        .file = std::move(file),
        .bytes = bytes.size(),
        .crc32 = crc32Of(bytes),
        .seconds = std::chrono::duration<double>(steady_clock::now() - start).count(),
        .result = std::move(result),
        .detail = std::move(detail),
    };
    if (!place_.journal.append(entry)) {
        log(fill(sm::kJournalFailed, utf8Name(place_.journal.file())));
    }
}

} // namespace drovane
