#include "plot/PlotPages.h"

#include "plot/Plot2D.h"
#include "plot/PlotDefaults.h"
#include "plot/PlotDialogSupport.h"
#include "plot/PlotDocument.h"
#include "res/resource.h"

#include <cmath>

namespace {

// A line's colour, width and style, each raising the line's flags only when it changes.
void SetLine(CPlotItem& line, COLORREF colour, int width, int style)
{
    line.SetColour(colour);
    line.SetPenWidth(width);
    line.SetPenStyle(style);
}

} // namespace

// ---- options page ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPlotOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CPlotOptionsPage, CPropertyPage)
ON_MESSAGE(CPN_SELENDOK, &CPlotOptionsPage::OnColourChosen)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

BOOL CPlotOptionsPage::OnSetActive()
{
    m_bFilling = TRUE; // a page shown again writes its fields anew
    const BOOL bResult = CPropertyPage::OnSetActive();
    m_bFilling = FALSE;
    return bResult;
}

BOOL CPlotOptionsPage::OnApply()
{
    if (!Validate() || !CPropertyPage::OnApply())
        return FALSE;
    SetModified(FALSE);
    return TRUE;
}

BOOL CPlotOptionsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hControl = reinterpret_cast<HWND>(lParam);
    const UINT nCode = HIWORD(wParam);
    const bool bChoice = nCode == BN_CLICKED && hControl &&
                         CButton::IsChoiceStyle(DWORD(::GetWindowLongPtrA(hControl, GWL_STYLE)));
    if (hControl && !m_bFilling && (nCode == EN_CHANGE || nCode == CBN_SELCHANGE || bChoice))
        SetModified();
    return CPropertyPage::OnCommand(wParam, lParam);
}

LRESULT CPlotOptionsPage::OnColourChosen(WPARAM, LPARAM)
{
    SetModified();
    return 0;
}

void CPlotOptionsPage::OnHScroll(UINT, UINT, CScrollBar*)
{
    if (!m_bFilling)
        SetModified();
}

// ---- Plot page ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CPlotPage, CPlotOptionsPage)

BEGIN_MESSAGE_MAP(CPlotPage, CPlotOptionsPage)
ON_BN_CLICKED(IDC_PLOT_SET_AS_DEFAULT, &CPlotPage::OnSetAsDefault)
END_MESSAGE_MAP()

CPlotPage::CPlotPage(CPlot2D* pPlot, IPlotDocument* pDoc)
    : CPlotOptionsPage(IDD_PLOT_PAGE), m_pPlot(pPlot), m_pDoc(pDoc)
{
}

BOOL CPlotPage::IsDataPlot() const { return m_pDoc && m_pPlot == &m_pDoc->GetDataPlot(); }

void CPlotPage::DoDataExchange(CDataExchange* pDX)
{
    CPlotOptionsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PLOTPAGE_BACKCOLOR, m_backColour);
    DDX_Text(pDX, IDC_PLOTPAGE_STEPS, m_nSteps);
    DDX_Text(pDX, IDC_PLOTPAGE_XMAX, m_dXMax);
    DDX_Text(pDX, IDC_PLOTPAGE_XMIN, m_dXMin);
    DDX_Text(pDX, IDC_PLOTPAGE_YMAX, m_dYMax);
    DDX_Text(pDX, IDC_PLOTPAGE_YMIN, m_dYMin);
    DDX_Text(pDX, IDC_PLOTPAGE_ZOOM, m_nZoomFactor);
}

BOOL CPlotPage::OnInitDialog()
{
    if (m_pPlot) {
        m_nSteps = UINT(std::max(m_pPlot->m_nSteps, 0));
        m_nZoomFactor = int(std::trunc(std::clamp(m_pPlot->m_dZoomFactor, -1e9, 1e9)));
        m_dXMin = m_pPlot->m_dXMin;
        m_dXMax = m_pPlot->m_dXMax;
        m_dYMin = m_pPlot->m_dYMin;
        m_dYMax = m_pPlot->m_dYMax;
    }
    CPlotOptionsPage::OnInitDialog();
    if (m_pPlot)
        m_backColour.SetColour(ColourForPicker(m_pPlot->m_crBackColor));
    if (IsDataPlot())
        for (int nID : {IDC_PLOTPAGE_XMIN, IDC_PLOTPAGE_XMAX, IDC_PLOTPAGE_YMIN, IDC_PLOTPAGE_YMAX})
            ::EnableWindow(::GetDlgItem(m_hWnd, nID), FALSE);
    return TRUE;
}

