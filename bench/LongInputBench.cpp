// Long and deep inputs: texts built to make the parser, the evaluator, the printer or the symbolic
// derivative slow or hungry. Each case runs once and prints its time and peak memory beside its
// bound, with the ratio (above 1 is a failure) and the engine code it ended with.
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>

namespace {

// Live and peak bytes of every operator new in the program, so that a case's memory is measured
// where it is allocated.
std::size_t g_liveBytes = 0;
std::size_t g_peakBytes = 0;

constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    g_liveBytes += size;
    if (g_liveBytes > g_peakBytes)
        g_peakBytes = g_liveBytes;
    return block + kHeader;
}

void Release(void* p)
{
    if (!p)
        return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    g_liveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

std::string Repeat(const std::string& piece, std::size_t times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

constexpr std::size_t kMegabyte = 1 << 20;

// n copies of piece joined by op: 1+1+...+1.
std::string Chain(const std::string& piece, const std::string& op, std::size_t n)
{
    std::string text = piece;
    text.reserve((piece.size() + op.size()) * n);
    for (std::size_t i = 1; i < n; ++i)
        text += op + piece;
    return text;
}

std::string Nested(const std::string& open, const std::string& inner, std::size_t n)
{
    return Repeat(open, n) + inner + std::string(n, ')');
}

struct Outcome {
    int code = 0;
    std::string note;
};

// Parses text in a fresh engine; the parse code.
Outcome ParseOnly(const std::string& text)
{
    CCalcEngine engine;
    engine.SetExpression(text.c_str());
    return {engine.Parse(), ""};
}

// Parses, evaluates, prints, copies and frees: every walk of the tree.
Outcome EveryWalk(const std::string& text)
{
    CCalcEngine engine;
    engine.SetExpression(text.c_str());
    if (const int code = engine.Parse())
        return {code, "parse"};
    const double value = engine.Evaluate();
    if (const int code = engine.GetErrorCode())
        return {code, "evaluate"};
    const CString printed = engine.GetText();
    CExprNode copy;
    copy.CopyFrom(engine.m_Root);
    char note[80];
    std::snprintf(note, sizeof note, "value %.17g, printed %d chars", value, printed.GetLength());
    return {0, note};
}

// The symbolic derivative with respect to x, printed.
Outcome Derivative(const std::string& text)
{
    CCalcEngine engine;
    engine.SetExpression(text.c_str());
    const int code = engine.DeriveSymbolic("x");
    if (code)
        return {code, "derive"};
    return {0, "printed " + std::to_string(engine.GetText().GetLength()) + " chars"};
}

struct HostileCase {
    const char* label;
    std::function<std::string()> text;
    std::function<Outcome(const std::string&)> run;
    double seconds;   // bound on the time
    double megabytes; // bound on the peak memory
};

void Run(const HostileCase& c)
{
    const std::string text = c.text();
    const std::size_t before = g_liveBytes;
    g_peakBytes = g_liveBytes;
    const auto start = std::chrono::steady_clock::now();
    const Outcome outcome = c.run(text);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double megabytes = double(g_peakBytes - before) / double(kMegabyte);
    std::printf("%-34s %8.4f s /%5.2f = %5.2f  %8.1f MB /%4.0f = %5.2f  code %2d %s\n", c.label,
                seconds, c.seconds, seconds / c.seconds, megabytes, c.megabytes,
                megabytes / c.megabytes, outcome.code, outcome.note.c_str());
}

} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }

