#include "tests/engine/EngineTestSupport.h"

#include "engine/NumberFormat.h"
#include "engine/NumberText.h"

#include <cmath>
#include <limits>
#include <string>

namespace {

class NumberFormatTest : public EngineTest {};

struct FormatCase {
    int mode;
    int decimals;
    double value;
    const char* text;
};

constexpr double Inf = std::numeric_limits<double>::infinity();

TEST_F(NumberFormatTest, SixModes)
{
    const FormatCase cases[] = {
        {FormatModeGeneral, 5, 0, "0"},
        {FormatModeGeneral, 5, 1.0 / 3, "0.333333333333333"},
        {FormatModeGeneral, 5, -2.5, "-2.5"},
        {FormatModeGeneral, 5, 1e-20, "1e-020"},
        {FormatModeGeneral, 5, 1.5e300, "1.5e+300"},
        {FormatModeGeneral, 5, 123456789012345678.0, "1.23456789012346e+017"},
        {FormatModeGeneral, 5, 0.1 + 0.2, "0.3"},
        {FormatModeGeneral, 5, 100000, "100000"},
        {FormatModeNumber, 3, 2.5, "2.500"},
        {FormatModeNumber, 3, 0, "0.000"},
        {FormatModeNumber, 3, -1.23456, "-1.235"},
        {FormatModeNumber, 3, 1e-9, "0.000"},
        {FormatModeNumber, 5, -1e-12, "0.00000"}, // rounds to zero: no sign
        {FormatModeNumber, 5, -0.000004, "0.00000"},
        {FormatModeNumber, 5, -0.000005, "-0.00001"},
        {FormatModeGeneral, 5, -0.0, "0"},
        {FormatModeStandard, 2, -1e-14, "0.00"},
        {FormatModeCurrency, 5, -0.001, "0.00"},
        {FormatModeNumber, 0, 2.7, "3"},
        {FormatModeNumber, 3, 1e20, "100000000000000000000.000"},
        {FormatModeStandard, 2, 1e14, "100000000000000.00"},
        {FormatModeStandard, 2, 1e15, "1.00e+015"},
        {FormatModeStandard, 2, -1e15, "-1.00e+015"},
        {FormatModeStandard, 2, 0, "0.00"},
        {FormatModeStandard, 2, 1e-14, "0.00"},
        {FormatModeStandard, 2, 1e-15, "1.00e-015"},
        {FormatModeStandard, 2, 12.346, "12.35"},
        {FormatModeScientific, 2, 12345, "1.23E+4"},
        {FormatModeScientific, 2, -12345, "-1.23E+4"},
        {FormatModeScientific, 2, 0, "0.00E+0"},
        {FormatModeScientific, 2, 99999, "1.00E+5"},
        {FormatModeScientific, 2, 9.999, "1.00E+1"},
        {FormatModeScientific, 2, 0.000123, "1.23E-4"},
        {FormatModeScientific, 2, 1e300, "1.00E+300"},
        {FormatModeScientific, 2, 1000, "1.00E+3"},
        {FormatModeScientific, 0, 1000, "1E+3"},
        {FormatModeScientific, -1, 12345, "1.2345E+4"},
        {FormatModeScientific, -1, 1.0 / 3, "3.33333333333333E-1"},
        {FormatModeEngineering, 2, 12300, "12.30E+3"},
        {FormatModeEngineering, 2, 0.00012, "120.00E-6"},
        {FormatModeEngineering, 2, 0, "0.00E+0"},
        {FormatModeEngineering, 2, 999999, "1.00E+6"},
        {FormatModeEngineering, 2, -4500, "-4.50E+3"},
        {FormatModeEngineering, 2, 1, "1.00E+0"},
        {FormatModeEngineering, 2, 0.5, "500.00E-3"},
        {FormatModeEngineering, 2, 1e-300, "1.00E-300"},
        {FormatModeEngineering, -1, 12345, "12.345E+3"},
        {FormatModeCurrency, 5, 1234567.891, "1,234,567.89"},
        {FormatModeCurrency, 5, -123456, "-123,456.00"},
        {FormatModeCurrency, 5, 0, "0.00"},
        {FormatModeCurrency, 5, 999.999, "1,000.00"},
        {FormatModeCurrency, 5, -12, "-12.00"},
        {FormatModeCurrency, 5, 100, "100.00"},
    };
    for (const FormatCase& c : cases) {
        CNumberFormat f;
        f.m_nMode = c.mode;
        f.SetDecimals(c.decimals);
        EXPECT_STREQ(f.Format(c.value), c.text)
            << "mode " << c.mode << " decimals " << c.decimals << " value " << c.value;
    }
}

TEST_F(NumberFormatTest, NonFiniteValuesHaveFixedTexts)
{
    for (int mode = 0; mode <= 5; ++mode) {
        CNumberFormat f;
        f.m_nMode = mode;
        EXPECT_STREQ(f.Format(Inf), "INF") << "mode " << mode;
        EXPECT_STREQ(f.Format(-Inf), "-INF") << "mode " << mode;
        EXPECT_STREQ(f.Format(std::nan("")), "NAN") << "mode " << mode;
    }
}

TEST_F(NumberFormatTest, CommaConvention)
{
    UseCommaSeparators();
    CNumberFormat f;
    f.m_nMode = FormatModeCurrency;
    EXPECT_STREQ(f.Format(1234567.891), "1.234.567,89");
    f.m_nMode = FormatModeNumber;
    EXPECT_STREQ(f.Format(2.5), "2,50");
    f.m_nMode = FormatModeScientific;
    EXPECT_STREQ(f.Format(12345), "1,23E+4");
    EXPECT_STREQ(f.FormatPoint(1.5, -2), "(x = 1,50E+0; y = -2,00E+0)");
}

TEST_F(NumberFormatTest, OtherModesUseTheFormatField)
{
    CNumberFormat f;
    f.m_nMode = 9;
    f.m_strFormat = "%.3e";
    EXPECT_STREQ(f.Format(1234), "1.234e+003");
    f.m_strFormat = "";
    EXPECT_STREQ(f.Format(0.5), "0.5");
    EXPECT_STREQ(f.m_strFormat, "%g");
    f.m_nMode = FormatModeNumber;
    f.SetDecimals(4);
    f.Format(1);
    EXPECT_STREQ(f.m_strFormat, "%.4f");
    EXPECT_DOUBLE_EQ(f.m_dRoundingUnit, 1e-4);
}

TEST_F(NumberFormatTest, EngineDefaultsAndPoints)
{
    CCalcEngine engine;
    EXPECT_EQ(engine.m_ResultFormat.m_nMode, FormatModeGeneral);
    EXPECT_EQ(engine.m_SolverFormat.m_nMode, FormatModeNumber);
    EXPECT_DOUBLE_EQ(engine.m_SolverFormat.m_dRoundingUnit, 1e-5);
    EXPECT_STREQ(engine.FormatNumber(1.0 / 3), "0.333333333333333");
    EXPECT_STREQ(engine.FormatPoint(1, 2.5), "(x = 1, y = 2.5)");
    EXPECT_STREQ(engine.FormatSolverPoint(1, 2.5), "(x = 1.00000, y = 2.50000)");
}

TEST_F(NumberFormatTest, DisplayBases)
{
    struct Case {
        int numberBase, oneShot;
        double value;
        const char* text;
        EngineErrorCode code;
    };
    const std::string ones(32, '1');
    const std::string minusOne = "0B" + ones;
    const Case cases[] = {
        {16, -1, 255.5, "0XFF  (Warning: truncated from decimal number 255.5)", ErrNone},
        {16, -1, 255, "0XFF", ErrNone},
        {10, 16, 31, "0X1F", ErrNone},
        {8, -1, 15, "0O17", ErrNone},
        {2, -1, 5, "0B101", ErrNone},
        {2, -1, -1, minusOne.c_str(), ErrNone},
        {16, 10, 12, "0D12", ErrNone},
        {10, -1, 1.0 / 3, "0.333333333333333", ErrNone},
        {10, 36, 35, "Z", ErrNone},
        {16, -1, -2147483648.0, "0X80000000", ErrNone},
        {16, -1, 3e9, "Number out of range", ErrRange},
        {2, -1, -3e9, "Number out of range", ErrRange},
        {16, -1, std::nan(""), "Number out of range", ErrRange},
    };
    for (const Case& c : cases) {
        CCalcEngine engine;
        engine.m_nNumberBase = c.numberBase;
        engine.m_nOneShotBase = c.oneShot;
        engine.m_Root.m_dValue = c.value;
        EXPECT_STREQ(engine.FormatResultInBase(), c.text)
            << "value " << c.value << " base " << c.numberBase;
        EXPECT_EQ(engine.GetErrorCode(), c.code) << "value " << c.value;
    }
}

TEST_F(NumberFormatTest, SplitMantissaExponent)
{
    struct Case {
        double x, m;
        int e;
    };
    const Case cases[] = {
        {1000, 1, 3},      {-0.00123, -1.23, -3}, {0, 0, 0},     {9.99, 9.99, 0},
        {1e-300, 1, -300}, {12345, 1.2345, 4},    {1e15, 1, 15},
    };
    for (const Case& c : cases) {
        int e = 99;
        EXPECT_DOUBLE_EQ(SplitMantissaExponent(c.x, e), c.m) << "x " << c.x;
        EXPECT_EQ(e, c.e) << "x " << c.x;
    }
    int e = 99;
    EXPECT_EQ(SplitMantissaExponent(Inf, e), Inf);
    EXPECT_EQ(e, 0);
}

TEST(NumberTextTest, ScanDecimal)
{
    struct Case {
        const char* text;
        char point;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"12", '.', true, 12},    {"1.5", '.', true, 1.5},  {".5", '.', true, 0.5},
        {"5.", '.', true, 5},     {"1e3", '.', true, 1000}, {"1E-3", '.', true, 0.001},
        {"2d2", '.', true, 200},  {"2D+2", '.', true, 200}, {"-4", '.', true, -4},
        {"1,5", ',', true, 1.5},  {"0.1", '.', true, 0.1},  {"1e-310", '.', true, 1e-310},
        {"1,5", '.', false, 0},   {"1.5", ',', false, 0},   {"", '.', false, 0},
        {".", '.', false, 0},     {"1e", '.', false, 0},    {"1e+", '.', false, 0},
        {"inf", '.', false, 0},   {"nan", '.', false, 0},   {"0x1p3", '.', false, 0},
        {"1e400", '.', false, 0}, {" 1", '.', false, 0},    {"1 ", '.', false, 0},
        {"1..2", '.', false, 0},
    };
    for (const Case& c : cases) {
        double v = 0;
        EXPECT_EQ(numtext::ScanDecimal(c.text, c.point, v), c.ok) << "text: " << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << "text: " << c.text;
        }
    }
}

