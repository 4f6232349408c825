#pragma once

// Encoded bytes on their way to the device server, handed to the socket as
// one segment once they make a batch or the oldest of them has waited a
// batch window: a segment a byte would cost the server and us dearly.

#include "serial/line_deadlines.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace drovane {

class TcpSocket;

class Outbox {
public:
    static constexpr std::size_t kLargestBatch = 1024;
    static constexpr std::chrono::milliseconds kBatchWindow{20};

    explicit Outbox(std::size_t batch) : batch_(batch) {}

    // Bytes already encoded for the wire.
    void add(const std::string& bytes, LineClock::time_point now);
    // Data bytes, with 0xFF doubled when `escaped`.
    void addData(const unsigned char* data, std::size_t count, bool escaped,
                 LineClock::time_point now);
    // Hands the socket what it takes; false once the connection is gone.
    bool flush(TcpSocket& socket, LineClock::time_point now);

    bool due(LineClock::time_point now) const {
        return !bytes_.empty() && (bytes_.size() >= batch_ || now - since_ >= kBatchWindow);
    }
    // When the oldest byte has waited its window.
    LineClock::time_point windowEnds() const { return since_ + kBatchWindow; }
    bool full() const { return bytes_.size() >= kLargestBatch; }
    // Data bytes that fit before the outbox is full, at least one.
    std::size_t room() const { return full() ? 1 : kLargestBatch - bytes_.size(); }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    std::size_t batch() const { return batch_; }
    // TCP segments handed to the system so far.
    std::uint64_t sendCalls() const { return sendCalls_; }

private:
    void startWindow(LineClock::time_point now);

    std::string bytes_;
    LineClock::time_point since_;
    std::size_t batch_;
    std::uint64_t sendCalls_ = 0;
};

} // namespace drovane
