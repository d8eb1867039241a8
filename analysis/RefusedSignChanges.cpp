#include "analysis/RefusedSignChanges.h"

#include "analysis/GridFill.h"

#include "engine/EngineErrors.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t kNamed = 3;

// The places in ascending order as format shows them, each once.
std::vector<CString> Shown(std::vector<double> places, CNumberFormat& format)
{
    std::sort(places.begin(), places.end());
    std::vector<CString> shown;
    for (double x : places) {
        const CString text = format.Format(x);
        if (shown.empty() || shown.back() != text)
            shown.push_back(text);
    }
    return shown;
}

// "1, 2 and 3", "1, 2, 3 and 4 more places": the first places shown named.
CString Named(const std::vector<CString>& xs)
{
    CString text;
    const std::size_t named = std::min(xs.size(), kNamed);
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0)
            text += (i + 1 == named && xs.size() == named) ? " and " : ", ";
        text += xs[i];
    }
    if (xs.size() > named) {
        CString more;
        more.Format(" and %d more places", int(xs.size() - named));
        text += more;
    }
    return text;
}

} // namespace

CString RefusedSignChangesText(const std::vector<double>& places, CNumberFormat format)
{
    const std::vector<CString> xs = Shown(places, format);
    const CString text = xs.size() == 1 ? "changes sign only across a pole or a jump, at x = "
                                        : "changes sign only across poles or jumps, at x = ";
    return text + Named(xs) + ", where it does not pass through 0";
}

CString NoSolutionButRefusedText(const std::vector<double>& places, const CNumberFormat& format,
                                 int steps, double min, double max)
{
    CNumberFormat shown = format;
    CString text;
    text.Format("%s: in %d steps from %s to %s the equation ",
                GetErrorText(ErrNoSolutions).GetString(), steps, GridNumberText(min).GetString(),
                GridNumberText(max).GetString());
    return text + RefusedSignChangesText(places, format) + ". More steps cannot make " +
           (Shown(places, shown).size() == 1 ? "that a solution." : "those solutions.");
}

CString UnlookedStepsText(std::vector<double> places, const char* points)
{
    // Nearest 0 first: a searching scan looks inside the steps there first.
    std::sort(places.begin(), places.end(),
              [](double u, double v) { return std::fabs(u) < std::fabs(v); });
    places.erase(std::unique(places.begin(), places.end()), places.end());
    std::vector<CString> xs;
    for (double x : places)
        xs.push_back(GridNumberText(x));
    CString steps;
    steps.Format(xs.size() == 1 ? "%d step, at x = " : "%d steps, at x = ", int(xs.size()));
    return "The search did not look inside " + steps + Named(xs) + ", which may hold " + points +
           " that the values at the ends of " + (xs.size() == 1 ? "it" : "each") +
           " do not show: narrow Min and Max to search " + (xs.size() == 1 ? "it." : "them.");
}
