#include "service/reception_store.h"

#include "core/path_text.h"
#include "core/read_regular_file.h"
#include "core/text.h"
#include "programs/program_file.h"
#include "service/folder_containment.h"
#include "service/journal_texts.h"
#include "service/program_naming.h"
#include "service/service_messages.h"
#include "service/time_stamp.h"
#include "service/unique_file.h"
#include "transfer/sentence.h"
#include "window/utf8_path.h"

namespace drovane {
namespace {

namespace text = service_messages;

std::string dotted(std::string_view extension) {
    return extension.empty() ? std::string() : "." + std::string(extension);
}

std::string stemOf(const std::string& name, std::string_view extension) {
    return name.substr(0, name.size() - dotted(extension).size());
}

StoredReception saved(std::filesystem::path file) {
    return {std::move(file), std::string(journal_texts::kSaved), {}};
}

// Where a text goes that cannot have its own name: a new file that replaces
// nothing, named after the machine and the time.
std::optional<std::filesystem::path> saveUnnamed(const std::filesystem::path& folder,
                                                 const Reception& reception, WriteCall writeCall) {
    const std::string name =
        machineTimeName(reception.machine, reception.extension, reception.receivedAt);
    return writeUniqueFile(folder, stemOf(name, reception.extension), dotted(reception.extension),
                           reception.text, writeCall);
}

StoredReception failedBut(const std::filesystem::path& folder, const Reception& reception,
                          const std::string& wantedName, WriteCall writeCall) {
    StoredReception stored{{}, std::string(journal_texts::kFailed), {}};
    if (const auto rescued = saveUnnamed(folder, reception, writeCall)) {
        stored.file = *rescued;
        stored.detail = fill(fill(text::kSavedElsewhere, utf8FromWindows1252(wantedName)),
                             utf8FromPath(*rescued));
    } else {
        stored.detail = fill(fill(text::kNotSaved, utf8FromWindows1252(reception.machine)),
                             utf8FromPath(folder));
    }
    return stored;
}

StoredReception storeIncomplete(const std::filesystem::path& receiveFolder,
                                const Reception& reception, WriteCall writeCall) {
    const auto folder = receiveFolder / IncompleteFolder;
    if (const auto written = saveUnnamed(folder, reception, writeCall)) {
        return saved(*written);
    }
    return {
        {},
        std::string(journal_texts::kFailed),
        fill(fill(text::kNotSaved, utf8FromWindows1252(reception.machine)), utf8FromPath(folder))};
}

} // namespace

StoredReception storeReception(const std::filesystem::path& receiveFolder,
                               const Reception& reception, WriteCall writeCall) {
    if (!reception.complete) {
        return storeIncomplete(receiveFolder, reception, writeCall);
    }
    const std::string name = receivedProgramName(reception.text, reception.machine,
                                                 reception.extension, reception.receivedAt);
    const auto target = receiveFolder / pathFromWindows1252(name);
    // A link to somewhere else is never written through.
    if (!liesInside(target, receiveFolder)) {
        return failedBut(receiveFolder, reception, name, writeCall);
    }
    if (fileExists(target)) {
        const auto old = readRegularFile(target);
        if (old && *old == reception.text) {
            return {target, std::string(journal_texts::kUnchanged), {}};
        }
        // Something that is no readable file stands there: never replaced.
        if (!old) {
            return failedBut(receiveFolder, reception, name, writeCall);
        }
        const std::string versionStem =
            stemOf(name, reception.extension) + "." + fileTimeStamp(reception.receivedAt);
        if (!writeUniqueFile(receiveFolder / VersionsFolder, versionStem,
                             dotted(reception.extension), *old, writeCall)) {
            StoredReception stored = failedBut(receiveFolder, reception, name, writeCall);
            stored.detail =
                fill(text::kVersionNotKept, utf8FromWindows1252(name)) + " " + stored.detail;
            return stored;
        }
    }
    if (writeProgramFileAtomically(target, reception.text, writeCall)) {
        return saved(target);
    }
    return failedBut(receiveFolder, reception, name, writeCall);
}

} // namespace drovane
