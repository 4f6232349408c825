#include "serial/serial_error.h"

namespace drovane {

void reportSerialErrors(SerialError errors, const LogSink& log) {
    for (const auto& entry : kSerialErrorLines) {
        if (hasFlag(errors, entry.flag)) {
            log(entry.line);
        }
    }
}

} // namespace drovane
