// The board over real HTTP on the loopback: the JSON interface, the refusals
// of its actions, the escaping of what it shows and its live events.

#include "service/board_server.h"
#include "service/board_settings.h"

#include <gtest/gtest.h>

#include <utility>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <unistd.h>
#include <vector>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;
namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = net::ip::tcp;

constexpr std::string_view kKey = "geheim-42";
constexpr std::string_view kHtmlName = "<b>M&2</b>";

class FakeSource final : public BoardSource {
public:
    explicit FakeSource(const fs::path& sendFolder) {
        for (const std::string_view name : {std::string_view("M1"), kHtmlName}) {
            ServedMachine machine;
            machine.name = name;
            machine.sendFolder = sendFolder;
            served_.push_back(machine);
        }
    }
    std::vector<BoardMachine> machines() const override {
        std::vector<BoardMachine> list;
        for (const ServedMachine& machine : served_) {
            BoardMachine shown{machine.name, "/dev/ttyS0", 11520, {}};
            shown.snapshot.activity = MachineActivity::Waiting;
            list.push_back(std::move(shown));
        }
        return list;
    }
    std::optional<ServedMachine> servedMachine(std::string_view name) const override {
        for (const ServedMachine& machine : served_) {
            if (machine.name == name) {
                return machine;
            }
        }
        return std::nullopt;
    }
    std::string pattern() const override { return "*.nc"; }
    BoardActionResult send(std::string_view name, const fs::path& file) override {
        const std::scoped_lock lock(mutex_);
        sent.emplace_back(name, file);
        return BoardActionResult::Started;
    }
    BoardActionResult abort(std::string_view /*name*/) override {
        return BoardActionResult::NothingRuns;
    }

    std::mutex mutex_;
    std::vector<std::pair<std::string, fs::path>> sent;

private:
    std::vector<ServedMachine> served_;
};

JournalEntry saved(std::string machine, std::string file) {
    JournalEntry entry;
    entry.machine = std::move(machine);
    entry.file = std::move(file);
    entry.result = "gespeichert";
    return entry;
}

struct Answer {
    int status = 0;
    std::string body;
};

class BoardHttp : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("board-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "out");
        std::ofstream(folder_ / "out" / "O1234.nc", std::ios::binary)
            << "%\r\nO1234\r\nM30\r\n%\r\n";
        std::ofstream(folder_ / "secret.nc", std::ios::binary) << "secret";
        source_.emplace(folder_ / "out");
        journal_.emplace(folder_ / "journal.jsonl");
        for (const std::string_view machine : {"M1", "M1", "other"}) {
            journal_->append(saved(std::string(machine), "<i>O1.nc</i>"));
        }
    }
    void TearDown() override {
        board_.reset();
        journal_.reset();
        fs::remove_all(folder_);
    }
    void start(std::string key, std::string host = "127.0.0.1") {
        auto started =
            BoardServer::start({std::move(host), 0, std::move(key)}, *source_, *journal_);
        ASSERT_TRUE(started.server) << started.fault;
        board_ = std::move(started.server);
    }

    Answer ask(http::verb method, const std::string& target, const std::string& body = {},
               std::optional<std::string> key = std::nullopt) {
        net::io_context context;
        beast::tcp_stream stream(context);
        stream.connect(tcp::endpoint(net::ip::make_address("127.0.0.1"), board_->port()));
        http::request<http::string_body> request{method, target, 11};
        request.set(http::field::host, "127.0.0.1");
        if (key) {
            request.set(http::field::authorization, "Bearer " + *key);
        }
        request.body() = body;
        request.prepare_payload();
        http::write(stream, request);
        beast::flat_buffer buffer;
        http::response<http::string_body> response;
        http::read(stream, buffer, response);
        return {static_cast<int>(response.result_int()), response.body()};
    }
    Answer send(const std::string& machine, const std::string& file,
                std::optional<std::string> key) {
        return ask(http::verb::post, "/api/machines/" + machine + "/send",
                   "{\"file\": \"" + file + "\"}", std::move(key));
    }

    fs::path folder_;
    std::optional<FakeSource> source_;
    std::optional<Journal> journal_;
    std::unique_ptr<BoardServer> board_;
};

