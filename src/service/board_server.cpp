#include "service/board_server.h"

#include "service/board_content.h"
#include "service/board_listen.h"
#include "service/board_messages.h"
#include "service/board_routes.h"
#include "transfer/sentence.h"

// Boost 1.74's Asio uses std::exchange without including it.
#include <utility>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace drovane {
namespace {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = net::ip::tcp;
namespace bm = board_messages;

constexpr std::chrono::milliseconds kTick(500);
constexpr std::chrono::seconds kRequestTime(30);
constexpr std::uint64_t kLargestBody = 16 * 1024ULL;
// A page that takes no events for this many is gone or too slow.
constexpr std::size_t kLongestQueue = 64;

constexpr std::string_view kEventsHeader = "HTTP/1.1 200 OK\r\n"
                                           "Content-Type: text/event-stream\r\n"
                                           "Cache-Control: no-store\r\n"
                                           "Connection: close\r\n\r\n";

std::string_view view(beast::string_view text) {
    return {text.data(), text.size()};
}

std::string event(std::string_view name, std::string_view data) {
    return "event: " + std::string(name) + "\ndata: " + std::string(data) + "\n\n";
}

// One open page's stream of events, written one after the other.
class EventStream : public std::enable_shared_from_this<EventStream> {
public:
    explicit EventStream(tcp::socket socket) : socket_(std::move(socket)) {}

    void push(std::string text) {
        if (queue_.size() >= kLongestQueue) {
            close();
            return;
        }
        queue_.push_back(std::move(text));
        if (queue_.size() == 1) {
            writeNext();
        }
    }
    bool open() const { return socket_.is_open(); }
    void close() {
        beast::error_code ignored;
        socket_.close(ignored);
        queue_.clear();
    }

private:
    void writeNext() {
        net::async_write(socket_, net::buffer(queue_.front()),
                         [self = shared_from_this()](beast::error_code error, std::size_t) {
                             if (error || self->queue_.empty()) {
                                 self->close();
                                 return;
                             }
                             self->queue_.pop_front();
                             if (!self->queue_.empty()) {
                                 self->writeNext();
                             }
                         });
    }

    tcp::socket socket_;
    std::deque<std::string> queue_;
};

} // namespace

struct BoardServer::Impl {
    Impl(BoardSource& source, Journal& journal, const std::string& key)
        : source(source), journal(journal), routes(source, journal.file(), key) {}

    void accept();
    void tick();
    void addEvents(tcp::socket socket);

    BoardSource& source;
    Journal& journal;
    BoardRoutes routes;
    net::io_context context{1};
    tcp::acceptor acceptor{context};
    net::steady_timer timer{context};
    std::vector<std::shared_ptr<EventStream>> streams;
    std::string lastMachines;
    std::mutex newEntriesMutex;
    std::vector<JournalEntry> newEntries;
    std::uint16_t port = 0;
    std::jthread thread;
};

namespace {

// One connection's requests, answered one after the other.
class Session : public std::enable_shared_from_this<Session> {
public:
    Session(tcp::socket socket, BoardServer::Impl& board)
        : stream_(std::move(socket)), board_(board) {}

    void read() {
        parser_.emplace();
        parser_->body_limit(kLargestBody);
        stream_.expires_after(kRequestTime);
        http::async_read(stream_, buffer_, *parser_,
                         [self = shared_from_this()](beast::error_code error, std::size_t) {
                             self->onRead(error);
                         });
    }

private:
    void onRead(beast::error_code error) {
        if (error) {
            return;
        }
        const auto& request = parser_->get();
        if (request.method() == http::verb::get && request.target() == "/events") {
            stream_.expires_never();
            board_.addEvents(stream_.release_socket());
            return;
        }
        const BoardReply reply =
            board_.routes.answer({view(request.method_string()), view(request.target()),
                                  view(request[http::field::authorization]), request.body()});
        response_ = {static_cast<http::status>(reply.status), request.version()};
        response_.set(http::field::content_type, reply.contentType);
        response_.set(http::field::cache_control, "no-store");
        response_.body() = reply.body;
        response_.keep_alive(request.keep_alive());
        response_.prepare_payload();
        http::async_write(stream_, response_,
                          [self = shared_from_this()](beast::error_code failed, std::size_t) {
                              if (!failed && self->response_.keep_alive()) {
                                  self->read();
                              }
                          });
    }

