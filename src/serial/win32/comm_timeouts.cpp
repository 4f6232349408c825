#include "serial/win32/comm_timeouts.h"

namespace drovane {

COMMTIMEOUTS commTimeouts(const SerialTimeouts& timeouts) {
    COMMTIMEOUTS values{};
    values.ReadIntervalTimeout = timeouts.readInterval;
    values.ReadTotalTimeoutMultiplier = timeouts.readTotalMultiplier;
    values.ReadTotalTimeoutConstant = timeouts.readTotalConstant;
    values.WriteTotalTimeoutMultiplier = timeouts.writeTotalMultiplier;
    values.WriteTotalTimeoutConstant = timeouts.writeTotalConstant;
    return values;
}

COMMTIMEOUTS slicedForWrites(COMMTIMEOUTS values) {
    values.WriteTotalTimeoutMultiplier = 0;
    values.WriteTotalTimeoutConstant = kWriteSliceMs;
    return values;
}

} // namespace drovane
