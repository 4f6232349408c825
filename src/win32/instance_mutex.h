#pragma once

// One running instance: the first start owns a named mutex for its whole
// life; a later start finds that the name already existed.

#include "core/unique_handle_win32.h"

#include <string_view>

namespace drovane {

inline constexpr std::wstring_view InstanceName = L"Drovane";

class InstanceMutex {
public:
    // Asks for initial ownership; the handle stays open until this ends, and
    // with the process the system drops the mutex of a killed instance.
    explicit InstanceMutex(std::wstring_view name = InstanceName);

    // Another instance made the mutex first. A mutex that cannot be made at
    // all counts as none, so that the program still runs.
    bool anotherInstanceRuns() const { return anotherInstanceRuns_; }

private:
    UniqueHandle mutex_;
    bool anotherInstanceRuns_ = false;
};

} // namespace drovane
