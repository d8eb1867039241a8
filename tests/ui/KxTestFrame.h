#pragma once
// A docking frame as the main frame builds one: a menu bar on the test menu, a flat tool bar
// on the test tool bar, a status bar and a plain pane in the middle. It records the commands
// and pop-ups it sees and plays a script of input while a menu is open.
#include "framework/win/CStatusBar.h"
#include "ui/KxFrameWnd.h"

#include <functional>
#include <vector>

// A framework bar of a fixed size, to sit beside the flat ones.
class CFixedBar : public CControlBar {
public:
    CSize m_size{40, 24};
    BOOL Create(CWnd* pParentWnd, UINT nID);
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override
    {
        return bHorz ? m_size : CSize(m_size.cy, m_size.cx);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

class CKxTestFrame : public CKxFrameWnd {
public:
    // Creates the frame with its client area cx x cy at (x, y), bars docked on top.
    static CKxTestFrame* Make(int cx = 600, int cy = 400, int x = 50, int y = 50);

    CKxToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    CWnd m_wndPane;
    std::vector<UINT> m_commands;                // commands received, in order
    std::vector<CString> m_popups;               // pop-ups opened, in order, by their first item
    std::vector<std::function<void()>> m_script; // one step each time an open menu idles
    std::size_t m_nStep = 0;
    int m_nIdleAfterScript = 0;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    LRESULT OnEnterIdle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// Posts a key press to the thread, as the keyboard would.
void PostKey(HWND hWnd, UINT vk);
