#include "transfer/line_error_log.h"

#include "transfer/job_messages.h"
#include "transfer/sentence.h"

namespace drovane {

void LineErrorLog::report(SerialError errors, std::int64_t position) {
    console_.appendLine(fill(messages::kSerialError, position));
    reportSerialErrors(errors, [this](std::string_view line) { console_.appendLine(line); });
}

void LineErrorLog::reportNew(SerialError errors, std::int64_t position) {
    const auto fresh = static_cast<SerialError>(static_cast<std::uint32_t>(errors) &
                                                ~static_cast<std::uint32_t>(seen_));
    seen_ |= errors & kLineErrors;
    if (fresh != SerialError::None) {
        report(fresh, position);
    }
}

} // namespace drovane
