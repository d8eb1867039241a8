#include "framework/win/CPropertySheet.h"

#include "framework/win/CWinThread.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/ModalTestHook.h"
#include "framework/win/StringResource.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

// The dialog procedure of pages. The common controls create a page themselves, so the page
// object is attached here, when its WM_INITDIALOG brings the page record; from then on the
// page's messages reach its message map through the window procedure.
INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    if (CWnd::FromHandlePermanent(hWnd))
        return TRUE; // the page's own WM_INITDIALOG handling passing by
    auto* pRecord = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
    auto* pPage = reinterpret_cast<CPropertyPage*>(pRecord->lParam);
    if (!pPage->SubclassWindow(hWnd))
        return TRUE;
    return AfxCallWndProc(pPage, hWnd, WM_INITDIALOG, wParam, lParam);
}

// A push button takes Enter while it has the focus: the keys never go back to one unasked.
bool IsPushButton(HWND hWnd)
{
    return (::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) &
            (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

} // namespace

// ---- page -----------------------------------------------------------------------------------

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate)
{
    if (nIDCaption)
        AfxLoadString(nIDCaption, m_strCaption);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    // The field being changed is where the keys go back to after Apply, however Apply is reached.
    if (const HWND hFocus = ::GetFocus();
        bChanged && hFocus && ::IsChild(m_hWnd, hFocus) && !IsPushButton(hFocus))
        m_hChangedField = hFocus;
    ::SendMessageA(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED,
                   reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnSetActive()
{
    // The first activation follows OnInitDialog, which has filled the controls already.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    return FALSE; // the sheet moves between the controls of its pages
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->hwndFrom == ::GetParent(m_hWnd)) {
        switch (pNMHDR->code) {
        case PSN_SETACTIVE:
            *pResult = OnSetActive() ? 0 : -1;
            return TRUE;
        case PSN_KILLACTIVE:
            *pResult = !OnKillActive();
            return TRUE;
        case PSN_APPLY:
            *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            return TRUE;
        case PSN_RESET:
            OnReset();
            return TRUE;
        case PSN_QUERYCANCEL:
            *pResult = !OnQueryCancel();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

// ---- sheet ----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_MESSAGE(WM_INITDIALOG, &CPropertySheet::HandleInitDialog)
ON_MESSAGE(PSM_PRESSBUTTON, &CPropertySheet::HandlePressButton)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() { CommonConstruct(nullptr, 0); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    AfxLoadString(nIDCaption, m_strCaption);
    CommonConstruct(pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption)
{
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_pParentWnd = pParentWnd;
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == pPage)
            return int(i);
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return int(m_psh.nStartPage);
    HWND hPage = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i]->m_hWnd && m_pages[i]->m_hWnd == hPage)
            return int(i);
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    const int nPage = GetActiveIndex();
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[std::size_t(nPage)] : nullptr;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    ASSERT(nPage >= 0 && nPage < GetPageCount());
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = UINT(nPage);
        return TRUE;
    }
    return BOOL(SendMessage(PSM_SETCURSEL, WPARAM(nPage), 0));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd)
        SendMessage(PSM_SETTITLEA, nStyle, reinterpret_cast<LPARAM>(lpszText));
}

HWND CPropertySheet::CreateSheet(HWND hWndParent, DWORD)
{
    m_pageRecords.clear();
    for (CPropertyPage* pPage : m_pages) {
        PROPSHEETPAGEA record = pPage->m_psp;
        record.dwSize = sizeof record;
        record.dwFlags |= pPage->m_strCaption.IsEmpty() ? 0 : PSP_USETITLE;
        record.hInstance = AfxGetResourceHandle();
        record.pszTemplate = pPage->m_lpszTemplateName;
        record.pszTitle = pPage->m_strCaption;
        record.pfnDlgProc = AfxPropPageDlgProc;
        record.lParam = reinterpret_cast<LPARAM>(pPage);
        m_pageRecords.push_back(record);
        pPage->m_bFirstSetActive = TRUE;
    }
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS;
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = UINT(m_pageRecords.size());
    m_psh.ppsp = m_pageRecords.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;

    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(::PropertySheetA(&m_psh));
    AfxUnhookWindowCreate();
    if (hWnd && !m_hWnd && SubclassWindow(hWnd)) // created without the hook seeing it
        OnInitDialog();
    return hWnd;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD)
{
    return CreateSheet(AfxSafeHwnd(pParentWnd ? pParentWnd : m_pParentWnd), dwStyle) != nullptr;
}

