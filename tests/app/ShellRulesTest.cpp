// The shell's choices that need no window: which project a start opens, the program's paths,
// the stored window placement and explorer width, where the panes go for a layout, the
// explorer's folders and menus, and the "Toggle Views" commands.
#include "app/ExplorerRules.h"
#include "app/ItemTypes.h"
#include "app/PaneArrangement.h"
#include "app/StartupRules.h"
#include "app/StatusIndicators.h"
#include "app/ViewToggles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Startup, WhichProjectOpens)
{
    struct Case {
        const char* name;
        BOOL bFileGiven;
        int nExitSuccess;
        int nAutoOpen;
        const char* last;
        StartupProject project;
    };
    const Case cases[] = {
        {"first start", FALSE, 1, 1, "", StartupProject::NewProject},
        {"clean end", FALSE, 1, 1, "c:\\p.zvp", StartupProject::LastProject},
        {"crashed", FALSE, 0, 1, "c:\\p.zvp", StartupProject::NewProject},
        {"auto off", FALSE, 1, 0, "c:\\p.zvp", StartupProject::NewProject},
        {"any non-zero flag", FALSE, 7, -1, "c:\\p.zvp", StartupProject::LastProject},
        {"command line wins", TRUE, 1, 1, "c:\\p.zvp", StartupProject::GivenFile},
        {"command line, auto off", TRUE, 0, 0, "", StartupProject::GivenFile},
    };
    for (const Case& c : cases) {
        StartupState state;
        state.nExitSuccess = c.nExitSuccess;
        state.nAutoOpenLastProject = c.nAutoOpen;
        state.strLastOpenFile = c.last;
        EXPECT_EQ(ChooseStartupProject(c.bFileGiven, state), c.project) << c.name;
    }
    // A reopened project gives way to an empty one when it cannot be opened, and so does a file
    // named on the command line whose name the code page lost, which was never tried.
    EXPECT_TRUE(StartEmptyWhenOpenFails(StartupProject::LastProject, "c:\\p.zvp"));
    EXPECT_FALSE(StartEmptyWhenOpenFails(StartupProject::GivenFile, "c:\\p.zvp"));
    EXPECT_TRUE(StartEmptyWhenOpenFails(StartupProject::GivenFile, "c:\\??\\p.zvp"));
    EXPECT_FALSE(StartEmptyWhenOpenFails(StartupProject::NewProject, "c:\\??\\p.zvp"));
}

TEST(Startup, SettingsOfThePreviousRun)
{
    CMemoryProfileStore store;
    StartupState state = ReadStartupState(store);
    EXPECT_EQ(state.nExitSuccess, 1);
    EXPECT_EQ(state.nAutoOpenLastProject, 1);
    EXPECT_STREQ(state.strLastOpenFile, "");

    // Values of the wrong type read as their defaults.
    store.WriteString("Options", "ExitSuccess", "0");
    store.WriteInt("Options", "LastOpenFile", 3);
    store.WriteInt("Options", "AutoOpenLastProject", 0);
    state = ReadStartupState(store);
    EXPECT_EQ(state.nExitSuccess, 1);
    EXPECT_EQ(state.nAutoOpenLastProject, 0);
    EXPECT_STREQ(state.strLastOpenFile, "");

    WriteExitSuccess(store, FALSE);
    EXPECT_EQ(ReadStartupState(store).nExitSuccess, 0);
    WriteExitSuccess(store, TRUE);
    EXPECT_EQ(ReadStartupState(store).nExitSuccess, 1);
}

TEST(Startup, PathFunctions)
{
    struct Case {
        const char* a;
        const char* b;
        const char* joined;
    };
    const Case joins[] = {
        {"C:\\Prog", "Zivra.chm", "C:\\Prog\\Zivra.chm"},
        {"C:\\", "Zivra.chm", "C:\\Zivra.chm"},
        {"C:\\Prog", "\\x.htm", "C:\\Prog\\x.htm"},
        {"", "Zivra.chm", "\\Zivra.chm"},
    };
    for (const Case& c : joins)
        EXPECT_STREQ(AppendPathComponent(c.a, c.b), c.joined) << c.a << " + " << c.b;

    const Case dirs[] = {
        {"C:\\Prog\\zivra.exe", nullptr, "C:\\Prog"},
        {"C:\\zivra.exe", nullptr, "C:"},
        {"zivra.exe", nullptr, ""},
        {"\\\\server\\share\\a\\", nullptr, "\\\\server\\share\\a"},
    };
    for (const Case& c : dirs)
        EXPECT_STREQ(GetPathDirectory(c.a), c.joined) << c.a;
}

