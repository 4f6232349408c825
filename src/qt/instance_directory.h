#pragma once

// The folder that holds the instance lock and the hand-over socket: private
// to the user, so that nobody else can take the lock or hand files over.

#include <filesystem>
#include <optional>

namespace drovane {

// $XDG_RUNTIME_DIR/drovane, or /tmp/drovane-<uid> without a runtime dir.
std::filesystem::path defaultInstanceDirectory();

// Creates the folder with mode 0700, or accepts an existing one only when it
// is a real folder of this user that nobody else may enter (tightening its
// mode if need be). False when it cannot be made private.
bool preparePrivateDirectory(const std::filesystem::path& directory);

} // namespace drovane
