#pragma once
#include "framework/win/CDialog.h"

// The Yes/No confirmation of a deletion or an overwrite. Yes and No store their answer and
// close like OK, taking the box's state; Escape closes with the answer No and nothing taken.
class CConfirmDeleteDlg : public CDialog {
public:
    explicit CConfirmDeleteDlg(CWnd* pParent = nullptr);

    BOOL m_bDontAsk = FALSE;
    CString m_strQuestion;
    int m_nAnswer = 7;
    CString m_strCaption;
    CString m_strCheckLabel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnYes();
    void OnNo();
    DECLARE_MESSAGE_MAP()
};
