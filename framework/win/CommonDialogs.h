#pragma once
// The common file, colour and font dialogs. DoModal asks the modal test hook first: a test
// fills the dialog's record (m_ofn, m_cc, m_cf) and answers IDOK or IDCANCEL.
#include "framework/win/CDialog.h"
#include "framework/win/ModalTestHook.h"

#include <commdlg.h>

// While it lives, the first window this thread activates other than the owner (the system's
// dialog, or a message box it shows before) is centred on the owner inside its work area, as
// the program's own dialogs are.
class CCentreFirstActivated {
public:
    explicit CCentreFirstActivated(HWND hWndOwner);
    ~CCentreFirstActivated();
    CCentreFirstActivated(const CCentreFirstActivated&) = delete;
    CCentreFirstActivated& operator=(const CCentreFirstActivated&) = delete;

private:
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hHook = nullptr;
    HWND m_hWndOwner;
    bool m_bDone = false;
    CCentreFirstActivated* m_pOuter;
};

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog(LPCTSTR(nullptr), pParentWnd) {}

protected:
    // IDOK when run() succeeded, IDCANCEL otherwise; the hook's answer when a test runs.
    template <class Run> INT_PTR RunCommon(Run run)
    {
        const CModalCursor arrow;
        if (CModalTestHook* pHook = AfxGetModalTestHook()) {
            const int nAnswer = pHook->OnModalStart(this);
            if (nAnswer != 0)
                return nAnswer;
        }
        const CCentreFirstActivated centre(OwnerWindow());
        return run() ? IDOK : IDCANCEL;
    }
    HWND OwnerWindow() const;
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: "Text (*.txt)|*.txt|All Files (*.*)|*.*||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr,
                         LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCTSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    CString GetPathName() const { return CString(m_ofn.lpstrFile); }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEA m_ofn{};

private:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    CString m_strDefExt;
    char m_szFileName[MAX_PATH * 4] = {};
    char m_szFileTitle[MAX_PATH] = {};
};

class CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORA m_cc{};
    static COLORREF c_CustColors[16]; // the user's custom colours, kept for the run
};

class CFontDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LPLOGFONTA lplfInitial = nullptr,
                         DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS, CDC* pdcPrinter = nullptr,
                         CWnd* pParentWnd = nullptr);
    INT_PTR DoModal() override;
    void GetCurrentFont(LPLOGFONTA lplf) const { *lplf = m_lf; }
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; } // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }

    CHOOSEFONTA m_cf{};
    LOGFONTA m_lf{};

private:
    // A starting face that is not installed becomes the face the system draws it with.
    void UseInstalledFace();
};
