#include "core/alternate_signal_stack.h"

#include <algorithm>
#include <csignal>
#include <unistd.h>

namespace drovane {
namespace {

std::size_t stackSize() {
    constexpr long enough = 64L * 1024;
    return static_cast<std::size_t>(std::max(enough, ::sysconf(_SC_SIGSTKSZ)));
}

} // namespace

AlternateSignalStack::AlternateSignalStack() : memory_(std::make_unique<char[]>(stackSize())) {
    stack_t stack{};
    stack.ss_sp = memory_.get();
    stack.ss_size = stackSize();
    installed_ = ::sigaltstack(&stack, nullptr) == 0;
}

AlternateSignalStack::~AlternateSignalStack() {
    if (installed_) {
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        ::sigaltstack(&off, nullptr);
    }
}

} // namespace drovane
