#include "engine/Finance.h"
#include "engine/EngineErrors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct FinanceCase {
    const char* what;
    double value;
    double expected;
    double tolerance;
};

TEST(Finance, AnnuityValues)
{
    const FinanceCase cases[] = {
        {"PMT(1%, 12, 1000)", CalcPMT(0.01, 12, 1000, 0, 0), -88.8488, 5e-5},
        {"PMT(1%, 12, 1000) at start", CalcPMT(0.01, 12, 1000, 0, 1), -87.9691, 5e-5},
        {"PMT at rate 0", CalcPMT(0, 10, 1000, 0, 0), -100.0, 1e-12},
        {"PV at rate 0", CalcPV(0, 10, -100, 0, 0), 1000.0, 1e-12},
        {"PV(10%, 10, -100)", CalcPV(0.1, 10, -100, 0, 0), 614.4567106, 1e-6},
        {"PV(10%, 10, -100) at start", CalcPV(0.1, 10, -100, 0, 1), 675.9023816, 1e-6},
        {"FV(5%, 10, 0, -1000)", CalcFV(0.05, 10, 0, -1000, 0), 1628.894627, 5e-7},
        {"FV at rate 0", CalcFV(0, 10, -10, -100, 0), 200.0, 1e-12},
        {"FV(1%, 12, -100) at start", CalcFV(0.01, 12, -100, 0, 1), 1280.9328, 5e-5},
        {"NPER(1%, -88.8488, 1000)", CalcNPER(0.01, -88.8488, 1000, 0, 0), 12.0, 1e-4},
        {"NPER at rate 0", CalcNPER(0, -100, 1000, 0, 0), 10.0, 1e-12},
        {"EFR(12%, 12)", CalcEFR(0.12, 12), 0.126825, 5e-7},
        {"APR(EFR(12%, 12), 12)", CalcAPR(CalcEFR(0.12, 12), 12), 0.12, 1e-12},
        // A tiny rate keeps its digits: 1 + rate would round most of them away.
        {"PV(1e-12, 360, -100)", CalcPV(1e-12, 360, -100, 0, 0), 35999.999993502, 1e-8},
        {"FV(1e-12, 360, -100)", CalcFV(1e-12, 360, -100, 0, 0), 36000.000006462, 1e-8},
        {"PMT(1e-12, 360, 1000)", CalcPMT(1e-12, 360, 1000, 0, 0), -2.7777777782791667, 1e-15},
        {"NPER(1e-12, PMT, 1000)", CalcNPER(1e-12, -2.7777777782791667, 1000, 0, 0), 360, 1e-6},
        {"IPMT(1e-12, 1, 360, 1000)", CalcIPMT(1e-12, 1, 360, 1000, 0, 0), -1e-9, 1e-20},
        {"PPMT(1e-12, 1, 360, 1000)", CalcPPMT(1e-12, 1, 360, 1000, 0, 0), -2.7777777772791667,
         1e-15},
        {"EFR(1.2e-11, 12)", CalcEFR(1.2e-11, 12), 1.200000000006600e-11, 1e-22},
    };
    for (const FinanceCase& c : cases)
        EXPECT_NEAR(c.value, c.expected, c.tolerance) << c.what;
}

TEST(Finance, InterestAndPrincipalPartsAddUpToThePayment)
{
    for (int type = 0; type <= 1; ++type) {
        const double pmt = CalcPMT(0.01, 12, 1000, 0, type);
        double principal = 0.0;
        for (int per = 1; per <= 12; ++per) {
            const double ipmt = CalcIPMT(0.01, per, 12, 1000, 0, type);
            const double ppmt = CalcPPMT(0.01, per, 12, 1000, 0, type);
            EXPECT_NEAR(ipmt + ppmt, pmt, 1e-9) << "type " << type << " period " << per;
            principal += ppmt;
        }
        // The principal parts pay back the whole loan.
        EXPECT_NEAR(principal, -1000.0, 1e-9) << "type " << type;
    }
}

TEST(Finance, FirstPaymentAtStartCarriesNoInterest)
{
    EXPECT_EQ(CalcIPMT(0.01, 1, 12, 1000, 0, 1), 0.0);
    EXPECT_NEAR(CalcPPMT(0.01, 1, 12, 1000, 0, 1), -87.9691, 5e-5);
    // Second payment: interest on the balance left after the first payment.
    EXPECT_NEAR(CalcIPMT(0.01, 2, 12, 1000, 0, 1), -(1000 - 87.96908) * 0.01, 1e-6);
    // At the end of the period the first payment pays a whole period of interest.
    EXPECT_NEAR(CalcIPMT(0.01, 1, 12, 1000, 0, 0), -10.0, 1e-12);
}

TEST(Finance, DivisionByZeroIsAnErrorNotInfinity)
{
    struct ErrorCase {
        const char* what;
        double (*compute)(int*);
        EngineErrorCode code;
    };
    const ErrorCase cases[] = {
        {"PMT with 0 periods at rate 0", [](int* e) { return CalcPMT(0, 0, 1000, 0, 0, e); },
         ErrDivisionByZero},
        {"PMT with 0 periods", [](int* e) { return CalcPMT(0.05, 0, 1000, 0, 0, e); },
         ErrDivisionByZero},
        {"NPER with payment 0 at rate 0", [](int* e) { return CalcNPER(0, 0, 1000, 0, 0, e); },
         ErrDivisionByZero},
        {"NPER that never pays back", [](int* e) { return CalcNPER(0.1, -50, 1000, 0, 0, e); },
         ErrLogOfNonPositive},
        {"PV at rate -100%", [](int* e) { return CalcPV(-1, 5, -100, 0, 0, e); },
         ErrDivisionByZero},
        {"EFR with 0 periods", [](int* e) { return CalcEFR(0.1, 0, e); }, ErrDivisionByZero},
        {"APR with 0 periods", [](int* e) { return CalcAPR(0.1, 0, e); }, ErrDivisionByZero},
        {"IPMT with 0 periods", [](int* e) { return CalcIPMT(0, 1, 0, 1000, 0, 0, e); },
         ErrDivisionByZero},
    };
    for (const ErrorCase& c : cases) {
        int error = 0;
        const double value = c.compute(&error);
        EXPECT_EQ(error, c.code) << c.what;
        EXPECT_TRUE(std::isnan(value)) << c.what;
    }
}

TEST(Finance, RateByIteration)
{
    double rate = -1.0;
    EXPECT_EQ(CalcRate(rate, 12, -88.8488, 1000, 0, 0, 0.01), 0);
    EXPECT_NEAR(rate, 0.01, 1e-6);
    rate = -1.0;
    EXPECT_EQ(CalcRate(rate, 12, -87.9691, 1000, 0, 1, 0.05), 0);
    EXPECT_NEAR(rate, 0.01, 1e-6);
    // A guess of 0 makes both iterates equal: the secant is flat.
    rate = -1.0;
    EXPECT_EQ(CalcRate(rate, 12, -88.8488, 1000, 0, 0, 0.0), 1);
    EXPECT_EQ(rate, -1.0);
}

} // namespace
