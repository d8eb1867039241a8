#include "tests/ui/KxTestFrame.h"

#include "framework/win/MessageCrackers.h"
#include "tests/ui/UiTestRes.h"

BOOL CFixedBar::Create(CWnd* pParentWnd, UINT nID)
{
    m_dwStyle = CBRS_ALIGN_TOP;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, nullptr, HBRUSH(COLOR_BTNFACE + 1));
    return CWnd::CreateEx(0, lpszClass, "Fixed", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                          pParentWnd->m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(nID)));
}

BEGIN_MESSAGE_MAP(CKxTestFrame, CKxFrameWnd)
ON_WM_CREATE()
ON_WM_INITMENUPOPUP()
ON_MESSAGE(WM_ENTERIDLE, &CKxTestFrame::OnEnterIdle)
END_MESSAGE_MAP()

CKxTestFrame* CKxTestFrame::Make(int cx, int cy, int x, int y)
{
    auto* pFrame = new CKxTestFrame;
    RECT rect = {0, 0, cx, cy};
    ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const RECT place = {x, y, x + rect.right - rect.left, y + rect.bottom - rect.top};
    if (!pFrame->Create(nullptr, "Docking", WS_OVERLAPPEDWINDOW, place))
        return nullptr;
    return pFrame;
}

int CKxTestFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CKxFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    const DWORD dwBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                             CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
    if (!m_wndMenuBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle) ||
        !m_wndMenuBar.LoadMenu(IDR_TESTMENU) ||
        !m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle, CRect(0, 0, 0, 0),
                               AFX_IDW_TOOLBAR + 0x41) ||
        !m_wndToolBar.LoadToolBar(IDR_TESTBAR))
        return -1;
    static const UINT kIndicators[] = {ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(kIndicators, 1))
        return -1;
    if (!m_wndPane.CreateEx(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE,
                            CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
        return -1;
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    if (!EnableDocking(CBRS_ALIGN_ANY))
        return -1;
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndToolBar);
    return 0;
}

BOOL CKxTestFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // Test commands, and any small id a menu bar's button might send.
    if (nCode == CN_COMMAND && !pHandlerInfo &&
        ((nID >= ID_TEST_NEW && nID <= ID_TEST_PLAIN) || nID < 16)) {
        m_commands.push_back(nID);
        return TRUE;
    }
    if (nCode == CN_COMMAND && pHandlerInfo && nID >= ID_TEST_NEW && nID <= ID_TEST_PLAIN)
        return TRUE; // every test command has a handler
    return CKxFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CKxTestFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CKxFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfoA(pPopupMenu->m_hMenu, 0, TRUE, &info);
    const CMenuItemData* pRecord = CMenuItemData::FromItemData(info.dwItemData);
    m_popups.push_back(pRecord ? pRecord->GetAnsiText() : CString());
}

LRESULT CKxTestFrame::OnEnterIdle(WPARAM, LPARAM)
{
    if (m_nStep < m_script.size()) {
        m_script[m_nStep++]();
    } else if (++m_nIdleAfterScript > 20) {
        ::EndMenu(); // a script that left a menu open does not hang the test
    }
    return 0;
}

void PostKey(HWND hWnd, UINT vk)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageA(hWnd, WM_KEYUP, vk, LPARAM(0xC0000001));
}