TEST(NumberTextTest, ScanIntegerStaysWithin32Bits)
{
    struct Case {
        const char* text;
        int base;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"7FFFFFFF", 16, true, 2147483647},
        {"80000000", 16, false, 0},
        {"-80000000", 16, true, -2147483647 - 1},
        {"1010", 2, true, 10},
        {"12", 2, false, 0},
        {"777", 8, true, 511},
        {"z", 36, true, 35},
        {"", 10, false, 0},
        {"-", 10, false, 0},
        {"99999999999999999999", 10, false, 0},
    };
    for (const Case& c : cases) {
        int v = 0;
        EXPECT_EQ(numtext::ScanInteger(c.text, c.base, v), c.ok) << "text: " << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << "text: " << c.text;
        }
    }
}

TEST(NumberTextTest, PrintfForms)
{
    EXPECT_STREQ(numtext::General(255.5, 6, '.', true), "255.5");
    EXPECT_STREQ(numtext::General(1.5e10, 6, '.', true), "1.5E+010");
    EXPECT_STREQ(numtext::Exponent(1234.5, 1, ','), "1,2e+003");
    EXPECT_STREQ(numtext::Printf("x=%.2f%%", 3.14159, '.'), "x=3.14%");
    EXPECT_STREQ(numtext::Printf("%q", 2, '.'), "2");
    EXPECT_STREQ(numtext::Integer(5, true), "+5");
    EXPECT_STREQ(numtext::IntegerInBase(-1, 16), "ffffffff");
    EXPECT_STREQ(numtext::IntegerInBase(-10, 10), "-10");
}

} // namespace
