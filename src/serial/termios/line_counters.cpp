#include "serial/termios/line_counters.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

namespace drovane {

SerialError LineCounters::take(int fd) {
    if (!work_) {
        return SerialError::None;
    }
    serial_icounter_struct now{};
    if (::ioctl(fd, TIOCGICOUNT, &now) != 0) {
        work_ = false;
        return SerialError::None;
    }
    SerialError errors = SerialError::None;
    const auto grew = [&errors](int& kept, int current, SerialError flag) {
        if (current != kept) {
            errors |= flag;
        }
        kept = current;
    };
    grew(frame_, now.frame, SerialError::Frame);
    grew(parity_, now.parity, SerialError::RxParity);
    grew(overrun_, now.overrun, SerialError::OverRun);
    grew(brk_, now.brk, SerialError::Break);
    grew(bufOverrun_, now.buf_overrun, SerialError::RxOver);
    return errors;
}

} // namespace drovane