    beast::tcp_stream stream_;
    BoardServer::Impl& board_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    http::response<http::string_body> response_;
};

} // namespace

void BoardServer::Impl::accept() {
    acceptor.async_accept([this](beast::error_code error, tcp::socket socket) {
        if (!error) {
            std::make_shared<Session>(std::move(socket), *this)->read();
        }
        if (acceptor.is_open()) {
            accept();
        }
    });
}

void BoardServer::Impl::addEvents(tcp::socket socket) {
    auto stream = std::make_shared<EventStream>(std::move(socket));
    stream->push(std::string(kEventsHeader));
    stream->push(
        event("machines", machinesJson(source.machines(), std::chrono::steady_clock::now())));
    streams.push_back(std::move(stream));
}

// Changes go out only while a page is open, and only when there are some.
void BoardServer::Impl::tick() {
    std::erase_if(streams, [](const auto& stream) { return !stream->open(); });
    std::vector<JournalEntry> entries;
    {
        const std::scoped_lock lock(newEntriesMutex);
        entries.swap(newEntries);
    }
    if (!streams.empty()) {
        std::string machines = machinesJson(source.machines(), std::chrono::steady_clock::now());
        const bool changed = machines != lastMachines;
        const std::string journalEvent =
            entries.empty() ? std::string() : event("journal", journalJson(entries));
        const std::string machinesEvent = changed ? event("machines", machines) : std::string();
        for (const auto& stream : streams) {
            if (changed) {
                stream->push(machinesEvent);
            }
            if (!journalEvent.empty()) {
                stream->push(journalEvent);
            }
        }
        lastMachines = std::move(machines);
    }
    timer.expires_after(kTick);
    timer.async_wait([this](beast::error_code error) {
        if (!error) {
            tick();
        }
    });
}

BoardServer::Started BoardServer::start(const BoardSettings& settings, BoardSource& source,
                                        Journal& journal) {
    auto impl = std::make_unique<Impl>(source, journal, settings.key);
    const std::string address = settings.host + ":" + std::to_string(settings.port);
    beast::error_code error;
    tcp::resolver resolver(impl->context);
    const auto found = resolver.resolve(settings.host, std::to_string(settings.port),
                                        tcp::resolver::passive, error);
    if (error || found.empty()) {
        return {nullptr, fill(fill(bm::kCannotListen, address), error.message())};
    }
    const tcp::endpoint endpoint = found.begin()->endpoint();
    if (settings.key.empty() && !endpoint.address().is_loopback()) {
        return {nullptr, fill(bm::kNeedsKey, address)};
    }
    auto& acceptor = impl->acceptor;
    acceptor.open(endpoint.protocol(), error);
    if (!error) {
        claimBoardPort(acceptor, error);
    }
    if (!error) {
        acceptor.bind(endpoint, error);
    }
    if (!error) {
        acceptor.listen(net::socket_base::max_listen_connections, error);
    }
    if (error) {
        return {nullptr, fill(fill(bm::kCannotListen, address), error.message())};
    }
    impl->port = acceptor.local_endpoint(error).port();
    journal.watch([board = impl.get()](const JournalEntry& entry) {
        const std::scoped_lock lock(board->newEntriesMutex);
        board->newEntries.push_back(entry);
    });
    impl->accept();
    impl->tick();
    impl->thread = std::jthread([board = impl.get()] { board->context.run(); });
    return {std::make_unique<BoardServer>(std::move(impl)), {}};
}

BoardServer::BoardServer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

BoardServer::~BoardServer() {
    impl_->journal.watch(nullptr);
    impl_->context.stop();
    impl_->thread = {};
}

std::uint16_t BoardServer::port() const {
    return impl_->port;
}

} // namespace drovane
