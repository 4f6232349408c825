#include "win32/clipboard_text.h"

#include <cstring>
#include <memory>

namespace drovane {
namespace {

class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~OpenClipboardScope() {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool isOpen() const { return open_; }

private:
    bool open_;
};

struct GlobalFreeDeleter {
    void operator()(void* memory) const { GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalFreeDeleter>;

class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
    ~GlobalLockScope() {
        if (data_ != nullptr) {
            GlobalUnlock(memory_);
        }
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

GlobalMemory terminatedCopy(std::wstring_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) {
        return memory;
    }
    const GlobalLockScope lock(memory.get());
    if (lock.data() == nullptr) {
        return nullptr;
    }
    std::memcpy(lock.data(), text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(lock.data())[text.size()] = L'\0';
    return memory;
}

} // namespace

bool putOnClipboard(HWND owner, std::wstring_view text) {
    GlobalMemory memory = terminatedCopy(text);
    const OpenClipboardScope clipboard(owner);
    if (!memory || !clipboard.isOpen() || EmptyClipboard() == 0) {
        return false;
    }
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
        return false;
    }
    memory.release(); // the clipboard owns it now
    return true;
}

} // namespace drovane
