#include "shell/window_receive_target.h"

#include "shell/qt_job_console.h"
#include "window/app_state.h"
#include "window/program_commands.h"

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <utility>

namespace drovane {
namespace {

constexpr std::chrono::milliseconds ShutdownLook{10};

} // namespace

WindowReceiveTarget::WindowReceiveTarget(QtJobConsole& console, ProgramCommands& programs,
                                         AppState& state)
    : console_(console), programs_(programs), state_(state) {}

std::optional<OverwriteDecision>
WindowReceiveTarget::onGuiThread(std::function<OverwriteDecision()> work) {
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
    return onGuiThread([this] { return programs_.checkSaveTarget(); })
        .value_or(OverwriteDecision::InvalidName);
}

void WindowReceiveTarget::saveProgram(std::string_view programText, OverwriteDecision decision) {
    onGuiThread([this, text = std::string(programText), decision]() mutable {
        state_.programText = std::move(text);
        state_.judgement.decision = decision;
        programs_.saveProgram();
        return decision;
    });
}

} // namespace drovane
