#include "engine/EngineErrors.h"

#include "engine/NumberText.h"

#include <cerrno>
#include <iterator>

namespace {

struct ErrorTextRow {
    EngineErrorCode code;
    const char* text;
};

// Texts by code, exactly as users see them (codes 14 and 45 share a text).
// clang-format off
constexpr ErrorTextRow ErrorTexts[] = {
    {ErrNone, "No error occurred"},
    {ErrUnbalancedParenthesis, "Unbalanced parenthesis"},
    {ErrInvalidCharacter, "Invalid character"},
    {ErrUnexpectedCharacter, "Unexpected character"},
    {ErrDanglingOperator, "Dangling operator"},
    {ErrWrongArgumentCount, "Wrong number of arguments"},
    {ErrEmptyArgumentList, "Empty argument list"},
    {ErrUnrecognizedFunction, "Unrecognized function"},
    {ErrMissingParenthesis, "Missing parenthesis"},
    {ErrMissingEqualSign, "Missing equal sign"},
    {ErrDanglingEqualSign, "Dangling equal sign"},
    {ErrBadNumber, "Bad number"},
    {ErrOverflow, "Overflow"},
    {ErrBadArgument, "Bad argument"},
    {ErrInvalidArgument, "Invalid argument"},
    {ErrInvalidData, "Invalid data"},
    {ErrInvalidParameter, "Invalid parameter"},
    {ErrResultTooLarge, "Result too large"},
    {ErrBadString, "Bad string"},
    {ErrCircularReference, "Circular reference"},
    {ErrInvalidName, "Invalid name"},
    {ErrPredefinedName, "Cannot use predefined name"},
    {ErrNameExists, "Name already exists"},
    {ErrFunctionExists, "Function already exists"},
    {ErrVariableExists, "Variable already exists"},
    {ErrExpressionVariableExists, "Expression variable already exists"},
    {ErrConstantExists, "Constant already exists"},
    {ErrConversionExists, "Conversion already exists"},
    {ErrInvalidEquation, "Invalid equation"},
    {ErrInvalidFunction, "Invalid function"},
    {ErrInvalidVariable, "Invalid variable"},
    {ErrInvalidExpressionVariable, "Invalid expression variable"},
    {ErrInvalidRange, "Invalid range"},
    {ErrOutOfMemory, "Out of memory"},
    {ErrSingularMatrix, "Singular matrix encountered"},
    {ErrMaxIterations, "Maximum iterations exceeded"},
    {ErrNoSolutions, "No solutions found"},
    {ErrArgumentsNotMatching, "Arguments not matching"},
    {ErrDivisionByZero, "Division by zero"},
    {ErrSqrtOfNegative, "Cannot take square root of negative number"},
    {ErrLogOfNonPositive, "Cannot determine logarithm of non-positive number"},
    {ErrNotSupported, "Operation not supported"},
    {ErrPositiveInfinity, "Positive infinity"},
    {ErrNegativeInfinity, "Negative infinity"},
    {ErrNotANumber, "Not a number"},
    {ErrDomain, "Invalid argument"},
    {ErrRange, "Number out of range"},
    {ErrXRequired, "The variable x is required in this expression"},
    {ErrReservedName, "Reserved name"},
    {ErrFitParameterRequired, "At least one fit parameter is required"},
    {ErrTooFewParameters, "Two few parameters"},
    {ErrContainsUserFunction, "Cannot contain other user function(s)"},
    {ErrTooFewDataPoints, "Too few data points"},
    {ErrUnknown, "Unknown Error"},
};
// clang-format on

// Each row sits at the index of its code, so a code added to the enum without its text (or a
// text out of place) fails to compile.
constexpr bool RowsFollowCodes()
{
    for (int i = 0; i < EngineErrorCodeCount; ++i)
        if (ErrorTexts[i].code != i)
            return false;
    return true;
}
static_assert(std::size(ErrorTexts) == EngineErrorCodeCount && RowsFollowCodes());

} // namespace

CString GetErrorText(int code)
{
    if (code >= 0 && code < EngineErrorCodeCount)
        return CString(ErrorTexts[code].text);
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
