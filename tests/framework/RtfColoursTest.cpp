// The lines and colours read from rich text as the rich-edit control writes it.
#include "framework/core/RtfColours.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The lines as "text" with each run's colour before it: "[00c800]' note|[000000]x".
std::string Shown(const std::vector<RichPrintLine>& lines)
{
    std::string shown;
    for (const RichPrintLine& line : lines) {
        if (!shown.empty())
            shown += '|';
        int at = 0;
        for (const RichPrintRun& run : line.runs) {
            char colour[16];
            std::snprintf(colour, sizeof colour, "[%06lx]", static_cast<unsigned long>(run.cr));
            shown += colour + std::string(line.text.GetString() + at, std::size_t(run.nLength));
            at += run.nLength;
        }
        EXPECT_EQ(at, line.text.GetLength()) << "the runs cover the line";
    }
    return shown;
}

TEST(RtfColours, LinesAndTheirColoursAsTheControlWritesThem)
{
    const std::string head = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fcharset0 Arial;}}"
                             "\r\n{\\colortbl;\\red0\\green200\\blue0;\\red0\\green0\\blue200;}\r\n"
                             "{\\*\\generator Wine Riched20 2.0;}\r\n\\pard\\sl-240\\slmult1 ";
    const struct {
        const char* body;
        const char* shown;
    } cases[] = {
        {"\\cf1\\fs21 ' note\\par\r\n\\cf2 sin\\cf0 (3)\\par\r\n}",
         "[00c800]' note|[c80000]sin[000000](3)"},
        {"\\cf2 a\\par\\par b}", "[c80000]a||[c80000]b"},              // an empty line between
        {"x\\tab y\\line z}", "[000000]x\ty|[000000]z"},               // tab and line break
        {"\\'e9t\\'E9 \\{1\\} a\\\\b}", "[000000]\xe9t\xe9 {1} a\\b"}, // escapes
        {"\\u8364?5 and \\uc0\\u8364 5}", "[000000]?5 and 5"},         // the code page's stand-in
        {"{\\cf1 in}out\\cf2 more\\plain plain}", "[00c800]in[000000]out[c80000]more[000000]plain"},
        {"{\\*\\bkmkstart x}{\\pict\\wmetafile8 0a0b}seen}", "[000000]seen"},
        {"}", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(ReadRtfColouredLines(head + c.body)), c.shown) << c.body;
    // The control ends what it writes with a NUL.
    EXPECT_EQ(Shown(ReadRtfColouredLines(head + std::string("x}\0", 3))), "[000000]x");
}

} // namespace
