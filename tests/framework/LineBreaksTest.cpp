#include "framework/core/LineBreaks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(LineBreaks, PiecesEndAfterABlankOrOperatorElseAtTheWidth)
{
    struct Case {
        const char* line;
        int width; // characters that fit, all alike
        std::vector<int> starts;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"", 10, {0}},
             {"12345", 5, {0}},
             {"1.41421356237", 5, {0, 5, 10}},    // no break: at the width
             {"a+b+c+d", 4, {0, 4}},              // after the last operator that fits
             {"x = 1.41421356*2", 8, {0, 4, 12}}, // after the blank, then at the width
             {"sin(x)*cos(x)", 10, {0, 7}},       // after ")*", not inside "cos("
             {"+123456", 3, {0, 3, 6}},           // never the first character alone
             {"abc", 0, {0, 1, 2}},               // nothing fits: a character a piece
             {"1,5;2", 4, {0, 4}},                // list separators
             {"a   b", 2, {0, 2, 4}},             // runs of blanks
             {"1.41e-10*2", 6, {0, 6}},           // not inside the exponent: at the width
             {"x = -5", 5, {0, 4}},               // the minus stays with its number
             {"2*(-3)+1", 5, {0, 2, 7}},          // nor one after "(", but a + after ")"
         }) {
        const int length = int(std::string(c.line).size());
        auto fits = [&](int start) { return std::min(c.width, length - start); };
        EXPECT_EQ(BreakLine(c.line, fits), c.starts) << c.line << " in " << c.width;
    }
    // Other break characters: none at all breaks at the width.
    EXPECT_EQ(BreakLine(
                  "a,b,c", [](int) { return 3; }, ""),
              (std::vector<int>{0, 3}));
}

} // namespace
