#include "app/WorkspaceRtf.h"

#include "app/WorkspaceWords.h"
#include "engine/CalcEngine.h"

#include <cstdio>
#include <iterator>
#include <vector>

namespace {

// The colour table's entries, in the order of their indices (the table's entry 0 is "auto").
constexpr int kTableKinds[] = {NameUnknown,          kCommentLineKind, NameBuiltinFunction,
                               NamePhysicalConstant, NameUserFunction, NameUserConstant,
                               NameVariable};

int TableIndex(int kind)
{
    if (kind == NameExpressionVariable)
        kind = NameVariable;
    for (int i = 0; i < int(std::size(kTableKinds)); ++i)
        if (kTableKinds[i] == kind)
            return i + 1;
    return 1;
}

void AppendColourTable(std::string& rtf, const WorkspaceSettings& settings)
{
    rtf += "{\\colortbl;";
    for (int kind : kTableKinds) {
        const COLORREF colour = WorkspaceColourOfKind(settings, kind);
        char entry[48];
        std::snprintf(entry, sizeof entry, "\\red%u\\green%u\\blue%u;", unsigned(colour & 0xFF),
                      unsigned((colour >> 8) & 0xFF), unsigned((colour >> 16) & 0xFF));
        rtf += entry;
    }
    rtf += "}";
}

void AppendCharacter(std::string& rtf, unsigned char ch)
{
    if (ch == '\\' || ch == '{' || ch == '}') {
        rtf += '\\';
        rtf += char(ch);
    } else if (ch == '\t') {
        rtf += "\\tab ";
    } else if (ch >= 0x80) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\'%02x", unsigned(ch));
        rtf += escaped;
    } else if (ch >= 0x20 && ch != 0x7F) {
        rtf += char(ch);
    }
}

// One line, switching colours only where they change.
void AppendLine(std::string& rtf, const CString& line,
                const std::function<int(const CString&)>& kindOfWord, int& current)
{
    const std::vector<TypedColourSpan> spans = TypedLineColours(line, kindOfWord);
    std::size_t next = 0;
    for (int i = 0; i < line.GetLength(); ++i) {
        while (next < spans.size() && spans[next].nEnd <= i)
            ++next;
        const bool inSpan = next < spans.size() && spans[next].nStart <= i;
        const int index = TableIndex(inSpan ? spans[next].kind : NameUnknown);
        if (index != current) {
            rtf += "\\cf" + std::to_string(index) + " ";
            current = index;
        }
        AppendCharacter(rtf, static_cast<unsigned char>(line[i]));
    }
}

} // namespace

std::string TypedTextRtf(const CString& text, const std::function<int(const CString&)>& kindOfWord,
                         const WorkspaceSettings& settings, unsigned codePage)
{
    std::string rtf = "{\\rtf1\\ansi\\ansicpg" + std::to_string(codePage);
    AppendColourTable(rtf, settings);
    rtf.reserve(rtf.size() + std::size_t(text.GetLength()) * 5 / 4 + 16);
    int current = 0;
    int start = 0;
    for (;;) {
        const int end = text.Find('\n', start);
        AppendLine(rtf, text.Mid(start, (end < 0 ? text.GetLength() : end) - start), kindOfWord,
                   current);
        if (end < 0)
            break;
        rtf += "\\par\n";
        start = end + 1;
    }
    return rtf + "}";
}
