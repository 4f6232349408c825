#pragma once

// An EDIT control breaks lines only at CR LF. Program text arrives with CR LF,
// a lone LF or a lone CR, and a reception can split a CR LF across two
// pieces; this turns each piece into the control's text so that every line
// break of the program is one break on screen.

#include <string>
#include <string_view>

namespace drovane {

class EditorLineBreaks {
public:
    // The Windows-1252 bytes as UTF-16 with "\r\n" for each line break. A NUL
    // would end the control's text early and shows as a blank.
    std::wstring toEditor(std::string_view bytes);
    // The next piece starts a new text.
    void reset() { pendingCr_ = false; }

private:
    // The last piece ended in CR and its break is shown; an LF that opens the
    // next piece belongs to it.
    bool pendingCr_ = false;
};

} // namespace drovane
