#pragma once
// Thin wrappers of the standard and common controls: each member is one message to the
// control. Owner-drawn buttons, list boxes and combo boxes get their WM_DRAWITEM,
// WM_MEASUREITEM, WM_COMPAREITEM and WM_DELETEITEM back from the parent as virtual calls.
#include "framework/win/CWnd.h"

#include <richedit.h>

class CImageList;

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF)
    {
        return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
    }
    HICON SetIcon(HICON hIcon) { return HICON(SendMessage(STM_SETICON, WPARAM(hIcon))); }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return HBITMAP(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, LPARAM(hBitmap)));
    }
};

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
    }
    int GetCheck() const { return int(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, WPARAM(nCheck)); }
    UINT GetState() const { return UINT(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, WPARAM(bHighlight)); }
    UINT GetButtonStyle() const { return UINT(GetStyle() & 0xFFFF); }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE)
    {
        SendMessage(BM_SETSTYLE, nStyle, bRedraw);
    }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return HBITMAP(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, LPARAM(hBitmap)));
    }
    HICON SetIcon(HICON hIcon)
    {
        return HICON(SendMessage(BM_SETIMAGE, IMAGE_ICON, LPARAM(hIcon)));
    }
    // Draws an owner-drawn (BS_OWNERDRAW) button.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // A check box or radio button of any kind, whose click changes a value.
    static bool IsChoiceStyle(DWORD dwStyle)
    {
        switch (dwStyle & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return true;
        default:
            return false;
        }
    }

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
    }
    void GetSel(int& nStartChar, int& nEndChar) const
    {
        SendMessage(EM_GETSEL, WPARAM(&nStartChar), LPARAM(&nEndChar));
    }
    DWORD GetSel() const { return DWORD(SendMessage(EM_GETSEL)); }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        SendMessage(EM_SETSEL, WPARAM(nStartChar), nEndChar);
        if (!bNoScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, bCanUndo, LPARAM(lpszNewText));
    }
    void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, WPARAM(nChars)); }
    int GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }
    int LineIndex(int nLine = -1) const { return int(SendMessage(EM_LINEINDEX, WPARAM(nLine))); }
    int LineLength(int nLine = -1) const { return int(SendMessage(EM_LINELENGTH, WPARAM(nLine))); }
    int LineFromChar(int nIndex = -1) const
    {
        return int(SendMessage(EM_LINEFROMCHAR, WPARAM(nIndex)));
    }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, bReadOnly)); }
    BOOL CanUndo() const { return BOOL(SendMessage(EM_CANUNDO)); }
    BOOL Undo() { return BOOL(SendMessage(EM_UNDO)); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
    }
    int GetCount() const { return int(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return int(SendMessage(LB_SETCURSEL, WPARAM(nSelect))); }
    int GetSel(int nIndex) const { return int(SendMessage(LB_GETSEL, WPARAM(nIndex))); }
    int SetSel(int nIndex, BOOL bSelect = TRUE)
    {
        return int(SendMessage(LB_SETSEL, bSelect, nIndex));
    }
    int GetSelCount() const { return int(SendMessage(LB_GETSELCOUNT)); }
    int GetTopIndex() const { return int(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int nIndex) { return int(SendMessage(LB_SETTOPINDEX, WPARAM(nIndex))); }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return DWORD_PTR(SendMessage(LB_GETITEMDATA, WPARAM(nIndex)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return int(SendMessage(LB_SETITEMDATA, WPARAM(nIndex), LPARAM(dwItemData)));
    }
    void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, DWORD_PTR(pData)); }
    int GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return int(SendMessage(LB_GETITEMRECT, WPARAM(nIndex), LPARAM(lpRect)));
    }
    int GetItemHeight(int nIndex) const
    {
        return int(SendMessage(LB_GETITEMHEIGHT, WPARAM(nIndex)));
    }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    {
        return int(SendMessage(LB_SETITEMHEIGHT, WPARAM(nIndex), MAKELONG(cyItemHeight, 0)));
    }
    int GetText(int nIndex, LPTSTR lpszBuffer) const
    {
        return int(SendMessage(LB_GETTEXT, WPARAM(nIndex), LPARAM(lpszBuffer)));
    }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return int(SendMessage(LB_GETTEXTLEN, WPARAM(nIndex))); }
    // The item under a client point in the low word; the high word is 1 outside every item.
    UINT ItemFromPoint(POINT pt, BOOL& bOutside) const;
    int AddString(LPCTSTR lpszItem) { return int(SendMessage(LB_ADDSTRING, 0, LPARAM(lpszItem))); }
    int InsertString(int nIndex, LPCTSTR lpszItem)
    {
        return int(SendMessage(LB_INSERTSTRING, WPARAM(nIndex), LPARAM(lpszItem)));
    }
    int DeleteString(UINT nIndex) { return int(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int FindString(int nStartAfter, LPCTSTR lpszItem) const
    {
        return int(SendMessage(LB_FINDSTRING, WPARAM(nStartAfter), LPARAM(lpszItem)));
    }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
    {
        return int(SendMessage(LB_FINDSTRINGEXACT, WPARAM(nIndexStart), LPARAM(lpszFind)));
    }
    int SelectString(int nStartAfter, LPCTSTR lpszItem)
    {
        return int(SendMessage(LB_SELECTSTRING, WPARAM(nStartAfter), LPARAM(lpszItem)));
    }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
    }
    int GetCount() const { return int(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return int(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return int(SendMessage(CB_SETCURSEL, WPARAM(nSelect))); }
    DWORD GetEditSel() const { return DWORD(SendMessage(CB_GETEDITSEL)); }
    BOOL SetEditSel(int nStartChar, int nEndChar)
    {
        return BOOL(SendMessage(CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar)));
    }
    BOOL LimitText(int nMaxChars) { return BOOL(SendMessage(CB_LIMITTEXT, WPARAM(nMaxChars))); }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return DWORD_PTR(SendMessage(CB_GETITEMDATA, WPARAM(nIndex)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return int(SendMessage(CB_SETITEMDATA, WPARAM(nIndex), LPARAM(dwItemData)));
    }
    void* GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, DWORD_PTR(pData)); }
    int GetItemHeight(int nIndex) const
    {
        return int(SendMessage(CB_GETITEMHEIGHT, WPARAM(nIndex)));
    }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    {
        return int(SendMessage(CB_SETITEMHEIGHT, WPARAM(nIndex), MAKELONG(cyItemHeight, 0)));
    }
    int GetLBText(int nIndex, LPTSTR lpszText) const
    {
        return int(SendMessage(CB_GETLBTEXT, WPARAM(nIndex), LPARAM(lpszText)));
    }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return int(SendMessage(CB_GETLBTEXTLEN, WPARAM(nIndex))); }
    void ShowDropDown(BOOL bShowIt = TRUE) { SendMessage(CB_SHOWDROPDOWN, bShowIt); }
    BOOL GetDroppedState() const { return BOOL(SendMessage(CB_GETDROPPEDSTATE)); }
    void GetDroppedControlRect(LPRECT lprect) const
    {
        SendMessage(CB_GETDROPPEDCONTROLRECT, 0, LPARAM(lprect));
    }
    int SetDroppedWidth(UINT nWidth) { return int(SendMessage(CB_SETDROPPEDWIDTH, nWidth)); }
    int AddString(LPCTSTR lpszString)
    {
        return int(SendMessage(CB_ADDSTRING, 0, LPARAM(lpszString)));
    }
    int InsertString(int nIndex, LPCTSTR lpszString)
    {
        return int(SendMessage(CB_INSERTSTRING, WPARAM(nIndex), LPARAM(lpszString)));
    }
    int DeleteString(UINT nIndex) { return int(SendMessage(CB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int FindString(int nStartAfter, LPCTSTR lpszString) const
    {
        return int(SendMessage(CB_FINDSTRING, WPARAM(nStartAfter), LPARAM(lpszString)));
    }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
    {
        return int(SendMessage(CB_FINDSTRINGEXACT, WPARAM(nIndexStart), LPARAM(lpszFind)));
    }
    int SelectString(int nStartAfter, LPCTSTR lpszString)
    {
        return int(SendMessage(CB_SELECTSTRING, WPARAM(nStartAfter), LPARAM(lpszString)));
    }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
    }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE)
    {
        return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
    }
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
    {
        ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
    }
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
    {
        lpScrollInfo->cbSize = sizeof(SCROLLINFO);
        return ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    }
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL)
    {
        lpScrollInfo->cbSize = sizeof(SCROLLINFO);
        lpScrollInfo->fMask = nMask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
    }
};

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(UPDOWN_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    void SetRange(short nLower, short nUpper)
    {
        SendMessage(UDM_SETRANGE, 0, MAKELONG(nUpper, nLower));
    }
    void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, WPARAM(nLower), nUpper); }
    void GetRange32(int& nLower, int& nUpper) const
    {
        SendMessage(UDM_GETRANGE32, WPARAM(&nLower), LPARAM(&nUpper));
    }
    int SetPos(int nPos)
    {
        return int(short(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELONG(nPos, 0)))));
    }
    int GetPos() const { return int(SendMessage(UDM_GETPOS)); }
    int SetPos32(int nPos) { return int(SendMessage(UDM_SETPOS32, 0, nPos)); }
    int GetPos32(BOOL* lpbError = nullptr) const
    {
        return int(SendMessage(UDM_GETPOS32, 0, LPARAM(lpbError)));
    }
    CWnd* SetBuddy(CWnd* pWndBuddy)
    {
        return FromHandle(HWND(SendMessage(UDM_SETBUDDY, WPARAM(AfxSafeHwnd(pWndBuddy)))));
    }
    CWnd* GetBuddy() const { return FromHandle(HWND(SendMessage(UDM_GETBUDDY))); }
    int SetBase(int nBase) { return int(SendMessage(UDM_SETBASE, WPARAM(nBase))); }
    BOOL SetAccel(int nAccel, UDACCEL* pAccel)
    {
        return BOOL(SendMessage(UDM_SETACCEL, WPARAM(nAccel), LPARAM(pAccel)));
    }
};

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(TRACKBAR_CLASSA, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
        SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
    }
    int GetRangeMin() const { return int(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return int(SendMessage(TBM_GETRANGEMAX)); }
    int GetPos() const { return int(SendMessage(TBM_GETPOS)); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, WPARAM(nFreq)); }
    int SetPageSize(int nSize) { return int(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
    int SetLineSize(int nSize) { return int(SendMessage(TBM_SETLINESIZE, 0, nSize)); }
};

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(WC_TREEVIEWA, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct)
    {
        return HTREEITEM(SendMessage(TVM_INSERTITEMA, 0, LPARAM(lpInsertStruct)));
    }
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage,
                         HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) { return BOOL(SendMessage(TVM_DELETEITEM, 0, LPARAM(hItem))); }
    BOOL DeleteAllItems() { return BOOL(SendMessage(TVM_DELETEITEM, 0, LPARAM(TVI_ROOT))); }
    UINT GetCount() const { return UINT(SendMessage(TVM_GETCOUNT)); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const
    {
        return HTREEITEM(SendMessage(TVM_GETNEXTITEM, nCode, LPARAM(hItem)));
    }
    HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const
    {
        return GetNextItem(hItem, TVGN_PREVIOUS);
    }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
    BOOL SelectItem(HTREEITEM hItem)
    {
        return BOOL(SendMessage(TVM_SELECTITEM, TVGN_CARET, LPARAM(hItem)));
    }
    BOOL SelectDropTarget(HTREEITEM hItem)
    {
        return BOOL(SendMessage(TVM_SELECTITEM, TVGN_DROPHILITE, LPARAM(hItem)));
    }
    BOOL Expand(HTREEITEM hItem, UINT nCode)
    {
        return BOOL(SendMessage(TVM_EXPAND, nCode, LPARAM(hItem)));
    }
    BOOL EnsureVisible(HTREEITEM hItem)
    {
        return BOOL(SendMessage(TVM_ENSUREVISIBLE, 0, LPARAM(hItem)));
    }
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL GetItem(TVITEMA* pItem) const { return BOOL(SendMessage(TVM_GETITEMA, 0, LPARAM(pItem))); }
    BOOL SetItem(TVITEMA* pItem) { return BOOL(SendMessage(TVM_SETITEMA, 0, LPARAM(pItem))); }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const
    {
        return UINT(SendMessage(TVM_GETITEMSTATE, WPARAM(hItem), nStateMask));
    }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    HTREEITEM HitTest(POINT pt, UINT* pFlags = nullptr) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CEdit* EditLabel(HTREEITEM hItem)
    {
        return static_cast<CEdit*>(FromHandle(HWND(SendMessage(TVM_EDITLABELA, 0, LPARAM(hItem)))));
    }
    CEdit* GetEditControl() const
    {
        return static_cast<CEdit*>(FromHandle(HWND(SendMessage(TVM_GETEDITCONTROL))));
    }
    BOOL SortChildren(HTREEITEM hItem)
    {
        return BOOL(SendMessage(TVM_SORTCHILDREN, 0, LPARAM(hItem)));
    }
};

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create(WC_TABCONTROLA, nullptr, dwStyle, rect, pParentWnd, nID);
    }
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage = -1);
    BOOL DeleteItem(int nItem) { return BOOL(SendMessage(TCM_DELETEITEM, WPARAM(nItem))); }
    BOOL DeleteAllItems() { return BOOL(SendMessage(TCM_DELETEALLITEMS)); }
    int GetItemCount() const { return int(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return int(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int nItem) { return int(SendMessage(TCM_SETCURSEL, WPARAM(nItem))); }
    BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const
    {
        return BOOL(SendMessage(TCM_GETITEMA, WPARAM(nItem), LPARAM(pTabCtrlItem)));
    }
    BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem)
    {
        return BOOL(SendMessage(TCM_SETITEMA, WPARAM(nItem), LPARAM(pTabCtrlItem)));
    }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const
    {
        return BOOL(SendMessage(TCM_GETITEMRECT, WPARAM(nItem), LPARAM(lpRect)));
    }
    void AdjustRect(BOOL bLarger, LPRECT lpRect)
    {
        SendMessage(TCM_ADJUSTRECT, bLarger, LPARAM(lpRect));
    }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const
    {
        return int(SendMessage(TCM_HITTEST, 0, LPARAM(pHitTestInfo)));
    }
    CImageList* SetImageList(CImageList* pImageList);
};

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, LPARAM(lpMsg)); }
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    int SetMaxTipWidth(int iWidth) { return int(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth)); }
    void Pop() { SendMessage(TTM_POP); }

