#pragma once

// Program files on disk: read byte for byte up to the first NUL, the target
// path and name rules of a save, and a save that never leaves a torn file.
//
// Path texts are the file system's own bytes on Linux (UTF-8) and Windows-1252
// on Windows (pathFromText); the directory text ends in "/" or "\".

#include "core/atomic_file.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace drovane {

// The bytes of the file up to its first NUL; nullopt when it cannot be read
// (missing, no permission) or is no regular file (a folder, a FIFO, a device).
// It never waits for a writer. A file of 0 bytes gives an empty text.
// Memory that cannot be had is fatal (an uncaught std::bad_alloc, code 8).
std::optional<std::string> readProgramFile(const std::filesystem::path& path) noexcept;
// The same; `nulOffset` gets where the file's first NUL cut the text (its
// length), or none for a file without NUL.
std::optional<std::string> readProgramFile(const std::filesystem::path& path,
                                           std::optional<std::size_t>& nulOffset) noexcept;

// DirectoryField + FileNameField; "." + the pattern's extension is appended
// when the result has no extension of its own. A "\" in the name separates
// folders, written as the separator the directory text ends with.
std::string saveTargetPath(std::string_view directoryText, std::string_view fileNameText,
                           std::string_view patternText);

// Not empty, no byte below 32, none of " \ / : * ? < > |.
bool isValidFileName(std::string_view name);

// The one check of a save target, for the window, the command line and the
// service alike: a valid file part, and a name this file system takes (its
// length leaving room for the temporary file, no device or other name
// Windows refuses). A target that fails it is refused before a machine is
// asked to punch.
bool isSavableTarget(std::string_view targetPathText);

// Something is there that a save would meet: a file, a link (even a dangling
// one), a FIFO, a device, a socket. A folder does not count.
bool fileExists(const std::filesystem::path& path);

enum class OverwriteDecision : std::int8_t {
    InvalidName = -2,
    NoFileOrEmptyName = -1,
    KeepExisting = 0,
    Overwrite = 1,
};

// What the check of a save target found before anyone was asked.
enum class SaveTargetState : std::uint8_t {
    EmptyName,    // nothing to judge: the answer is NoFileOrEmptyName, no message
    InvalidName,  // tell the operator, the answer is InvalidName
    ExistingFile, // ask whether to overwrite
    NoFile,       // the answer is NoFileOrEmptyName, no question
};

struct SaveTarget {
    SaveTargetState state = SaveTargetState::EmptyName;
    std::string path; // empty for an empty name
};

// The check up to the question: builds the path, tests the name and looks for
// a file there. The caller asks the question and keeps `path` with the answer.
SaveTarget inspectSaveTarget(std::string_view directoryText, std::string_view fileNameText,
                             std::string_view patternText);

enum class SaveStep : std::uint8_t {
    Write,    // write the text to the target path now
    Skip,     // leave everything as it is, silently
    AskAgain, // the answer was for another situation: check the target again
};

// A decision answers only for the path it judged and the state it saw. When
// the fields now name another path, or a file has appeared at the judged path
// since, the target must be checked (and the operator asked) again instead of
// being overwritten unasked. Empty text and empty name are the caller's stops.
SaveStep decideSave(OverwriteDecision decision, std::string_view judgedPath,
                    std::string_view targetPathNow, bool fileExistsNow);

// Writes the file as writeFileAtomically does: never over anything but a
// regular file (a link is written through), never leaving a torn file. On
// failure the old file, if any, is left whole and false is returned.
// `writeCall` lets tests fail the write on purpose.
bool writeProgramFileAtomically(const std::filesystem::path& path, std::string_view text,
                                WriteCall writeCall = nullptr);

} // namespace drovane
