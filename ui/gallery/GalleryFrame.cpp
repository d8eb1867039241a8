#include "ui/gallery/GalleryFrame.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/MessageCrackers.h"
#include "res/UiIds.h"
#include "ui/SystemFonts.h"
#include "ui/gallery/GalleryRes.h"
#include "ui/gallery/GalleryViews.h"

IMPLEMENT_DYNCREATE(CGalleryFrame, CKxFrameWnd)

BEGIN_MESSAGE_MAP(CGalleryFrame, CKxFrameWnd)
ON_WM_CREATE()
ON_COMMAND_RANGE(ID_G_NEW, ID_G_PASTE, &CGalleryFrame::OnCommandSeen)
ON_COMMAND_RANGE(ID_G_PRINT, ID_G_PRINT, &CGalleryFrame::OnCommandSeen)
ON_COMMAND_RANGE(ID_G_PREVIEW, ID_G_SETUP, &CGalleryFrame::OnCommandSeen)
ON_COMMAND_RANGE(ID_DRAW_POINTER, ID_ZOOM_PAGE, &CGalleryFrame::OnCommandSeen)
ON_COMMAND_RANGE(ID_G_BOLD, ID_G_UNDERLINE, &CGalleryFrame::OnFormat)
ON_UPDATE_COMMAND_UI_RANGE(ID_G_BOLD, ID_G_UNDERLINE, &CGalleryFrame::OnUpdateFormat)
ON_COMMAND_RANGE(ID_ALIGN_LEFT, ID_ALIGN_JUSTIFY, &CGalleryFrame::OnAlign)
ON_UPDATE_COMMAND_UI_RANGE(ID_ALIGN_LEFT, ID_ALIGN_JUSTIFY, &CGalleryFrame::OnUpdateAlign)
ON_COMMAND_RANGE(ID_PANE_HIDEROW, ID_PANE_THIN, &CGalleryFrame::OnPane)
ON_UPDATE_COMMAND_UI_RANGE(ID_PANE_HIDEROW, ID_PANE_THIN, &CGalleryFrame::OnUpdatePane)
ON_COMMAND_RANGE(ID_VIEW_MAINBAR, ID_VIEW_STATUSBAR, &CGalleryFrame::OnViewBar)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_MAINBAR, ID_VIEW_STATUSBAR, &CGalleryFrame::OnUpdateViewBar)
ON_COMMAND(ID_G_HELP, &CGalleryFrame::OnAbout)
ON_UPDATE_COMMAND_UI(IDC_ZOOMBOX, &CGalleryFrame::OnUpdateZoomBox)
ON_COMMAND(ID_G_EXIT, &CGalleryFrame::OnExit)
ON_MESSAGE(WM_PUSHPIN_PINNED, &CGalleryFrame::OnPinned)
ON_MESSAGE(WM_OUTBAR_NOTIFY, &CGalleryFrame::OnFolderBar)
END_MESSAGE_MAP()

namespace {

// The buttons the main bar's customisation dialog offers.
constexpr BYTE kEnabled = TBSTATE_ENABLED;
const KxCustomButton kMainButtons[] = {
    {{0, ID_G_NEW, kEnabled, TBSTYLE_BUTTON, {}, 0, -1}, "New"},
    {{1, ID_G_OPEN, kEnabled, TBSTYLE_BUTTON, {}, 0, -1}, "Open"},
    {{2, ID_G_SAVE, kEnabled, TBSTYLE_BUTTON, {}, 0, -1}, "Save"},
    {{3, ID_G_CUT, kEnabled, TBSTYLE_BUTTON, {}, 0, -1}, "Cut"},
    {{4, ID_G_COPY, kEnabled, TBSTYLE_BUTTON, {}, 0, -1}, "Copy"},
    {{5, ID_G_PASTE, kEnabled, TBSTYLE_BUTTON, {}, 0, -1}, "Paste"},
    {{6, ID_G_BOLD, kEnabled, TBSTYLE_CHECK, {}, 0, -1}, "Bold"},
    {{7, ID_G_ITALIC, kEnabled, TBSTYLE_CHECK, {}, 0, -1}, "Italic"},
    {{8, ID_G_UNDERLINE, kEnabled, TBSTYLE_CHECK, {}, 0, -1}, "Underline"},
    {{9, ID_G_PRINT, kEnabled, TBSTYLE_DROPDOWN, {}, 0, -1}, "Print"},
    {{10, ID_G_HELP, kEnabled, TBSTYLE_BUTTON, {}, 0, -1}, "About"},
};

constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                            CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

} // namespace

