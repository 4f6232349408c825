#include "win32/gui_timer.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace drovane {

void GuiTimer::start(std::chrono::milliseconds delay) {
    // The timer's id is the object itself: the callback finds it without a
    // registry.
    active_ = SetTimer(window_, std::bit_cast<UINT_PTR>(this),
                       static_cast<UINT>(std::max<std::int64_t>(USER_TIMER_MINIMUM, delay.count())),
                       &GuiTimer::timerProc) != 0;
}

void GuiTimer::stop() {
    if (active_) {
        KillTimer(window_, std::bit_cast<UINT_PTR>(this));
        active_ = false;
    }
}

void CALLBACK GuiTimer::timerProc(HWND /*window*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
    auto* timer = std::bit_cast<GuiTimer*>(id);
    timer->stop();
    if (timer->fire_) {
        timer->fire_();
    }
}

} // namespace drovane
