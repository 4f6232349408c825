#pragma once

// One served machine on its own thread: its line held open and listening,
// each reception stored or answered as a request, the port taken again with
// a growing pause when it is missing. A machine's faults stay with it.

#include "machine/port_selecting_line.h"
#include "service/held_line.h"
#include "service/journal.h"
#include "service/machine_state.h"
#include "service/service_check.h"
#include "service/service_console.h"
#include "service/service_log.h"
#include "transfer/job_context.h"
#include "transfer/settings_snapshot.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace drovane {

struct ServerPlace {
    ServiceLog& log;
    Journal& journal;
    // drovane.ini's "Pattern".
    std::string pattern;
};

class MachineServer {
public:
    MachineServer(PlannedMachine plan, ServerPlace place);
    ~MachineServer();
    MachineServer(const MachineServer&) = delete;
    MachineServer& operator=(const MachineServer&) = delete;
    MachineServer(MachineServer&&) = delete;
    MachineServer& operator=(MachineServer&&) = delete;

    // No new transfer; the running one is aborted, a reception kept as cut
    // short. Returns at once; the destructor waits.
    void stop();
    // Ends the server once no transfer runs, for new settings.
    void stopWhenIdle();
    bool ended() const { return ended_.load(); }

    // The board's actions. A send is taken only while the line waits with
    // nothing come yet: the listening reception ends and the send runs in its
    // place. An abort ends a running reception or send.
    bool sendFromBoard(std::filesystem::path file);
    bool abortTransfer();

    const PlannedMachine& plan() const { return plan_; }
    // UTF-8.
    const std::string& name() const { return name_; }
    const std::string& portName() const { return portName_; }
    // Characters per second the line carries.
    std::int64_t lineRate() const { return lineRate_; }
    MachineSnapshot snapshot() const { return state_.snapshot(); }

private:
    void serve();
    bool ensureOpen();
    void receiveOnce();
    void storeProgram(const std::string& text, std::chrono::system_clock::time_point at);
    void storeCutShort(const std::string& text, std::chrono::system_clock::time_point at);
    void answer(const std::string& name);
    void sendBoardFile();
    // Ends a board's abort, never a stop.
    void clearAbort();
    // The journal's result of the send.
    std::string send(const std::string& text, const std::string& fileName);
    void journal(std::string kind, std::string file, std::string_view bytes, std::string result,
                 std::string detail, std::chrono::steady_clock::time_point start);
    void log(std::string_view line) { console_.appendLine(line); }

    PlannedMachine plan_;
    ServerPlace place_;
    std::string name_; // UTF-8
    std::string extension_;
    std::string portName_;
    std::int64_t lineRate_ = 0;
    SettingsSnapshot controls_;
    MachineState state_;
    ServiceConsole console_;
    PortSelectingLine port_;
    HeldLine line_{port_};
    AbortRequest abort_;
    TransferLock lock_;
    LiveControls live_;
    JobContext context_;
    std::mutex boardMutex_;
    std::optional<std::filesystem::path> boardSend_;
    std::chrono::seconds pause_{1};
    bool portMissing_ = false;
    std::atomic<bool> stopping_ = false;
    std::atomic<bool> idleStop_ = false;
    std::atomic<bool> busy_ = false;
    std::atomic<bool> ended_ = false;
    std::jthread thread_;
};

// The extension of a file pattern, without its dot ("nc" for "*.nc"); empty
// when it has none or a wildcard in it.
std::string patternExtension(std::string_view pattern);

} // namespace drovane
