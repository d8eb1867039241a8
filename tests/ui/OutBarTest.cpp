// The folder bar, the large-icon list and the pager as the user drives them: clicking items
// and folders, renaming once, dragging an item, the context menu, bad indices and a bar too
// full to show; the list's click and the pager's child.
#include "framework/win/CImageList.h"
#include "framework/win/MessageCrackers.h"
#include "res/UiIds.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/ui/KxTestFrame.h"
#include "ui/GfxOutBarCtrl.h"
#include "ui/KxOutlookBar.h"
#include "ui/KxPagerCtrl.h"
#include "ui/OutBarEdit.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

LPARAM PointParam(CPoint point) { return MAKELPARAM(WORD(short(point.x)), WORD(short(point.y))); }

// A window that holds the controls, records what they tell it and answers renames and drops.
class COutBarHost : public CWnd {
public:
    struct Notice {
        WPARAM code;
        int index;
        CString text;
        int target;
    };
    BOOL CreateHost()
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, nullptr, HBRUSH(COLOR_BTNFACE + 1));
        return CreateEx(0, lpszClass, "Host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100,
                        300, 400, nullptr, nullptr);
    }
    LRESULT OnOutBar(WPARAM wParam, LPARAM lParam)
    {
        Notice notice{wParam, int(lParam), CString(), -1};
        if (wParam == OBN_ITEMRENAME || wParam == OBN_FOLDERRENAME) {
            const auto* pRename = reinterpret_cast<const OutBarRename*>(lParam);
            notice.index = pRename->index;
            notice.text = pRename->lpszText;
        } else if (wParam == OBN_ITEMDROP) {
            const auto* pDrop = reinterpret_cast<const OutBarDrop*>(lParam);
            notice.index = pDrop->nFrom;
            notice.target = pDrop->nTo;
        }
        notices.push_back(notice);
        return answer;
    }
    std::vector<WPARAM> Codes() const
    {
        std::vector<WPARAM> codes;
        for (const Notice& n : notices)
            codes.push_back(n.code);
        return codes;
    }
    std::vector<Notice> notices;
    LRESULT answer = 1;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COutBarHost, CWnd)
ON_MESSAGE(WM_OUTBAR_NOTIFY, &COutBarHost::OnOutBar)
END_MESSAGE_MAP()

// A folder bar that presses keys while its context menu waits for input.
class CScriptedOutBar : public CGfxOutBarCtrl {
public:
    std::vector<UINT> keys;
    std::size_t next = 0;
    int idle = 0;

protected:
    LRESULT OnEnterIdle(WPARAM, LPARAM)
    {
        if (next < keys.size())
            PostKey(m_hWnd, keys[next++]);
        else if (++idle > 20)
            ::EndMenu();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScriptedOutBar, CGfxOutBarCtrl)
ON_MESSAGE(WM_ENTERIDLE, &CScriptedOutBar::OnEnterIdle)
END_MESSAGE_MAP()

class OutBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_images.Create(32, 32, ILC_COLOR24, 4, 4));
        ASSERT_TRUE(m_bar.Create(WS_VISIBLE, CRect(0, 0, 120, 300), &m_host, 5));
        m_bar.SetImageList(&m_images, FALSE);
        m_bar.SetAnimationDelay(-1);
        for (const char* folder : {"Shortcuts", "Tools", "Other"})
            m_bar.AddFolder(folder);
        for (const char* item : {"Workspace", "Grid", "2D Plot", "3D Plot"})
            m_bar.InsertItem(0, -1, item, -1);
        AfxPumpPendingMessages();
    }
    void TearDown() override { m_host.DestroyWindow(); }
    CPoint ItemCentre(int nItem)
    {
        const OutBarItemBox* pBox = m_bar.GetLayout().FindItem(nItem);
        return pBox ? pBox->whole.CenterPoint() : CPoint(-100, -100);
    }
    // A press on from, the pointer moved to each point, then released on the last.
    void Press(CPoint from, std::vector<CPoint> moves)
    {
        for (const CPoint& point : moves)
            m_bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(point));
        m_bar.PostMessage(WM_LBUTTONUP, 0, PointParam(moves.empty() ? from : moves.back()));
        m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(from));
        AfxPumpPendingMessages();
    }
    void TypeInto(HWND hWnd, const char* text, UINT vkEnd)
    {
        ::SendMessageA(hWnd, WM_SETTEXT, 0, LPARAM(text));
        PostKey(hWnd, vkEnd);
        AfxPumpPendingMessages();
    }

    COutBarHost m_host;
    CImageList m_images;
    CScriptedOutBar m_bar;
};

