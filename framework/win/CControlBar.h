#pragma once
#include "framework/win/CWnd.h"

class CFrameWnd;

// Control-bar styles (kept in m_dwStyle, not in the window style).
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000L;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000L;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000L;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000L;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000L;
constexpr DWORD CBRS_BORDER_TOP = 0x0200L;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | 0x0800L;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// A bar along an edge of a frame (status bar; tool bars later): it takes its share of the
// frame's client area when the frame lays out, and updates its items at idle time through
// the frame's command routing.
class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    ~CControlBar() override;

    // The bar's size along the edge it sits on.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Updates the items through pTarget; bDisableIfNoHndler disables items without a handler.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    CFrameWnd* GetParentFrame() const;

    BOOL m_bAutoDelete = FALSE;

protected:
    CControlBar() = default;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DWORD m_dwStyle = 0;
    CFrameWnd* m_pFrame = nullptr; // the frame the bar registered with

    DECLARE_MESSAGE_MAP()
};
