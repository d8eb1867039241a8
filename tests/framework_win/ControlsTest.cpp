// Control wrappers over the real controls: the rich-edit text the workspace is made of, the
// tree of the project explorer, and the list, combo, tab, spin and slider controls.
#include "framework/win/Controls.h"
#include "framework/win/CImageList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(
            m_parent.CreateEx(0, nullptr, "parent", WS_POPUP, RECT{0, 0, 300, 200}, nullptr, 0));
    }
    void TearDown() override { m_parent.DestroyWindow(); }
    CWnd m_parent;
};

DWORD CALLBACK CollectStream(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* written)
{
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                   std::size_t(count));
    *written = count;
    return 0;
}

TEST_F(ControlsTest, RichEditLinesSelectionFormatsAndStreaming)
{
    CRichEditCtrl edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE, RECT{0, 0, 200, 100}, &m_parent, 10));
    edit.ReplaceSel("first line\rsecond");
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 11);
    EXPECT_EQ(edit.LineFromChar(13), 1);
    EXPECT_EQ(edit.LineLength(11), 6);
    char line[32] = {};
    const int nLen = edit.GetLine(1, line, sizeof line - 1);
    // The control keeps its closing paragraph mark on the last line.
    EXPECT_EQ(std::string(line, std::size_t(nLen)).substr(0, 6), "second");

    edit.SetSel(0, 5);
    EXPECT_STREQ(edit.GetSelText(), "first");
    long start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);

    CHARFORMATA cf = {};
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = RGB(200, 0, 0);
    EXPECT_TRUE(edit.SetSelectionCharFormat(cf));
    CHARFORMATA back = {};
    edit.GetSelectionCharFormat(back);
    EXPECT_EQ(back.crTextColor, RGB(200, 0, 0));

    std::string rtf;
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&rtf), 0, CollectStream};
    edit.StreamOut(SF_RTF, es);
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u) << rtf.substr(0, 20);
    EXPECT_NE(rtf.find("second"), std::string::npos);
}

TEST_F(ControlsTest, TreeItemsCarryTextDataAndImages)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASBUTTONS | TVS_LINESATROOT, RECT{0, 0, 200, 150},
                            &m_parent, 11));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1));
    tree.SetImageList(&images, TVSIL_NORMAL);

    HTREEITEM hTables = tree.InsertItem("Data Tables", 0, 0);
    HTREEITEM hFirst = tree.InsertItem("Table1", 1, 2, hTables);
    HTREEITEM hSecond = tree.InsertItem("Table2", hTables);
    tree.SetItemData(hSecond, 42);
    tree.SetItemText(hFirst, "Renamed");

    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), hTables);
    EXPECT_EQ(tree.GetChildItem(hTables), hFirst);
    EXPECT_EQ(tree.GetNextSiblingItem(hFirst), hSecond);
    EXPECT_EQ(tree.GetParentItem(hSecond), hTables);
    EXPECT_TRUE(tree.ItemHasChildren(hTables));
    EXPECT_STREQ(tree.GetItemText(hFirst), "Renamed");
    EXPECT_EQ(tree.GetItemData(hSecond), 42u);
    int image = -1, selected = -1;
    tree.GetItemImage(hFirst, image, selected);
    EXPECT_EQ(image, 1);
    EXPECT_EQ(selected, 2);
    EXPECT_TRUE(tree.SelectItem(hSecond));
    EXPECT_EQ(tree.GetSelectedItem(), hSecond);
    EXPECT_TRUE(tree.DeleteItem(hFirst));
    EXPECT_EQ(tree.GetCount(), 2u);
    tree.SetImageList(nullptr, TVSIL_NORMAL);
}

TEST_F(ControlsTest, ListComboTabSpinAndSlider)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_NOTIFY, RECT{0, 0, 100, 100}, &m_parent, 12));
    list.AddString("alpha");
    list.AddString("beta");
    list.SetItemData(1, 7);
    list.SetCurSel(1);
    CString text;
    list.GetText(list.GetCurSel(), text);
    EXPECT_STREQ(text, "beta");
    EXPECT_EQ(list.GetItemData(1), 7u);
    EXPECT_EQ(list.FindStringExact(-1, "alpha"), 0);

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, RECT{0, 0, 100, 100}, &m_parent, 13));
    combo.AddString("solid");
    combo.AddString("dashed");
    combo.SetCurSel(1);
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_STREQ(text, "dashed");
    EXPECT_EQ(combo.GetCount(), 2);

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD, RECT{0, 0, 200, 30}, &m_parent, 14));
    EXPECT_EQ(tabs.InsertItem(0, "Workspace"), 0);
    EXPECT_EQ(tabs.InsertItem(1, "Grid"), 1);
    tabs.SetCurSel(1);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_EQ(tabs.GetItemCount(), 2);

    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD, RECT{0, 0, 20, 20}, &m_parent, 15));
    spin.SetRange32(-5, 50);
    spin.SetPos32(30);
    EXPECT_EQ(spin.GetPos32(), 30);
    int lower = 0, upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, -5);
    EXPECT_EQ(upper, 50);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD, RECT{0, 0, 100, 20}, &m_parent, 16));
    slider.SetRange(0, 100);
    slider.SetPos(120); // clamped by the control
    EXPECT_EQ(slider.GetPos(), 100);
    EXPECT_EQ(slider.GetRangeMax(), 100);
}

TEST(Buttons, ChoiceStylesAreCheckBoxesAndRadioButtons)
{
    for (DWORD style : {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE, BS_RADIOBUTTON,
                        BS_AUTORADIOBUTTON})
        EXPECT_TRUE(CButton::IsChoiceStyle(style | BS_MULTILINE | WS_TABSTOP)) << style;
    for (DWORD style : {BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_GROUPBOX, BS_OWNERDRAW})
        EXPECT_FALSE(CButton::IsChoiceStyle(style | WS_VISIBLE)) << style;
}

// Like the application object's image lists: a global that still owns its list at exit.
CImageList g_exitImages;

TEST(ImageLists, GlobalListOutlivesTheTestsAndIsFreedAtExit)
{
    ASSERT_TRUE(g_exitImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 1));
    HICON hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_EQ(g_exitImages.Add(hIcon), 0);
    EXPECT_EQ(g_exitImages.GetImageCount(), 1);
    EXPECT_EQ(CImageList::FromHandle(g_exitImages.m_hImageList), &g_exitImages);
}

} // namespace