// The platform's 44-byte placement record: length, flags, show command, two points, a rect.
std::vector<BYTE> Placement(UINT length, UINT show, int l, int t, int r, int b, UINT bytes = 44)
{
    const LONG fields[11] = {LONG(length), 0, LONG(show), -1, -1, -1, -1, l, t, r, b};
    std::vector<BYTE> out(bytes, 0);
    for (std::size_t i = 0; i < out.size() && i < sizeof fields; ++i)
        out[i] = BYTE(DWORD(fields[i / 4]) >> (8 * (i % 4)));
    return out;
}

TEST(Startup, StoredWindowPlacement)
{
    const CSize screen(1024, 768);
    const CRect window(10, 20, 610, 420);
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        BOOL bUseRect;
        BOOL bMaximize;
    };
    const Case cases[] = {
        {"none stored", {}, FALSE, TRUE},
        {"normal", Placement(44, 1, 10, 20, 610, 420), TRUE, FALSE},
        {"closed maximised", Placement(44, 3, 10, 20, 610, 420), TRUE, TRUE},
        {"another length", Placement(44, 1, 10, 20, 610, 420, 40), FALSE, TRUE},
        {"longer", Placement(44, 1, 10, 20, 610, 420, 48), FALSE, TRUE},
        {"length field", Placement(40, 1, 10, 20, 610, 420), FALSE, TRUE},
        {"empty rectangle", Placement(44, 1, 10, 20, 10, 420), FALSE, TRUE},
        {"upside down", Placement(44, 1, 10, 420, 610, 20), FALSE, TRUE},
        {"partly off the right", Placement(44, 1, 500, 20, 1100, 420), FALSE, TRUE},
        {"partly above", Placement(44, 1, 10, -5, 610, 420), FALSE, TRUE},
        {"minimised", Placement(44, 2, 10, 20, 610, 420), FALSE, TRUE},
    };
    for (const Case& c : cases) {
        const FramePlacement p = ChooseFramePlacement(c.bytes, screen);
        EXPECT_EQ(p.bUseRect, c.bUseRect) << c.name;
        EXPECT_EQ(p.bMaximize, c.bMaximize) << c.name;
        EXPECT_TRUE(!p.bUseRect || p.rect == window) << c.name;
    }
    // The whole screen is still on the screen.
    EXPECT_TRUE(ChooseFramePlacement(Placement(44, 1, 0, 0, 1024, 768), screen).bUseRect);
}

TEST(Startup, ExplorerWidth)
{
    const int cases[][3] = {{175, 1024, 175}, {0, 1024, 0},     {512, 1024, 512},
                            {513, 1024, 175}, {-20, 1024, 175}, {300, 400, 175}};
    for (const auto& c : cases)
        EXPECT_EQ(ChooseTreeWidth(c[0], c[1]), c[2]) << c[0] << " on " << c[1];
}

TEST(PaneArrangement, WhereEachPaneGoes)
{
    const UINT W = ViewWorkspace, P = View2DPlot, T = View3DPlot, G = ViewGrid;
    struct Case {
        UINT mask;
        int nPanes;
        UINT cells[2][2];
        int cyRow0;
    };
    // Heights: workspace 100, 2-D plot 200, grid 300, 3-D plot 400; splitter 800 x 600.
    const Case cases[] = {
        {P, 1, {{P, 0}, {0, 0}}, 600},         {T, 1, {{T, 0}, {0, 0}}, 600},
        {W, 1, {{W, 0}, {0, 0}}, 600},         {G, 1, {{G, 0}, {0, 0}}, 600},
        {P | T, 2, {{P, 0}, {T, 0}}, 200},     {W | G, 2, {{W, 0}, {G, 0}}, 100},
        {T | G, 2, {{T, 0}, {G, 0}}, 400},     {P | G, 2, {{P, 0}, {G, 0}}, 200},
        {T | W, 2, {{T, 0}, {W, 0}}, 400},     {7, 4, {{W, P}, {G, T}}, 300},
        {0, 4, {{W, P}, {G, T}}, 300},         {15, 4, {{W, P}, {G, T}}, 300},
        {P | W | G, 4, {{W, P}, {G, T}}, 300},
    };
    for (const Case& c : cases) {
        ViewLayout layout;
        layout[ViewLayout::Mask] = c.mask;
        layout[ViewLayout::WorkspaceHeight] = 100;
        layout[ViewLayout::Plot2DHeight] = 200;
        layout[ViewLayout::GridHeight] = 300;
        layout[ViewLayout::Plot3DHeight] = 400;
        const PaneArrangement a = ArrangePanes(layout, 800, 600);
        EXPECT_EQ(a.nPanes, c.nPanes) << "mask " << c.mask;
        EXPECT_EQ(std::memcmp(a.cells, c.cells, sizeof a.cells), 0) << "mask " << c.mask;
        EXPECT_EQ(a.cyRow0, c.cyRow0) << "mask " << c.mask;
    }
}

