#pragma once
// The finance box's rules without its window: the payment frequencies, what each Calculate
// button solves for, how a result is shown, and its "FinanceBox" settings section.
#include "framework/core/CString.h"

class CProfileStore;

constexpr int kFrequencyCount = 7;
// "Annually" .. "Daily", the list of the payment frequency.
extern const char* const kFrequencyNames[kFrequencyCount];
extern const char* const kTimingNames[2];
// Periods in a year of a frequency; 12 for an index outside the list.
int PeriodsPerYear(int frequency);

// The box's values: the rate in percent a year, the duration in years.
struct FinanceValues {
    int nFrequency = 4; // Monthly
    int nTiming = 0;    // 0 end of period, 1 start
    double dRate = 0;
    double dFutureValue = 0;
    double dPayment = 0;
    double dPresentValue = 0;
    double dDuration = 0;
};

enum FinanceQuantity { SolvePresentValue, SolveFutureValue, SolvePayment, SolveDuration };
// The quantity solved from the others; infinite or NaN when the values allow no result.
double SolveFinance(FinanceQuantity quantity, const FinanceValues& values);

enum RateOutcome { RateFound, RateNone, RateNotConverged };
// The annual rate in percent by iteration from a guess in percent: found (a positive rate),
// none (the iteration ends at zero or below), or not converged (another guess may help).
RateOutcome SolveRate(const FinanceValues& values, double guessPercent, double& ratePercent);

// A result as its field shows it: two decimals, "0" for what reads as zero; FALSE when the
// result is infinite or not a number.
BOOL FinanceResultText(double value, CString& text);

// The "FinanceBox" section.
struct FinanceBoxSettings {
    int nLeft = -1;
    int nTop = -1;
    int nVisible = 0;
};
void ReadFinanceBoxSettings(CProfileStore& store, FinanceBoxSettings& settings);
void WriteFinanceBoxSettings(CProfileStore& store, const FinanceBoxSettings& settings);
