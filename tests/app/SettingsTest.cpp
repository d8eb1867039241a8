// The project's settings over the memory store: each rule of reading, and what goes back.
#include "analysis/ModelLibrary.h"
#include "app/DocumentSettings.h"
#include "app/SharedSettings.h"
#include "engine/CalcEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

TEST(Settings, CalculationValuesAreBroughtIntoRange)
{
    struct Case {
        const char* key;
        int stored;
        int (*read)(const CCalcEngine&);
        int expected;
    };
    const Case cases[] = {
        {"NumberBase", 1, [](const CCalcEngine& e) { return e.m_nNumberBase; }, 2},
        {"NumberBase", 99, [](const CCalcEngine& e) { return e.m_nNumberBase; }, 36},
        {"DecimalPlaces", 17, [](const CCalcEngine& e) { return e.m_ResultFormat.m_nDecimals; }, 2},
        {"DecimalPlaces", 16, [](const CCalcEngine& e) { return e.m_ResultFormat.m_nDecimals; },
         16},
        {"DecimalPlaces", -1, [](const CCalcEngine& e) { return e.m_ResultFormat.m_nDecimals; }, 2},
        {"NumberFormat", 6, [](const CCalcEngine& e) { return e.m_ResultFormat.m_nMode; }, 0},
        {"NumberFormat", 3, [](const CCalcEngine& e) { return e.m_ResultFormat.m_nMode; }, 3},
        {"SolverSteps", 0, [](const CCalcEngine& e) { return e.m_nSolverSteps; }, 1},
        {"SolverSteps", 20000, [](const CCalcEngine& e) { return e.m_nSolverSteps; }, 10000},
        {"SolverDecimalPlaces", 40,
         [](const CCalcEngine& e) { return e.m_SolverFormat.m_nDecimals; }, 2},
        {"AngleMode", 7, [](const CCalcEngine& e) { return e.m_nAngleMode; }, 7},
    };
    for (const Case& c : cases) {
        CMemoryProfileStore store;
        store.WriteInt(kCalculationSection, c.key, c.stored);
        CCalcEngine engine;
        ReadCalculationSettings(store, engine);
        EXPECT_EQ(c.read(engine), c.expected) << c.key << " " << c.stored;
        EXPECT_EQ(engine.m_SolverFormat.m_nMode, FormatModeNumber);
    }
    // A value of the wrong type counts as missing.
    CMemoryProfileStore store;
    store.WriteString(kCalculationSection, "DecimalPlaces", "9");
    CCalcEngine engine;
    ReadCalculationSettings(store, engine);
    EXPECT_EQ(engine.m_ResultFormat.m_nDecimals, 5);
    EXPECT_DOUBLE_EQ(engine.m_ResultFormat.m_dRoundingUnit, 1e-5);
}

TEST(Settings, DoublesNeedExactlyEightFiniteBytesAndSolverCountsTheirRange)
{
    CMemoryProfileStore store;
    const BYTE four[4] = {0, 0, 0x80, 0x3F};
    store.WriteBinary(kSolverModelSection, "Min", four, 4);
    store.WriteDouble(kSolverModelSection, "Max", NAN);
    store.WriteInt(kOptionsSection, "ConfirmDelete", 5);
    store.WriteInt(kSolverModelSection, "Steps", 0);
    store.WriteInt(kSolverModelSection, "DecimalPlaces", 16);
    DocumentSettings settings;
    ReadDocumentSettings(store, settings);
    ReadSolverModelSettings(store, settings);
    EXPECT_EQ(settings.dSolverMin, -1e300);
    EXPECT_EQ(settings.dSolverMax, 1e300);
    EXPECT_EQ(settings.nSolverSteps, 200);
    EXPECT_EQ(settings.nSolverDecimals, 5);
    EXPECT_EQ(settings.nConfirmDelete, 5);
    EXPECT_EQ(settings.nConfirmOverwrite, 63);
    EXPECT_EQ(settings.nAnalysisOptions, 2000);
}