TEST(PaneArrangement, StoredHeightsStayInsideTheSplitter)
{
    ViewLayout layout;
    layout[ViewLayout::Mask] = ViewWorkspace | ViewGrid;
    layout[ViewLayout::WorkspaceHeight] = 0xFFFFFFF0; // an unsigned word read as a height
    EXPECT_EQ(ArrangePanes(layout, 800, 600).cyRow0, 600);
    layout[ViewLayout::WorkspaceHeight] = 0;
    EXPECT_EQ(ArrangePanes(layout, 800, 600).cyRow0, 0);
    // Four panes in a tiny splitter keep at least 10 pixels each way.
    layout[ViewLayout::Mask] = 15;
    const PaneArrangement a = ArrangePanes(layout, 12, 6);
    EXPECT_EQ(a.cyRow0, 10);
    EXPECT_EQ(a.cxCol0, 10);
}

// Two panes a command showed together each keep a third of the height: a graph made in the
// workspace over its long height word, a report's workspace over a short one.
TEST(PaneArrangement, PanesShownTogetherEachKeepAThird)
{
    const UINT W = ViewWorkspace, P = View2DPlot, T = View3DPlot, G = ViewGrid;
    struct Case {
        UINT mask;
        DWORD height; // the upper pane's word
        int cy;
        DWORD held;
    };
    const Case cases[] = {
        {P | W, 453, 500, 334}, {T | W, 453, 500, 334},        {W | G, 20, 500, 166},
        {W | G, 300, 500, 300}, {W | G, 0xFFFFFFF0, 500, 334}, {P | W, 453, 0, 453},
        {W, 20, 500, 20},       {P | W | G, 20, 500, 20},
    };
    for (const Case& c : cases) {
        ViewLayout layout;
        layout[ViewLayout::Mask] = c.mask;
        const int upper = c.mask & P   ? ViewLayout::Plot2DHeight
                          : c.mask & T ? ViewLayout::Plot3DHeight
                                       : ViewLayout::WorkspaceHeight;
        layout[upper] = c.height;
        const ViewLayout held = WithBothPanesInSight(layout, c.cy);
        EXPECT_EQ(held[upper], c.held) << "mask " << c.mask << ", height " << c.height;
        layout[upper] = c.held;
        EXPECT_EQ(std::memcmp(held.words, layout.words, sizeof held.words), 0)
            << "mask " << c.mask << ": only the upper pane's word changes";
    }
}

