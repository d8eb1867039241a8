#pragma once
#include "framework/win/CPropertySheet.h"
#include "framework/win/Controls.h"
#include "ui/ColourPicker.h"

#include <vector>

class CPlot2D;
class IPlotDocument;

// Owner-drawn list of pen styles (mode 0: solid, dash, dot, dash-dot, dash-dot-dot) or pen
// widths (mode 1: 1 .. 5), one drawn row per value and a last row "Automatic" (value -1).
class CLineStyleCombo : public CComboBox {
    DECLARE_DYNAMIC(CLineStyleCombo)
public:
    CLineStyleCombo();

    void SetMode(int nMode);
    int GetMode() const { return m_nMode; }
    // The value to select once the control is attached; afterwards m_nValue follows the user.
    void SetLineStyle(int nValue) { m_nValue = nValue; }
    int GetLineStyle() const { return m_nValue; }

    // The row a value selects: "Automatic" for -1, the first equal value, else row 0.
    static int RowOfValue(const std::vector<int>& values, int nValue);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    std::vector<int> m_values;
    int m_nMode = 0;
    int m_nValue = -1;

protected:
    void PreSubclassWindow() override;
    void OnSelChange();
    DECLARE_MESSAGE_MAP()
};

// A page of a plot's options sheet. A change the user makes to one of its fields (typing, a
// check box, a radio button, a list, a colour, a slider) marks it modified, which enables the
// sheet's Apply; what the page writes into its fields itself does not. Apply and OK validate
// the fields first (Validate) and then apply them (OnOK).
class CPlotOptionsPage : public CPropertyPage {
    DECLARE_DYNAMIC(CPlotOptionsPage)
public:
    explicit CPlotOptionsPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate) {}

    // Reads the fields; FALSE (with the message shown and the focus moved) when one is wrong.
    virtual BOOL Validate() = 0;
    BOOL OnSetActive() override;
    BOOL OnApply() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnColourChosen(WPARAM wParam, LPARAM lParam);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bFilling = TRUE; // the page is writing its fields (until its first activation ends)
};

// The "Plot" page of a 2-D plot's options: ranges (the function plot only), steps, zoom
// factor and background colour; "Set As Default" writes them as the defaults of new plots.
class CPlotPage : public CPlotOptionsPage {
    DECLARE_DYNAMIC(CPlotPage)
public:
    CPlotPage(CPlot2D* pPlot = nullptr, IPlotDocument* pDoc = nullptr);

    BOOL Validate() override;
    void OnOK() override;
    void OnSetAsDefault();

    CPlot2D* m_pPlot;
    IPlotDocument* m_pDoc;
    CColourPicker m_backColour;
    UINT m_nSteps = 0;
    double m_dXMax = 0, m_dXMin = 0, m_dYMax = 0, m_dYMin = 0;
    int m_nZoomFactor = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL IsDataPlot() const;
    DECLARE_MESSAGE_MAP()
};

// The "Axes" page of a 2-D plot's options: axis type, ticks, grid, box, arrows, labels, axis
// and grid lines, tick intervals and the tick-label font.
class CAxisPage : public CPlotOptionsPage {
    DECLARE_DYNAMIC(CAxisPage)
public:
    CAxisPage(CPlot2D* pPlot = nullptr, IPlotDocument* pDoc = nullptr);

    BOOL Validate() override;
    void OnOK() override;
    void OnSetAsDefault();
    // The tick-label font of the plot the page edits (the preview follows the data plot).
    void OnFont();

    CPlot2D* m_pPlot;
    IPlotDocument* m_pDoc;
    CColourPicker m_gridColour, m_axisColour;
    CLineStyleCombo m_gridStyle, m_gridWidth, m_axisStyle, m_axisWidth;
    BOOL m_bAutoTicks = FALSE, m_bShowArrows = FALSE, m_bShowLabels = FALSE;
    BOOL m_bShowGrid = FALSE, m_bNoTicks = FALSE, m_bBoxed = FALSE;
    double m_dXInterval = 1, m_dYInterval = 1;
    int m_nAxisType = -1; // radio index; -1 when neither is checked
    // The plot's type when the page opened: neither radio checked keeps it ("none" stays none).
    int m_nShownAxisType = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL IsDataPlot() const;
    DECLARE_MESSAGE_MAP()
};
