// The board in a real browser: headless Chromium, driven over its debugging
// protocol, opens the page of a running drovane-dnc whose machines sit on
// pseudo-terminals, and sees and does what a foreman would.

#include "cli_child.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <utility>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/websocket.hpp>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace drovane::testing {
namespace {

namespace fs = std::filesystem;
namespace net = boost::asio;
namespace beast = boost::beast;
using tcp = net::ip::tcp;
using Json = nlohmann::json;

constexpr int kMachines = 3;
constexpr std::string_view kKey = "Werkstatt-7";

void put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool waitUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(milliseconds(50));
    }
    return true;
}

// One page of the browser, over the browser's own debugging socket.
class BrowserPage {
public:
    explicit BrowserPage(const std::string& webSocketUrl) {
        // ws://127.0.0.1:PORT/devtools/browser/ID
        const std::string rest = webSocketUrl.substr(5);
        const std::size_t slash = rest.find('/');
        const std::string host = rest.substr(0, slash);
        const std::size_t colon = host.find(':');
        socket_.next_layer().connect(
            tcp::endpoint(net::ip::make_address(host.substr(0, colon)),
                          static_cast<unsigned short>(std::stoi(host.substr(colon + 1)))));
        socket_.handshake(host, rest.substr(slash));
    }

    void open(const std::string& url) {
        const Json target = call("Target.createTarget", {{"url", url}});
        const Json attached = call("Target.attachToTarget",
                                   {{"targetId", target["result"]["targetId"]}, {"flatten", true}});
        session_ = attached["result"]["sessionId"];
    }
    // The value of a JavaScript expression in the page, as text.
    std::string evaluate(const std::string& expression) {
        const Json answer = call("Runtime.evaluate", {{"expression", "String(" + expression + ")"},
                                                      {"returnByValue", true}});
        return answer["result"]["result"].value("value", "");
    }
    bool waitFor(const std::string& expression, const std::string& wanted) {
        return waitUntil([&] { return evaluate(expression) == wanted; });
    }
    void close() { call("Browser.close", Json::object(), false); }

private:
    Json call(const std::string& method, const Json& params, bool inPage = true) {
        Json message = {{"id", ++lastId_}, {"method", method}, {"params", params}};
        if (inPage && !session_.empty()) {
            message["sessionId"] = session_;
        }
        socket_.write(net::buffer(message.dump()));
        for (;;) {
            beast::flat_buffer buffer;
            socket_.read(buffer);
            Json answer = Json::parse(beast::buffers_to_string(buffer.data()));
            if (answer.value("id", 0) == lastId_) {
                return answer;
            }
        }
    }

    net::io_context context_;
    beast::websocket::stream<tcp::socket> socket_{context_};
    std::string session_;
    int lastId_ = 0;
};

class BoardBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("brd" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "run");
        fs::create_directories(folder_ / "out");
        ::setenv("XDG_RUNTIME_DIR", (folder_ / "run").c_str(), 1);
        std::string settings = "Pattern = *.nc\r\n";
        std::string service = "Anzeige = 127.0.0.1:0\r\nAnzeige_Schluessel = " + std::string(kKey) +
                              "\r\nJournal = " + (folder_ / "journal.jsonl").string() + "\r\n";
        for (int machine = 1; machine <= kMachines; ++machine) {
            const std::string name = "M" + std::to_string(machine);
            peers_.push_back(std::make_unique<PtyPeer>());
            fs::create_directories(inbox(machine));
            settings += "[" + name +
                        "]\r\nBaudrate = 115200\r\nCOM-Nummer = " + peers_.back()->slavePath() +
                        "\r\nAnzahl_Hexzeichen_Vorlauf = 3\r\nAnzahl_Hexzeichen_Nachlauf = 2\r\n";
            service += "[" + name + "]\r\nEmpfangsordner = " + inbox(machine).string() +
                       "\r\nSendeordner = " + (folder_ / "out").string() +
                       "\r\nAnfrage_Verzoegerung = 0\r\nRuhezeit = 0\r\n";
        }
        put(folder_ / "drovane.ini", settings);
        put(folder_ / "drovane-dnc.ini", service);
        startService();
        startBrowser();
    }
    void TearDown() override {
        if (page_) {
            page_->close();
            browser_->wait();
        }
        page_.reset();
        browser_.reset();
        dnc_.reset();
        fs::remove_all(folder_);
    }

    void startService() {
        dnc_ = std::make_unique<CliChild>(
            DROVANE_DNC_PATH,
            std::vector<std::string>{"--settings", (folder_ / "drovane.ini").string(), "--service",
                                     (folder_ / "drovane-dnc.ini").string(), "run"});
        const std::string listening = "Anzeige unter ";
        ASSERT_TRUE(dnc_->waitForOutput(listening)) << dnc_->out();
        ASSERT_TRUE(dnc_->waitForOutput("M3: serielle")) << dnc_->out();
        const std::string out = dnc_->out();
        const std::size_t start = out.find(listening) + listening.size();
        url_ = out.substr(start, out.find('\n', start) - start);
    }
    void startBrowser() {
        browser_ = std::make_unique<CliChild>(
            "/usr/bin/chromium",
            std::vector<std::string>{"--headless=new", "--no-sandbox", "--disable-gpu",
                                     "--remote-debugging-port=0",
                                     "--user-data-dir=" + (folder_ / "browser").string(),
                                     "--window-size=1100,700", "about:blank"});
        const std::string listening = "DevTools listening on ";
        ASSERT_TRUE(waitUntil([&] { return browser_->err().find(listening) != std::string::npos; }))
            << browser_->err();
        const std::string err = browser_->err();
        const std::size_t start = err.find(listening) + listening.size();
        page_ = std::make_unique<BrowserPage>(err.substr(start, err.find('\n', start) - start));
        page_->open(url_);
        // The new page is about:blank until the board has come.
        ASSERT_TRUE(page_->waitFor(
            "document.readyState==='complete'&&!!document.getElementById('key')", "true"));
    }

    static std::string row(int machine, const std::string& cell) {
        return "document.querySelector('tr[data-name=\"M" + std::to_string(machine) + "\"] td." +
               cell + "').textContent";
    }
    // Clicks the row's send button with `key` in the key field.
    std::string sendThroughPage(int machine, const std::string& file, const std::string& key) {
        return page_->evaluate("(function(){document.getElementById('key').value='" + key +
                               "';var r=document.querySelector('tr[data-name=\"M" +
                               std::to_string(machine) +
                               "\"]');r.querySelector('td.a input').value='" + file +
                               "';r.querySelector('button.send').click();return 1;})()");
    }
    fs::path inbox(int machine) const { return folder_ / ("in" + std::to_string(machine)); }
    PtyPeer& peer(int machine) { return *peers_.at(static_cast<std::size_t>(machine - 1)); }

    fs::path folder_;
    std::vector<std::unique_ptr<PtyPeer>> peers_;
    std::unique_ptr<CliChild> dnc_;
    std::unique_ptr<CliChild> browser_;
    std::unique_ptr<BrowserPage> page_;
    std::string url_;
};

TEST_F(BoardBrowser, EveryMachineIsShownAndAPunchChangesItsRowLive) {
    EXPECT_EQ(page_->evaluate("[...document.querySelectorAll('#machines tbody tr')]"
                              ".map(r=>r.dataset.name).join(',')"),
              "M1,M2,M3");
    ASSERT_TRUE(page_->waitFor(row(2, "s"), "wartet"));
    peer(2).write("%\r\nO321\r\nG1 X1\r\n");
    EXPECT_TRUE(page_->waitFor(row(2, "s"), "empf\xC3\xA4ngt")) << page_->evaluate(row(2, "s"));
    peer(2).write("M30\r\n%\r\n\x04");
    EXPECT_TRUE(page_->waitFor(row(2, "l"), inbox(2).string() + "/O321.nc \xC2\xB7 gespeichert"))
        << page_->evaluate(row(2, "l"));
    EXPECT_TRUE(page_->waitFor(row(2, "s"), "wartet"));
}

TEST_F(BoardBrowser, ASendThroughThePageNeedsTheKeyAndReachesTheLineByteForByte) {
    const std::string program = "%\r\nO1234\r\nG0 X0\r\nM30\r\n%\r\n";
    put(folder_ / "out" / "O1234.nc", program);
    EXPECT_EQ(sendThroughPage(1, "1234", ""), "1");
    ASSERT_TRUE(
        page_->waitFor("document.getElementById('answer').textContent", "Schl\xC3\xBCssel fehlt."))
        << page_->evaluate("document.getElementById('answer').textContent") << dnc_->out();
    sendThroughPage(1, "1234", std::string(kKey));
    const std::string expected = std::string(3, '\0') + program + std::string(2, '\0') + "\x04";
    ASSERT_TRUE(peer(1).waitForBytes(expected.size())) << dnc_->out();
    EXPECT_EQ(peer(1).received(), expected);
}

} // namespace
} // namespace drovane::testing