INT_PTR CPropertySheet::DoModal()
{
    HWND hWndParent = AfxSafeHwnd(m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
    while (hWndParent && (::GetWindowLongPtrA(hWndParent, GWL_STYLE) & WS_CHILD))
        hWndParent = ::GetParent(hWndParent);
    BOOL bEnableParent = FALSE;
    if (hWndParent && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_nButtonResult = IDCANCEL;
    if (CreateSheet(hWndParent, DWORD(-1))) {
        CenterWindow(); // on its owner, before it first shows
        m_nFlags |= WF_CONTINUEMODAL;
        CModalTestHook* pHook = AfxGetModalTestHook();
        if (const int nPress = pHook ? pHook->OnModalStart(this) : 0; nPress != 0)
            SendMessage(WM_COMMAND, MAKEWPARAM(nPress, BN_CLICKED), 0);
        if (ContinueModal())
            RunModalLoop(MLF_SHOWONIDLE);
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    const INT_PTR nResult = m_nModalResult != -1 ? m_nModalResult : m_nButtonResult;

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    return nResult;
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nModalResult = nEndID;
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nEndID);
    else
        DestroyWindow(); // a modeless sheet
}

BOOL CPropertySheet::ContinueModal()
{
    // The common controls end a modeless sheet by leaving it without a current page.
    return CWnd::ContinueModal() && m_hWnd && SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
        m_nButtonResult = LOWORD(wParam);
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CPropertySheet::HandlePressButton(WPARAM wParam, LPARAM)
{
    // A button pressed by message never arrives as WM_COMMAND: remember OK and Cancel here.
    if (wParam == PSBTN_OK)
        m_nButtonResult = IDOK;
    else if (wParam == PSBTN_CANCEL)
        m_nButtonResult = IDCANCEL;
    return Default();
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    const LRESULT result = Default(); // the common controls build the sheet and its first page
    OnInitDialog();
    return result;
}

BOOL CPropertySheet::OnInitDialog() { return TRUE; }

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    const bool isInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                         (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!isInput)
        return FALSE;
    // The field the user is on before the input moves the focus (a click on Apply, a mnemonic,
    // Tab on through the buttons).
    const HWND hFocus = ::GetFocus();
    if (const HWND hPage = GetCurrentPageHwnd();
        hFocus && ::IsChild(hPage, hFocus) && !IsPushButton(hFocus))
        m_hUserField = hFocus;
    return BOOL(SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
}

HWND CPropertySheet::GetCurrentPageHwnd() const
{
    return m_hWnd ? reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND)) : nullptr;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bApply = (message == WM_COMMAND && LOWORD(wParam) == ID_APPLY_NOW) ||
                        (message == PSM_PRESSBUTTON && wParam == PSBTN_APPLYNOW);
    const bool bMayTurn =
        message == PSM_SETCURSEL || message == PSM_SETCURSELID || message == PSM_ISDIALOGMESSAGE ||
        (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == UINT(TCN_SELCHANGE));
    if (!m_hWnd || (!bApply && !bMayTurn))
        return CWnd::WindowProc(message, wParam, lParam);
    const HWND hSheet = m_hWnd;
    const HWND hBefore = GetCurrentPageHwnd();
    const HWND hFocusBefore = ::GetFocus();
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (!::IsWindow(hSheet) || m_hWnd != hSheet)
        return result;
    const HWND hAfter = GetCurrentPageHwnd();
    if (!hAfter) // OK or Cancel ended the sheet
        return result;
    if (hAfter != hBefore) {
        // The control the user left the page on: a click on a tab has taken the focus first.
        const HWND hLeft = ::IsChild(hBefore, hFocusBefore) ? hFocusBefore : m_hUserField;
        if (auto* pOld = dynamic_cast<CPropertyPage*>(FromHandlePermanent(hBefore));
            pOld && hLeft && ::IsChild(hBefore, hLeft))
            pOld->m_hLastFocus = hLeft;
        FocusShownPage(hAfter);
    } else if (bApply) {
        RestoreFocusAfterApply(hAfter);
    }
    return result;
}

void CPropertySheet::FocusShownPage(HWND hNewPage)
{
    const HWND hFocus = ::GetFocus();
    const HWND hTabs = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
    // The tabs keep their focus, so that the arrows go on from tab to tab.
    if (hFocus && ::IsWindowVisible(hFocus) &&
        (hFocus == hTabs || hFocus == hNewPage || ::IsChild(hNewPage, hFocus)))
        return;
    auto* pPage = dynamic_cast<CPropertyPage*>(FromHandlePermanent(hNewPage));
    MoveFocus(hNewPage, pPage ? pPage->m_hLastFocus : nullptr);
}

void CPropertySheet::RestoreFocusAfterApply(HWND hPage)
{
    // A field that a failed check focused keeps the focus; a button never keeps it, so that
    // Enter means OK again.
    const HWND hFocus = ::GetFocus();
    if (hFocus && ::IsWindowVisible(hFocus) && ::IsWindowEnabled(hFocus) && !IsPushButton(hFocus))
        return;
    auto* pPage = dynamic_cast<CPropertyPage*>(FromHandlePermanent(hPage));
    MoveFocus(hPage, pPage && pPage->m_hChangedField ? pPage->m_hChangedField : m_hUserField);
}

void CPropertySheet::MoveFocus(HWND hPage, HWND hPreferred)
{
    auto usable = [hPage](HWND h) {
        return h && ::IsChild(hPage, h) && ::IsWindowVisible(h) && ::IsWindowEnabled(h);
    };
    HWND hTarget = usable(hPreferred) ? hPreferred : ::GetNextDlgTabItem(hPage, nullptr, FALSE);
    if (!usable(hTarget))
        hTarget = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL);
    // As the dialog manager moves it: the default button is OK again, a field's text selected.
    if (hTarget)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hTarget), TRUE);
}
