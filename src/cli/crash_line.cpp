#include "cli/crash_line.h"

#include "cli/cli_texts.h"

#include <array>
#include <string_view>

namespace drovane {
namespace {

class BoundedText {
public:
    explicit BoundedText(std::span<char> buffer) : buffer_(buffer) {}

    void append(std::string_view text) {
        for (const char character : text) {
            if (length_ == buffer_.size()) {
                return;
            }
            buffer_[length_++] = character;
        }
    }

    void appendHex(std::uint32_t value) {
        constexpr std::string_view digits = "0123456789ABCDEF";
        for (int shift = 28; shift >= 0; shift -= 4) {
            append(digits.substr((value >> static_cast<unsigned>(shift)) & 0xFU, 1));
        }
    }

    void appendDecimal(std::int32_t value) {
        std::int64_t wide = value;
        if (wide < 0) {
            append("-");
            wide = -wide;
        }
        std::array<char, 20> reversed{};
        std::size_t count = 0;
        do {
            reversed.at(count++) = static_cast<char>('0' + wide % 10);
            wide /= 10;
        } while (wide != 0);
        while (count > 0) {
            append(std::string_view(&reversed.at(--count), 1));
        }
    }

    std::size_t length() const { return length_; }

private:
    std::span<char> buffer_;
    std::size_t length_ = 0;
};

} // namespace

std::size_t formatCrashLine(std::span<char> buffer, std::uint32_t faultCode,
                            std::int32_t line) noexcept {
    BoundedText text(buffer);
    text.append(cli_text::kProgramName);
    text.append(cli_text::kCrashBefore);
    text.appendHex(faultCode);
    text.append(cli_text::kCrashLine);
    text.appendDecimal(line);
    text.append("\n");
    return text.length();
}

} // namespace drovane
