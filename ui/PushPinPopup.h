#pragma once
#include "framework/win/CImageList.h"
#include "ui/CaptionBar.h"

// The pop-up a caption strip's push pin opens: a small tool window under the strip showing the
// strip's pane (its view moved in for the time), with a caption strip of its own and a pin.
// Pinning it posts WM_PUSHPIN_PINNED to the strip; the focus going elsewhere posts
// WM_PUSHPIN_CLOSED. The view goes back to its parent when the pop-up goes; the object is
// deleted with its window.
class CPushPinPopup : public CWnd {
public:
    CPushPinPopup(CCaptionBar* pStrip, CWnd* pView);
    // At point (screen), size the pane's; FALSE (and the object deleted) on failure.
    BOOL Create(CPoint point, CSize size);

protected:
    ~CPushPinPopup() override;
    void PostNcDestroy() override { delete this; }
    // Whether the focus is still on the pop-up or what it shows.
    BOOL HasFocus() const;

    void OnTimer(UINT_PTR nIDEvent);
    void OnPin();
    void OnPaint();
    void OnDestroy();

    CCaptionBar* m_pStrip;
    CWnd* m_pView;
    HWND m_hWndOldParent = nullptr;
    CCaptionBar m_wndCaption;
    CHoverButton m_wndPin;
    CImageList m_images;
    HICON m_hIcons[2] = {};

    DECLARE_MESSAGE_MAP()
};
