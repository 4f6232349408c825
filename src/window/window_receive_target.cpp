#include "window/window_receive_target.h"

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <utility>

namespace drovane {
namespace {

constexpr std::chrono::milliseconds ShutdownLook{10};

} // namespace

WindowReceiveTarget::WindowReceiveTarget(QueuedJobConsole& console, ProgramCommands& programs,
                                         AppState& state)
    : console_(console), programs_(programs), state_(state) {}

std::optional<OverwriteDecision>
WindowReceiveTarget::onWindowThread(std::function<OverwriteDecision()> work) {
    auto promise = std::make_shared<std::promise<OverwriteDecision>>();
    std::future<OverwriteDecision> answer = promise->get_future();
    console_.post([promise, work = std::move(work)] { promise->set_value(work()); });
    // The window may be closing and waiting for this thread to end.
    while (answer.wait_for(ShutdownLook) != std::future_status::ready) {
        if (state_.abortRequest.shuttingDown()) {
            return std::nullopt;
        }
    }
    return answer.get();
}

OverwriteDecision WindowReceiveTarget::checkSaveTarget() {
    return onWindowThread([this] { return programs_.checkSaveTarget(); })
        .value_or(OverwriteDecision::InvalidName);
}

void WindowReceiveTarget::saveProgram(std::string_view programText, OverwriteDecision decision) {
    onWindowThread([this, text = std::string(programText), decision]() mutable {
        state_.programText = std::move(text);
        state_.judgement.decision = decision;
        programs_.saveProgram();
        return decision;
    });
}

} // namespace drovane
