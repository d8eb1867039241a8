// The window library's portable work, printed beside its targets:
//   1. fitting a tool bar of 60 buttons of mixed widths to a length (target 50 us);
//   2. reading a menu template of 300 items in pop-ups (target 100 us).
#include "bench/TimeReporter.h"
#include "ui/MenuTemplate.h"
#include "ui/ToolBarLayout.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double kFitTargetUs = 50.0;
constexpr double kTemplateTargetUs = 100.0;

// 60 buttons: groups of five of widths 23 to 60 (text buttons), each group ended by a
// separator, one custom control and one hidden button among them.
std::vector<ToolButton> SixtyButtons()
{
    std::vector<ToolButton> buttons;
    for (int i = 0; i < 60; ++i) {
        ToolButton button;
        button.idCommand = 100 + i;
        button.size = CSize(23 + (i * 7) % 38, 22);
        if (i % 6 == 5) {
            button.style = kButtonSeparator;
            button.idCommand = 0;
            button.size.cx = 6;
        }
        if (i == 20) {
            button.style = kButtonSeparator; // a custom control
            button.size.cx = 120;
        }
        if (i == 33)
            button.state = kButtonHidden;
        buttons.push_back(button);
    }
    return buttons;
}

void BM_FitSixtyButtons(benchmark::State& state)
{
    const CToolBarLayout layout;
    const std::vector<ToolButton> start = SixtyButtons();
    for (auto _ : state) {
        std::vector<ToolButton> buttons = start;
        layout.FitToLength(buttons, 500, false); // bisects down to the narrowest width
        benchmark::DoNotOptimize(buttons.data());
    }
}

// 300 items: 20 pop-ups of 14 commands each, every fourth pop-up with a sub-menu.
std::vector<BYTE> ThreeHundredItems()
{
    std::vector<BYTE> bytes = {0, 0, 0, 0};
    auto word = [&](int w) {
        bytes.push_back(BYTE(w & 0xFF));
        bytes.push_back(BYTE((w >> 8) & 0xFF));
    };
    auto text = [&](const std::string& s) {
        for (char c : s)
            word(c);
        word(0);
    };
    for (int p = 0; p < 20; ++p) {
        word(MenuTemplateItem::kPopup | (p == 19 ? MenuTemplateItem::kEnd : 0));
        text("&Menu " + std::to_string(p));
        const bool bSub = p % 4 == 0;
        for (int i = 0; i < 14; ++i) {
            const bool bLast = i == 13 && !bSub;
            word(bLast ? MenuTemplateItem::kEnd : 0);
            word(1000 + p * 20 + i);
            text("Command number " + std::to_string(i) + "\tCtrl+" + std::to_string(i));
        }
        if (bSub) {
            word(MenuTemplateItem::kPopup | MenuTemplateItem::kEnd);
            text("&More");
            word(MenuTemplateItem::kEnd);
            word(2000 + p);
            text("Last");
        }
    }
    return bytes;
}

void BM_ReadThreeHundredItems(benchmark::State& state)
{
    const std::vector<BYTE> bytes = ThreeHundredItems();
    std::size_t nItems = 0;
    for (auto _ : state) {
        std::vector<MenuTemplateItem> items;
        ParseMenuTemplate(bytes.data(), bytes.size(), items);
        nItems = items.size();
        benchmark::DoNotOptimize(items.data());
    }
    state.counters["top"] = double(nItems);
}

} // namespace

BENCHMARK(BM_FitSixtyButtons)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_ReadThreeHundredItems)->Unit(benchmark::kMicrosecond)->Repetitions(5);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    struct Line {
        const char* name;
        const char* what;
        double target;
    };
    const Line lines[] = {
        {"BM_FitSixtyButtons", "fit a 60-button bar", kFitTargetUs},
        {"BM_ReadThreeHundredItems", "read a 300-item menu template", kTemplateTargetUs},
    };
    for (const Line& line : lines) {
        const double us = reporter.TimeOf(line.name);
        std::printf("%-32s median %8.2f us   target %6.1f us   ratio %.3f  %s\n", line.what, us,
                    line.target, us / line.target, us <= line.target ? "ok" : "OVER");
    }
    return 0;
}
