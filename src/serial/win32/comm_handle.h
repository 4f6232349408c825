#pragma once

// Owns a Windows handle (a port or an event) and closes it exactly once.

#include <utility>
#include <windows.h>

namespace drovane {

class CommHandle {
public:
    CommHandle() = default;
    // CreateFileW fails with INVALID_HANDLE_VALUE, CreateEventW with null:
    // both are held as no handle.
    explicit CommHandle(HANDLE handle)
        : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~CommHandle() { reset(); }
    CommHandle(const CommHandle&) = delete;
    CommHandle& operator=(const CommHandle&) = delete;
    CommHandle(CommHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    CommHandle& operator=(CommHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != nullptr; }
    void reset() {
        if (handle_ != nullptr) {
            ::CloseHandle(handle_);
            handle_ = nullptr;
        }
    }

private:
    HANDLE handle_ = nullptr;
};

} // namespace drovane
