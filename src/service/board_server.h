#pragma once

// The board on its own thread: the page and the JSON interface over HTTP,
// and the live events that keep an open page at most half a second behind
// the machines and the journal.

#include "service/board_settings.h"
#include "service/board_source.h"
#include "service/journal.h"

#include <cstdint>
#include <memory>
#include <string>

namespace drovane {

class BoardServer {
public:
    struct Started;
    // Refused with a sentence: an address that cannot be had, or one that
    // other computers reach while no key is set.
    static Started start(const BoardSettings& settings, BoardSource& source, Journal& journal);

    ~BoardServer();
    BoardServer(const BoardServer&) = delete;
    BoardServer& operator=(const BoardServer&) = delete;
    BoardServer(BoardServer&&) = delete;
    BoardServer& operator=(BoardServer&&) = delete;

    // The port it listens on, for a port 0 in the settings.
    std::uint16_t port() const;

    struct Impl;
    explicit BoardServer(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

struct BoardServer::Started {
    std::unique_ptr<BoardServer> server;
    std::string fault;
};

} // namespace drovane
