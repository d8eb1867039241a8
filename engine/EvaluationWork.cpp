#include "engine/EvaluationWork.h"

#include <algorithm>
#include <chrono>

double EvaluationSecondsLimit = MaxEvaluationSeconds;

namespace {

using Clock = std::chrono::steady_clock;

// The time budget: set at a command's start, or at an evaluation's first look at the clock.
struct Deadline {
    Clock::time_point at;
    bool set = false;
    bool passed = false;
    int commands = 0;      // commands running, nested ones included
    long long charged = 0; // by the outermost command, at each reading of the clock
};

Deadline g_deadline;
long long g_workLimit = -1;

Clock::time_point FromNow()
{
    return Clock::now() + std::chrono::duration_cast<Clock::duration>(
                              std::chrono::duration<double>(EvaluationSecondsLimit));
}

} // namespace

void EvaluationWork::Begin()
{
    s_done = 0;
    if (g_deadline.commands == 0) {
        g_deadline.set = false;
        g_deadline.passed = false;
    }
    s_nextClock = s_clockLeft;
    s_limit = g_deadline.passed ? -1 : std::min(EvaluationWorkLimit, s_nextClock);
}

void EvaluationWork::End() { s_clockLeft = std::max<long long>(1, s_nextClock - s_done); }

bool EvaluationWork::Extend(long long done)
{
    if (g_deadline.passed || done > EvaluationWorkLimit)
        return false;
    if (g_deadline.commands > 0)
        g_deadline.charged += kClockCharges;
    if (!g_deadline.set) {
        g_deadline.at = FromNow();
        g_deadline.set = true;
    } else if ((g_deadline.commands > 0 && g_workLimit >= 0 && g_deadline.charged > g_workLimit) ||
               Clock::now() >= g_deadline.at) {
        g_deadline.passed = true;
        s_commandSpent = g_deadline.commands > 0;
        s_limit = -1;
        return false;
    }
    s_nextClock = done + kClockCharges;
    s_limit = std::min(EvaluationWorkLimit, s_nextClock);
    return true;
}

CommandWork::CommandWork()
{
    if (g_deadline.commands++ == 0) {
        g_deadline.at = FromNow();
        g_deadline.set = true;
        g_deadline.passed = false;
        g_deadline.charged = 0;
        EvaluationWork::s_commandSpent = false;
        EvaluationWork::s_clockLeft = EvaluationWork::kClockCharges;
    }
}

CommandWork::~CommandWork()
{
    if (--g_deadline.commands == 0) {
        g_deadline.set = false;
        g_deadline.passed = false;
        EvaluationWork::s_commandSpent = false;
    }
}

bool CommandWork::Spent() { return EvaluationWork::s_commandSpent; }

void CommandWork::LimitWork(long long work) { g_workLimit = work; }

long long CommandWork::Charged() { return g_deadline.charged; }
