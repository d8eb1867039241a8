#pragma once
#include "framework/core/CString.h"
#include "framework/win/CView.h"

// A view that is a common control: the window is created from the control's class, paints
// itself and keeps the control's own behaviour; the view adds the document and the commands.
class CCtrlView : public CView {
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* pDC) override;

protected:
    void OnPaint();

    CString m_strClass;
    DWORD m_dwDefaultStyle;

    DECLARE_MESSAGE_MAP()
};
