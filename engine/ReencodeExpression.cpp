#include "engine/ReencodeExpression.h"
#include "engine/CalcEngine.h"
#include "engine/LocaleSeparators.h"

namespace {

void UseConvention(int dotFlag)
{
    if (dotFlag)
        UseDotSeparators();
    else
        UseCommaSeparators();
}

} // namespace

CString ReencodeExpression(const CString& text, int storedFlag)
{
    const int current = GetDecimalPointFlag();
    const int stored = storedFlag != 0 ? 1 : 0;
    if (stored == current)
        return text;
    // Free names become variables of the scratch engine and print back as written; user
    // functions and x, y, z, t stay recognised so that their calls and names read back too.
    CCalcEngine scratch;
    scratch.m_bLenient = 1;
    UseConvention(stored);
    scratch.SetExpression(text);
    const int code = scratch.Parse();
    UseConvention(current);
    return code == 0 ? scratch.GetText() : text;
}
