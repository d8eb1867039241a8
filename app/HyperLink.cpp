#include "app/HyperLink.h"

#include "app/GeneralDialogs.h"
#include "app/MessageBoxes.h"
#include "framework/win/CDC.h"
#include "framework/win/CDialog.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

#include <shellapi.h>

IMPLEMENT_DYNAMIC(CHyperLink, CWnd)

BEGIN_MESSAGE_MAP(CHyperLink, CWnd)
ON_WM_PAINT()
ON_WM_SETCURSOR()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

ShellOpener& Opener()
{
    static ShellOpener opener;
    return opener;
}

INT_PTR OpenInShell(const CString& target)
{
    return INT_PTR(::ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL));
}

} // namespace

void SetShellOpener(ShellOpener opener) { Opener() = std::move(opener); }

BOOL OpenLinkTarget(const CString& target)
{
    INT_PTR result = 0;
    {
        CWaitCursor wait;
        result = Opener() ? Opener()(target) : OpenInShell(target);
    }
    if (!ShellOpenFailed(result))
        return TRUE;
    MessageBoxText(nullptr, "Unable to start the mail/browser program");
    return FALSE;
}

BOOL CHyperLink::Attach(UINT nControlID, CWnd* pParent)
{
    CWnd* pStatic = pParent ? pParent->GetDlgItem(int(nControlID)) : nullptr;
    if (!pStatic)
        return FALSE;
    CRect rect;
    pStatic->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    pStatic->GetWindowText(m_strText);
    pStatic->DestroyWindow();

    LOGFONTA lf{};
    if (CFont* pFont = pParent->GetFont())
        pFont->GetLogFont(&lf);
    lf.lfUnderline = TRUE;
    m_Font.CreateFontIndirect(&lf);
    return CreateEx(0, AfxRegisterWndClass(0), m_strText, WS_CHILD | WS_VISIBLE, rect, pParent,
                    nControlID);
}

// The background is the dialog's own, as its static controls get it.
void CHyperLink::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    auto hBrush = HBRUSH(
        GetParent()->SendMessage(WM_CTLCOLORSTATIC, WPARAM(dc.GetSafeHdc()), LPARAM(m_hWnd)));
    ::FillRect(dc.GetSafeHdc(), &client, hBrush ? hBrush : ::GetSysColorBrush(COLOR_3DFACE));
    if (m_strText.IsEmpty())
        return;
    CFont* pOld = dc.SelectObject(&m_Font);
    dc.SetTextColor(m_crText);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(0, 0, m_strText);
    dc.SelectObject(pOld);
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT)
{
    static const HCURSOR hHand =
        ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_HYPERLINK));
    ::SetCursor(hHand);
    return TRUE;
}

void CHyperLink::OnLButtonUp(UINT, CPoint)
{
    if (m_strText.IsEmpty())
        return;
    m_crText = kVisited;
    Invalidate();
    UpdateWindow();
    OpenLinkTarget(LinkTarget(m_strText));
}
