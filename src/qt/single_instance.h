#pragma once

// One running instance per user: the first start holds a lock for its whole
// life; a later start hands its parameter to the first and ends.

#include "core/unique_fd.h"

#include <filesystem>
#include <string_view>

namespace drovane {

class InstanceLock {
public:
    enum class Role {
        First,  // this process holds the lock
        Second, // another live instance holds it
    };

    // A lock left by a killed instance is free again: the system drops it
    // with the process. When no lock can be made at all (no private folder),
    // the start counts as the first, so that the program still runs.
    explicit InstanceLock(const std::filesystem::path& directory);

    Role role() const { return role_; }

private:
    UniqueFd file_;
    Role role_ = Role::First;
};

// The socket the first instance listens on, inside `directory`.
std::filesystem::path handOverSocketPath(const std::filesystem::path& directory);

enum class HandOverResult {
    Sent,
    NoListener, // the first instance is still starting, or gone
    Failed,
};

// Sends `text` and a NUL to the instance listening in `directory`.
HandOverResult sendHandOver(const std::filesystem::path& directory, std::string_view text);

} // namespace drovane
