#include "analysis/DialogWarning.h"

#include "framework/win/CDialog.h"

BOOL AcceptOrWarn(CDialog& dialog, const DialogVerdict& verdict)
{
    if (verdict.IsAccepted())
        return TRUE;
    AfxMessageBox(verdict.strMessage, MB_OK | MB_ICONEXCLAMATION);
    if (CWnd* pField = dialog.GetDlgItem(int(verdict.nControl))) {
        dialog.GotoDlgCtrl(pField);
        pField->SendMessage(EM_SETSEL, 0, -1);
    }
    return FALSE;
}
