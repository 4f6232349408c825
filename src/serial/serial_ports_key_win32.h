#pragma once

// An open registry key, closed once.

#include <memory>
#include <type_traits>
#include <windows.h>

namespace drovane {

struct RegistryKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueRegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

} // namespace drovane