BOOL CPlotPage::Validate()
{
    if (!UpdateData(TRUE))
        return FALSE;
    const PlotPageValues values{m_dXMin, m_dXMax, m_dYMin, m_dYMax, m_nSteps, m_nZoomFactor};
    return ShowFieldVerdict(this, CheckPlotPage(values));
}

void CPlotPage::OnOK()
{
    if (!m_pPlot)
        return;
    CPlot2D& plot = *m_pPlot;
    plot.m_crBackColor = ColourFromPicker(m_backColour.GetColour(), 0xFFFFFF);
    plot.SetSteps(int(m_nSteps));
    plot.m_dZoomFactor = m_nZoomFactor;
    if (IsDataPlot()) {
        CPlot2D& preview = m_pDoc->GetPreviewPlot();
        preview.m_crBackColor = plot.m_crBackColor;
        preview.SetSteps(plot.m_nSteps);
        preview.m_dZoomFactor = plot.m_dZoomFactor;
    } else {
        plot.SetRanges(m_dXMin, m_dXMax, m_dYMin, m_dYMax);
    }
    if (m_pDoc) {
        m_pDoc->SetPlotModified();
        m_pDoc->RefreshGraphGrid(); // new ranges are the domains the grid shows
    }
}

void CPlotPage::OnSetAsDefault()
{
    if (!m_pDoc || !Validate())
        return;
    const BOOL bData = IsDataPlot();
    CPlot2D& plot = m_pDoc->GetDefaultPlot(bData);
    plot.m_crBackColor = ColourFromPicker(m_backColour.GetColour(), kAutomaticColour);
    plot.m_nSteps = int(m_nSteps);
    plot.m_dZoomFactor = m_nZoomFactor;
    plot.SetRanges(m_dXMin, m_dXMax, m_dYMin, m_dYMax);
    WritePlot2DDefaults(m_pDoc->GetSettingsStore(), bData ? kPlotDataDefSection : kPlot2DDefSection,
                        plot);
}

// ---- Axes page ------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CAxisPage, CPlotOptionsPage)

BEGIN_MESSAGE_MAP(CAxisPage, CPlotOptionsPage)
ON_BN_CLICKED(IDC_PLOT_SET_AS_DEFAULT, &CAxisPage::OnSetAsDefault)
ON_BN_CLICKED(IDC_AXIS_FONT, &CAxisPage::OnFont)
END_MESSAGE_MAP()

CAxisPage::CAxisPage(CPlot2D* pPlot, IPlotDocument* pDoc)
    : CPlotOptionsPage(IDD_AXIS_PAGE), m_pPlot(pPlot), m_pDoc(pDoc)
{
    m_gridStyle.SetMode(0);
    m_gridWidth.SetMode(1);
    m_axisStyle.SetMode(0);
    m_axisWidth.SetMode(1);
}

BOOL CAxisPage::IsDataPlot() const { return m_pDoc && m_pPlot == &m_pDoc->GetDataPlot(); }

void CAxisPage::DoDataExchange(CDataExchange* pDX)
{
    CPlotOptionsPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AXIS_GRIDCOLOR, m_gridColour);
    DDX_Control(pDX, IDC_AXIS_AXISCOLOR, m_axisColour);
    DDX_Control(pDX, IDC_AXIS_GRIDSTYLE, m_gridStyle);
    DDX_Control(pDX, IDC_AXIS_GRIDWIDTH, m_gridWidth);
    DDX_Control(pDX, IDC_AXIS_AXISSTYLE, m_axisStyle);
    DDX_Control(pDX, IDC_AXIS_AXISWIDTH, m_axisWidth);
    DDX_Check(pDX, IDC_AXIS_AUTOTICKS, m_bAutoTicks);
    DDX_Check(pDX, IDC_AXIS_ARROWS, m_bShowArrows);
    DDX_Check(pDX, IDC_AXIS_LABELS, m_bShowLabels);
    DDX_Text(pDX, IDC_AXIS_XINTERVAL, m_dXInterval);
    DDX_Text(pDX, IDC_AXIS_YINTERVAL, m_dYInterval);
    DDX_Radio(pDX, IDC_AXIS_NORMAL, m_nAxisType);
    DDX_Check(pDX, IDC_AXIS_GRID, m_bShowGrid);
    DDX_Check(pDX, IDC_AXIS_NOTICKS, m_bNoTicks);
    DDX_Check(pDX, IDC_AXIS_BOXED, m_bBoxed);
}

