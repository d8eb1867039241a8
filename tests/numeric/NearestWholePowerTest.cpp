// Whole powers x^n and x^-n from n = 2 to 16, by each method the program may take, checked
// against exact rational arithmetic: the result must be the double nearest the power, ties to
// even. The bases are random across the normal doubles, and chosen where rounding is hardest:
// bases of 54/n significant bits, whose powers lie on midpoints between doubles, bases next to
// 1, and bases whose powers lie next to the ends of the pairs' range (2^-900, 2^900) and of the
// normal doubles.
#include "numeric/NearestWholePower.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

// A whole number in 32-bit digits, least significant first: only what the check below needs.
class Whole {
public:
    explicit Whole(std::uint64_t v) : m_digits{std::uint32_t(v), std::uint32_t(v >> 32)} {}

    Whole& MultiplyBy(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (std::uint32_t& d : m_digits) {
            carry += std::uint64_t(d) * factor;
            d = std::uint32_t(carry);
            carry >>= 32;
        }
        if (carry != 0)
            m_digits.push_back(std::uint32_t(carry));
        return *this;
    }
    // Times a factor below 2^64, as two 32-bit halves: a f = (a hi) 2^32 + a lo.
    Whole& MultiplyBy(std::uint64_t factor)
    {
        Whole high = *this;
        high.MultiplyBy(std::uint32_t(factor >> 32)).Shift(32);
        MultiplyBy(std::uint32_t(factor));
        return Add(high);
    }
    Whole& Shift(int bits)
    {
        m_digits.insert(m_digits.begin(), size_t(bits / 32), 0u);
        for (int i = 0; i < bits % 32; ++i)
            MultiplyBy(2u);
        return *this;
    }
    Whole& Add(const Whole& b)
    {
        m_digits.resize(std::max(m_digits.size(), b.m_digits.size()) + 1, 0u);
        std::uint64_t carry = 0;
        for (size_t i = 0; i < m_digits.size(); ++i) {
            carry += std::uint64_t(m_digits[i]) + (i < b.m_digits.size() ? b.m_digits[i] : 0u);
            m_digits[i] = std::uint32_t(carry);
            carry >>= 32;
        }
        return *this;
    }
    // -1, 0 or 1 as a < b, a == b, a > b.
    friend int Compare(Whole a, Whole b)
    {
        a.Trim();
        b.Trim();
        if (a.m_digits.size() != b.m_digits.size())
            return a.m_digits.size() < b.m_digits.size() ? -1 : 1;
        for (size_t i = a.m_digits.size(); i-- > 0;)
            if (a.m_digits[i] != b.m_digits[i])
                return a.m_digits[i] < b.m_digits[i] ? -1 : 1;
        return 0;
    }

private:
    void Trim()
    {
        while (m_digits.size() > 1 && m_digits.back() == 0)
            m_digits.pop_back();
    }
    std::vector<std::uint32_t> m_digits;
};

// |v| = significand 2^exponent, the significand a whole number of 53 bits (v normal).
struct Parts {
    std::uint64_t significand;
    int exponent;
};

Parts PartsOf(double v)
{
    int e = 0;
    const double fraction = std::frexp(std::fabs(v), &e); // in [1/2, 1)
    return {std::uint64_t(std::ldexp(fraction, 53)), e - 53};
}

// The sign of |x|^n (|x|^-n when negative) - a 2^e, from whole numbers: m^n 2^(n f) against
// a 2^e, or 2^(-n f) against a m^n 2^e, for |x| = m 2^f.
int CompareWithPower(double x, int n, bool negative, std::uint64_t a, int e)
{
    const Parts base = PartsOf(x);
    Whole power(1);
    for (int i = 0; i < n; ++i)
        power.MultiplyBy(base.significand);
    const int scale = n * base.exponent;
    if (negative) {
        Whole one(1);
        power.MultiplyBy(a);
        const int k = -scale - e; // 2^k against a m^n
        return k >= 0 ? Compare(one.Shift(k), power) : Compare(one, power.Shift(-k));
    }
    Whole other(a);
    const int k = scale - e; // m^n 2^k against a
    return k >= 0 ? Compare(power.Shift(k), other) : Compare(power, other.Shift(-k));
}

