#include "framework/win/CView.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/CCreateContext.h"
#include "framework/win/CDC.h"
#include "framework/win/CDocument.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CSplitterWnd.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/MessageCrackers.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_MESSAGE(WM_MOUSEACTIVATE, &CView::OnMouseActivateMsg)
ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMsg)
ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnNextPaneCmd)
ON_UPDATE_COMMAND_UI(ID_NEXT_PANE, &CView::OnUpdateNextPaneMenu)
ON_UPDATE_COMMAND_UI(ID_PREV_PANE, &CView::OnUpdateNextPaneMenu)
END_MESSAGE_MAP()

namespace {

CSplitterWnd* ParentSplitter(HWND hWnd)
{
    return dynamic_cast<CSplitterWnd*>(CWnd::FromHandlePermanent(::GetParent(hWnd)));
}

} // namespace

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const { return AfxFindParentFrame(m_hWnd); }

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           HBRUSH(COLOR_WINDOW + 1));
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* pFrame = GetParentFrame())
        if (pFrame->GetActiveView() == this)
            pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

LRESULT CView::OnMouseActivateMsg(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (lResult == MA_NOACTIVATE || lResult == MA_NOACTIVATEANDEAT)
        return lResult;
    // A click in a pane makes its view the active one of the frame.
    if (CFrameWnd* pFrame = GetParentFrame())
        if (pFrame->GetActiveView() != this)
            pFrame->SetActiveView(this);
    return lResult;
}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this) {
        CFrameWnd* pFrame = GetParentFrame();
        // Keep the focus where it is when it is already inside this view.
        HWND hFocus = ::GetFocus();
        if (pFrame && hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus))
            ::SetFocus(m_hWnd);
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnNextPaneCmd(UINT nID)
{
    if (CSplitterWnd* pSplitter = ParentSplitter(m_hWnd))
        pSplitter->ActivateNext(nID == ID_PREV_PANE);
}

void CView::OnUpdateNextPaneMenu(CCmdUI* pCmdUI)
{
    CSplitterWnd* pSplitter = ParentSplitter(m_hWnd);
    pCmdUI->Enable(pSplitter && pSplitter->CanActivateNext(pCmdUI->m_nID == ID_PREV_PANE));
}