BOOL CGalleryFrame::CreateBar(CKxToolBar& bar, UINT nIDResource, UINT nID, LPCTSTR lpszTitle)
{
    if (!bar.CreateEx(this, TBSTYLE_FLAT, kBarStyle, CRect(0, 0, 0, 0), nID) ||
        !bar.LoadToolBar(nIDResource))
        return FALSE;
    bar.SetWindowText(lpszTitle);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

int CGalleryFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CKxFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndMenuBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle) ||
        !m_wndMenuBar.LoadMenu(IDR_GALLERY))
        return -1;
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    if (!m_wndMainBar.CreateEx(this, TBSTYLE_FLAT, kBarStyle) ||
        !m_wndMainBar.LoadToolBar(IDR_GALLERY, kMainButtons, int(std::size(kMainButtons))))
        return -1;
    m_wndMainBar.SetWindowText("Standard");
    m_wndMainBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndMainBar.AddDropDownMenu(ID_G_PRINT, IDR_PRINTMENU);
    if (!CreateBar(m_wndDrawBar, IDR_DRAWBAR, AFX_IDW_TOOLBAR + 0x41, "Drawing") ||
        !CreateBar(m_wndZoomBar, IDR_ZOOMBAR, AFX_IDW_TOOLBAR + 0x42, "Zoom") ||
        !CreateBar(m_wndAlignBar, IDR_ALIGNBAR, AFX_IDW_TOOLBAR + 0x43, "Alignment") ||
        !CreateBar(m_wndPaneBar, IDR_PANEBAR, AFX_IDW_TOOLBAR + 0x44, "Panes"))
        return -1;
    static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    if (!m_wndStatusBar.Create(this) ||
        !m_wndStatusBar.SetIndicators(kIndicators, int(std::size(kIndicators))))
        return -1;
    if (!EnableDocking(CBRS_ALIGN_ANY))
        return -1;
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndMainBar);
    DockControlBar(&m_wndDrawBar, AFX_IDW_DOCKBAR_LEFT);
    DockControlBar(&m_wndAlignBar, AFX_IDW_DOCKBAR_RIGHT);
    DockControlBar(&m_wndPaneBar, AFX_IDW_DOCKBAR_BOTTOM);
    // A rebar along the top of the panes, its band a bar holding a drop-down list.
    if (!m_wndReBar.Create(this) || !CreateZoomBox() ||
        !m_wndReBar.AddBar(&m_wndZoomBoxBar, "Zoom"))
        return -1;
    if (!CreatePanes() || !m_contextMenu.LoadMenu(IDR_CONTEXT))
        return -1;
    m_contextMenu.LoadToolBarImages(IDR_GALLERY);
    return 0;
}

