#pragma once
#include "framework/win/CControlBar.h"
#include "framework/win/FrameworkIds.h"

// The common-controls rebar as a control bar along a frame's side: each band holds one child
// window (a tool bar made as the rebar's child), its height following its tallest band.
class CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // A band for pBar (a child of the rebar), sized to what the bar asks for.
    BOOL AddBar(CWnd* pBar, LPCTSTR lpszText = nullptr,
                DWORD dwBandStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    int GetBandCount() const { return int(SendMessage(RB_GETBANDCOUNT)); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {} // the bands' bars update themselves

protected:
    void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
