#pragma once

// A pseudo-terminal pair for the line benchmarks: the slave is the line, the master the machine.

#include "core/unique_fd.h"

#include <pty.h>
#include <string>
#include <unistd.h>

namespace drovane::bench {

struct Pty {
    Pty() {
        int m = -1;
        int s = -1;
        if (::openpty(&m, &s, nullptr, nullptr, nullptr) == 0) {
            master.reset(m);
            slave.reset(s);
            path = ::ttyname(s);
        }
    }
    UniqueFd master;
    UniqueFd slave;
    std::string path;
};

} // namespace drovane::bench