BOOL CGalleryFrame::CreatePanes()
{
    if (!EnableSizingDocking(CBRS_ALIGN_ANY))
        return FALSE;
    m_imagesLarge.Create(32, 32, ILC_COLOR24 | ILC_MASK, 6, 2);
    m_imagesSmall.Create(16, 16, ILC_COLOR24 | ILC_MASK, 6, 2);
    for (LPCTSTR lpszIcon :
         {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING, IDI_QUESTION, IDI_ERROR, IDI_WINLOGO}) {
        HICON hIcon = ::LoadIconA(nullptr, lpszIcon);
        m_imagesLarge.Add(hIcon);
        m_imagesSmall.Add(hIcon);
    }
    if (!m_wndFolderPane.Create("Folders", this, CSize(170, 300), AFX_IDW_CONTROLBAR_FIRST + 0x30,
                                WS_CHILD | WS_VISIBLE | CBRS_LEFT) ||
        !m_wndOutBar.Create(WS_VISIBLE, CRect(0, 0, 0, 0), &m_wndFolderPane, AFX_IDW_PANE_FIRST) ||
        !m_wndShortcutPane.Create("Shortcuts", this, CSize(110, 300),
                                  AFX_IDW_CONTROLBAR_FIRST + 0x31,
                                  WS_CHILD | WS_VISIBLE | CBRS_RIGHT) ||
        !m_wndPager.Create(WS_VISIBLE | PGS_VERT, CRect(0, 0, 0, 0), &m_wndShortcutPane,
                           AFX_IDW_PANE_FIRST) ||
        !m_wndShortcuts.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT,
                               CRect(0, 0, 100, 420), &m_wndPager, 102))
        return FALSE;
    m_wndOutBar.SetOwner(this);
    m_wndOutBar.SetImageList(&m_imagesLarge, FALSE);
    m_wndOutBar.SetImageList(&m_imagesSmall, TRUE);
    const char* const kItems[3][4] = {{"Workspace", "Grid", "2D Plot", "3D Plot"},
                                      {"Notes", "Messages", "Questions", "Errors"},
                                      {"Programs", "Windows", "Help", "About"}};
    int nFolder = 0;
    for (LPCTSTR lpszFolder : {"Shortcuts", "Messages", "System"}) {
        m_wndOutBar.AddFolder(lpszFolder);
        for (int i = 0; i < 4; ++i)
            m_wndOutBar.InsertItem(nFolder, -1, kItems[nFolder][i], (nFolder + i) % 6);
        ++nFolder;
    }
    m_wndShortcuts.SetImageList(&m_imagesLarge);
    for (LPCTSTR lpszLabel : {"Tables", "Lists", "Matrices", "Graphs", "Models", "Units"})
        m_wndShortcuts.AddItem(lpszLabel, m_wndShortcuts.GetCount() % 6);
    m_wndPager.SetChild(m_wndShortcuts.m_hWnd);
    m_wndPager.SetButtonSize(15);
    m_wndPager.SetChildExtent(6 * CKxOutlookBar::kItemHeight);
    for (CKxControlBar* pPane : {&m_wndFolderPane, &m_wndShortcutPane})
        pPane->EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndFolderPane, IDW_KXSIZEDOCK_LEFT);
    DockControlBar(&m_wndShortcutPane, IDW_KXSIZEDOCK_RIGHT);
    return TRUE;
}

LRESULT CGalleryFrame::OnFolderBar(WPARAM wParam, LPARAM lParam)
{
    CString text;
    switch (wParam) {
    case OBN_ITEMCLICK:
        text.Format("\"%s\" was clicked.", m_wndOutBar.GetItemText(int(lParam)).GetString());
        break;
    case OBN_FOLDEROPEN:
        text.Format("The folder \"%s\" opened.",
                    m_wndOutBar.GetFolderName(int(lParam)).GetString());
        break;
    case OBN_ITEMRENAME:
    case OBN_FOLDERRENAME:
    case OBN_ITEMDROP:
        return 1; // every rename and move is taken
    default:
        return 0;
    }
    SetStatus(text);
    return 0;
}