int main()
{
    InitCalcEngine();
    UseDotSeparators();
    const std::size_t mb = kMegabyte;
    const HostileCase cases[] = {
        // Any line of a megabyte parses or is refused in 0.2 s and 100 MB.
        {"1 MB of 1%%%...", [=] { return "1" + std::string(mb - 1, '%'); }, ParseOnly, 0.2, 100},
        {"1 MB of x*x*...", [=] { return Chain("x", "*", mb / 2); }, ParseOnly, 0.2, 100},
        {"1 MB of 1+1+...", [=] { return Chain("1", "+", mb / 2); }, ParseOnly, 0.2, 100},
        {"1 MB of (((...1)))", [=] { return Nested("(", "1", mb / 2); }, ParseOnly, 0.2, 100},
        {"1 MB of ((((...", [=] { return std::string(mb, '('); }, ParseOnly, 0.2, 100},
        {"1 MB of SUM(1,SUM(1,...", [=] { return Repeat("SUM(1,", mb / 6); }, ParseOnly, 0.2, 100},
        {"1 MB of SUM(1,...1)))", [=] { return Nested("SUM(1,", "1", mb / 7); }, ParseOnly, 0.2,
         100},
        {"1 MB of sin(sin(...x))", [=] { return Nested("sin(", "x", mb / 5); }, ParseOnly, 0.2,
         100},
        {"1 MB of -(-(-(...", [=] { return Repeat("-(", mb / 2); }, ParseOnly, 0.2, 100},
        {"1 MB of (1)+(1)+...", [=] { return Chain("(1)", "+", mb / 4); }, ParseOnly, 0.2, 100},
        {"1 MB of 1e-1e-1e-...", [=] { return Chain("1e", "-", mb / 3); }, ParseOnly, 0.2, 100},
        {"1 MB of \"a\"+\"a\"+...", [=] { return Chain("\"a\"", "+", mb / 4); }, ParseOnly, 0.2,
         100},
        {"1 MB of sum(1,1,1,...", [=] { return "sum(" + Chain("1", ",", mb / 2) + ")"; }, ParseOnly,
         0.2, 100},
        {"1 MB of digits", [=] { return std::string(mb, '7'); }, ParseOnly, 0.2, 100},
        {"1 MB of blanks and 1", [=] { return std::string(mb, ' ') + "1"; }, ParseOnly, 0.2, 100},
        {"100,000 nested SUM(1,", [] { return Repeat("SUM(1,", 100000); }, ParseOnly, 0.2, 100},
        // A flat chain or a long argument list goes through every walk of the tree: parse,
        // evaluate,
        // print, copy and free, half a second for the five.
        {"1+1+... 100,000 terms", [] { return Chain("1", "+", 100000); }, EveryWalk, 0.5, 100},
        {"x*x*... 100,000 factors", [] { return Chain("x", "*", 100000); }, EveryWalk, 0.5, 100},
        {"2^1^1^... 100,000 powers", [] { return "2" + Repeat("^1", 99999); }, EveryWalk, 0.5, 100},
        {"SUM of 100,000 arguments", [] { return "SUM(" + Chain("1", ",", 100000) + ")"; },
         EveryWalk, 0.5, 100},
        {"MAX of 100,000 arguments", [] { return "MAX(" + Chain("x", ",", 100000) + ")"; },
         EveryWalk, 0.5, 100},
        // Symbolic derivatives stay near-linear in the size of what they make.
        {"d/dx x+x+... 100,000 terms", [] { return Chain("x", "+", 100000); }, Derivative, 1.0,
         200},
        {"d/dx product of 200 factors", [] { return Chain("x", "*", 200); }, Derivative, 1.0, 200},
        {"d/dx product of 500 factors", [] { return Chain("x", "*", 500); }, Derivative, 1.0, 200},
        {"d/dx product of 100,000 factors", [] { return Chain("x", "*", 100000); }, Derivative, 1.0,
         200},
        {"d/dx 200 nested SIN(", [] { return Nested("SIN(", "x", 200); }, Derivative, 1.0, 200},
        {"d/dx 450 nested SIN(", [] { return Nested("SIN(", "x", 450); }, Derivative, 1.0, 200},
        {"d/dx 500 nested SIN(", [] { return Nested("SIN(", "x", 500); }, Derivative, 1.0, 200},
        {"d/dx x^x^... 300 powers", [] { return Chain("x", "^", 300); }, Derivative, 1.0, 200},
        {"d/dx x/x/... 300 quotients", [] { return Chain("x", "/", 300); }, Derivative, 1.0, 200},
    };
    std::printf("%-34s %23s  %23s\n", "case", "time / bound = ratio", "peak / bound = ratio");
    for (const HostileCase& c : cases)
        Run(c);
    return 0;
}
