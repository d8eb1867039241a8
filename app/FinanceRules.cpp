#include "app/FinanceRules.h"

#include "engine/Finance.h"
#include "engine/NumberText.h"
#include "framework/core/ProfileTable.h"

#include <cmath>

const char* const kFrequencyNames[kFrequencyCount] = {
    "Annually", "Semi-annually", "Quarterly", "Bi-monthly", "Monthly", "Semi-monthly", "Daily",
};
const char* const kTimingNames[2] = {"End of period", "Begin of period"};

namespace {

constexpr int kPeriods[kFrequencyCount] = {1, 2, 4, 6, 12, 24, 365};

constexpr ProfileKey<FinanceBoxSettings> kKeys[] = {
    IntProfileKey<&FinanceBoxSettings::nLeft>("Left", -1),
    IntProfileKey<&FinanceBoxSettings::nTop>("Top", -1),
    IntProfileKey<&FinanceBoxSettings::nVisible>("Visible", 0, &profile_rule::InRange<0, 1>),
};

} // namespace

int PeriodsPerYear(int frequency)
{
    return frequency >= 0 && frequency < kFrequencyCount ? kPeriods[frequency] : 12;
}

double SolveFinance(FinanceQuantity quantity, const FinanceValues& v)
{
    const double n = PeriodsPerYear(v.nFrequency);
    const double nper = n * v.dDuration;
    const double rate = v.dRate * 0.01 / n;
    switch (quantity) {
    case SolvePresentValue:
        return CalcPV(rate, nper, v.dPayment, v.dFutureValue, v.nTiming);
    case SolveFutureValue:
        return CalcFV(rate, nper, v.dPayment, v.dPresentValue, v.nTiming);
    case SolvePayment:
        return CalcPMT(rate, nper, v.dPresentValue, v.dFutureValue, v.nTiming);
    default:
        return CalcNPER(rate, v.dPayment, v.dPresentValue, v.dFutureValue, v.nTiming) / n;
    }
}

RateOutcome SolveRate(const FinanceValues& v, double guessPercent, double& ratePercent)
{
    const double n = PeriodsPerYear(v.nFrequency);
    double rate = 0;
    const int status = CalcRate(rate, n * v.dDuration, v.dPayment, v.dPresentValue, v.dFutureValue,
                                v.nTiming, guessPercent * 0.01 / n);
    if (status != 0)
        return RateNotConverged;
    if (!(rate > 0))
        return RateNone;
    ratePercent = n * rate * 100;
    return RateFound;
}

BOOL FinanceResultText(double value, CString& text)
{
    if (!std::isfinite(value))
        return FALSE;
    text = numtext::Fixed(value, 2, '.');
    double shown = 0;
    if (numtext::ScanDecimal(text.View(), '.', shown) && shown == 0)
        text = "0";
    return TRUE;
}

void ReadFinanceBoxSettings(CProfileStore& store, FinanceBoxSettings& settings)
{
    ReadProfileSection(store, "FinanceBox", kKeys, settings);
}

void WriteFinanceBoxSettings(CProfileStore& store, const FinanceBoxSettings& settings)
{
    WriteProfileSection(store, "FinanceBox", kKeys, settings);
}
