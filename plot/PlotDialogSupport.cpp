#include "plot/PlotDialogSupport.h"

#include "framework/win/CWnd.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/ModalTestHook.h"
#include "framework/win/StringResource.h"
#include "plot/PlotItem.h"

namespace {

int ShowBox(CWnd* pDialog, LPCTSTR lpszText, UINT nType)
{
    HWND hOwner = pDialog ? pDialog->GetSafeHwnd() : nullptr;
    if (!hOwner)
        if (CWnd* pMain = AfxGetMainWnd())
            hOwner = pMain->GetSafeHwnd();
    return AfxDoMessageBox(hOwner, lpszText, AfxGetAppName(), nType);
}

} // namespace

BOOL ShowFieldVerdict(CWnd* pDialog, const FieldVerdict& verdict)
{
    if (verdict.Passed())
        return TRUE;
    CString text = verdict.strText;
    if (verdict.nStringId != 0)
        AfxLoadString(verdict.nStringId, text);
    ShowBox(pDialog, text, MB_OK | MB_ICONEXCLAMATION);
    if (HWND hControl =
            pDialog ? ::GetDlgItem(pDialog->GetSafeHwnd(), int(verdict.nControl)) : nullptr) {
        ::SetFocus(hControl);
        char name[16] = "";
        ::GetClassNameA(hControl, name, sizeof name);
        if (lstrcmpiA(name, "ComboBox") == 0)
            ::SendMessageA(hControl, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        else
            ::SendMessageA(hControl, EM_SETSEL, 0, -1);
    }
    return FALSE;
}

void ShowPlotInformation(CWnd* pDialog, LPCTSTR lpszText)
{
    ShowBox(pDialog, lpszText, MB_OK | MB_ICONINFORMATION);
}

BOOL EditPlotFont(CPlotFont& font, CWnd* pParent)
{
    LOGFONTA lf = font.m_logFont;
    CFontDialog dialog(&lf, CF_EFFECTS | CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT, nullptr, pParent);
    dialog.m_cf.rgbColors = font.m_crTextColour;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    dialog.GetCurrentFont(&font.m_logFont);
    font.m_crTextColour = dialog.GetColor();
    font.m_bModified = TRUE;
    font.m_bRedraw = TRUE;
    return TRUE;
}
