#pragma once
// The text and colours of rich text as a rich-edit control writes it: enough of the format to
// print its lines in their colours without asking the control character by character.
#include "framework/core/CString.h"

#include <string>
#include <vector>

// A line of a text and the colours of its characters, run by run.
struct RichPrintRun {
    int nLength;
    COLORREF cr;
};
struct RichPrintLine {
    CString text;
    std::vector<RichPrintRun> runs;
};

// The lines of the rich text, each paragraph or line break ending one, with the runs of their
// characters' colours (auto is black). Characters come as the code page has them (an escaped
// byte as that byte, a Unicode character as the stand-in that follows it), tabs as tabs;
// groups that hold no text (fonts, styles, pictures, "\*" destinations) are skipped.
std::vector<RichPrintLine> ReadRtfColouredLines(const std::string& rtf);
