#include "transfer/job_timeouts.h"

namespace drovane {

SerialTimeouts sendTimeouts(std::uint32_t sendTimeout, std::uint32_t runWireTime) {
    return SerialTimeouts{kSendReadInterval, kSendReadTotalConstant, kSendReadTotalMultiplier,
                          kWriteSlack + sendTimeout + runWireTime, 0};
}

SerialTimeouts receiveTimeouts(std::uint32_t receiveTimeout) {
    return SerialTimeouts{receiveTimeout, receiveTimeout, kReceiveReadTotalMultiplier, kWriteSlack,
                          kReceiveWriteTotalMultiplier};
}

} // namespace drovane
