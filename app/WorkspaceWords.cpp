#include "app/WorkspaceWords.h"

#include "engine/CalcEngine.h"

#include <algorithm>
#include <cstring>

const char kLineTooLongText[] = "Line too long (more than 1,000 characters)";
const char kWorkspaceDelimiters[] = " +-*/^()\n\t;,=%!";

namespace {

bool IsDelimiter(char ch) { return ch != 0 && std::strchr(kWorkspaceDelimiters, ch) != nullptr; }

} // namespace

WorkspaceWord GetWordAt(const CString& line, int position)
{
    WorkspaceWord word;
    const int length = line.GetLength();
    if (position < 0 || position >= length) {
        word.nStart = position;
        word.nEnd = position + 1;
        return word;
    }
    int start = position;
    while (start >= 0 && !IsDelimiter(line[start]))
        --start;
    int end = position + 1;
    while (end < length && !IsDelimiter(line[end]))
        ++end;
    word.nStart = start;
    word.nEnd = end;
    const int first = start + 1;
    const int count = end - first;
    word.text = line.Mid(first, count < kMaxWorkspaceWord ? count : kMaxWorkspaceWord);
    return word;
}

int LongestPastedLine(const CString& text, int before, int after)
{
    int longest = 0;
    int length = before;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            longest = length > longest ? length : longest;
            length = 0;
            // "\r\n" is one line end.
            if (ch == '\r' && i + 1 < text.GetLength() && text[i + 1] == '\n')
                ++i;
        } else {
            ++length;
        }
    }
    length += after;
    return length > longest ? length : longest;
}

bool IsCommentLine(const CString& line)
{
    for (int i = 0; i < line.GetLength(); ++i) {
        if (line[i] != ' ' && line[i] != '\t')
            return line[i] == '\'';
    }
    return false;
}

std::vector<TypedColourSpan> TypedLineColours(const CString& line,
                                              const std::function<int(const CString&)>& kindOfWord)
{
    std::vector<TypedColourSpan> spans;
    const CString seen = line.Left(kMaxWorkspaceLine);
    if (IsCommentLine(seen)) {
        spans.push_back({0, line.GetLength(), kCommentLineKind});
        return spans;
    }
    const int length = seen.GetLength();
    for (int start = 0; start < length;) {
        if (IsDelimiter(seen[start])) {
            ++start;
            continue;
        }
        int end = start;
        while (end < length && !IsDelimiter(seen[end]))
            ++end;
        const int kind = kindOfWord(seen.Mid(start, std::min(end - start, kMaxWorkspaceWord)));
        if (kind != NameUnknown)
            spans.push_back({start, end, kind});
        start = end;
    }
    return spans;
}

int ParenthesisBalance(const CString& line)
{
    int balance = 0;
    for (int i = 0; i < line.GetLength(); ++i)
        balance += line[i] == '(' ? 1 : line[i] == ')' ? -1 : 0;
    return balance;
}

TipDecision DecideTip(int kind, const CString& described, int argumentCount, unsigned options,
                      int bAllFunctions)
{
    TipDecision tip;
    if (kind == NameUnknown || described.IsEmpty())
        return tip;
    bool allowed = false;
    tip.text = described;
    switch (kind) {
    case NameBuiltinFunction:
    case NameUserFunction: {
        unsigned bit = kind == NameBuiltinFunction ? PopupBuiltinFunctions : PopupUserFunctions;
        allowed = (options & bit) && (argumentCount >= 2 || bAllFunctions);
        break;
    }
    case NamePhysicalConstant:
        allowed = options & PopupBuiltinConstants;
        break;
    case NameUserConstant:
        allowed = options & PopupUserConstants;
        break;
    case NameVariable:
    case NameExpressionVariable:
        allowed = options & PopupVariables;
        tip.text = " = " + described;
        break;
    default:
        break;
    }
    tip.action = allowed ? TipDecision::Show : TipDecision::Hide;
    if (!allowed)
        tip.text.Empty();
    return tip;
}

CPoint PlaceTip(CPoint below, int lineTop, CSize size, const CRect& workArea)
{
    CPoint corner = below;
    corner.x = std::max<int>(std::min<int>(corner.x, workArea.right - size.cx), workArea.left);
    if (corner.y + size.cy > workArea.bottom)
        corner.y = lineTop - size.cy;
    corner.y = std::max<int>(std::min<int>(corner.y, workArea.bottom - size.cy), workArea.top);
    return corner;
}
