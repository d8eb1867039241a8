#pragma once
#include "framework/win/CControlBar.h"

// The control-bar base of flat tool bars: thin borders and a gripper drawn in the window's
// frame, flat when the bar was created with a tool-bar control style, etched and single when
// the bar sits in a rebar. Messages for the bar's owner (commands, notifications, owner
// drawing) go to the bar's own map first, then to the owner.
class CKxToolBarBase : public CControlBar {
    DECLARE_DYNAMIC(CKxToolBarBase)
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The common-controls version, (major << 16) | minor, probed once; 4.0 without a probe.
    static int GetComCtlVersion();
    // Replaces the probed version (tests try the other controls' rules).
    static void SetComCtlVersion(int nVersion);

    BYTE m_bInReBar = 0;     // the bar lives in a rebar
    BYTE m_bFlatGripper = 0; // created with a tool-bar control style: a double flat gripper

protected:
    CKxToolBarBase() = default;

    void DrawBorders(CDC* pDC, CRect& rect) override;
    void DrawGripper(CDC* pDC, const CRect& rect) override;
    int GetGripperSpace() const override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    void OnWindowPosChanged(WINDOWPOS* pWndPos);

    CRect m_rectLastWindow; // the window rectangle before the last size change

    DECLARE_MESSAGE_MAP()
};