TEST_F(BoardHttp, MachinesAndAFilteredJournalComeAsJson) {
    start(std::string(kKey));
    const Answer machines = ask(http::verb::get, "/api/machines");
    EXPECT_EQ(machines.status, 200);
    EXPECT_NE(machines.body.find(R"("name":"M1")"), std::string::npos) << machines.body;
    EXPECT_NE(machines.body.find(R"("state":"wartet")"), std::string::npos);
    const Answer journal = ask(http::verb::get, "/api/journal?machine=M1&last=1");
    EXPECT_EQ(journal.status, 200);
    EXPECT_EQ(std::count(journal.body.begin(), journal.body.end(), '{'), 1) << journal.body;
    EXPECT_EQ(journal.body.find("other"), std::string::npos);
}

struct Refusal {
    std::string machine;
    std::string file;
    std::optional<std::string> key;
    int status;
};

TEST_F(BoardHttp, ASendIsRefusedWithoutTheKeyOrOutsideTheSendFolder) {
    start(std::string(kKey));
    const std::string key(kKey);
    const std::vector<Refusal> refusals = {
        {"M1", "1234", std::nullopt, 401},
        {"M1", "1234", "geheim-43", 403},
        {"M1", "1234", "geheim-4", 403},
        {"M1", "../secret.nc", key, 400},
        {"M1", "..", key, 400},
        {"M1", "4711", key, 404},
        {"M9", "1234", key, 404},
    };
    for (const Refusal& refusal : refusals) {
        EXPECT_EQ(send(refusal.machine, refusal.file, refusal.key).status, refusal.status)
            << refusal.machine << " " << refusal.file;
    }
    EXPECT_TRUE(source_->sent.empty());
    EXPECT_EQ(send("M1", "1234", key).status, 202);
    ASSERT_EQ(source_->sent.size(), 1U);
    EXPECT_EQ(source_->sent.front().second, folder_ / "out" / "O1234.nc");
}

TEST_F(BoardHttp, WithoutAKeyTheBoardOnlyShows) {
    start({});
    EXPECT_EQ(send("M1", "1234", std::string(kKey)).status, 403);
    EXPECT_EQ(ask(http::verb::post, "/api/machines/M1/abort").status, 403);
    EXPECT_TRUE(source_->sent.empty());
    EXPECT_EQ(ask(http::verb::get, "/").body.find("Senden"), std::string::npos);
}

TEST_F(BoardHttp, ABoardOthersReachIsRefusedWithoutAKey) {
    const auto started = BoardServer::start({"0.0.0.0", 0, {}}, *source_, *journal_);
    EXPECT_FALSE(started.server);
    EXPECT_NE(started.fault.find("Anzeige_Schluessel"), std::string::npos) << started.fault;
}

TEST_F(BoardHttp, NamesAndFilesOnThePageAreEscaped) {
    start(std::string(kKey));
    const Answer page = ask(http::verb::get, "/");
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.body.find("&lt;b&gt;M&amp;2&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(page.body.find(kHtmlName), std::string::npos);
    EXPECT_NE(page.body.find("&lt;i&gt;O1.nc&lt;/i&gt;"), std::string::npos);
    EXPECT_EQ(page.body.find("<i>"), std::string::npos);
}

TEST_F(BoardHttp, AnOpenPageGetsTheMachinesAndEachNewJournalEntry) {
    start(std::string(kKey));
    net::io_context context;
    tcp::socket socket(context);
    socket.connect(tcp::endpoint(net::ip::make_address("127.0.0.1"), board_->port()));
    net::write(socket, net::buffer(std::string("GET /events HTTP/1.1\r\nHost: x\r\n\r\n")));
    std::string got;
    const auto readUntil = [&](std::string_view text) {
        while (got.find(text) == std::string::npos) {
            std::array<char, 4096> chunk{};
            got.append(chunk.data(), socket.read_some(net::buffer(chunk)));
        }
    };
    readUntil("event: machines");
    journal_->append(saved("M1", "O77.nc"));
    readUntil("O77.nc");
    EXPECT_NE(got.find("event: journal"), std::string::npos);
}

TEST(BoardAddress, OnlyHostAndPortAreTaken) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"127.0.0.1:8470", true}, {"[::1]:80", true}, {"localhost:1", true}, {"127.0.0.1", false},
        {":80", false},           {"h:65536", false}, {"h:8x", false},       {"h:", false}};
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(parseBoardAddress(text).has_value(), valid) << text;
    }
    EXPECT_EQ(parseBoardAddress("[::1]:80")->host, "::1");
}

} // namespace
} // namespace drovane::testing