TEST(Settings, RecentFitsKeepOnlyCompleteEntries)
{
    CMemoryProfileStore store;
    store.WriteInt(kRecentFitSection, "Count", 3);
    const char* entries[3][3] = {
        {"Line", "a+b*x", "L1"}, {"Empty", "", "L2"}, {"Line", "a*x", "L3"}};
    for (int i = 0; i < 3; ++i) {
        CString section;
        section.Format("RecentFit%d", i);
        store.WriteString(section, "Name", entries[i][0]);
        store.WriteString(section, "Equation", entries[i][1]);
        store.WriteString(section, "ListName", entries[i][2]);
    }
    CModelCategory fits;
    ReadRecentFits(store, fits);
    ASSERT_EQ(fits.GetModelCount(), 2);
    EXPECT_STREQ(fits.GetModel(1).strFormula, "a*x"); // names may repeat
    EXPECT_STREQ(fits.GetModel(1).strCategory, "L3");

    CMemoryProfileStore out;
    WriteRecentFits(out, fits);
    EXPECT_EQ(out.GetInt(kRecentFitSection, "Count", -1), 2);
    EXPECT_STREQ(out.GetString("RecentFit1", "ListName", ""), "L3");

    store.WriteInt(kRecentFitSection, "Count", 99);
    ReadRecentFits(store, fits);
    EXPECT_EQ(fits.GetModelCount(), 2); // at most ten entries are looked at
}

TEST(Settings, FavouritesTreeWidthAndLayouts)
{
    CMemoryProfileStore store;
    store.WriteInt(kFavFunctionsSection, "Count", 25);
    store.WriteString(kFavFunctionsSection, "0", "SIN");
    std::vector<CString> names;
    ReadFavoriteFunctions(store, names);
    ASSERT_EQ(names.size(), 20u);
    EXPECT_STREQ(names[0], "SIN");
    EXPECT_STREQ(names[1], "");

    EXPECT_EQ(ReadTreeWidth(store), 175);
    store.WriteInt(kLayoutSection, "TreeViewWidth", -4);
    EXPECT_EQ(ReadTreeWidth(store), 175);
    store.WriteInt(kLayoutSection, "TreeViewWidth", 240);
    EXPECT_EQ(ReadTreeWidth(store), 240);

    ViewLayouts layouts = DefaultViewLayouts(768);
    ViewLayout wide = layouts[2];
    wide[ViewLayout::Mask] = 1;
    BYTE bytes[ViewLayout::Bytes];
    wide.ToBytes(bytes);
    store.WriteBinary(kDataViewsSection, "DataType2", bytes, ViewLayout::Bytes);
    store.WriteBinary(kDataViewsSection, "DataType3", bytes, 40); // another length: ignored
    ReadViewLayouts(store, layouts);
    EXPECT_EQ(layouts[2][ViewLayout::Mask], 1u);
    EXPECT_EQ(layouts[3][ViewLayout::Mask], 9u);
}

} // namespace

// A most-recent-first list written at the end of a run: the entries the run put at the front
// (an upper-case letter is an entry changed in place) before the list as stored by then.
TEST(Settings, RecentListsKeepWhatAnotherWindowAdded)
{
    struct Case {
        const char *started, *now, *stored, *expected;
    } const cases[] = {
        {"abc", "abc", "xabc", nullptr}, // nothing changed: not written
        {"abc", "dabc", "xabc", "dxab"},  {"abc", "cab", "xabc", "cxab"}, // moved up
        {"abcd", "edab", "xabc", "edxa"}, // moved up and new, the oldest dropped off
        {"abc", "Abc", "abc", "Abc"},     // changed at the front
        {"", "ba", "x", "bax"},           {"abc", "abc", "", nullptr},
        {"abcd", "eabc", "xyzw", "exyz"}, // cut to four
    };
    const auto chars = [](const char* text) {
        return std::vector<char>(text, text + strlen(text));
    };
    const auto same = [](char a, char b) { return (a | 0x20) == (b | 0x20); };
    for (const Case& c : cases) {
        std::vector<char> list = chars(c.stored);
        const BOOL bWritten = MergeRecentList(chars(c.started), chars(c.now), list, 4, same,
                                              [](char a, char b) { return a == b; });
        EXPECT_EQ(std::string(list.begin(), list.end()), c.expected ? c.expected : c.stored)
            << c.started << " " << c.now << " " << c.stored;
        EXPECT_EQ(bWritten, c.expected != nullptr) << c.started << " " << c.now;
    }
}
