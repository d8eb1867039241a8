#include "tools/root-truth/RootTruthJudge.h"

#include "tools/root-truth/RootTruthRoads.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

// The tolerance a road works to: the decimals asked, and FZERO its own 1e-5 at any decimals (the
// workspace passes it no tolerance).
double Tolerance(TruthRoad road, int decimals)
{
    return road == TruthRoad::Fzero ? 1e-5 : std::max(std::pow(10.0, -decimals), 1e-15);
}

double Ulp(long double x)
{
    const double d = std::fabs(double(x));
    return std::nextafter(d, std::numeric_limits<double>::infinity()) - d;
}

// How far a listed point may lie from root r.
double Allowed(const TruthRoot& r, double tol)
{
    return std::max({tol, 4 * Ulp(r.value), r.noise});
}

// Whether z is a root of a case whose roots repeat: beyond the roots listed, the nearest of the
// family offset + k period, in long double (which holds z - k period to 1e-19 |z|).
bool OnPeriod(const TruthCase& c, double z, double tol, double shown)
{
    if (c.period == 0)
        return false;
    double noise = 0;
    for (const TruthRoot& r : c.roots)
        noise = std::max(noise, r.noise);
    const double allowed = std::max({tol, 4 * Ulp(z), noise}) + shown;
    if (allowed >= c.period / 2)
        return true; // every double there lies beside a root
    for (long double o : c.offsets)
        if (std::fabs(std::remainder((long double)z - o, c.period)) <= allowed)
            return true;
    return false;
}

RoadResult Travel(const TruthRun& run)
{
    const TruthCase& c = *run.c;
    switch (run.road) {
    case TruthRoad::Model:
        return SolveAsModel(c.equation, c.a, c.b, run.decimals, run.steps);
    case TruthRoad::Zeros:
        return FindZerosAsGraph(c.Expression(), c.a, c.b, run.decimals, run.steps);
    default:
        break;
    }
    const auto [lo, hi] = run.root >= 0 ? std::pair(c.roots[run.root].lo, c.roots[run.root].hi)
                                        : c.brackets[run.bracket];
    return FzeroAsLine(c.Expression(), lo, hi, run.decimals);
}

std::string Numbers(const std::vector<int>& xs)
{
    std::string text;
    for (int x : xs)
        text += (text.empty() ? "" : ",") + std::to_string(x);
    return text.empty() ? "-" : text;
}

} // namespace

std::string TruthRun::Key() const
{
    std::string key = c->name + " " + RoadLetter(road) + " " + std::to_string(decimals) + "/";
    if (road != TruthRoad::Fzero)
        return key + std::to_string(steps);
    return key + (root >= 0 ? "r" + std::to_string(root + 1) : "b" + std::to_string(bracket + 1));
}

std::string TruthVerdict::Line() const
{
    std::string line = run.Key() + " code=" + std::to_string(code) +
                       " listed=" + std::to_string(listed.size()) +
                       " roots=" + std::to_string(roots) + " required=" + std::to_string(required) +
                       " found=" + Numbers(found) + " missing=" + Numbers(missing) + " nonroots=";
    char number[32];
    for (std::size_t i = 0; i < nonRoots.size(); ++i) {
        std::snprintf(number, sizeof number, "%s%.17g", i ? "," : "", nonRoots[i]);
        line += number;
    }
    if (nonRoots.empty())
        line += "-";
    if (failed)
        line += " failed";
    if (nothingOnZero)
        line += " nothing-on-zero";
    return line;
}

std::vector<TruthRun> TruthRuns(const std::vector<TruthCase>& cases, bool slice)
{
    std::vector<TruthRun> runs;
    // A slice keeps a fifth of the scan settings and a third of FZERO's decimals, chosen by the
    // run alone, so that a class judged apart keeps the same runs.
    const auto kept = [slice](const TruthRun& run, unsigned every) {
        unsigned hash = 2166136261u;
        for (char ch : run.c->name + RoadLetter(run.road) + std::to_string(run.setting))
            hash = (hash ^ static_cast<unsigned char>(ch)) * 16777619u;
        return !slice || hash % every == 0;
    };
    for (const TruthCase& c : cases) {
        for (TruthRoad road : {TruthRoad::Model, TruthRoad::Zeros})
            for (int s = 0; s < kTruthScanSettings && c.Runs(road); ++s) {
                const TruthRun run{&c, road, kTruthDecimals[s / 3], kTruthSteps[s % 3], -1, -1, s};
                if (kept(run, 5))
                    runs.push_back(run);
            }
        for (int d = 0; d < 6 && c.Runs(TruthRoad::Fzero); ++d) {
            if (!kept({&c, TruthRoad::Fzero, 0, 0, -1, -1, d}, 3))
                continue;
            for (int i = 0; i < int(c.roots.size()); ++i)
                if (c.roots[std::size_t(i)].bracketed)
                    runs.push_back({&c, TruthRoad::Fzero, kTruthDecimals[d], 0, i, -1, d});
            for (int k = 0; k < int(c.brackets.size()); ++k)
                runs.push_back({&c, TruthRoad::Fzero, kTruthDecimals[d], 0, -1, k, d});
        }
    }
    return runs;
}

TruthVerdict JudgeRun(const TruthRun& run, double seconds)
{
    const TruthCase& c = *run.c;
    TruthVerdict v;
    v.run = run;
    SetCommandBudget(seconds, c.cut ? kCutWork : -1);
    const auto start = std::chrono::steady_clock::now();
    const RoadResult result = Travel(run);
    v.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    v.code = result.code;
    v.listed = result.listed;
    v.failed = result.failed || !result.keptVariable;
    const double tol = Tolerance(run.road, run.decimals), shown = result.shownWithin;
    const int road = int(run.road);
    for (double z : v.listed) {
        bool root = c.zero && z >= c.zeroLo - shown && z <= c.zeroHi + shown;
        for (const TruthRoot& r : c.roots)
            root = root || std::fabs(z - r.value) <= Allowed(r, tol) + shown;
        if (!root && !OnPeriod(c, z, tol, shown))
            v.nonRoots.push_back(z);
    }
    for (int i = 0; i < int(c.roots.size()); ++i) {
        if (run.road == TruthRoad::Fzero && i != run.root)
            continue;
        const TruthRoot& r = c.roots[std::size_t(i)];
        const char mark = r.mask[road][std::size_t(run.setting)];
        if (mark == '-')
            continue;
        ++v.roots;
        bool found = false;
        for (double z : v.listed)
            found = found || std::fabs(z - r.value) <= Allowed(r, tol) + shown;
        if (found)
            v.found.push_back(i + 1);
        if (mark == '1') {
            ++v.required;
            if (!found)
                v.missing.push_back(i + 1);
        }
    }
    v.nothingOnZero = c.zero && run.road != TruthRoad::Fzero && v.listed.empty();
    return v;
}
