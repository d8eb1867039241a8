#include "plot/TextSplit.h"

static BOOL SplitAt(const CString& text, int at, CString& left, CString& right)
{
    if (at < 0) {
        left = text;
        left.Trim();
        right.Empty();
        return FALSE;
    }
    left = text.Left(at);
    right = text.Mid(at + 1);
    left.Trim();
    right.Trim();
    return TRUE;
}

BOOL SplitAtChar(const CString& text, char ch, CString& left, CString& right)
{
    return SplitAt(text, text.Find(ch), left, right);
}

BOOL SplitAtCharOutsideBrackets(const CString& text, char ch, CString& left, CString& right)
{
    int depth = 0;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char c = text[i];
        if (c == ch && depth == 0)
            return SplitAt(text, i, left, right);
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
    }
    return SplitAt(text, -1, left, right);
}
