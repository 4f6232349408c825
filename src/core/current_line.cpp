#include "core/current_line.h"

namespace drovane {

std::atomic<std::int32_t> CurrentLine{0};

} // namespace drovane
