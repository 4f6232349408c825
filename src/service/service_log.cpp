#include "service/service_log.h"

namespace drovane {

void ServiceLog::line(std::string_view machine, std::string_view text) {
    const std::scoped_lock lock(mutex_);
    if (!machine.empty()) {
        out_ << machine << ": ";
    }
    out_ << text << '\n';
    out_.flush();
}

} // namespace drovane
