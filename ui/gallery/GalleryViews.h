#pragma once
// The gallery's panes: plain views with a title and a line of text, the sample that shows the
// chosen format and colours, and the panel of colour buttons under a caption strip.
#include "framework/win/CView.h"
#include "ui/CaptionBar.h"
#include "ui/ColourPicker.h"
#include "ui/HoverButton.h"
#include "ui/KxFlatComboBox.h"
#include "ui/LinkLabel.h"

class CGalleryFrame;

class CGalleryView : public CView {
    DECLARE_DYNCREATE(CGalleryView)
public:
    void OnDraw(CDC* pDC) override;
    CString m_strTitle;
    CString m_strText;

protected:
    CGalleryFrame* Frame() const;
    void OnContextMenu(CWnd* pWnd, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

// Sample text in the format, alignment and colours chosen in the other panes and bars.
class CSampleView : public CGalleryView {
    DECLARE_DYNCREATE(CSampleView)
public:
    void OnDraw(CDC* pDC) override;
};

// Three colour buttons and a flat button under a caption strip whose push pin shows the notes.
class CColourPanelView : public CGalleryView {
    DECLARE_DYNCREATE(CColourPanelView)
public:
    void OnDraw(CDC* pDC) override;
    CCaptionBar m_wndCaption;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnColourChosen(WPARAM wParam, LPARAM lParam);
    void OnHover();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    CColourPicker m_wndBack;
    CColourPicker m_wndText;
    CPageColourPicker m_wndAuto;
    CStatic m_wndLabels[3];
    CHoverButton m_wndHover;
    CFont m_font;
    DECLARE_MESSAGE_MAP()
};

// A link label and a flat combo box that completes what is typed, under the pane's title.
class CLinkPanelView : public CGalleryView {
    DECLARE_DYNCREATE(CLinkPanelView)
public:
    CLinkLabel m_wndLink;
    CKxFlatComboBox m_wndUnits;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};
