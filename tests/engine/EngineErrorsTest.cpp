#include "engine/EngineErrors.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(EngineErrorsTest, FixedTexts)
{
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {
        {ErrNone, "No error occurred"},
        {ErrUnbalancedParenthesis, "Unbalanced parenthesis"},
        {ErrBadNumber, "Bad number"},
        {ErrOverflow, "Overflow"},
        {ErrInvalidArgument, "Invalid argument"},
        {ErrCircularReference, "Circular reference"},
        {ErrDomain, "Invalid argument"},
        {ErrRange, "Number out of range"},
        {ErrTooFewParameters, "Two few parameters"},
        {ErrUnknown, "Unknown Error"},
        {54, "Unknown error code: 54"},
        {-1, "Unknown error code: -1"},
        {1000000, "Unknown error code: 1000000"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(GetErrorText(c.code), c.text) << "code " << c.code;
}

TEST(EngineErrorsTest, ErrnoMapping)
{
    struct Case {
        int err;
        EngineErrorCode code;
    };
    for (Case c : {Case{0, ErrNone}, Case{EDOM, ErrBadArgument}, Case{ERANGE, ErrResultTooLarge},
                   Case{12345, ErrUnknown}}) {
        errno = c.err;
        EXPECT_EQ(ErrnoToErrorCode(), c.code) << "errno " << c.err;
    }
    errno = 0;
}

TEST(EngineErrorsTest, LibraryErrorsLandInErrno)
{
    errno = 0;
    GslErrorHandler("reason", "file", 1, 77);
    EXPECT_EQ(errno, 77);
    errno = 0;
}

} // namespace