private:
    void FillInToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

// The rich-edit control of riched20.dll (loaded at first creation).
class CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The control's window class, after making sure its library is loaded.
    static LPCTSTR WndClass();
    void GetSel(CHARRANGE& cr) const { SendMessage(EM_EXGETSEL, 0, LPARAM(&cr)); }
    void GetSel(long& nStartChar, long& nEndChar) const;
    void SetSel(long nStartChar, long nEndChar);
    void SetSel(CHARRANGE& cr) { SendMessage(EM_EXSETSEL, 0, LPARAM(&cr)); }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, bCanUndo, LPARAM(lpszNewText));
    }
    CString GetSelText() const;
    long GetTextLength() const { return long(SendMessage(WM_GETTEXTLENGTH)); }
    int GetLineCount() const { return int(SendMessage(EM_GETLINECOUNT)); }
    int LineIndex(int nLine = -1) const { return int(SendMessage(EM_LINEINDEX, WPARAM(nLine))); }
    int LineLength(int nLine = -1) const { return int(SendMessage(EM_LINELENGTH, WPARAM(nLine))); }
    long LineFromChar(long nIndex) const { return long(SendMessage(EM_EXLINEFROMCHAR, 0, nIndex)); }
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    int GetFirstVisibleLine() const { return int(SendMessage(EM_GETFIRSTVISIBLELINE)); }
    void LineScroll(int nLines, int nChars = 0)
    {
        SendMessage(EM_LINESCROLL, WPARAM(nChars), nLines);
    }
    CPoint PosFromChar(UINT nChar) const;
    int CharFromPos(CPoint pt) const { return int(SendMessage(EM_CHARFROMPOS, 0, LPARAM(&pt))); }
    DWORD GetDefaultCharFormat(CHARFORMATA& cf) const
    {
        cf.cbSize = sizeof cf;
        return DWORD(SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, LPARAM(&cf)));
    }
    BOOL SetDefaultCharFormat(CHARFORMATA& cf)
    {
        cf.cbSize = sizeof cf;
        return BOOL(SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, LPARAM(&cf)));
    }
    DWORD GetSelectionCharFormat(CHARFORMATA& cf) const
    {
        cf.cbSize = sizeof cf;
        return DWORD(SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&cf)));
    }
    BOOL SetSelectionCharFormat(CHARFORMATA& cf)
    {
        cf.cbSize = sizeof cf;
        return BOOL(SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf)));
    }
    BOOL SetWordCharFormat(CHARFORMATA& cf)
    {
        cf.cbSize = sizeof cf;
        return BOOL(SendMessage(EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, LPARAM(&cf)));
    }
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr)
    {
        return COLORREF(SendMessage(EM_SETBKGNDCOLOR, bSysColor, LPARAM(cr)));
    }
    DWORD GetEventMask() const { return DWORD(SendMessage(EM_GETEVENTMASK)); }
    DWORD SetEventMask(DWORD dwEventMask)
    {
        return DWORD(SendMessage(EM_SETEVENTMASK, 0, LPARAM(dwEventMask)));
    }
    long StreamIn(int nFormat, EDITSTREAM& es)
    {
        return long(SendMessage(EM_STREAMIN, WPARAM(nFormat), LPARAM(&es)));
    }
    long StreamOut(int nFormat, EDITSTREAM& es)
    {
        return long(SendMessage(EM_STREAMOUT, WPARAM(nFormat), LPARAM(&es)));
    }
    void HideSelection(BOOL bHide, BOOL bPerm) { SendMessage(EM_HIDESELECTION, bHide, bPerm); }
    void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
    void SetOptions(WORD wOp, DWORD dwFlags) { SendMessage(EM_SETOPTIONS, wOp, LPARAM(dwFlags)); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return BOOL(SendMessage(EM_SETREADONLY, bReadOnly)); }
    BOOL GetModify() const { return BOOL(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
    void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
    BOOL CanUndo() const { return BOOL(SendMessage(EM_CANUNDO)); }
    BOOL CanPaste(UINT nFormat = 0) const { return BOOL(SendMessage(EM_CANPASTE, nFormat)); }
    BOOL Undo() { return BOOL(SendMessage(EM_UNDO)); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
};
