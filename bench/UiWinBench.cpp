// The window library under Wine, Release build, with the program's own menus and tool bars,
// median of 20 runs each, printed beside its target:
//   1. the menu bar's menu and the 16 context menus built owner-drawn with their images
//      (target 40 ms);
//   2. a menu-bar button pressed to its pop-up's first item drawn (target 20 ms);
//   3. the frame's layout with bars docked on its four sides (target 2 ms);
//   4. a folder bar of 200 items with large icons painted (target 5 ms).
// Run: tools/wine-run build-win-bench/bench/UiWinBench.exe
#include "bench/PlainTiming.h"
#include "framework/win/CImageList.h"
#include "framework/win/CWinApp.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"
#include "ui/GfxOutBarCtrl.h"
#include "ui/KxFrameWnd.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRuns = 20;

using Clock = std::chrono::steady_clock;

// A docking frame with the program's menu bar and tool bar on top and three more bars on the
// other sides; it notes when a menu item is first drawn and closes menus as they idle.
class CBenchFrame : public CKxFrameWnd {
public:
    CKxToolBar m_wndToolBar;
    CKxToolBar m_wndSides[3];
    Clock::time_point m_firstDraw;
    bool m_bDrawn = false;

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CKxFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                              CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
        if (!m_wndMenuBar.CreateEx(this, TBSTYLE_FLAT, dwStyle) ||
            !m_wndMenuBar.LoadMenu(IDR_MENUBAR) ||
            !m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwStyle, CRect(0, 0, 0, 0),
                                   AFX_IDW_TOOLBAR + 0x40) ||
            !m_wndToolBar.LoadToolBar(IDR_MENUBAR))
            return -1;
        for (int i = 0; i < 3; ++i)
            if (!m_wndSides[i].CreateEx(this, TBSTYLE_FLAT, dwStyle, CRect(0, 0, 0, 0),
                                        AFX_IDW_TOOLBAR + 0x41 + UINT(i)) ||
                !m_wndSides[i].LoadToolBar(IDR_MAINFRAME))
                return -1;
        m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
        m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
        if (!EnableDocking(CBRS_ALIGN_ANY))
            return -1;
        DockControlBar(&m_wndMenuBar);
        DockControlBar(&m_wndToolBar);
        const UINT sides[] = {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM};
        for (int i = 0; i < 3; ++i)
            DockControlBar(&m_wndSides[i], sides[i]);
        return 0;
    }
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        if (!m_bDrawn && lpDrawItemStruct->CtlType == ODT_MENU) {
            CKxFrameWnd::OnDrawItem(nIDCtl, lpDrawItemStruct);
            m_firstDraw = Clock::now();
            m_bDrawn = true;
            return;
        }
        CKxFrameWnd::OnDrawItem(nIDCtl, lpDrawItemStruct);
    }
    LRESULT OnEnterIdle(WPARAM, LPARAM)
    {
        if (m_bDrawn)
            ::EndMenu();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBenchFrame, CKxFrameWnd)
ON_WM_CREATE()
ON_WM_DRAWITEM()
ON_MESSAGE(WM_ENTERIDLE, &CBenchFrame::OnEnterIdle)
END_MESSAGE_MAP()

void MenusBench()
{
    // One per kind of project item, as the main frame keeps them.
    const UINT contextMenus[] = {IDR_CONTEXT_TABLE,  IDR_CONTEXT_DATA_GRAPH, IDR_CONTEXT_GRAPH,
                                 IDR_CONTEXT_LIST,   IDR_CONTEXT_MATRIX,     IDR_CONTEXT_GRAPH3D,
                                 IDR_CONTEXT_DEFAULT};
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        auto barMenu = std::make_unique<COwnerDrawMenu>();
        barMenu->LoadMenu(IDR_MENUBAR);
        barMenu->LoadToolBarImages(IDR_MENUBAR);
        std::vector<std::unique_ptr<COwnerDrawMenu>> menus;
        for (int kind = 0; kind < 16; ++kind) {
            menus.push_back(std::make_unique<COwnerDrawMenu>());
            menus.back()->LoadMenu(contextMenus[kind % std::size(contextMenus)]);
            menus.back()->LoadToolBarImages(IDR_MAINFRAME);
        }
        runs.push_back(MillisecondsSince(start));
    }
    ReportMedian("bar menu and 16 context menus with images", runs, 40.0);
}

void PopupAndLayoutBench()
{
    auto* pFrame = new CBenchFrame;
    if (!pFrame->Create(nullptr, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        CRect(0, 0, 900, 650))) {
        std::printf("the frame could not be made\n");
        return;
    }
    std::vector<double> popupRuns, layoutRuns;
    for (int run = 0; run < kRuns; ++run) {
        pFrame->m_bDrawn = false;
        const auto start = Clock::now();
        pFrame->m_wndMenuBar.OpenButtonPopup(0);
        if (pFrame->m_bDrawn)
            popupRuns.push_back(
                std::chrono::duration<double, std::milli>(pFrame->m_firstDraw - start).count());
    }
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        pFrame->RecalcLayout();
        layoutRuns.push_back(MillisecondsSince(start));
    }
    if (popupRuns.empty())
        std::printf("no pop-up item was drawn\n");
    else
        ReportMedian("menu-bar button to its pop-up's first draw", popupRuns, 20.0);
    ReportMedian("layout with bars on the four sides", layoutRuns, 2.0);
    pFrame->DestroyWindow();
}

void FolderBarPaintBench()
{
    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 200, 700,
                       nullptr, nullptr)) {
        std::printf("the host could not be made\n");
        return;
    }
    CImageList images;
    images.Create(32, 32, ILC_COLOR24 | ILC_MASK, 4, 4);
    for (LPCTSTR icon : {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING, IDI_QUESTION})
        images.Add(::LoadIconA(nullptr, icon));
    CGfxOutBarCtrl bar;
    bar.Create(WS_VISIBLE, CRect(0, 0, 200, 700), &host, 1);
    bar.SetImageList(&images, FALSE);
    for (LPCTSTR folder : {"Shortcuts", "Projects", "Tools"})
        bar.AddFolder(folder);
    for (int i = 0; i < 200; ++i) {
        CString label;
        label.Format("Item number %d", i + 1);
        bar.InsertItem(0, -1, label, i % 4);
    }
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ::GdiFlush();
        runs.push_back(MillisecondsSince(start));
    }
    ReportMedian("folder bar of 200 items painted", runs, 5.0);
    host.DestroyWindow();
}

} // namespace

int main()
{
    CWinApp app("Ui Bench");
    MenusBench();
    PopupAndLayoutBench();
    FolderBarPaintBench();
    return 0;
}
