#include "service/request_answer.h"

namespace drovane {

RequestAnswer answerRequest(std::string_view /*name*/, const ServedMachine& /*machine*/,
                            std::string_view /*pattern*/) {
    return {};
}

bool isAcceptableRequest(std::string_view /*name*/) {
    return false;
}

} // namespace drovane
