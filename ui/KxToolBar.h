#pragma once
#include "framework/core/CString.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/FrameworkIds.h"
#include "ui/KxToolBarBase.h"
#include "ui/ToolBarLayout.h"

#include <map>
#include <vector>

// A button's style (low word) and state (high word) as GetButtonStyle gives them; the
// enabled bit of the control is kept the other way round, as "disabled".
constexpr UINT TBBS_BUTTON = MAKELONG(TBSTYLE_BUTTON, 0);
constexpr UINT TBBS_SEPARATOR = MAKELONG(TBSTYLE_SEP, 0);
constexpr UINT TBBS_CHECKBOX = MAKELONG(TBSTYLE_CHECK, 0);
constexpr UINT TBBS_CHECKED = MAKELONG(0, TBSTATE_CHECKED);
constexpr UINT TBBS_INDETERMINATE = MAKELONG(0, TBSTATE_INDETERMINATE);
constexpr UINT TBBS_DISABLED = MAKELONG(0, TBSTATE_ENABLED);
constexpr UINT TBBS_PRESSED = MAKELONG(0, TBSTATE_PRESSED);
constexpr UINT TBBS_HIDDEN = MAKELONG(0, TBSTATE_HIDDEN);
constexpr UINT TBBS_WRAPPED = MAKELONG(0, TBSTATE_WRAP);

// The command of the menu a customisable bar offers on a right click.
constexpr UINT ID_KXTOOLBAR_CUSTOMIZE = 255;

// One button the customisation dialog can offer, with its text.
struct KxCustomButton {
    TBBUTTON button;
    LPCTSTR lpszText;
};

// A flat tool bar: the common-controls tool bar in a dockable control bar. Buttons come from a
// tool-bar resource with their image strip recoloured to the button colours; rows wrap so
// that buttons of different widths (a menu bar's texts) fit; a bar given customisation
// records can be rearranged through the control's dialog and keeps its layout in the
// registry under Software\<company>\<application>\Settings, value "KxToolBar <n>", n being
// the bar's number in the order bars were constructed (1 for the first).
class CKxToolBar : public CKxToolBarBase {
    DECLARE_DYNAMIC(CKxToolBar)
public:
    CKxToolBar();
    ~CKxToolBar() override;

    virtual BOOL Create(CWnd* pParentWnd,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS |
                                        CBRS_FLYBY,
                        UINT nID = AFX_IDW_TOOLBAR);
    // A non-zero control style (TBSTYLE_*) gives the bar a flat double gripper.
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle,
                          CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    // Buttons, sizes and images from the tool-bar resource; with customisation records the bar
    // becomes customisable and takes its saved layout. FALSE (and no buttons) when a
    // resource is missing or damaged or the strip holds too few images.
    BOOL LoadToolBar(LPCTSTR lpszResourceName, const KxCustomButton* pRecords = nullptr,
                     int nRecords = 0);
    BOOL LoadToolBar(UINT nIDResource, const KxCustomButton* pRecords = nullptr, int nRecords = 0)
    {
        return LoadToolBar(MAKEINTRESOURCEA(nIDResource), pRecords, nRecords);
    }
    // One push button per command id (0 a separator), images in order; without ids, blank
    // buttons.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL SetBitmap(HBITMAP hBitmap);
    void SetOwner(CWnd* pOwnerWnd);

    int GetCount() const;
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect);
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    // Puts a child control (a child of the bar with its own id) in the place of button
    // nIndex, which becomes a separator nWidth wide carrying the control's id; the bar owns
    // the control from then on.
    BOOL InsertControl(int nIndex, CWnd* pControl, int nWidth);
    // A drop-down button of nIDCommand opens the first pop-up of menu nIDMenu.
    void AddDropDownMenu(UINT nIDCommand, UINT nIDMenu);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The registry value the layout is kept in ("KxToolBar <n>") and the bar's number.
    CString GetStateValueName() const;
    int GetBarNumber() const { return m_nBarNumber; }
    // Writes or reads the button layout; nothing without a registry key. Restoring takes only
    // a whole, valid layout of the customisation records' commands.
    void SaveState();
    BOOL RestoreState();

    // The room a button takes in the layout (see CToolBarLayout::MeasureButton).
    virtual CSize MeasureButton(const std::vector<ToolButton>& buttons, int nIndex) const;

protected:
    friend class CKxToolCmdUI;
    friend class CKxToolBarMeasure;

    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    // Repaints what the bar uncovered when it moved away from rect (parent coordinates).
    virtual void RepaintUncoveredArea(const CRect& rect);
    // Opens the drop-down menu of a command under its button (screen rectangle).
    virtual void TrackCommandMenu(NMTOOLBARA* pNotify, UINT nIDCommand, const CRect& rectButton);

    // The layout in mode (LM_*) for nLength; with LM_COMMIT the control takes it.
    CSize ComputeBarLayout(DWORD dwMode, int nLength);
    void CommitDelayedLayout();
    std::vector<ToolButton> ReadButtons() const;
    void WriteButtons(const std::vector<ToolButton>& buttons);
    BOOL GetButton(int nIndex, TBBUTTON& button) const;
    void SetButton(int nIndex, const TBBUTTON& button);
    HKEY OpenStateKey(BOOL bCreate) const;

    BOOL OnNcCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    void OnDestroy();
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnSysColorChange();
    LRESULT OnWindowPosChanging(WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanged(WINDOWPOS* pWndPos);
    LRESULT OnSetSizeWithoutFlat(WPARAM wParam, LPARAM lParam);
    void OnQueryInsertOrDelete(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnToolBarChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndAdjust(NMHDR* pNMHDR, LRESULT* pResult);
    void OnReset(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDropDown(NMHDR* pNMHDR, LRESULT* pResult);

    const KxCustomButton* m_pCustomRecords = nullptr;
    int m_nCustomRecords = 0;
    std::map<UINT, CWnd*> m_controls; // child controls in place of separators (owned)
    BYTE m_bHideWrappedDropDowns = 0;
    HRSRC m_hRsrcImageWell = nullptr;
    HINSTANCE m_hInstImageWell = nullptr;
    HBITMAP m_hbmImageWell = nullptr;
    BOOL m_bDelayedButtonLayout = TRUE;
    CRect m_rectOldPos; // the window's place before its last move (parent coordinates)
    int m_nInitialCount = 0;
    CSize m_sizeImage{16, 15};
    CSize m_sizeButton{23, 22};
    int m_nBarNumber = 0;
    struct DropDown {
        UINT nIDCommand;
        UINT nIDMenu;
    };
    std::vector<DropDown> m_dropDowns;

    DECLARE_MESSAGE_MAP()
};

// The state of one button handed to update handlers.
class CKxToolCmdUI : public CCmdUI {
public:
    // Disabling also lets go of a pressed button.
    void Enable(BOOL bOn) override;
    // 0, 1 checked, 2 indeterminate; the button becomes a check button.
    void SetCheck(int nCheck) override;
    void SetText(LPCTSTR) override {}
};