void CGalleryFrame::FloatZoomBar()
{
    CRect rect;
    GetWindowRect(&rect);
    FloatControlBar(&m_wndZoomBar, CPoint(rect.right - 190, rect.top + 150));
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

BOOL CGalleryFrame::CreateZoomBox()
{
    if (!m_wndZoomBoxBar.CreateEx(&m_wndReBar, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                  CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 0x45))
        return FALSE;
    const UINT kSeparator[] = {0};
    m_wndZoomBoxBar.SetButtons(kSeparator, 1);
    auto* pBox = new CKxFlatComboBox;
    if (!pBox->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, CRect(0, 0, 110, 160),
                      &m_wndZoomBoxBar, IDC_ZOOMBOX)) {
        delete pBox;
        return FALSE;
    }
    static CFont font;
    CreateSystemFont(font, SystemFont::Message);
    pBox->SetFont(&font);
    for (LPCTSTR lpszZoom : {"50%", "75%", "100%", "150%", "200%"})
        pBox->AddString(lpszZoom);
    pBox->SetCurSel(2);
    return m_wndZoomBoxBar.InsertControl(0, pBox, 110);
}

BOOL CGalleryFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    if (!m_wndSplitter.CreateStatic(this, 2, 2) ||
        !m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CColourPanelView), CSize(300, 250),
                                  nullptr) ||
        !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CSampleView), CSize(300, 250), nullptr) ||
        !m_wndSplitter.CreateView(1, 0, RUNTIME_CLASS(CLinkPanelView), CSize(300, 250), nullptr) ||
        !m_wndSplitter.CreateView(1, 1, RUNTIME_CLASS(CGalleryView), CSize(300, 250), nullptr))
        return FALSE;
    auto title = [this](int row, int col, LPCTSTR lpszTitle, LPCTSTR lpszText) {
        auto* pView = static_cast<CGalleryView*>(m_wndSplitter.GetPane(row, col));
        pView->m_strTitle = lpszTitle;
        pView->m_strText = lpszText;
    };
    title(0, 1, "Sample", "The quick brown fox jumps over the lazy dog.");
    title(1, 0, "Menus and links",
          "Right-click for the owner-drawn context menu; Alt or F10 reaches the menu bar. The "
          "link opens a web page; the flat box completes a unit as it is typed.");
    title(1, 1, "Splitter",
          "The Panes menu hides the lower row or the right column, and swaps views.");
    m_pNotes = static_cast<CGalleryView*>(RUNTIME_CLASS(CGalleryView)->CreateObject());
    if (!m_pNotes->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &m_wndSplitter,
                          AFX_IDW_PANE_FIRST + 0xF0, nullptr))
        return FALSE;
    m_pNotes->m_strTitle = "Notes";
    m_pNotes->m_strText = "Shown through the caption strip's push pin, or swapped into a pane.";
    auto* pPanel = static_cast<CColourPanelView*>(m_wndSplitter.GetPane(0, 0));
    pPanel->m_wndCaption.SetPushPinPane(m_pNotes, this, CRect(0, 0, 300, 160));
    return TRUE;
}

