#include "serial/wake_signal.h"

#include <windows.h>

namespace drovane {

namespace {

HANDLE handleOf(std::intptr_t native) {
    return reinterpret_cast<HANDLE>(native);
}

} // namespace

WakeSignal::WakeSignal()
    : native_(reinterpret_cast<std::intptr_t>(::CreateEventW(nullptr, TRUE, FALSE, nullptr))) {}

WakeSignal::~WakeSignal() {
    if (native_ != 0) {
        ::CloseHandle(handleOf(native_));
    }
}

void WakeSignal::set() const {
    ::SetEvent(handleOf(native_));
}

void WakeSignal::reset() const {
    ::ResetEvent(handleOf(native_));
}

} // namespace drovane
