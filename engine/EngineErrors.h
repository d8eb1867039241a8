#pragma once
#include "framework/core/CString.h"

// The result of every engine operation: 0 is success, anything else indexes the fixed texts
// returned by GetErrorText. Parse errors also leave a position and ErrorSpanLength behind.
// clang-format off
enum EngineErrorCode : int {
    ErrNone = 0,
    ErrUnbalancedParenthesis = 1,
    ErrInvalidCharacter = 2,
    ErrUnexpectedCharacter = 3,
    ErrDanglingOperator = 4,
    ErrWrongArgumentCount = 5,
    ErrEmptyArgumentList = 6,
    ErrUnrecognizedFunction = 7,
    ErrMissingParenthesis = 8,
    ErrMissingEqualSign = 9,
    ErrDanglingEqualSign = 10,
    ErrBadNumber = 11,
    ErrOverflow = 12,
    ErrBadArgument = 13,
    ErrInvalidArgument = 14,
    ErrInvalidData = 15,
    ErrInvalidParameter = 16,
    ErrResultTooLarge = 17,
    ErrBadString = 18,
    ErrCircularReference = 19,
    ErrInvalidName = 20,
    ErrPredefinedName = 21,
    ErrNameExists = 22,
    ErrFunctionExists = 23,
    ErrVariableExists = 24,
    ErrExpressionVariableExists = 25,
    ErrConstantExists = 26,
    ErrConversionExists = 27,
    ErrInvalidEquation = 28,
    ErrInvalidFunction = 29,
    ErrInvalidVariable = 30,
    ErrInvalidExpressionVariable = 31,
    ErrInvalidRange = 32,
    ErrOutOfMemory = 33,
    ErrSingularMatrix = 34,
    ErrMaxIterations = 35,
    ErrNoSolutions = 36,
    ErrArgumentsNotMatching = 37,
    ErrDivisionByZero = 38,
    ErrSqrtOfNegative = 39,
    ErrLogOfNonPositive = 40,
    ErrNotSupported = 41,
    ErrPositiveInfinity = 42,
    ErrNegativeInfinity = 43,
    ErrNotANumber = 44,
    ErrDomain = 45,
    ErrRange = 46,
    ErrXRequired = 47,
    ErrReservedName = 48,
    ErrFitParameterRequired = 49,
    ErrTooFewParameters = 50,
    ErrContainsUserFunction = 51,
    ErrTooFewDataPoints = 52,
    ErrUnknown = 53,
};
// clang-format on

// Number of codes with a fixed text: every code of the enum.
constexpr int EngineErrorCodeCount = ErrUnknown + 1;

// The fixed English text of a code; any other code gives "Unknown error code: <code>".
CString GetErrorText(int code);

// Maps the current errno: 0 -> 0, EDOM -> 13, ERANGE -> 17, anything else -> 53.
int ErrnoToErrorCode();

// Special-function library error handler: stores the library's error number in errno and
// returns, so a library failure never aborts the program. Installed by InitCalcEngine.
void GslErrorHandler(const char* reason, const char* file, int line, int gslErrno);
