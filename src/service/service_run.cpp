#include "service/service_run.h"

#include "core/text.h"
#include "service/board_messages.h"
#include "service/board_server.h"
#include "service/board_settings.h"
#include "service/board_source.h"
#include "service/machine_server.h"
#include "service/run_messages.h"
#include "service/service_notify.h"
#include "service/service_signals.h"
#include "service/status_channel.h"
#include "service/status_text.h"
#include "transfer/sentence.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace drovane {
namespace {

namespace sm = run_messages;

constexpr std::chrono::milliseconds kTick(250);

class Service final : public BoardSource {
public:
    Service(const std::filesystem::path& settingsFile, const std::filesystem::path& serviceFile,
            std::ostream& out)
        : settingsFile_(settingsFile), serviceFile_(serviceFile), log_(out),
          plan_(planService(settingsFile, serviceFile)),
          journal_(plan_.journal), place_{log_, journal_, plan_.pattern} {
        logFaults(plan_);
    }

    bool anythingToServe() const { return !plan_.served.empty(); }
    void log(std::string_view line) { log_.line({}, line); }

    void start() {
        const std::scoped_lock lock(mutex_);
        for (const PlannedMachine& machine : plan_.served) {
            servers_.push_back(std::make_unique<MachineServer>(machine, place_));
        }
        log_.line({}, fill(sm::kServing, static_cast<std::int64_t>(servers_.size())));
    }

    // Settings of the board take effect at the next start, not at a reload.
    void startBoard() {
        const BoardSettingsRead read = readBoardSettings(serviceFile_);
        if (!read.fault.empty()) {
            log_.line({}, read.fault);
        }
        if (!read.board) {
            return;
        }
        BoardServer::Started started = BoardServer::start(*read.board, *this, journal_);
        if (!started.server) {
            log_.line({}, started.fault);
            return;
        }
        board_ = std::move(started.server);
        log_.line({}, fill(board_messages::kListening,
                           read.board->host + ":" + std::to_string(board_->port())));
    }

    std::vector<BoardMachine> machines() const override {
        std::vector<BoardMachine> machines;
        const std::scoped_lock lock(mutex_);
        machines.reserve(servers_.size());
        for (const auto& server : servers_) {
            machines.push_back(
                {server->name(), server->portName(), server->lineRate(), server->snapshot()});
        }
        return machines;
    }

    std::optional<ServedMachine> servedMachine(std::string_view name) const override {
        const std::scoped_lock lock(mutex_);
        if (const MachineServer* server = find(name)) {
            return server->plan().machine;
        }
        return std::nullopt;
    }

    std::string pattern() const override {
        const std::scoped_lock lock(mutex_);
        return place_.pattern;
    }

    BoardActionResult send(std::string_view name, const std::filesystem::path& file) override {
        const std::scoped_lock lock(mutex_);
        MachineServer* server = find(name);
        if (server == nullptr) {
            return BoardActionResult::UnknownMachine;
        }
        return server->sendFromBoard(file) ? BoardActionResult::Started : BoardActionResult::Busy;
    }

    BoardActionResult abort(std::string_view name) override {
        const std::scoped_lock lock(mutex_);
        MachineServer* server = find(name);
        if (server == nullptr) {
            return BoardActionResult::UnknownMachine;
        }
        return server->abortTransfer() ? BoardActionResult::Started
                                       : BoardActionResult::NothingRuns;
    }

    void reload() {
        log_.line({}, sm::kReloading);
        ServicePlan plan = planService(settingsFile_, serviceFile_);
        logFaults(plan);
        const bool patternChanged = plan.pattern != place_.pattern;
        const std::scoped_lock lock(mutex_);
        std::erase_if(servers_, [&](const std::unique_ptr<MachineServer>& server) {
            return std::ranges::none_of(plan.served, [&](const PlannedMachine& next) {
                return next.machine.name == server->plan().machine.name;
            });
        });
        for (const PlannedMachine& next : plan.served) {
            const auto running = std::ranges::find_if(servers_, [&](const auto& server) {
                return server->plan().machine.name == next.machine.name;
            });
            if (running == servers_.end()) {
                servers_.push_back(std::make_unique<MachineServer>(next, place_));
            } else if (patternChanged || !samePlan((*running)->plan(), next)) {
                (*running)->stopWhenIdle();
                restarts_.insert_or_assign(next.machine.name, next);
            }
        }
        place_.pattern = plan.pattern;
    }

    // Servers that stopped for new settings come back with them.
    void restartEnded() {
        const std::scoped_lock lock(mutex_);
        for (auto& server : servers_) {
            if (!server->ended()) {
                continue;
            }
            const auto next = restarts_.find(server->plan().machine.name);
            if (next != restarts_.end()) {
                log_.line(utf8FromWindows1252(next->first), sm::kRestarting);
                server = std::make_unique<MachineServer>(next->second, place_);
                restarts_.erase(next);
            }
        }
    }

    void stop() {
        log_.line({}, sm::kStopping);
        board_.reset();
        const std::scoped_lock lock(mutex_);
        for (const auto& server : servers_) {
            server->stop();
        }
        servers_.clear();
    }

    std::string status() {
        std::vector<MachineStatus> machines;
        {
            const std::scoped_lock lock(mutex_);
            for (const auto& server : servers_) {
                machines.push_back(
                    {utf8FromWindows1252(server->plan().machine.name), server->snapshot()});
            }
        }
        return statusText(machines, std::chrono::steady_clock::now());
    }

private:
    MachineServer* find(std::string_view name) const {
        const auto found = std::ranges::find_if(
            servers_, [&](const auto& server) { return server->name() == name; });
        return found == servers_.end() ? nullptr : found->get();
    }

    static bool samePlan(const PlannedMachine& a, const PlannedMachine& b) {
        return a.machine == b.machine && a.profile == b.profile;
    }

    void logFaults(const ServicePlan& plan) {
        for (const ServiceFault& fault : plan.faults) {
            log_.line(utf8FromWindows1252(fault.machine), fault.text);
        }
    }

    std::filesystem::path settingsFile_;
    std::filesystem::path serviceFile_;
    ServiceLog log_;
    ServicePlan plan_;
    Journal journal_;
    ServerPlace place_;
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<MachineServer>> servers_;
    std::map<std::string, PlannedMachine> restarts_;
    // Last: it goes first, while everything it shows is still there.
    std::unique_ptr<BoardServer> board_;
};

} // namespace

int runService(const std::filesystem::path& settingsFile, const std::filesystem::path& serviceFile,
               std::ostream& out) {
    const ServiceSignals signals;
    Service service(settingsFile, serviceFile, out);
    if (!service.anythingToServe()) {
        return 1;
    }
    service.start();
    service.startBoard();
    const auto channel = StatusChannel::listen([&service] { return service.status(); });
    if (!channel) {
        service.log(fill(sm::kNoStatusChannel, statusChannelName()));
    }
    notifyReady();
    const auto alive = aliveInterval();
    auto lastAlive = std::chrono::steady_clock::now();
    for (;;) {
        const ServiceSignal signal = signals.waitFor(alive ? std::min(*alive, kTick) : kTick);
        if (alive && std::chrono::steady_clock::now() - lastAlive >= *alive) {
            notifyAlive();
            lastAlive = std::chrono::steady_clock::now();
        }
        if (signal == ServiceSignal::Stop) {
            break;
        }
        if (signal == ServiceSignal::Reload) {
            service.reload();
        }
        service.restartEnded();
    }
    notifyStopping();
    service.stop();
    return 0;
}

} // namespace drovane
