// The judge of the root finders: runs the truth corpus through the program's solver models,
// Find Zeros and FZERO and prints, by class, the points listed that are not roots, the true
// roots found and the required roots found. With --check it fails on any fault that the list of
// known faults does not hold, and names listed faults that are gone.
#include "tools/root-truth/RootTruthJudge.h"
#include "tools/root-truth/RootTruthRoads.h"

#include "engine/EngineErrors.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace {

struct Options {
    std::string corpus = ZIVRA_ROOT_TRUTH_DIR, known, dump, only, writeKnown;
    bool check = false, slice = false;
    double seconds = 600; // the machine's speed decides nothing
};

struct KnownFault {
    std::set<int> missing;
    int nonRoots = 0;
    std::set<std::string> other;
};

// How long the runs took, against the program's 4 s per command: a figure, which the machine's
// load moves, and no verdict.
struct Timing {
    double slowest = 0;
    std::string slowestKey;
    int overQuarter = 0; // runs over 1 s
    int cutAtWork = 0;   // runs of cut cases that spent the judge's budget in work

    void Add(const TruthVerdict& v)
    {
        if (v.seconds > slowest) {
            slowest = v.seconds;
            slowestKey = v.run.Key();
        }
        overQuarter += v.seconds > 1.0 ? 1 : 0;
        cutAtWork += v.run.c->cut && v.code == ErrMaxIterations ? 1 : 0;
    }
    void Print() const
    {
        std::printf("slowest run %s, %.2f s; %d runs over 1 s, a quarter of the program's 4 s\n",
                    slowestKey.c_str(), slowest, overQuarter);
        std::printf("%d runs of cases that go on for long ended at the judge's %lld node "
                    "evaluations\n",
                    cutAtWork, kCutWork);
    }
};

struct Tally {
    int cases = 0, runs = 0, listed = 0, nonRoots = 0, roots = 0, found = 0, required = 0,
        requiredFound = 0, failed = 0, faults = 0;
};

const char kUsage[] =
    "usage: judge [--corpus DIR] [--only CLASS|CASE] [--slice] [--seconds S] [--dump FILE]\n"
    "             [--check [--known FILE]] [--write-known FILE]\n";

bool ReadOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        if (a == "--check")
            o.check = true;
        else if (a == "--slice")
            o.slice = true;
        else if (a == "--corpus" && more)
            o.corpus = argv[++i];
        else if (a == "--known" && more)
            o.known = argv[++i];
        else if (a == "--dump" && more)
            o.dump = argv[++i];
        else if (a == "--only" && more)
            o.only = argv[++i];
        else if (a == "--write-known" && more)
            o.writeKnown = argv[++i];
        else if (a == "--seconds" && more)
            o.seconds = std::atof(argv[++i]);
        else
            return false;
    }
    if (o.known.empty())
        o.known = o.corpus + "/known-faults.list";
    return true;
}

// The faults known to the list, by run: "key missing=.. nonroots=N [failed] [nothing-on-zero]".
std::map<std::string, KnownFault> ReadKnown(const std::string& path)
{
    std::map<std::string, KnownFault> known;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string name, road, setting, word;
        words >> name >> road >> setting;
        KnownFault& fault = known[name + " " + road + " " + setting];
        while (words >> word) {
            if (word.rfind("missing=", 0) == 0) {
                std::istringstream list(word.substr(8));
                for (std::string i; std::getline(list, i, ',');)
                    if (i != "-")
                        fault.missing.insert(std::stoi(i));
            } else if (word.rfind("nonroots=", 0) == 0) {
                fault.nonRoots = std::stoi(word.substr(9));
            } else {
                fault.other.insert(word);
            }
        }
    }
    return known;
}

// The list's line of a run that has a fault.
std::string KnownLine(const TruthVerdict& v)
{
    std::string line = v.run.Key() + " missing=";
    for (std::size_t i = 0; i < v.missing.size(); ++i)
        line += (i ? "," : "") + std::to_string(v.missing[i]);
    line += (v.missing.empty() ? "-" : "") + std::string(" nonroots=") +
            std::to_string(v.nonRoots.size());
    return line + (v.failed ? " failed" : "") + (v.nothingOnZero ? " nothing-on-zero" : "");
}

// Whether a run does no worse than its known fault, and whether it now does better.
bool WithinKnown(const TruthVerdict& v, const KnownFault* k, bool& better)
{
    const KnownFault none;
    if (!k)
        k = &none;
    bool within = int(v.nonRoots.size()) <= k->nonRoots &&
                  (!v.failed || k->other.count("failed")) &&
                  (!v.nothingOnZero || k->other.count("nothing-on-zero"));
    for (int i : v.missing)
        within = within && k->missing.count(i) > 0;
    better = within && k != &none &&
             (int(v.nonRoots.size()) < k->nonRoots || v.missing.size() < k->missing.size() ||
              (!v.failed && k->other.count("failed")) ||
              (!v.nothingOnZero && k->other.count("nothing-on-zero")));
    return within;
}

