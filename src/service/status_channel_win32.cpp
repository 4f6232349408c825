#include "service/status_channel.h"

#include "core/unique_handle_win32.h"

#include <array>
#include <thread>
#include <utility>
#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

namespace drovane {
namespace {

// One per user: the user's name is part of the pipe's.
std::wstring pipeName() {
    std::array<wchar_t, 257> user{};
    DWORD length = static_cast<DWORD>(user.size());
    if (GetUserNameW(user.data(), &length) == 0) {
        length = 1;
    }
    return L"\\\\.\\pipe\\drovane-dnc-" + std::wstring(user.data());
}

class PipeChannel final : public StatusChannel {
public:
    explicit PipeChannel(std::function<std::string()> answer)
        : answer_(std::move(answer)), name_(pipeName()),
          thread_([this](const std::stop_token& stop) { serve(stop); }) {}
    ~PipeChannel() override {
        thread_.request_stop();
        // A connection of our own ends the waiting ConnectNamedPipe.
        const UniqueHandle wake(
            CreateFileW(name_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        thread_.join();
    }
    PipeChannel(const PipeChannel&) = delete;
    PipeChannel& operator=(const PipeChannel&) = delete;
    PipeChannel(PipeChannel&&) = delete;
    PipeChannel& operator=(PipeChannel&&) = delete;

private:
    void serve(const std::stop_token& stop) {
        // Only the pipe's owner may open it, and each instance must be the
        // first of its name: nobody who made the name before gets the status.
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;GA;;;OW)", SDDL_REVISION_1,
                                                             &descriptor, nullptr);
        SECURITY_ATTRIBUTES ownerOnly{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
        while (!stop.stop_requested()) {
            const UniqueHandle pipe(CreateNamedPipeW(
                name_.c_str(), PIPE_ACCESS_OUTBOUND | FILE_FLAG_FIRST_PIPE_INSTANCE,
                PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 65536, 0, 0,
                descriptor != nullptr ? &ownerOnly : nullptr));
            if (!pipe.valid()) {
                break;
            }
            if (ConnectNamedPipe(pipe.get(), nullptr) == 0 &&
                GetLastError() != ERROR_PIPE_CONNECTED) {
                continue;
            }
            if (stop.stop_requested()) {
                break;
            }
            const std::string text = answer_();
            DWORD written = 0;
            WriteFile(pipe.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
            FlushFileBuffers(pipe.get());
            DisconnectNamedPipe(pipe.get());
        }
        LocalFree(descriptor);
    }

    std::function<std::string()> answer_;
    std::wstring name_;
    std::jthread thread_;
};

} // namespace

std::unique_ptr<StatusChannel> StatusChannel::listen(std::function<std::string()> answer) {
    return std::make_unique<PipeChannel>(std::move(answer));
}

std::optional<std::string> askStatus() {
    const UniqueHandle pipe(
        CreateFileW(pipeName().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!pipe.valid()) {
        return std::nullopt;
    }
    std::string text;
    std::array<char, 4096> buffer{};
    DWORD got = 0;
    while (ReadFile(pipe.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) &&
           got > 0) {
        text.append(buffer.data(), got);
    }
    return text;
}

std::string statusChannelName() {
    const std::wstring name = pipeName();
    return {name.begin(), name.end()};
}

} // namespace drovane
