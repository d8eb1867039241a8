// The C runtime's functions as every program of the build calls them, against true values from
// 4000-bit arithmetic outside the program, within one ulp of the rounded truth. Each row broke a
// runtime: the doubles nearest to multiples of pi/2 lose up to 2^17 ulp in glibc's sin, cos and
// tan and every digit in the x87 unit's; whole powers and acosh near 1 lose hundreds of ulp on
// Windows, the arccosine near 1 2e5 ulp in extended precision, glibc's tanh 1.8 ulp.
#include "tests/numeric/OracleCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <math.h> // sincos, which both runtimes declare
#include <vector>

namespace {

using special_check::SameBits;
using special_check::UlpsFrom;

// The argument keeps the compiler from folding a call with a constant.
template <class T> T Opaque(T value)
{
    volatile T kept = value;
    return kept;
}

struct Circular {
    double x, sin, cos, tan;
};

TEST(RuntimeMath, CircularFunctionsAtTheDoublesNearestToMultiplesOfHalfPi)
{
    const Circular rows[] = {
        {45.553093477052, 1.0, -6.18980636588357700015e-19, -1.61555942284674826845e+18},
        {14461176.67027838, -1.0, -1.69850382989860037946e-18, 5.88753456069451063314e+17},
        {3.576149729694266e+39, -1.0, -1.8208566377382172893e-18, 5.49192055692068704769e+17},
        {1.5986289000543612e+74, -1.0, -4.79658475201232551131e-18, 2.08481670125909276713e+17},
        {2.4985407433100564e+123, 1.70960330300227087949e-17, -1.0, -1.70960330300227087949e-17},
        {6.876427452523946e+146, -1.0, 8.48387079380767250579e-18, -1.17870724850017061817e+17},
        {6.426511099577231e+173, -1.0, 2.48536628761853470176e-18, -4.02355179991676357178e+17},
        {9.312926614229972e+204, 1.0, 3.25664241655631700792e-18, 3.07064722524075444065e+17},
        {1.4918079000152377e+239, -1.0, -8.57202724589388797491e-18, 1.16658518611103685665e+17},
        {5.319372648326541e+255, 1.0, -4.68716592425462761112e-19, -2.13348538575370384367e+18},
        {3.924293714572882e+298, 1.0, 2.0149386674952238841e-18, 4.96293021783686799486e+17},
        {3.104181269033855e+307, -1.0, -6.46571876302612028076e-18, 1.5466184606086619378e+17},
    };
    for (const Circular& row : rows) {
        SCOPED_TRACE(testing::Message() << "x=" << row.x);
        const double x = Opaque(row.x);
        EXPECT_LE(UlpsFrom(std::sin(x), row.sin), 1.0);
        EXPECT_LE(UlpsFrom(std::cos(x), row.cos), 1.0);
        EXPECT_LE(UlpsFrom(std::tan(x), row.tan), 1.0);
        double s = 0, c = 0;
        ::sincos(x, &s, &c); // what the compiler calls for a sin and a cos of one argument
        EXPECT_LE(UlpsFrom(s, row.sin), 1.0);
        EXPECT_LE(UlpsFrom(c, row.cos), 1.0);
    }
}

TEST(RuntimeMath, WholePowersAndInverseHyperbolicCosineNearOne)
{
    const struct {
        double x, y, truth;
    } powers[] = {
        {1.84632928117124, -2.0, 0.293347023177009421497},
        {1.8514221865603522, 10.0, 473.210789250284248104},
        {1.0320855614326532, 64.0, 7.54753188531039551884},
        {1.9762220920988818, -50.0, 1.6151486650066751127e-15},
        {1.2102313092521209, 929.0, 9.65447960986582344978e+76},
        {-1.1, 1001.0, -2.71692620980662856102e+41},
        {1.5, 1750.0, 1.44445277457420273495e+308},
        {1.0000001, 2147483647.0, 1.83664481969073237895e+93},
        {1.0000001, -2147483648.0, 5.4447103178522954827e-94},
    };
    for (const auto& row : powers)
        EXPECT_LE(UlpsFrom(std::pow(Opaque(row.x), Opaque(row.y)), row.truth), 1.0)
            << row.x << "^" << row.y;
    const struct {
        double x, truth;
    } acoshRows[] = {
        {1.0000000000000002, 2.10734242554470155035e-8},
        {1.0001, 0.0141420177752515454977},
        {2.0, 1.31695789692481670863},
    };
    for (const auto& row : acoshRows)
        EXPECT_LE(UlpsFrom(std::acosh(Opaque(row.x)), row.truth), 1.0) << "acosh " << row.x;
}

struct Routed {
    const char* name;
    double (*f)(double x, double y);
};

// Every function the link routes, as the program calls it.
const Routed kRouted[] = {
    {"sin", [](double x, double) { return std::sin(Opaque(x)); }},
    {"cos", [](double x, double) { return std::cos(Opaque(x)); }},
    {"tan", [](double x, double) { return std::tan(Opaque(x)); }},
    {"asin", [](double x, double) { return std::asin(Opaque(x)); }},
    {"acos", [](double x, double) { return std::acos(Opaque(x)); }},
    {"atan", [](double x, double) { return std::atan(Opaque(x)); }},
    {"sinh", [](double x, double) { return std::sinh(Opaque(x)); }},
    {"cosh", [](double x, double) { return std::cosh(Opaque(x)); }},
    {"tanh", [](double x, double) { return std::tanh(Opaque(x)); }},
    {"asinh", [](double x, double) { return std::asinh(Opaque(x)); }},
    {"acosh", [](double x, double) { return std::acosh(Opaque(x)); }},
    {"atanh", [](double x, double) { return std::atanh(Opaque(x)); }},
    {"exp", [](double x, double) { return std::exp(Opaque(x)); }},
    {"expm1", [](double x, double) { return std::expm1(Opaque(x)); }},
    {"log", [](double x, double) { return std::log(Opaque(x)); }},
    {"log10", [](double x, double) { return std::log10(Opaque(x)); }},
    {"log1p", [](double x, double) { return std::log1p(Opaque(x)); }},
    {"pow", [](double x, double y) { return std::pow(Opaque(x), Opaque(y)); }},
    {"hypot", [](double x, double y) { return std::hypot(Opaque(x), Opaque(y)); }},
    {"atan2", [](double x, double y) { return std::atan2(Opaque(x), Opaque(y)); }},
    {"nextafter", [](double x, double y) { return std::nextafter(Opaque(x), Opaque(y)); }},
};

const Routed& RoutedFunction(const char* name)
{
    for (const Routed& r : kRouted)
        if (std::strcmp(r.name, name) == 0)
            return r;
    ADD_FAILURE() << "no routed function " << name;
    return kRouted[0];
}

struct TruthRow {
    const char* name;
    double x, y, truth;
};

// tools/make-truth-tables
const TruthRow kTruths[] = {
#include "tests/numeric/RuntimeMathTable.inc"
};

TEST(RuntimeMath, ElementaryFunctionsAtLargeTinyAndAwkwardArguments)
{
    for (const TruthRow& row : kTruths)
        EXPECT_LE(UlpsFrom(RoutedFunction(row.name).f(row.x, row.y), row.truth), 1.0)
            << row.name << "(" << row.x << ", " << row.y << ")";
    EXPECT_EQ(std::nextafter(Opaque(1.0), 2.0), 1.0 + 0x1p-52);
    EXPECT_EQ(std::nextafter(Opaque(0.0), -1.0), -0x1p-1074);
    EXPECT_EQ(std::nextafter(Opaque(-0x1p-1022), 0.0), -0x1p-1022 + 0x1p-1074);
}

#if defined(__x86_64__)
unsigned short X87ControlWord()
{
    unsigned short word;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}

void SetX87ControlWord(unsigned short word) { __asm__ volatile("fldcw %0" : : "m"(word)); }

// A thread Windows starts rounds x87 results to 53 bits, where the program's main thread keeps
// 64: every routed function gives the same bits at both, and leaves the thread's precision as
// it found it.
TEST(RuntimeMath, ResultsDoNotDependOnTheThreadsX87Precision)
{
    std::vector<TruthRow> rows(std::begin(kTruths), std::end(kTruths));
    for (const Routed& r : kRouted)
        for (double x : {-2.5, -0.7, 0.3, 0.9, 1.7, 3.25, 20.5, 100.0, 700.0})
            rows.push_back({r.name, x, 1.5 + x / 7, 0});
    for (double y : {3.0, 7.0, 16.0, 17.0, 33.0, -5.0, -64.0, 65.0, 0.5})
        for (double x : {0.6, 1.3, -1.9, 1e10, 1e-10})
            rows.push_back({"pow", x, y, 0});
    const unsigned short extended = X87ControlWord();
    const unsigned short narrow = (extended & ~0x300) | 0x200;
    for (const TruthRow& row : rows) {
        const Routed& f = RoutedFunction(row.name);
        const double wide = f.f(row.x, row.y);
        SetX87ControlWord(narrow);
        const double rounded = f.f(row.x, row.y);
        const unsigned short after = X87ControlWord();
        SetX87ControlWord(extended);
        EXPECT_TRUE(SameBits(rounded, wide))
            << row.name << "(" << row.x << ", " << row.y << "): " << rounded << " at 53 bits, "
            << wide << " at 64";
        EXPECT_EQ(after, narrow) << row.name;
    }
}
#endif

} // namespace