TEST(PaneArrangement, F6AndShiftF6GoRoundThePanes)
{
    // count, from, backwards, to
    const int cases[][4] = {{5, 0, 0, 1},  {5, 4, 0, 0}, {5, 0, 1, 4},  {5, 3, 1, 2},
                            {2, 1, 0, 0},  {1, 0, 0, 0}, {1, 0, 1, 0},  {5, -1, 0, 0},
                            {5, -1, 1, 4}, {3, 7, 0, 0}, {0, -1, 0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(NextPaneInRound(c[0], c[1], c[2]), c[3])
            << "from " << c[1] << " of " << c[0] << (c[2] ? " back" : "");
}

TEST(ExplorerRules, FoldersAndTheKindsTheyReport)
{
    struct Case {
        int slot;
        const char* text;
        int parent;
        int image;
        int folderKind;
        int leafKind;
    };
    const Case cases[] = {
        {SlotDataTables, "Data Tables", -1, 1, ItemNone, ItemDataTable},
        {SlotLists, "Lists", -1, 7, ItemNone, ItemList},
        {SlotMatrices, "Matrices", -1, 9, ItemNone, ItemMatrix},
        {SlotDataGraphs, "Data Graphs", -1, 5, ItemNone, ItemDataGraph},
        {Slot2DGraphs, "2-D Graphs", -1, -1, ItemNone, Item2DGraph},
        {Slot3DGraphs, "3-D Graphs", -1, -1, ItemNone, Item3DGraph},
        {SlotVariables, "Variables", -1, 10, ItemVariables, ItemNone},
        {SlotSolverModels, "Solver models", -1, 12, ItemSolverEquations, ItemSolverModel},
        {SlotUserDefined, "User-defined", -1, 14, ItemNone, ItemNone},
        {SlotUserConversions, "Conversions", SlotUserDefined, 17, ItemUserUnits, ItemNone},
        {SlotPredefinedFunctions, "Functions", SlotPredefined, 16, ItemPredefinedFunctions,
         ItemNone},
    };
    for (const Case& c : cases) {
        const ExplorerFolder& f = GetExplorerFolder(c.slot);
        EXPECT_STREQ(f.pszText, c.text) << c.slot;
        EXPECT_EQ(f.nParent, c.parent) << c.slot;
        EXPECT_EQ(f.nImage, c.image) << c.slot;
        EXPECT_EQ(f.nFolderKind, c.folderKind) << c.slot;
        EXPECT_EQ(f.nLeafKind, c.leafKind) << c.slot;
    }
    // Every folder's parent is created before it.
    for (int slot = 0; slot < ExplorerSlotCount; ++slot)
        EXPECT_LT(GetExplorerFolder(slot).nParent, slot) << slot;

    const int leafSlots[][2] = {{Item2DGraph, Slot2DGraphs},
                                {Item3DGraph, Slot3DGraphs},
                                {ItemSolverModel, SlotSolverModels},
                                {ItemList, SlotLists},
                                {ItemDataGraph, SlotDataGraphs},
                                {ItemVariables, -1},
                                {ItemNone, -1}};
    for (const auto& c : leafSlots)
        EXPECT_EQ(GetSlotOfLeafKind(c[0]), c[1]) << c[0];
}

TEST(ExplorerRules, FolderMenuAndLabelEdits)
{
    const int popups[][2] = {
        {kNoItemUnderMouse, 0}, {SlotDataTables, 0},    {SlotDataGraphs, 1}, {Slot2DGraphs, 2},
        {Slot3DGraphs, 3},      {SlotLists, 4},         {SlotMatrices, 5},   {SlotUserDefined, -1},
        {SlotPredefined, -1},   {kItemWithoutSlot, -1},
    };
    for (const auto& c : popups)
        EXPECT_EQ(ChooseFolderMenuPopup(c[0]), c[1]) << c[0];

    for (int kind = 0; kind <= ItemNone; ++kind)
        EXPECT_EQ(CanEditLabelOfKind(kind), kind == ItemDataTable || kind == ItemList ||
                                                kind == ItemMatrix || kind == ItemDataGraph)
            << kind;

    CString label = "old";
    EXPECT_FALSE(TrimEditedLabel("  \t ", label));
    EXPECT_FALSE(TrimEditedLabel("", label));
    EXPECT_STREQ(label, "old");
    EXPECT_TRUE(TrimEditedLabel("  Table 2 ", label));
    EXPECT_STREQ(label, "Table 2");
}

TEST(ViewToggles, FlipsSharedMasksAndKeepsAPane)
{
    ViewLayouts layouts = DefaultViewLayouts(768);
    // A variable's grid goes off: its group (expression variables) follows, others do not.
    EXPECT_TRUE(ToggleViewBit(layouts, ItemVariables, ViewBitOfToggle(33071)));
    EXPECT_EQ(layouts[ItemVariables][ViewLayout::Mask], DWORD(ViewWorkspace));
    EXPECT_EQ(layouts[ItemExpressionVariables][ViewLayout::Mask], DWORD(ViewWorkspace));
    EXPECT_EQ(layouts[ItemUserConstants][ViewLayout::Mask], 12u);
    // Switching off the last pane leaves the workspace.
    EXPECT_TRUE(ToggleViewBit(layouts, ItemVariables, ViewWorkspace));
    EXPECT_EQ(layouts[ItemVariables][ViewLayout::Mask], DWORD(ViewWorkspace));
    // Only the mask travels: the sibling's pane heights stay.
    layouts[ItemPredefinedUnits][ViewLayout::GridHeight] = 123;
    EXPECT_TRUE(ToggleViewBit(layouts, ItemPredefinedConstants, View2DPlot));
    EXPECT_EQ(layouts[ItemPredefinedUnits][ViewLayout::Mask], 13u);
    EXPECT_EQ(layouts[ItemPredefinedUnits][ViewLayout::GridHeight], 123u);

    // Nothing selected: nothing changes and the items are off.
    const ViewLayouts before = layouts;
    EXPECT_FALSE(ToggleViewBit(layouts, ItemNone, ViewGrid));
    EXPECT_EQ(std::memcmp(&before, &layouts, sizeof layouts), 0);
    const ViewToggleState none = GetViewToggleState(layouts, ItemNone, ViewGrid);
    EXPECT_FALSE(none.bEnable);
    EXPECT_FALSE(none.bCheck);
    const ViewToggleState grid = GetViewToggleState(layouts, ItemDataTable, ViewGrid);
    EXPECT_TRUE(grid.bEnable);
    EXPECT_TRUE(grid.bCheck);
    EXPECT_FALSE(GetViewToggleState(layouts, ItemDataTable, ViewWorkspace).bCheck);

    const UINT toggles[][2] = {{33068, ViewWorkspace}, {33069, View2DPlot}, {33070, View3DPlot},
                               {33071, ViewGrid},      {33072, 0},          {33067, 0}};
    for (const auto& c : toggles)
        EXPECT_EQ(ViewBitOfToggle(c[0]), c[1]) << c[0];
    const UINT shows[][2] = {{121, 4}, {122, 8}, {123, 1}, {136, 2}, {127, 15}, {124, 0}};
    for (const auto& c : shows)
        EXPECT_EQ(ViewMaskOfShowCommand(c[0]), c[1]) << c[0];
    // The tab a mask's arrangement highlights: one pane its own, two none, else all four.
    const UINT tabs[][2] = {{4, 121}, {8, 122}, {1, 123}, {2, 136}, {15, 127},    {7, 127},
                            {0, 127}, {9, 0},   {12, 0},  {3, 0},   {4 | 32, 121}};
    for (const auto& c : tabs)
        EXPECT_EQ(ShowCommandOfViewMask(c[0]), c[1]) << c[0];
    // A workspace line's graph: its picture beside the workspace; a workspace shown stays.
    const UINT beside[][2] = {{9, 5},   {10, 6}, {3, 5}, {1, 5},   {2, 6},   {8, 12},
                              {12, 12}, {5, 5},  {4, 4}, {11, 11}, {15, 15}, {0, 0}};
    for (const auto& c : beside)
        EXPECT_EQ(ViewMaskBesideWorkspace(c[0]), c[1]) << c[0];
    // A report's workspace: beside every pane shown, which stays.
    const UINT with[][2] = {{8, 12}, {9, 13}, {1, 5}, {12, 12}, {15, 15}, {11, 11}, {0, 0}};
    for (const auto& c : with)
        EXPECT_EQ(ViewMaskWithWorkspace(c[0]), c[1]) << c[0];
}

TEST(StatusIndicators, AngleAndBase)
{
    EXPECT_STREQ(AngleModeIndicator(0), "DEG");
    EXPECT_STREQ(AngleModeIndicator(1), "RAD");
    EXPECT_STREQ(AngleModeIndicator(2), "GRAD");
    EXPECT_STREQ(AngleModeIndicator(-3), "GRAD");
    const std::pair<int, const char*> bases[] = {{10, "DEC"}, {16, "HEX"}, {8, "OCT"},
                                                 {2, "BIN"},  {3, "B-3"},  {36, "B-36"}};
    for (const auto& b : bases)
        EXPECT_STREQ(NumberBaseIndicator(b.first), b.second) << b.first;
}

} // namespace