// Whether r is the double nearest x^n (x^-n when negative), ties to even, for a normal r.
testing::AssertionResult IsNearestPower(double x, int n, bool negative, double r)
{
    const bool sign = x < 0 && n % 2 == 1;
    if (!std::isnormal(r) || std::signbit(r) != sign)
        return testing::AssertionFailure() << "r = " << r;
    const Parts p = PartsOf(r); // r = R 2^q; the midpoints (2R +- 1) 2^(q-1), below a power of 2
    const bool even = p.significand % 2 == 0;
    const bool lowest = p.significand == std::uint64_t(1) << 52; // (4R - 1) 2^(q-2)
    const int above = CompareWithPower(x, n, negative, 2 * p.significand + 1, p.exponent - 1);
    const int below = lowest
                          ? CompareWithPower(x, n, negative, 4 * p.significand - 1, p.exponent - 2)
                          : CompareWithPower(x, n, negative, 2 * p.significand - 1, p.exponent - 1);
    if ((above < 0 || (above == 0 && even)) && (below > 0 || (below == 0 && even)))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "r = " << r << " lies " << (above >= 0 ? "below" : "above")
           << " the power's nearest double";
}

struct Case {
    double x;
    int n;
    bool negative;
};

// Bases whose powers are normal doubles: random ones, and the hard ones of the header.
std::vector<Case> Cases()
{
    std::mt19937_64 random(20261209);
    std::vector<Case> cases;
    auto add = [&](double x, int n) {
        for (bool negative : {false, true})
            cases.push_back({random() % 2 ? -x : x, n, negative});
    };
    for (int n = 2; n <= 16; ++n) {
        const int lowest = -(1020 / n), highest = 1020 / n - 1;
        for (int i = 0; i < 600; ++i) {
            const int e = lowest + int(random() % unsigned(highest - lowest + 1));
            add(std::ldexp(1.0 + double(random() >> 12) * 0x1p-52, e), n);
        }
        for (int bits = 54 / n - 1; bits <= 54 / n + 2; ++bits)
            for (int i = 0; i < 50; ++i) {
                const std::uint64_t odd =
                    (random() >> (65 - bits)) | 1 | std::uint64_t(1) << (bits - 1);
                add(std::ldexp(double(odd), int(random() % 40) - 20 - bits), n);
            }
        for (int k = -40; k <= 40; ++k)
            add(1.0 + k * 0x1p-52, n);
        for (double end : {0x1p-1020, 0x1p-900, 0x1p900, 0x1p1020})
            for (int k = -3; k <= 3; ++k)
                add(std::pow(end, 1.0 / n) * (1 + k * 0x1p-50), n);
    }
    return cases;
}

class WholePowerByMethod : public testing::TestWithParam<WholePowerMethod> {
protected:
    void SetUp() override
    {
        if (!ForceWholePowerMethod(GetParam()))
            GTEST_SKIP() << "the processor has no fused multiply-add";
    }
    void TearDown() override { ForceWholePowerMethod(WholePowerMethod::Fastest); }
};

TEST_P(WholePowerByMethod, GivesTheDoubleNearestTheExactPower)
{
    int checked = 0;
    for (const Case& c : Cases()) {
        if (std::fabs(c.n * std::log2(std::fabs(c.x))) > 1021.9)
            continue; // beyond the normal doubles: WholePowersAtTheEdgesOfTheDoubles
        const double r = NearestWholePower(c.x, unsigned(c.n), c.negative);
        EXPECT_TRUE(IsNearestPower(c.x, c.n, c.negative, r))
            << c.x << "^" << (c.negative ? "-" : "") << c.n;
        ++checked;
    }
    EXPECT_GT(checked, 25000);
}

INSTANTIATE_TEST_SUITE_P(Methods, WholePowerByMethod,
                         testing::Values(WholePowerMethod::Split, WholePowerMethod::Fused,
                                         WholePowerMethod::Exact),
                         [](const testing::TestParamInfo<WholePowerMethod>& method) {
                             return method.param == WholePowerMethod::Split   ? "SplitProducts"
                                    : method.param == WholePowerMethod::Fused ? "FusedProducts"
                                                                              : "WholeNumbers";
                         });

} // namespace
