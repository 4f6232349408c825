#include "win32/gui_task_queue.h"

#include <utility>

namespace drovane {

void GuiTaskQueue::post(std::function<void()> task) {
    bool wake = false;
    {
        const std::scoped_lock lock(mutex_);
        wake = tasks_.empty();
        tasks_.push_back(std::move(task));
    }
    // One wake-up per batch: a chatty job does not flood the message queue.
    if (wake) {
        PostMessageW(window_, message_, 0, 0);
    }
}

void GuiTaskQueue::runPending() {
    std::deque<std::function<void()>> batch;
    {
        const std::scoped_lock lock(mutex_);
        batch.swap(tasks_);
    }
    for (const auto& task : batch) {
        task();
    }
}

} // namespace drovane
