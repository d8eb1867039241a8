#pragma once
// The work one evaluation may do, counted in node evaluations and bounded in time, so that no
// expression a user can type, and no command that evaluates one many times, holds the program
// for more than a few seconds.
#include "engine/ExprNode.h"

#include <algorithm>

// Seconds one outermost evaluation, or one command of many evaluations, may run before it ends
// with 35; tests lower it.
constexpr double MaxEvaluationSeconds = 4.0;
extern double EvaluationSecondsLimit;

// One outermost evaluation shares one work budget with everything it evaluates in turn (the
// calculus functions, FSUM, user functions and unit searches): EvaluationWorkLimit node
// evaluations and EvaluationSecondsLimit seconds, whichever runs out first; past either, 35
// "Maximum iterations exceeded". Each node evaluation is charged once (the compiled form charges
// the same evaluations in batches); the clock is read once per kClockCharges charges.
class EvaluationWork {
public:
    EvaluationWork()
    {
        if (s_depth++ == 0)
            Begin();
    }
    ~EvaluationWork()
    {
        if (--s_depth == 0)
            End();
    }
    EvaluationWork(const EvaluationWork&) = delete;
    EvaluationWork& operator=(const EvaluationWork&) = delete;

    // Counts one node evaluation; false once the budget is spent.
    static bool Charge() { return ++s_done <= s_limit || Extend(s_done); }
    // Counts work whose cost is known in node evaluations (the relations a unit search walks).
    static bool Charge(long long cost)
    {
        s_done += cost;
        return s_done <= s_limit || Extend(s_done);
    }
    // Node evaluations charged so far in the running outermost evaluation.
    static long long Done() { return s_done; }
    static void SetDone(long long done) { s_done = done; }
    // Done() as an evaluation starting now sees it: 0 when it is the outermost one.
    static long long DoneBefore() { return s_depth == 0 ? 0 : s_done; }
    // The charges an evaluation starting now may reach before it must ask Extend.
    static long long Limit()
    {
        if (s_depth != 0)
            return s_limit;
        return s_commandSpent ? -1 : std::min(EvaluationWorkLimit, s_clockLeft);
    }
    // The charges have reached done, beyond Limit(): true, with Limit() at or above done, when
    // neither the count nor the time is spent; the clock is read here.
    static bool Extend(long long done);
    // A program run outside any evaluation without asking Extend (its charges were within
    // Limit()) charged cost.
    static void ChargeUnnested(long long cost)
    {
        if (s_depth == 0)
            s_clockLeft -= cost;
    }

    static constexpr long long kClockCharges = 1 << 14;

private:
    friend class CommandWork;
    static void Begin();
    static void End();

    static inline int s_depth = 0;
    static inline long long s_done = 0;
    static inline long long s_limit = 0;
    // Charges until the clock is read next: s_nextClock within an evaluation, s_clockLeft
    // carried from one evaluation to the next.
    static inline long long s_nextClock = 0;
    static inline long long s_clockLeft = kClockCharges;
    // The running command's time is spent: every evaluation within it ends at once.
    static inline bool s_commandSpent = false;
};

// One user command that evaluates many times (a column fill or transform, a value table, the
// sampling of a graph) gets one budget in time for all its evaluations: once EvaluationSeconds-
// Limit seconds have passed since it began, every evaluation within it ends with 35 at once.
// Commands within a command share the outer one's budget.
class CommandWork {
public:
    CommandWork();
    ~CommandWork();
    CommandWork(const CommandWork&) = delete;
    CommandWork& operator=(const CommandWork&) = delete;

    // Whether the running command's time is spent.
    static bool Spent();
    // For tools that must find what a command finds whatever the machine's speed and load: each
    // command from now on may also charge work node evaluations in all, counted kClockCharges at
    // a time, before its time counts as spent; a negative work, no such bound (the program's).
    static void LimitWork(long long work);
    // The node evaluations the running or last command charged, counted so.
    static long long Charged();
};

// What work returns, done as one command (CommandWork) whose time ends with it, so that what
// follows (a report's points) is evaluated in time of its own.
template <class Work> auto AsOneCommand(Work&& work)
{
    const CommandWork command;
    return work();
}
