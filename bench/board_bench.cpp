// The board's cost with 64 machines on pseudo-terminals, all punching at line
// rate (11,520 bytes/s each): the service's CPU without a board and with the
// page's event stream open, the delay from a state change to the event that
// shows it, and the weight of the page. A plain program: what it measures is
// another process.
//   bench_board [seconds of receiving]

#include "dnc_rig.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace drovane::bench;

constexpr int kPort = 18480;

drovane::UniqueFd connectBoard() {
    drovane::UniqueFd socket(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    return socket;
}

std::string get(const std::string& target) {
    const drovane::UniqueFd socket = connectBoard();
    const std::string request =
        "GET " + target + " HTTP/1.1\r\nHost: b\r\nConnection: close\r\n\r\n";
    static_cast<void>(::write(socket.get(), request.data(), request.size()));
    std::string answer;
    std::array<char, 65536> chunk{};
    for (ssize_t got; (got = ::read(socket.get(), chunk.data(), chunk.size())) > 0;) {
        answer.append(chunk.data(), static_cast<std::size_t>(got));
    }
    return answer.substr(answer.find("\r\n\r\n") + 4);
}

// The page's event stream, and M1's state as the last event showed it.
class EventReader {
public:
    EventReader() : socket_(connectBoard()) {
        const std::string request = "GET /events HTTP/1.1\r\nHost: b\r\n\r\n";
        static_cast<void>(::write(socket_.get(), request.data(), request.size()));
        thread_ = std::jthread([this](const std::stop_token& stop) { read(stop); });
    }
    ~EventReader() { ::shutdown(socket_.get(), SHUT_RDWR); }
    std::string state() {
        const std::scoped_lock lock(mutex_);
        return state_;
    }

private:
    void read(const std::stop_token& stop) {
        std::string text;
        std::array<char, 65536> chunk{};
        while (!stop.stop_requested()) {
            const ssize_t got = ::read(socket_.get(), chunk.data(), chunk.size());
            if (got <= 0) {
                return;
            }
            text.append(chunk.data(), static_cast<std::size_t>(got));
            const std::size_t name = text.rfind("\"name\":\"M1\",");
            const std::size_t state = text.find("\"state\":\"", name);
            if (name != std::string::npos && state != std::string::npos) {
                const std::size_t start = state + 9;
                const std::size_t end = text.find('"', start);
                if (end != std::string::npos) {
                    const std::scoped_lock lock(mutex_);
                    state_ = text.substr(start, end - start);
                    text.erase(0, end);
                }
            }
        }
    }

    drovane::UniqueFd socket_;
    std::mutex mutex_;
    std::string state_;
    std::jthread thread_;
};

struct Run {
    double receiveShare = 0;
    std::vector<double> delays;
    std::size_t pageBytes = 0;
};

Run measure(const fs::path& folder, bool board, int seconds) {
    std::vector<Pty> ptys(kMachines);
    writeSettings(folder, ptys,
                  "Anzeige = " + (board ? "127.0.0.1:" + std::to_string(kPort) : "") +
                      "\r\nJournal = " + (folder / "journal.jsonl").string() + "\r\n",
                  "Ruhezeit = 0\r\n");
    const pid_t pid = startService(folder);
    waitFor([&] { return contentOf(folder / "dnc.log").find("ffnet (64)") != std::string::npos; },
            std::chrono::seconds(30), std::chrono::milliseconds(2));
    std::this_thread::sleep_for(std::chrono::seconds(1));
    Run run;
    std::optional<EventReader> page;
    if (board) {
        page.emplace();
    }
    const std::string punch = program(static_cast<std::size_t>(11520) * seconds);
    const double cpuBefore = cpuSeconds(pid);
    const auto start = Clock::now();
    punchAtLineRate(ptys, punch);
    run.receiveShare = 100.0 * (cpuSeconds(pid) - cpuBefore) /
                       std::chrono::duration<double>(Clock::now() - start).count();
    for (const Pty& pty : ptys) {
        static_cast<void>(::write(pty.master.get(), "\x04", 1));
    }
    std::this_thread::sleep_for(std::chrono::seconds(2));
    if (board) {
        for (int round = 0; round < 10; ++round) {
            waitFor([&] { return page->state() == "wartet"; }, std::chrono::seconds(10));
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            const auto changed = Clock::now();
            static_cast<void>(::write(ptys[0].master.get(), "%\r\nO1\r\n", 7));
            waitFor([&] { return page->state() == "empf\xC3\xA4ngt"; }, std::chrono::seconds(10));
            run.delays.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - changed).count());
            static_cast<void>(::write(ptys[0].master.get(), "M30\r\n%\r\n\x04", 10));
        }
        run.pageBytes = get("/").size();
    }
    page.reset();
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path folder = fs::temp_directory_path() / ("boardbench" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const Run without = measure(folder / "without", false, seconds);
    const Run with = measure(folder / "with", true, seconds);
    std::vector<double> delays = with.delays;
    std::ranges::sort(delays);
    std::printf("machines %d, %d s all receiving at 11520 bytes/s each\n", kMachines, seconds);
    std::printf("CPU without board        %.2f %% of one core\n", without.receiveShare);
    std::printf("CPU with the page open   %.2f %% of one core (%+.2f)\n", with.receiveShare,
                with.receiveShare - without.receiveShare);
    if (!delays.empty()) {
        std::printf("state change to page     min %.0f ms, median %.0f ms, max %.0f ms\n",
                    delays.front(), delays[delays.size() / 2], delays.back());
    }
    std::printf("page weight              %zu bytes (64 machines, %d journal rows)\n",
                with.pageBytes, kMachines + 10);
    fs::remove_all(folder);
    return 0;
}
