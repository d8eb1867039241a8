#include "app/MessageBoxes.h"

#include "app/ConfirmDeleteDlg.h"
#include "framework/win/AfxState.h"
#include "framework/win/CWnd.h"
#include "framework/win/ModalTestHook.h"
#include "framework/win/StringResource.h"

namespace {

int ShowBox(CWnd* pOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (!pOwner)
        pOwner = AfxGetMainWnd();
    HWND hOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    LPCTSTR lpszTitle = lpszCaption ? lpszCaption : AfxGetAppName();
    return AfxDoMessageBox(hOwner, lpszText ? lpszText : "", lpszTitle, nType);
}

CString LoadText(UINT nStringId)
{
    CString text;
    AfxLoadString(nStringId, text);
    return text;
}

BOOL CheckOrWarn(CWnd* pDialog, BOOL bCondition, const CString& text, UINT nControlId)
{
    if (bCondition)
        return TRUE;
    if (!text.IsEmpty())
        MessageBoxText(pDialog, text);
    if (nControlId != 0 && pDialog)
        if (HWND hControl = ::GetDlgItem(pDialog->GetSafeHwnd(), int(nControlId)))
            ::SetFocus(hControl);
    return FALSE;
}

int RunConfirmation(const char* caption, const char* verb, const char* checkLabel, LPCTSTR lpszName,
                    BOOL& bDontAsk)
{
    CConfirmDeleteDlg dlg;
    dlg.m_strCaption = caption;
    dlg.m_strQuestion = CString(verb) + (lpszName ? lpszName : "") + "?";
    dlg.m_strCheckLabel = checkLabel;
    dlg.m_bDontAsk = bDontAsk;
    dlg.m_nAnswer = IDNO;
    dlg.DoModal();
    bDontAsk = dlg.m_bDontAsk;
    return dlg.m_nAnswer;
}

} // namespace

int MessageBoxText(CWnd* pOwner, LPCTSTR lpszText, LPCTSTR lpszCaption)
{
    return ShowBox(pOwner, lpszText, lpszCaption, MB_OK | MB_ICONEXCLAMATION);
}

int MessageBoxId(CWnd* pOwner, UINT nStringId, LPCTSTR lpszCaption)
{
    return MessageBoxText(pOwner, LoadText(nStringId), lpszCaption);
}

int MessageBoxInfo(CWnd* pOwner, LPCTSTR lpszText, LPCTSTR lpszCaption)
{
    return ShowBox(pOwner, lpszText, lpszCaption, MB_OK | MB_ICONINFORMATION);
}

int MessageBoxQuestion(CWnd* pOwner, LPCTSTR lpszText, LPCTSTR lpszCaption)
{
    return ShowBox(pOwner, lpszText, lpszCaption, MB_YESNO | MB_ICONQUESTION);
}

BOOL CheckOrWarnId(CWnd* pDialog, BOOL bCondition, UINT nStringId, UINT nControlId)
{
    return CheckOrWarn(pDialog, bCondition, nStringId ? LoadText(nStringId) : CString(),
                       nControlId);
}

BOOL CheckOrWarnText(CWnd* pDialog, BOOL bCondition, LPCTSTR lpszText, UINT nControlId)
{
    return CheckOrWarn(pDialog, bCondition, CString(lpszText), nControlId);
}

int ConfirmDeletePrompt(LPCTSTR lpszName, BOOL& bDontAsk)
{
    return RunConfirmation("Confirm deletion", "Delete ",
                           "In the future, delete without confirming", lpszName, bDontAsk);
}

int ConfirmOverwritePrompt(LPCTSTR lpszName, BOOL& bDontAsk)
{
    return RunConfirmation("Confirm overwrite", "Overwrite ",
                           "In the future, overwrite without confirming", lpszName, bDontAsk);
}
