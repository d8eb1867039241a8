#include "framework/core/LineBreaks.h"

#include <algorithm>
#include <cstring>

const char kLineBreakAfter[] = " \t+-*/^%!=,;:)";

namespace {

// A + or - that signs what follows (an exponent's, or one after a blank, an operator or an
// opening parenthesis) stays with it: broken there, "1e-" and "10" would read as a difference.
bool IsSign(const CString& line, int i)
{
    if (line[i] != '+' && line[i] != '-')
        return false;
    if (i == 0)
        return true;
    const char before = line[i - 1];
    if ((before == 'e' || before == 'E') && i >= 2 && line[i - 2] >= '0' && line[i - 2] <= '9')
        return true;
    return std::strchr(" \t+-*/^=,;:(", before) != nullptr; // not after ")", "!" or "%"
}

} // namespace

std::vector<int> BreakLine(const CString& line, const std::function<int(int)>& fits,
                           const char* breakAfter)
{
    std::vector<int> starts{0};
    const int length = line.GetLength();
    for (int start = 0;;) {
        const int end = start + std::clamp(fits(start), 1, std::max(length - start, 1));
        if (end >= length)
            return starts;
        // A break right after the piece's first character would leave that alone on a line.
        int cut = end;
        for (int i = end; i > start + 1; --i) {
            if (line[i - 1] != 0 && std::strchr(breakAfter, line[i - 1]) && !IsSign(line, i - 1)) {
                cut = i;
                break;
            }
        }
        starts.push_back(cut);
        start = cut;
    }
}
