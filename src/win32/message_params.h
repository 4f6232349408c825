#pragma once

// Windows carries handles and pointers in integers: message parameters,
// window data and control ids. This is the one place that turns them back.

namespace drovane {

template <typename Pointer, typename Integer> Pointer fromInteger(Integer value) {
    return reinterpret_cast<Pointer>(value); // NOLINT(performance-no-int-to-ptr)
}

} // namespace drovane
