#pragma once

// The first instance's end of the hand-over: a local socket in the private
// instance folder, mode 0600, that answers only connections of its own user.

#include "core/unique_fd.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace drovane {

class HandOverListener {
public:
    // Call only while holding the instance lock: a socket file left by a
    // killed instance is replaced.
    explicit HandOverListener(const std::filesystem::path& directory);
    HandOverListener(const HandOverListener&) = delete;
    HandOverListener& operator=(const HandOverListener&) = delete;
    ~HandOverListener();

    bool listening() const { return socket_.valid(); }
    int fd() const { return socket_.get(); }

    // The next waiting connection of this user, non-blocking; invalid when
    // none waits. Connections of other users are closed unread.
    UniqueFd acceptOwnUser() const;

private:
    UniqueFd socket_;
    std::filesystem::path path_;
};

// Collects the bytes of one hand-over: the text runs up to the first NUL and
// nothing after it is looked at.
class HandOverMessage {
public:
    static constexpr std::size_t MaximumSize = 64UL * 1024;

    // True once the NUL has arrived.
    bool add(std::string_view bytes);
    bool complete() const { return complete_; }
    bool tooLong() const { return text_.size() > MaximumSize; }
    // What arrived before the NUL (or before the sender closed).
    const std::string& text() const { return text_; }

private:
    std::string text_;
    bool complete_ = false;
};

} // namespace drovane
