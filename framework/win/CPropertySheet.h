#pragma once
#include "framework/win/CDialog.h"

#include <vector>

class CPropertySheet;

// One page of a property sheet, from a dialog template. The sheet's notifications become
// virtual calls: OnSetActive when the page is shown, OnKillActive (saves and validates the
// fields) when it is left or OK is pressed, OnApply (runs OnOK) for every page that was
// created, OnCancel (through OnReset) when the sheet is cancelled.
class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage() = default;
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    void SetModified(BOOL bChanged = TRUE);
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    PROPSHEETPAGEA m_psp{};

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    friend class CPropertySheet;
    CString m_strCaption;
    BOOL m_bFirstSetActive = TRUE;
    HWND m_hLastFocus = nullptr;    // the control the user was on when the page was left
    HWND m_hChangedField = nullptr; // the field the user changed last
};

// A property sheet of the common controls, always created modeless (PSH_MODELESS); DoModal
// centres it on its owner and runs it in the framework's modal loop. m_psh may be adjusted before
// DoModal (for example PSH_NOAPPLYNOW removes the Apply button; nStartPage chooses the first page
// shown).
class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* pPage) { m_pages.push_back(pPage); }
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const { return AfxElementAt(m_pages, nPage); }
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, ...
    BOOL PressButton(int nButton) { return BOOL(SendMessage(PSM_PRESSBUTTON, WPARAM(nButton))); }

    virtual INT_PTR DoModal();
    // A modeless sheet. The styles are accepted for the classic call; the sheet keeps the
    // common controls' own frame.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = DWORD(-1), DWORD dwExStyle = 0);
    void EndDialog(int nEndID);
    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

    PROPSHEETHEADERA m_psh{};

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Keeps the keyboard on the page shown through a change of page and through Apply.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT HandlePressButton(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    HWND CreateSheet(HWND hWndParent, DWORD dwStyle);
    HWND GetCurrentPageHwnd() const;
    // The focus of a page left behind goes to the page now shown: to the control the user was
    // on there before, else its first field; the tabs keep a focus they have.
    void FocusShownPage(HWND hNewPage);
    // After Apply the keys go back to the field the user changed last, else to the one they were
    // on, so that Enter means OK.
    void RestoreFocusAfterApply(HWND hPage);
    void MoveFocus(HWND hPage, HWND hPreferred);

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_pageRecords;
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    int m_nButtonResult = IDCANCEL; // the last of OK and Cancel pressed
    HWND m_hUserField = nullptr;    // the page's field (no push button) focused at the last input
};