TEST_F(OutBarTest, ClickingAnItemOrAnotherFolderTellsTheOwner)
{
    Press(ItemCentre(1), {});
    EXPECT_EQ(m_host.Codes(), (std::vector<WPARAM>{OBN_ITEMCLICK}));
    EXPECT_EQ(m_host.notices[0].index, 1);

    // Pressed on one item and released on another is no click.
    m_host.notices.clear();
    m_bar.SetFlags(m_bar.GetFlags() & ~OBF_DRAGITEMS);
    Press(ItemCentre(1), {ItemCentre(2)});
    EXPECT_TRUE(m_host.notices.empty());

    // The slide runs without a pause; folder 2 then sits at the top under folder 1.
    m_bar.SetAnimationDelay(0);
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(m_bar.GetFolderRect(2).CenterPoint()));
    EXPECT_EQ(m_bar.GetOpenFolder(), 2);
    EXPECT_EQ(m_host.Codes(), (std::vector<WPARAM>{OBN_FOLDEROPEN}));
    EXPECT_EQ(m_bar.GetFolderRect(2), CRect(0, 43, 120, 65));
    EXPECT_EQ(m_bar.GetItemCount(), 0);
}

TEST_F(OutBarTest, ARenameIsAskedOnceAndARefusalKeepsTheLabel)
{
    m_bar.StartItemRename(2);
    ASSERT_NE(m_bar.GetRenameEdit(), nullptr);
    // Enter ends the rename; the editor's going then takes the focus away from it.
    TypeInto(m_bar.GetRenameEdit()->m_hWnd, "Plot", VK_RETURN);
    EXPECT_EQ(m_host.Codes(), (std::vector<WPARAM>{OBN_ITEMRENAME}));
    EXPECT_EQ(m_host.notices[0].text, CString("Plot"));
    EXPECT_EQ(m_bar.GetItemText(2), CString("Plot"));
    EXPECT_EQ(m_bar.GetRenameEdit(), nullptr);

    m_host.notices.clear();
    m_host.answer = 0;
    m_bar.StartFolderRename(1);
    ASSERT_NE(m_bar.GetRenameEdit(), nullptr);
    ::SendMessageA(m_bar.GetRenameEdit()->m_hWnd, WM_SETTEXT, 0, LPARAM("Kit"));
    ::SetFocus(m_host.m_hWnd); // leaving the editor takes the text too
    AfxPumpPendingMessages();
    EXPECT_EQ(m_host.Codes(), (std::vector<WPARAM>{OBN_FOLDERRENAME}));
    EXPECT_EQ(m_bar.GetFolderName(1), CString("Tools"));

    // Escape keeps the old text without asking.
    m_host.notices.clear();
    m_bar.StartItemRename(0);
    TypeInto(m_bar.GetRenameEdit()->m_hWnd, "Sheet", VK_ESCAPE);
    EXPECT_TRUE(m_host.notices.empty());
    EXPECT_EQ(m_bar.GetItemText(0), CString("Workspace"));
}

TEST_F(OutBarTest, DraggingAnItemMovesItWhenTheOwnerAgrees)
{
    const CPoint below(60, m_bar.GetLayout().FindItem(3)->whole.bottom + 4);
    Press(ItemCentre(0), {CPoint(60, ItemCentre(0).y + 30), below});
    ASSERT_EQ(m_host.Codes(), (std::vector<WPARAM>{OBN_ITEMDROP}));
    EXPECT_EQ(m_host.notices[0].index, 0);
    EXPECT_EQ(m_host.notices[0].target, 4);
    EXPECT_EQ(m_bar.GetItemText(3), CString("Workspace"));
    EXPECT_EQ(m_bar.GetItemText(0), CString("Grid"));

    // Escape during a drag moves nothing.
    m_host.notices.clear();
    m_bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(below));
    PostKey(m_bar.m_hWnd, VK_ESCAPE);
    m_bar.PostMessage(WM_LBUTTONUP, 0, PointParam(below));
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(ItemCentre(0)));
    AfxPumpPendingMessages();
    EXPECT_TRUE(m_host.notices.empty());
    EXPECT_EQ(m_bar.GetItemText(0), CString("Grid"));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(OutBarTest, TheContextMenuRemovesWhatWasClickedAndSwitchesTheView)
{
    m_bar.keys = {'R'};
    m_bar.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, PointParam(ItemCentre(1)));
    AfxPumpPendingMessages();
    EXPECT_EQ(m_bar.GetItemCount(), 3);
    EXPECT_EQ(m_bar.GetItemText(1), CString("2D Plot"));

    m_bar.keys = {'S'};
    m_bar.next = 0;
    m_bar.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, PointParam(m_bar.GetFolderRect(0).CenterPoint()));
    AfxPumpPendingMessages();
    EXPECT_TRUE(m_bar.UsesSmallIcons());
    EXPECT_EQ(m_bar.GetFolderCount(), 3);
}

