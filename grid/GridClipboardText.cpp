#include "grid/GridClipboardText.h"

#include <cstring>
#include <string_view>

std::string BuildGridCopyText(const CCellBlock& block, const CGridAxis& rows, const CGridAxis& cols,
                              const std::function<BOOL(int, int)>& isSelected,
                              const std::function<CString(int, int)>& text)
{
    std::string out;
    bool bFirstRow = true;
    for (int nRow = block.GetMinRow(); nRow <= block.GetMaxRow(); ++nRow) {
        if (!rows.IsShown(nRow))
            continue;
        if (!bFirstRow)
            out += "\r\n";
        bFirstRow = false;
        bool bFirstCol = true;
        for (int nCol = block.GetMinCol(); nCol <= block.GetMaxCol(); ++nCol) {
            if (!cols.IsShown(nCol))
                continue;
            if (!bFirstCol)
                out += '\t';
            bFirstCol = false;
            if (isSelected(nRow, nCol))
                out += text(nRow, nCol).View();
        }
    }
    return out;
}

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\v' || ch == '\f'; }

std::string_view Trimmed(std::string_view field)
{
    while (!field.empty() && IsBlank(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && IsBlank(field.back()))
        field.remove_suffix(1);
    return field;
}

// Splits the text into lines at LF, CRLF or CR. The part after the last line end is a line
// of its own, empty when the text ends with a line end.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t nStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back(text.substr(nStart, i - nStart));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        nStart = i + 1;
    }
    lines.push_back(text.substr(nStart));
    return lines;
}

// Cuts the next field off the front of line. Tabs and the hard separators each end one field,
// so two in a row leave an empty field between them; with blanks as separators a run of them
// ends a field too, together with a hard separator that follows it. bHard tells whether a hard
// separator ended the field.
std::string_view NextField(std::string_view& line, std::string_view hard, bool bBlanksSeparate,
                           bool& bHard)
{
    const auto isSoft = [&](char ch) { return bBlanksSeparate && ch != '\t' && IsBlank(ch); };
    if (bBlanksSeparate)
        while (!line.empty() && isSoft(line.front()))
            line.remove_prefix(1);
    std::size_t nEnd = 0;
    while (nEnd < line.size() && hard.find(line[nEnd]) == std::string_view::npos &&
           !isSoft(line[nEnd]))
        ++nEnd;
    const std::string_view field = line.substr(0, nEnd);
    std::size_t nNext = nEnd;
    while (nNext < line.size() && isSoft(line[nNext]))
        ++nNext;
    bHard = nNext < line.size() && hard.find(line[nNext]) != std::string_view::npos;
    if (bHard)
        ++nNext;
    line.remove_prefix(nNext);
    return Trimmed(field);
}

// The index at or after nIndex that is not hidden, counting hidden ones as steps.
int PassHidden(const CGridAxis& axis, int nIndex)
{
    while (axis.IsValid(nIndex) && axis.GetSize(nIndex) == 0)
        ++nIndex;
    return nIndex;
}

} // namespace

GridPastePlan PlanGridPaste(const char* pText, std::size_t nSize, char chDecimal, int nRow,
                            int nCol, const CGridAxis& rows, const CGridAxis& cols,
                            const GridPasteLimits& limits)
{
    GridPastePlan plan;
    plan.nRowCount = rows.GetCount();
    plan.nColCount = cols.GetCount();
    const std::size_t nLength = pText ? strnlen(pText, nSize) : 0;
    // Where the comma is the decimal separator it cannot part fields.
    const bool bDecimalComma = chDecimal == ',';
    const std::string_view hard = bDecimalComma ? "\t;" : "\t,";

    int nTargetRow = nRow;
    for (std::string_view line : SplitLines(std::string_view(pText ? pText : "", nLength))) {
        nTargetRow = PassHidden(rows, nTargetRow);
        int nTargetCol = nCol;
        // A hard separator at the line's end ends one more, empty field: the copy of a row
        // whose last cell is empty comes back with that cell.
        bool bHard = false;
        while (!line.empty() || bHard) {
            const std::string_view field = NextField(line, hard, bDecimalComma, bHard);
            nTargetCol = PassHidden(cols, nTargetCol);
            if (int(field.size()) > limits.nMaxField) {
                plan.bTooLarge = TRUE;
                return plan;
            }
            if (nTargetRow >= plan.nRowCount)
                plan.nRowCount = nTargetRow + 100;
            if (nTargetCol >= plan.nColCount)
                plan.nColCount = nTargetCol + 5;
            const BOOL bGrown =
                plan.nRowCount > rows.GetCount() || plan.nColCount > cols.GetCount();
            if (bGrown && (plan.nRowCount > limits.nMaxRows || plan.nColCount > limits.nMaxCols ||
                           LONGLONG(plan.nRowCount) * plan.nColCount > limits.nMaxCells)) {
                plan.bTooLarge = TRUE;
                return plan;
            }
            plan.fields.push_back({nTargetRow, nTargetCol, CString(field)});
            ++nTargetCol;
        }
        ++nTargetRow;
    }
    return plan;
}
