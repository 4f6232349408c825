#pragma once

// A program's bytes held once and shared by whoever shows them. They never
// change while shared: giving the holder a new text leaves every view its
// old bytes until the view is handed the new ones, so none reads freed
// memory and none needs a copy of its own.

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace drovane {

class SharedText {
public:
    SharedText() = default;
    explicit SharedText(std::string bytes)
        : bytes_(std::make_shared<const std::string>(std::move(bytes))) {}
    SharedText& operator=(std::string bytes) {
        *this = SharedText(std::move(bytes));
        return *this;
    }

    std::string_view view() const {
        return bytes_ ? std::string_view(*bytes_) : std::string_view();
    }
    // Implicit: it reads as the bytes it holds.
    operator std::string_view() const { return view(); }
    std::size_t size() const { return view().size(); }
    bool empty() const { return view().empty(); }

    friend bool operator==(const SharedText& text, std::string_view bytes) {
        return text.view() == bytes;
    }
    friend std::ostream& operator<<(std::ostream& out, const SharedText& text) {
        return out << text.view();
    }

private:
    std::shared_ptr<const std::string> bytes_;
};

} // namespace drovane
