#include "win32/instance_mutex.h"

#include <string>

namespace drovane {

InstanceMutex::InstanceMutex(std::wstring_view name) {
    const std::wstring terminated(name);
    mutex_.reset(::CreateMutexW(nullptr, TRUE, terminated.c_str()));
    anotherInstanceRuns_ = mutex_.valid() && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace drovane