void CGalleryFrame::TrackContextMenu(CPoint point)
{
    if (CMenu* pPopup = m_contextMenu.GetSubMenu(0))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CGalleryFrame::FormatChanged()
{
    if (CWnd* pSample = m_wndSplitter.GetPane(0, 1))
        pSample->Invalidate();
}

void CGalleryFrame::SetStatus(LPCTSTR lpszText) { SetMessageText(lpszText); }

void CGalleryFrame::OnCommandSeen(UINT nID)
{
    CString strPrompt;
    GetMessageString(nID, strPrompt);
    SetStatus(strPrompt + "  (chosen)");
}

void CGalleryFrame::OnFormat(UINT nID)
{
    BOOL* flags[] = {&m_format.bBold, &m_format.bItalic, &m_format.bUnderline};
    BOOL& bFlag = *flags[nID - ID_G_BOLD];
    bFlag = !bFlag;
    FormatChanged();
}

void CGalleryFrame::OnUpdateFormat(CCmdUI* pCmdUI)
{
    const BOOL flags[] = {m_format.bBold, m_format.bItalic, m_format.bUnderline};
    pCmdUI->SetCheck(flags[pCmdUI->m_nID - ID_G_BOLD]);
}

void CGalleryFrame::OnAlign(UINT nID)
{
    static const UINT kAlign[] = {DT_LEFT, DT_CENTER, DT_RIGHT, DT_LEFT};
    m_format.nAlign = kAlign[nID - ID_ALIGN_LEFT];
    FormatChanged();
}

void CGalleryFrame::OnUpdateAlign(CCmdUI* pCmdUI)
{
    static const UINT kAlign[] = {DT_LEFT, DT_CENTER, DT_RIGHT, UINT(-1)};
    pCmdUI->SetRadio(m_format.nAlign == kAlign[pCmdUI->m_nID - ID_ALIGN_LEFT]);
}

void CGalleryFrame::OnPane(UINT nID)
{
    switch (nID) {
    case ID_PANE_HIDEROW:
        m_wndSplitter.HideRow(1);
        break;
    case ID_PANE_HIDECOLUMN:
        m_wndSplitter.HideColumn(1);
        break;
    case ID_PANE_SHOWALL:
        m_wndSplitter.ShowRow();
        m_wndSplitter.ShowColumn();
        break;
    case ID_PANE_SWAP:
        m_wndSplitter.SwapView(0, 1, m_pNotes);
        break;
    case ID_PANE_LOCK:
        m_wndSplitter.SetFlags(m_wndSplitter.GetFlags() ^ PSF_NODRAG);
        break;
    case ID_PANE_THIN:
        m_wndSplitter.SetFlags(m_wndSplitter.GetFlags() ^ PSF_THINBARS);
        m_wndSplitter.RecalcLayout();
        break;
    }
}

void CGalleryFrame::OnUpdatePane(CCmdUI* pCmdUI)
{
    switch (pCmdUI->m_nID) {
    case ID_PANE_HIDEROW:
        pCmdUI->Enable(m_wndSplitter.GetHiddenRow() < 0);
        break;
    case ID_PANE_HIDECOLUMN:
        pCmdUI->Enable(m_wndSplitter.GetHiddenColumn() < 0);
        break;
    case ID_PANE_SHOWALL:
        pCmdUI->Enable(m_wndSplitter.GetHiddenRow() >= 0 || m_wndSplitter.GetHiddenColumn() >= 0);
        break;
    case ID_PANE_SWAP:
        pCmdUI->Enable(m_wndSplitter.GetHiddenColumn() < 0);
        break;
    case ID_PANE_LOCK:
        pCmdUI->SetCheck((m_wndSplitter.GetFlags() & PSF_NODRAG) != 0);
        break;
    case ID_PANE_THIN:
        pCmdUI->SetCheck((m_wndSplitter.GetFlags() & PSF_THINBARS) != 0);
        break;
    }
}

CControlBar* CGalleryFrame::BarOf(UINT nID)
{
    CControlBar* bars[] = {&m_wndMainBar,  &m_wndDrawBar, &m_wndZoomBar,
                           &m_wndAlignBar, &m_wndPaneBar, &m_wndStatusBar};
    return bars[nID - ID_VIEW_MAINBAR];
}

void CGalleryFrame::OnViewBar(UINT nID)
{
    CControlBar* pBar = BarOf(nID);
    ShowControlBar(pBar, !(pBar->GetStyle() & WS_VISIBLE), FALSE);
}

void CGalleryFrame::OnUpdateViewBar(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck((BarOf(pCmdUI->m_nID)->GetStyle() & WS_VISIBLE) != 0);
}

void CGalleryFrame::OnAbout()
{
    AfxMessageBox("The window and control library's gallery: docking tool bars, a menu bar, "
                  "owner-drawn menus, caption strips, a splitter with hideable panes and "
                  "colour buttons.",
                  MB_ICONINFORMATION);
}

void CGalleryFrame::OnExit() { PostMessage(WM_CLOSE); }

void CGalleryFrame::OnUpdateZoomBox(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

LRESULT CGalleryFrame::OnPinned(WPARAM, LPARAM)
{
    // Pinned notes take the upper right pane.
    m_wndSplitter.SwapView(0, 1, m_pNotes);
    return 0;
}