void Add(Tally& t, const TruthVerdict& v)
{
    ++t.runs;
    t.listed += int(v.listed.size());
    t.nonRoots += int(v.nonRoots.size());
    t.roots += v.roots;
    t.found += int(v.found.size());
    t.required += v.required;
    t.requiredFound += v.required - int(v.missing.size());
    t.failed += v.failed ? 1 : 0;
    t.faults += v.Fault() ? 1 : 0;
}

void Print(const std::map<std::string, Tally>& tallies)
{
    std::printf("%-10s %6s %7s %8s %9s %15s %17s %7s\n", "class", "cases", "runs", "listed",
                "non-roots", "roots found", "required found", "failed");
    Tally all;
    for (const auto& [cls, t] : tallies) {
        std::printf("%-10s %6d %7d %8d %9d %7d/%-7d %8d/%-8d %7d\n", cls.c_str(), t.cases, t.runs,
                    t.listed, t.nonRoots, t.found, t.roots, t.requiredFound, t.required, t.failed);
        all.cases += t.cases, all.runs += t.runs, all.listed += t.listed;
        all.nonRoots += t.nonRoots, all.found += t.found, all.roots += t.roots;
        all.requiredFound += t.requiredFound, all.required += t.required, all.failed += t.failed;
    }
    std::printf("%-10s %6d %7d %8d %9d %7d/%-7d %8d/%-8d %7d\n", "all", all.cases, all.runs,
                all.listed, all.nonRoots, all.found, all.roots, all.requiredFound, all.required,
                all.failed);
}

bool Selected(const TruthCase& c, const std::string& only)
{
    return only.empty() || c.cls == only || c.name == only;
}

// Says whether a run does worse than the list of known faults (true), or now better.
bool CheckRun(const TruthVerdict& v, const std::map<std::string, KnownFault>& known,
              const std::string& listName)
{
    const auto entry = known.find(v.run.Key());
    bool better = false;
    if (!WithinKnown(v, entry == known.end() ? nullptr : &entry->second, better)) {
        std::printf("fault: %s (%s)\n", v.Line().c_str(), v.run.c->equation.c_str());
        return true;
    }
    if (better && !v.Fault())
        std::printf("now passes, remove it from %s: %s\n", listName.c_str(), v.run.Key().c_str());
    else if (better)
        std::printf("better than %s, write it as: %s\n", listName.c_str(), KnownLine(v).c_str());
    return false;
}

// Runs the cases, tallies them by class, writes the dump and the list asked for; the number of
// faults beyond the known ones when checking.
int JudgeCases(const std::vector<TruthCase>& cases, const Options& o)
{
    const std::map<std::string, KnownFault> known = ReadKnown(o.known);
    std::map<std::string, Tally> tallies;
    for (const TruthCase& c : cases)
        ++tallies[c.cls].cases;
    std::ofstream dump, writeKnown;
    if (!o.dump.empty())
        dump.open(o.dump, std::ios::binary);
    if (!o.writeKnown.empty()) {
        writeKnown.open(o.writeKnown, std::ios::binary);
        writeKnown << "# Faults of the root finders that the code is known to have, by class and\n"
                      "# run, each class with why: the required roots it misses, how many points\n"
                      "# it lists that are not roots.\n"
                      "# Written by tools/root-truth/judge --write-known; the root_truth tests\n"
                      "# fail on any fault beyond it and name the lines that can go.\n";
    }
    int unknownFaults = 0;
    std::string lastClass;
    Timing timing;
    for (const TruthRun& run : TruthRuns(cases, o.slice)) {
        const TruthVerdict v = JudgeRun(run, o.seconds);
        Add(tallies[run.c->cls], v);
        timing.Add(v);
        if (dump.is_open())
            dump << v.Line() << '\n';
        if (v.Fault() && writeKnown.is_open()) {
            // A heading per class, under which to say why its faults remain.
            if (run.c->cls != lastClass)
                writeKnown << "\n# " << run.c->cls << ": why\n";
            lastClass = run.c->cls;
            writeKnown << KnownLine(v) << '\n';
        }
        if (o.check && CheckRun(v, known, o.known))
            ++unknownFaults;
    }
    Print(tallies);
    timing.Print();
    if (o.check)
        std::printf("%d faults beyond the %zu known\n", unknownFaults, known.size());
    return unknownFaults;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!ReadOptions(argc, argv, o)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string error;
    std::vector<TruthCase> all = ReadTruthCorpus(o.corpus, error);
    if (all.empty()) {
        std::fprintf(stderr, "judge: %s\n", error.c_str());
        return 2;
    }
    std::vector<TruthCase> cases;
    for (TruthCase& c : all)
        if (Selected(c, o.only))
            cases.push_back(c);
    PrepareRoads();
    return JudgeCases(cases, o) == 0 ? 0 : 1;
}