BOOL CAxisPage::OnInitDialog()
{
    if (m_pPlot) {
        const CPlotAxes& axes = m_pPlot->m_axes;
        m_bAutoTicks = axes.m_bAutoTicks;
        m_bNoTicks = !axes.m_bShowTicks;
        m_bBoxed = axes.m_bBoxed;
        m_bShowGrid = axes.m_bShowGrid;
        m_bShowArrows = axes.m_bShowArrows;
        m_bShowLabels = axes.m_bShowLabels;
        m_axisWidth.SetLineStyle(axes.m_axisLine.m_nPenWidth);
        m_axisStyle.SetLineStyle(axes.m_axisLine.m_nPenStyle);
        m_gridWidth.SetLineStyle(axes.m_gridLine.m_nPenWidth);
        m_gridStyle.SetLineStyle(axes.m_gridLine.m_nPenStyle);
        m_dXInterval = axes.m_dXTickInterval;
        m_dYInterval = axes.m_dYTickInterval;
        // The menu's "none" (4) and any other type check neither button.
        m_nAxisType = axes.m_nAxisType == 0 || axes.m_nAxisType == 1 ? axes.m_nAxisType : -1;
        m_nShownAxisType = axes.m_nAxisType;
    }
    CPlotOptionsPage::OnInitDialog();
    if (m_pPlot) {
        m_axisColour.SetColour(ColourForPicker(m_pPlot->m_axes.m_axisLine.m_crColour));
        m_gridColour.SetColour(ColourForPicker(m_pPlot->m_axes.m_gridLine.m_crColour));
    }
    return TRUE;
}

BOOL CAxisPage::Validate()
{
    return UpdateData(TRUE) && ShowFieldVerdict(this, CheckAxisPage(m_dXInterval, m_dYInterval));
}

namespace {

// The page's values into a plot's axes; automatic colours become the given ones.
void ApplyAxes(const CAxisPage& page, CPlotAxes& axes, COLORREF crAutoAxis, COLORREF crAutoGrid)
{
    axes.m_bAutoTicks = page.m_bAutoTicks;
    axes.m_bShowTicks = !page.m_bNoTicks;
    axes.m_bBoxed = page.m_bBoxed;
    axes.m_bShowGrid = page.m_bShowGrid;
    axes.m_bShowArrows = page.m_bShowArrows;
    axes.m_bShowLabels = page.m_bShowLabels;
    SetLine(axes.m_axisLine, ColourFromPicker(page.m_axisColour.GetColour(), crAutoAxis),
            page.m_axisWidth.GetLineStyle(), page.m_axisStyle.GetLineStyle());
    SetLine(axes.m_gridLine, ColourFromPicker(page.m_gridColour.GetColour(), crAutoGrid),
            page.m_gridWidth.GetLineStyle(), page.m_gridStyle.GetLineStyle());
    axes.m_dXTickInterval = page.m_dXInterval;
    axes.m_dYTickInterval = page.m_dYInterval;
    axes.m_nAxisType = page.m_nAxisType >= 0 ? page.m_nAxisType : page.m_nShownAxisType;
}

} // namespace

void CAxisPage::OnOK()
{
    if (!m_pPlot)
        return;
    ApplyAxes(*this, m_pPlot->m_axes, 0, 0xE6E6E6);
    if (IsDataPlot())
        m_pDoc->GetPreviewPlot().CopySettings(*m_pPlot);
    if (m_pDoc)
        m_pDoc->SetPlotModified();
}

void CAxisPage::OnSetAsDefault()
{
    if (!m_pDoc || !Validate())
        return;
    const BOOL bData = IsDataPlot();
    CPlot2D& plot = m_pDoc->GetDefaultPlot(bData);
    ApplyAxes(*this, plot.m_axes, kAutomaticColour, kAutomaticColour);
    WritePlot2DDefaults(m_pDoc->GetSettingsStore(), bData ? kPlotDataDefSection : kPlot2DDefSection,
                        plot);
}

void CAxisPage::OnFont()
{
    if (!m_pDoc || !m_pPlot)
        return;
    CPlotFont& font = m_pPlot->m_axes.m_fonts[0];
    if (!EditPlotFont(font, this))
        return;
    // The preview plot shows the data plot's settings, as after OK.
    if (IsDataPlot())
        m_pDoc->GetPreviewPlot().m_axes.m_fonts[0].CopyFrom(font);
    m_pDoc->SetPlotModified();
}
