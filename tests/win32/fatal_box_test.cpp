// The text of the "Programmfehler" box, built without the heap.

#include "win32/fatal_box.h"

#include <gtest/gtest.h>

#include <string>

namespace drovane {
namespace {

TEST(FatalBoxText, TheFaultsTextThenItsLine) {
    const struct {
        FaultCode code;
        std::int32_t line;
        const wchar_t* text;
    } cases[] = {
        {FunctionCallFailed, 120, L"Funktionsaufruf fehlgeschlagen!  Zeile: 120"},
        {AllocationFailed, 7, L"AllocateMemory fehlgeschlagen!  Zeile: 7"},
        {0xC0000005, 0, L"Invalid memory access Zeile: 0"},
        {0xC0000094, 2147483647, L"Division by zero  Zeile: 2147483647"},
        {0xC00000FD, 33, L"Stack overflow Zeile: 33"},
        {0xE0434352, 5, L"Unknown error code Zeile: 5"},
    };
    for (const auto& c : cases) {
        FatalBoxText text;
        text.fill(L'#');
        writeFatalBoxText(text, c.code, c.line);
        EXPECT_EQ(std::wstring(text.data()), c.text) << std::hex << c.code;
    }
}

} // namespace
} // namespace drovane
