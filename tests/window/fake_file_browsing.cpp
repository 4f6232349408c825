#include "fake_file_browsing.h"

#include "window/shown_text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace drovane::testing {
namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

char folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// "*" and "?" as the file dialogs know them, letter case ignored.
bool globMatches(std::string_view pattern, std::string_view name) {
    if (pattern.empty()) {
        return name.empty();
    }
    if (pattern.front() == '*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip) {
            if (globMatches(pattern.substr(1), name.substr(skip))) {
                return true;
            }
        }
        return false;
    }
    return !name.empty() &&
           (pattern.front() == '?' || folded(pattern.front()) == folded(name.front())) &&
           globMatches(pattern.substr(1), name.substr(1));
}

// "*." stands for the names without an extension.
bool patternMatches(std::string_view pattern, std::string_view name) {
    if (pattern.ends_with('.') && !pattern.ends_with("*.*")) {
        return name.find('.') == std::string_view::npos &&
               globMatches(pattern.substr(0, pattern.size() - 1), name);
    }
    return globMatches(pattern, name);
}

} // namespace

void FakeFileBrowsing::pointAt(std::string_view text) {
    const auto separator = std::find_if(text.rbegin(), text.rend(), isSeparator);
    if (text.empty()) {
        directory_.clear();
    } else if (separator == text.rend()) {
        pattern_ = text;
    } else {
        const auto cut = static_cast<std::size_t>(text.rend() - separator);
        directory_ = text.substr(0, cut);
        if (cut < text.size()) {
            pattern_ = text.substr(cut);
        }
    }
    read();
}

void FakeFileBrowsing::read() {
    entries_.clear();
    selected_ = -1;
    if (directory_.empty()) {
        return;
    }
    std::vector<Entry> folders;
    std::vector<Entry> files;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(pathFromShown(directory_), error)) {
        const std::string name = shownFromPath(item.path().filename());
        if (item.is_directory(error)) {
            folders.push_back({name, false});
        } else if (patternMatches(pattern_, name)) {
            files.push_back({name, true});
        }
    }
    const auto byName = [](const Entry& a, const Entry& b) {
        return a.name < b.name;
    };
    std::ranges::sort(folders, byName);
    std::ranges::sort(files, byName);
    entries_.push_back({"..", false});
    entries_.insert(entries_.end(), folders.begin(), folders.end());
    entries_.insert(entries_.end(), files.begin(), files.end());
}

bool FakeFileBrowsing::isFileEntry(int index) const {
    return index >= 0 && index < entryCount() && entries_[static_cast<std::size_t>(index)].file;
}

std::string FakeFileBrowsing::entryName(int index) const {
    return entries_.at(static_cast<std::size_t>(index)).name;
}

std::vector<std::string> FakeFileBrowsing::files() const {
    std::vector<std::string> names;
    for (const Entry& entry : entries_) {
        if (entry.file) {
            names.push_back(entry.name);
        }
    }
    return names;
}

int FakeFileBrowsing::select(std::string_view name) {
    for (int i = 0; i < entryCount(); ++i) {
        if (entries_[static_cast<std::size_t>(i)].name == name) {
            selected_ = i;
            return i;
        }
    }
    ADD_FAILURE() << "no entry " << name;
    return -1;
}

} // namespace drovane::testing
