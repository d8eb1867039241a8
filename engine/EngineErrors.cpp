#include "engine/EngineErrors.h"

#include "engine/NumberText.h"

#include <cerrno>

namespace {

// Texts by code, exactly as users see them (codes 14 and 45 share a text).
// clang-format off
constexpr const char* ErrorTexts[EngineErrorCodeCount] = {
    "No error occurred",
    "Unbalanced parenthesis",
    "Invalid character",
    "Unexpected character",
    "Dangling operator",
    "Wrong number of arguments",
    "Empty argument list",
    "Unrecognized function",
    "Missing parenthesis",
    "Missing equal sign",
    "Dangling equal sign",
    "Bad number",
    "Overflow",
    "Bad argument",
    "Invalid argument",
    "Invalid data",
    "Invalid parameter",
    "Result too large",
    "Bad string",
    "Circular reference",
    "Invalid name",
    "Cannot use predefined name",
    "Name already exists",
    "Function already exists",
    "Variable already exists",
    "Expression variable already exists",
    "Constant already exists",
    "Conversion already exists",
    "Invalid equation",
    "Invalid function",
    "Invalid variable",
    "Invalid expression variable",
    "Invalid range",
    "Out of memory",
    "Singular matrix encountered",
    "Maximum iterations exceeded",
    "No solutions found",
    "Arguments not matching",
    "Division by zero",
    "Cannot take square root of negative number",
    "Cannot determine logarithm of non-positive number",
    "Operation not supported",
    "Positive infinity",
    "Negative infinity",
    "Not a number",
    "Invalid argument",
    "Number out of range",
    "The variable x is required in this expression",
    "Reserved name",
    "At least one fit parameter is required",
    "Two few parameters",
    "Cannot contain other user function(s)",
    "Too few data points",
    "Unknown Error",
};
// clang-format on

} // namespace

CString GetErrorText(int code)
{
    if (code >= 0 && code < EngineErrorCodeCount)
        return CString(ErrorTexts[code]);
    return CString("Unknown error code: ") + numtext::Integer(code);
}

int ErrnoToErrorCode()
{
    if (errno == 0)
        return ErrNone;
    if (errno == EDOM)
        return ErrBadArgument;
    if (errno == ERANGE)
        return ErrResultTooLarge;
    return ErrUnknown;
}

void GslErrorHandler(const char*, const char*, int, int gslErrno) { errno = gslErrno; }
