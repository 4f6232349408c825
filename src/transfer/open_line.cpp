#include "transfer/open_line.h"

#include "core/current_line.h"
#include "transfer/job_messages.h"
#include "transfer/sentence.h"

namespace drovane {

int openLine(SerialLine& line, const SerialSettings& settings, JobConsole& console) {
    markStep();
    const int id = line.open(settings);
    if (id == 0) {
        console.appendLine(messages::kOpenFailed);
        if (const std::string_view reason = openFailureLine(line.lastOpenFailure());
            !reason.empty()) {
            console.appendLine(reason);
        }
        return 0;
    }
    console.appendLine(fill(messages::kOpened, id));
    return id;
}

} // namespace drovane
