#pragma once
#include "framework/win/CGdiObject.h"
#include "framework/win/Controls.h"

#include <vector>

class CImageList;

// A list of large icons with labels on the shadow colour, like a side bar's shortcuts: the item
// under the pointer is framed (raised, sunken while pressed) and a release tells the notify
// window (kClickMessage with the item and the list's control id). Create it with
// LBS_OWNERDRAWFIXED.
class CKxOutlookBar : public CListBox {
    DECLARE_DYNAMIC(CKxOutlookBar)
public:
    static constexpr UINT kClickMessage = WM_USER + 1; // wParam the item, lParam the control id
    static constexpr int kItemHeight = 70;

    CKxOutlookBar();

    // Adds an item at the end; its index, or -1.
    int AddItem(LPCTSTR lpszLabel, int nImage);
    int GetItemImage(int nIndex) const;
    CString GetItemLabel(int nIndex) const;
    void SetImageList(CImageList* pList) { m_pLargeList = pList; } // not owned
    // Where clicks are told (the parent when none is set).
    void SetNotifyWindow(CWnd* pWnd) { m_hWndNotify = AfxSafeHwnd(pWnd); }
    BOOL IsButtonHeld() const { return m_bButtonHeld; }

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    struct Item {
        int image;
        CString label;
    };
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void DrawIconFrame(CDC* pDC, const CRect& rectItem, UINT nState);
    CRect IconRect(const CRect& rectItem) const;
    // The item under a client point, -1 outside every item.
    int ItemAt(CPoint point) const;
    DECLARE_MESSAGE_MAP()

    HWND m_hWndNotify = nullptr;
    CPoint m_lastPoint;
    CImageList* m_pLargeList = nullptr;
    std::vector<Item> m_items;
    BOOL m_bHighlight = TRUE;
    BOOL m_bButtonHeld = FALSE;
    CFont m_font;
};
