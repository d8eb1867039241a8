// The Grid options page on its own in a property sheet: what it shows, what OK stores, and the
// font that goes to the grid.
#include "framework/win/CommonDialogs.h"
#include "grid/CGridOptionsPage.h"
#include "grid/GridSettings.h"
#include "res/GridIds.h"
#include "tests/grid/GridWinTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Runs the page in a sheet: steps at idle, then OK (or Cancel); the font dialog, when it
// opens, is answered with fontHeight in "Courier New".
class PageRun : public ScriptedModalHook {
public:
    int OnModalStart(CWnd* pDialog) override
    {
        if (auto* pFont = dynamic_cast<CFontDialog*>(pDialog)) {
            ++fontDialogs;
            std::strcpy(pFont->m_lf.lfFaceName, "Courier New");
            pFont->m_lf.lfHeight = fontHeight;
            return IDOK;
        }
        return 0;
    }
    int fontDialogs = 0;
    LONG fontHeight = -20;
};

void RunPage(CGridOptionsPage& page, PageRun& run, std::function<void(CGridOptionsPage&)> act,
             int nButton = PSBTN_OK)
{
    CPropertySheet sheet("Options");
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&page);
    run.steps.push_back([&](CWnd*) { act(page); });
    run.steps.push_back([&](CWnd*) { sheet.PressButton(nButton); });
    sheet.DoModal();
}

TEST(GridOptionsPageTest, AutomaticColoursStoreTheirDefaults)
{
    PageRun run;
    CMemoryProfileStore store;
    GridViewOptions options;
    options.crBack = options.crEditable = options.crText = 0xFFFFFFFF;
    CGridOptionsPage page(&options, &store);
    RunPage(page, run, [](CGridOptionsPage& p) {
        EXPECT_EQ(p.m_BackColour.GetColour(), COLORREF(0xFF000000)) << "shown as Automatic";
        EXPECT_EQ(p.m_TextColour.GetColour(), COLORREF(0xFF000000));
        EXPECT_EQ(p.IsDlgButtonChecked(IDC_GRID_READ_ONLY), 0u);
    });
    EXPECT_EQ(store.GetInt("Grid", "Editable", -1), 1);
    EXPECT_EQ(store.GetInt("Grid", "BackColor", -1), 0xFFFFFF);
    EXPECT_EQ(store.GetInt("Grid", "EditableColor", -1), 0xF2FFFF);
    EXPECT_EQ(store.GetInt("Grid", "TextColor", -1), 0);
    EXPECT_EQ(options.crEditable, COLORREF(0xF2FFFF));

    GridSettings read;
    read.nEditableColor = 1;
    ReadGridSettings(store, read);
    EXPECT_EQ(read.nEditableColor, 0xF2FFFF);
}

TEST(GridOptionsPageTest, ChosenColoursReadOnlyAndCancel)
{
    PageRun run;
    CMemoryProfileStore store;
    GridViewOptions options;
    options.crBack = RGB(1, 2, 3);
    CGridOptionsPage page(&options, &store);
    RunPage(page, run, [](CGridOptionsPage& p) {
        EXPECT_EQ(p.m_BackColour.GetColour(), RGB(1, 2, 3));
        p.m_TextColour.SetColour(RGB(9, 8, 7));
        p.CheckDlgButton(IDC_GRID_READ_ONLY, BST_CHECKED);
    });
    EXPECT_EQ(store.GetInt("Grid", "Editable", -1), 0);
    EXPECT_EQ(store.GetInt("Grid", "BackColor", -1), int(RGB(1, 2, 3)));
    EXPECT_EQ(store.GetInt("Grid", "TextColor", -1), int(RGB(9, 8, 7)));
    EXPECT_FALSE(options.bEditable);

    CMemoryProfileStore untouched;
    GridViewOptions same = options;
    CGridOptionsPage cancelled(&same, &untouched);
    PageRun again;
    RunPage(
        cancelled, again,
        [](CGridOptionsPage& p) { p.CheckDlgButton(IDC_GRID_READ_ONLY, BST_UNCHECKED); },
        PSBTN_CANCEL);
    EXPECT_TRUE(untouched.GetEntries().empty());
    EXPECT_FALSE(same.bEditable) << "nothing changes before OK";
}

TEST(GridOptionsPageTest, TheChosenFontGoesToTheOptionsAndTheGrid)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 4, 4, 1, 1);
    PageRun run;
    CMemoryProfileStore store;
    GridViewOptions options;
    options.font = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    CGridOptionsPage page(&options, &store, &grid);
    RunPage(page, run, [](CGridOptionsPage& p) { ClickButton(&p, IDC_GRID_FONT); });
    EXPECT_EQ(run.fontDialogs, 1);
    EXPECT_STREQ(options.font.lfFaceName, "Courier New");
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetFont()->lfHeight, -20);
    EXPECT_STREQ(grid.GetDefaultCell(TRUE, FALSE)->GetFont()->lfFaceName, "Courier New");
    EXPECT_EQ(store.GetEntries().size(), 4u) << "the font is not stored";
}

} // namespace
