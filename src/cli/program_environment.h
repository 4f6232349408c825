#pragma once

// What drovane-cli takes from the system it runs on before anything else:
// its words and what its standard streams are.

#include <string>
#include <vector>

namespace drovane {

// The words after the program name, in UTF-8 as the rest of the program takes
// them. On Windows they come from the UTF-16 command line through
// Windows-1252, the only characters a program file name may carry.
std::vector<std::string> commandLineWords(int argc, char** argv);

// A terminal that shows the progress line drawn in place.
bool standardErrorIsTerminal();

// While it lives, a console shows the program's UTF-8 texts as such (a
// Windows console reads bytes in its own code page otherwise); what goes to
// files and pipes is not touched.
class Utf8Console {
public:
    Utf8Console() : previousCodePage_(switchConsoleToUtf8()) {}
    ~Utf8Console() { restoreConsoleCodePage(previousCodePage_); }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;
    Utf8Console(Utf8Console&&) = delete;
    Utf8Console& operator=(Utf8Console&&) = delete;

private:
    // The code page to give back; 0 for none.
    static unsigned switchConsoleToUtf8();
    static void restoreConsoleCodePage(unsigned codePage);

    unsigned previousCodePage_;
};

// Standard output and error pass bytes unchanged, line ends included, so a
// script reads the same text on every system.
void keepStandardStreamsBinary();

} // namespace drovane
