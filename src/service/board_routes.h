#pragma once

// The board's answers to its requests, apart from the HTTP library that
// carries them: the page, the JSON interface and the two actions with their
// refusals. The live events are the server's.

#include "service/board_source.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace drovane {

struct BoardRequest {
    std::string_view method;
    std::string_view target; // path and query, as sent
    std::string_view authorization;
    std::string_view body;
};

struct BoardReply {
    int status = 200;
    std::string contentType;
    std::string body;
};

class BoardRoutes {
public:
    BoardRoutes(BoardSource& source, std::filesystem::path journal, std::string key)
        : source_(source), journal_(std::move(journal)), key_(std::move(key)) {}

    BoardReply answer(const BoardRequest& request) const;

private:
    BoardReply page(std::string_view query) const;
    BoardReply journal(std::string_view query) const;
    BoardReply action(const BoardRequest& request, std::string_view rest) const;
    BoardReply send(std::string_view machine, std::string_view body) const;

    BoardSource& source_;
    std::filesystem::path journal_;
    std::string key_;
};

// %XX and, in a query, "+" for a space; nullopt for a broken escape.
std::optional<std::string> percentDecoded(std::string_view text, bool query);
// The decoded value of `name` in a query; nullopt when it is not there.
std::optional<std::string> queryValue(std::string_view query, std::string_view name);

} // namespace drovane