TEST_F(OutBarTest, BadIndicesChangeNothingAndAFullBarStaysUsable)
{
    for (int bad : {-5, 10000}) {
        m_bar.OpenFolder(bad);
        m_bar.RemoveFolder(bad);
        m_bar.RemoveItem(bad);
        m_bar.StartItemRename(bad);
        m_bar.StartFolderRename(bad);
        EXPECT_EQ(m_bar.InsertItem(bad, 0, "x", 0), -1);
        EXPECT_EQ(m_bar.GetItemText(bad), CString());
    }
    EXPECT_EQ(m_bar.GetOpenFolder(), 0);
    EXPECT_EQ(m_bar.GetFolderCount(), 3);
    EXPECT_EQ(m_bar.GetItemCount(), 4);
    EXPECT_EQ(m_bar.GetRenameEdit(), nullptr);

    // Removing every folder leaves none open; nothing is hit any more.
    while (m_bar.GetFolderCount() > 0)
        m_bar.RemoveFolder(0);
    EXPECT_EQ(m_bar.GetOpenFolder(), -1);
    EXPECT_EQ(m_bar.HitTest(CPoint(60, 150)), OutBarHit());
    m_bar.RemoveItem(0);

    for (int i = 0; i < 200; ++i)
        m_bar.AddFolder("Folder");
    for (int i = 0; i < 1000; ++i)
        m_bar.InsertItem(0, -1, "Item", 0);
    EXPECT_EQ(m_bar.GetItemCount(), 1000);
    EXPECT_TRUE(m_bar.GetLayout().Items().empty()); // no room left between the buttons
    const CDibImage image = AfxPrintClientToDib(&m_bar);
    EXPECT_EQ(image.height, 300);
}

TEST(OutlookListTest, AReleaseTellsTheItemAndTheListsId)
{
    COutBarHost host;
    ASSERT_TRUE(host.CreateHost());
    CKxOutlookBar list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT,
                            CRect(0, 0, 100, 300), &host, 102));
    for (const char* label : {"Tables", "Graphs", "Matrices"})
        list.AddItem(label, 0);
    EXPECT_EQ(list.GetItemHeight(0), CKxOutlookBar::kItemHeight);
    EXPECT_EQ(list.GetItemLabel(2), CString("Matrices"));
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 75));
    EXPECT_TRUE(list.IsButtonHeld());
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, 80));
    ASSERT_EQ(host.notices.size(), 1u);
    EXPECT_EQ(host.notices[0].code, 1u);   // the item
    EXPECT_EQ(host.notices[0].index, 102); // the list's id
    EXPECT_EQ(list.GetCurSel(), 1);
    host.DestroyWindow();
}

TEST(PagerTest, ThePagerGivesItsChildTheExtentSet)
{
    COutBarHost host;
    ASSERT_TRUE(host.CreateHost());
    CKxPagerCtrl pager;
    ASSERT_TRUE(pager.Create(WS_VISIBLE | PGS_VERT, CRect(0, 0, 100, 200), &host, 101));
    CKxOutlookBar list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT,
                            CRect(0, 0, 100, 100), &pager, 102));
    pager.SetChild(list.m_hWnd);
    pager.SetButtonSize(15);
    pager.SetChildExtent(575);
    AfxPumpPendingMessages();
    CRect rect;
    list.GetWindowRect(&rect);
    EXPECT_EQ(rect.Height(), 575);
    EXPECT_EQ(pager.GetButtonSize(), 15);
    host.DestroyWindow();
}

} // namespace
