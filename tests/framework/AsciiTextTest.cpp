#include "framework/core/AsciiText.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* a;
    const char* b;
    int sign;
};

TEST(AsciiText, OnlyAsciiLettersFold)
{
    const NameCase cases[] = {
        {"Sin", "SIN", 0},
        {"abc", "abd", -1},
        {"x1", "X1", 0},
        {"", "", 0},
        {"a", "", 1},
        {"_a", "_A", 0},
        // Bytes above 127 are not letters here: e9 and c9 stay different.
        {"\xe9t\xe9", "\xc9T\xc9", 1},
        // '[' (0x5b) lies between the cases; folding must not move it.
        {"[", "a", -1},
        {"Z", "[", 1},
    };
    for (const auto& c : cases) {
        const int r = ascii::CompareNoCase(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
        EXPECT_EQ(-((r > 0) - (r < 0)),
                  [&] {
                      int s = ascii::CompareNoCase(c.b, c.a);
                      return (s > 0) - (s < 0);
                  }())
            << "not antisymmetric: " << c.a << " vs " << c.b;
    }
}

TEST(AsciiText, BoundedCompareStopsAtLimit)
{
    EXPECT_EQ(ascii::CompareNoCase("PLOTx", "plot3d", 4), 0);
    EXPECT_NE(ascii::CompareNoCase("PLOTx", "plot3d", 5), 0);
    EXPECT_EQ(ascii::CompareNoCase("ab", "AB", 10), 0);
}

} // namespace
