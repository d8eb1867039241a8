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
        {0, "No error occurred"},
        {1, "Unbalanced parenthesis"},
        {11, "Bad number"},
        {12, "Overflow"},
        {14, "Invalid argument"},
        {19, "Circular reference"},
        {45, "Invalid argument"},
        {46, "Number out of range"},
        {50, "Two few parameters"},
        {53, "Unknown Error"},
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
        int code;
    };
    for (Case c : {Case{0, 0}, Case{EDOM, 13}, Case{ERANGE, 17}, Case{12345, 53}}) {
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
