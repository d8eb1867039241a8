// Settings in memory and settings sections read and written as tables.
#include "framework/core/ProfileTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

TEST(ProfileStore, ValuesOfAnotherTypeOrLengthReadAsMissing)
{
    CMemoryProfileStore store;
    store.WriteInt("Plot2DDef", "Steps", 250);
    store.WriteString("Options", "LastOpenFile", "a.zvp");
    store.WriteDouble("Plot2DDef", "xmin", -2.5);
    const BYTE four[4] = {1, 2, 3, 4};
    store.WriteBinary("Plot2DDef", "xmax", four, 4);

    EXPECT_EQ(store.GetInt("PLOT2DDEF", "steps", 7), 250) << "names fold case like the registry";
    EXPECT_EQ(store.GetInt("Options", "LastOpenFile", 7), 7) << "a string is no integer";
    EXPECT_STREQ(store.GetString("Plot2DDef", "Steps", "none"), "none");
    EXPECT_EQ(store.GetDouble("Plot2DDef", "xmin", 9), -2.5);
    EXPECT_EQ(store.GetDouble("Plot2DDef", "xmax", 9), 9) << "four bytes are no real";
    EXPECT_EQ(store.GetDouble("Plot2DDef", "Steps", 9), 9) << "an integer is no real";

    store.WriteInt("plot2ddef", "XMAX", 3); // replaces the bytes under the first spelling
    EXPECT_EQ(store.GetType("Plot2DDef", "xmax"), CMemoryProfileStore::typeInt);
    store.WriteString("Options", "LastOpenFile", nullptr);
    EXPECT_EQ(store.GetType("Options", "LastOpenFile"), CMemoryProfileStore::typeNone);
    const std::vector<CString> names = store.GetEntries();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_STREQ(names[0], "Plot2DDef\\Steps");
    EXPECT_STREQ(names[1], "Plot2DDef\\xmax");
    EXPECT_STREQ(names[2], "Plot2DDef\\xmin");
}

struct Section {
    int nSteps = 0;
    int nColor = 0;
    double dZoom = 0;
    double dMin = 0;
    CString strName;
};

constexpr ProfileKey<Section> kSection[] = {
    IntProfileKey<&Section::nSteps>("Steps", 400, profile_rule::Clamp<10, 10000>),
    IntProfileKey<&Section::nColor>("Color", -1),
    DoubleProfileKey<&Section::dZoom>("Zoom", 2.0, profile_rule::Positive),
    DoubleProfileKey<&Section::dMin>("Min", -10.0),
    StringProfileKey<&Section::strName>("Name", "none"),
};

TEST(ProfileTable, ReadAppliesDefaultsAndRulesAndWriteStoresEveryKey)
{
    CMemoryProfileStore store;
    Section values;
    ReadProfileSection(store, "S", kSection, values);
    EXPECT_EQ(values.nSteps, 400);
    EXPECT_EQ(values.nColor, -1);
    EXPECT_EQ(values.dZoom, 2.0);
    EXPECT_EQ(values.dMin, -10.0);
    EXPECT_STREQ(values.strName, "none");

    struct Case {
        int steps;
        double zoom, min;
        int expectSteps;
        double expectZoom, expectMin;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {1, 0.5, 3, 10, 0.5, 3},
        {20000, 0, -inf, 10000, 2.0, -10.0},
        {55, -1, std::numeric_limits<double>::quiet_NaN(), 55, 2.0, -10.0},
    };
    for (const Case& c : cases) {
        store.WriteInt("S", "Steps", c.steps);
        store.WriteDouble("S", "Zoom", c.zoom);
        store.WriteDouble("S", "Min", c.min);
        ReadProfileSection(store, "S", kSection, values);
        EXPECT_EQ(values.nSteps, c.expectSteps) << c.steps;
        EXPECT_EQ(values.dZoom, c.expectZoom) << c.zoom;
        EXPECT_EQ(values.dMin, c.expectMin) << c.min;
    }

    CMemoryProfileStore written;
    values = Section{12, 0xE6E6E6, 1.5, -0.25, "plot"};
    EXPECT_TRUE(WriteProfileSection(written, "S", kSection, values));
    EXPECT_EQ(written.GetEntries().size(), 5u);
    Section back;
    ReadProfileSection(written, "S", kSection, back);
    EXPECT_EQ(back.nSteps, 12);
    EXPECT_EQ(back.nColor, 0xE6E6E6);
    EXPECT_EQ(back.dZoom, 1.5);
    EXPECT_EQ(back.dMin, -0.25);
    EXPECT_STREQ(back.strName, "plot");
}

} // namespace
