// Whole powers where they leave the normal doubles, which take their own route: in every rounding
// mode and at either x87 precision, the double the exact power rounds to, and the underflow flag
// where that double is tiny and inexact.
#include "numeric/ExtendedPrecision.h"
#include "numeric/RoundingMode.h"
#include "numeric/UnderflowFlag.h"
#include "tests/numeric/OracleCheck.h"

#include <gtest/gtest.h>

namespace {

using special_check::SameBits;

struct EdgeRow {
    double x;
    int n;
    double nearest, upward, downward;
    bool underflows;
};

// tools/make-truth-tables
const EdgeRow kEdges[] = {
#include "tests/numeric/WholePowerEdgeTable.inc"
};

double PowerOf(const EdgeRow& row)
{
    volatile double x = row.x;
    return ExtendedWholePower(x, unsigned(row.n < 0 ? -row.n : row.n), row.n < 0);
}

void ExpectEdgesRoundedAsTheTruth(const char* precision)
{
    const struct {
        int mode;
        const char* name;
        double EdgeRow::*truth;
    } modes[] = {{FE_TONEAREST, "nearest", &EdgeRow::nearest},
                 {FE_UPWARD, "upward", &EdgeRow::upward},
                 {FE_DOWNWARD, "downward", &EdgeRow::downward}};
    for (const auto& mode : modes) {
        SetRounding(mode.mode);
        for (const EdgeRow& row : kEdges) {
            ClearUnderflowFlag();
            const double value = PowerOf(row);
            const bool underflowed = UnderflowFlagRaised();
            EXPECT_TRUE(SameBits(value, row.*mode.truth))
                << row.x << "^" << row.n << " rounded " << mode.name << " at " << precision << ": "
                << value << ", truth " << row.*mode.truth;
            if (mode.mode == FE_TONEAREST) {
                EXPECT_EQ(underflowed, row.underflows) << row.x << "^" << row.n;
            }
        }
    }
    SetRounding(FE_TONEAREST);
}

TEST(ExtendedPrecision, WholePowersAtTheEdgesOfTheDoubles)
{
    ExpectEdgesRoundedAsTheTruth("64 bits");
#if defined(__x86_64__)
    unsigned short extended;
    __asm__ volatile("fnstcw %0" : "=m"(extended));
    const unsigned short narrow = (extended & ~0x300) | 0x200;
    __asm__ volatile("fldcw %0" : : "m"(narrow));
    ExpectEdgesRoundedAsTheTruth("53 bits");
    __asm__ volatile("fldcw %0" : : "m"(extended));
#endif
}

} // namespace
