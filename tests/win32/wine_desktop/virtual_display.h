#pragma once

// An X server of our own for the Windows programs under Wine: Xvfb on a
// display number it picks itself, so that parallel runs do not meet.

#include <string>
#include <sys/types.h>

namespace drovane::testing {

class VirtualDisplay {
public:
    VirtualDisplay(int width, int height);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;
    VirtualDisplay(VirtualDisplay&&) = delete;
    VirtualDisplay& operator=(VirtualDisplay&&) = delete;

    // ":N", or empty when the server did not come up.
    const std::string& name() const { return name_; }

private:
    pid_t server_ = -1;
    std::string name_;
};

} // namespace drovane::testing
