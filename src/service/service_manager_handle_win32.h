#pragma once

// Owns a handle of the Service Control Manager (the manager itself or one
// service) and closes it once.

#include <memory>
#include <type_traits>
#include <windows.h>

namespace drovane {

struct ServiceHandleClose {
    void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};

using ServiceManagerHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleClose>;

} // namespace drovane
