#include "window/fatal_message.h"

namespace drovane {
namespace {

class BoundedWriter {
public:
    BoundedWriter(char* buffer, std::size_t size) : buffer_(buffer), capacity_(size - 1) {}
    void append(std::string_view text) {
        for (const char character : text) {
            if (length_ == capacity_) {
                return;
            }
            buffer_[length_++] = character;
        }
    }
    std::size_t finish() {
        buffer_[length_] = '\0';
        return length_;
    }

private:
    char* buffer_;
    std::size_t capacity_;
    std::size_t length_ = 0;
};

// Negative lines cannot occur in practice, but the marker is a signed value.
void appendDecimal(BoundedWriter& writer, std::int32_t value) {
    std::int64_t wide = value;
    if (wide < 0) {
        writer.append("-");
        wide = -wide;
    }
    char digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + wide % 10);
        wide /= 10;
    } while (wide != 0);
    while (count > 0) {
        writer.append(std::string_view(&digits[--count], 1));
    }
}

} // namespace

std::size_t formatFatalMessage(char* buffer, std::size_t size, std::string_view text,
                               std::int32_t line) noexcept {
    if (size == 0) {
        return 0;
    }
    BoundedWriter writer(buffer, size);
    writer.append(text);
    writer.append(" Zeile: ");
    appendDecimal(writer, line);
    return writer.finish();
}

} // namespace drovane
