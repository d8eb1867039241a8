#pragma once
#include "plot/PlotItem.h"

// Axis types of CPlotAxes::m_nAxisType.
enum PlotAxisType : int {
    AxisTypeNormal = 0, // through the origin, or the range minimum when 0 lies outside
    AxisTypeFrame = 1,  // along the left and bottom, labels outside in reserved room
    AxisTypeFrameInside = 2,
    AxisTypeNone = 4,
};

// The axes of a 2-D plot: where they cross, how they look, the tick spacing and labels, the
// grid, the box and the fonts. The plot draws them (CPlot2D::DrawAxes).
class CPlotAxes {
public:
    CPlotAxes();
    CPlotAxes(const CPlotAxes&) = delete;
    CPlotAxes& operator=(const CPlotAxes&) = delete;

    // Inside the plot's record. Loading reads a tick interval that is not a positive number
    // as 1.
    void Serialize(CArchive& ar);
    // Every stored field; not the crossings.
    void CopyFrom(const CPlotAxes& other);
    // CopyFrom and the spare words the copy leaves out: the stored form entire.
    void CopyStoredFrom(const CPlotAxes& other);

    int m_nAxisType = AxisTypeNormal;
    CPlotItem m_axisLine;
    double m_dXTickInterval = 1.0;
    double m_dYTickInterval = 1.0;
    int m_nXTickHalfLength = 2;
    int m_nYTickHalfLength = 2;
    BOOL m_bAutoTicks = TRUE;
    BOOL m_bShowTicks = TRUE;
    // Recomputed at each drawing.
    double m_dCrossX = 0; // world x of the y axis
    double m_dCrossY = 0; // world y of the x axis
    int m_nYAxisPixel = 0;
    int m_nXAxisPixel = 0;
    CPlotItem m_gridLine;
    BOOL m_bShowGrid = TRUE;
    BOOL m_bBoxed = FALSE;
    BOOL m_bShowArrows = TRUE;
    int m_nXArrowLength = 5;
    int m_nXArrowHalfWidth = 3;
    int m_nYArrowHalfWidth = 3;
    int m_nYArrowLength = 5;
    BOOL m_bShowAxisNames = TRUE;
    BOOL m_bShowLabels = TRUE;
    // Font 1 draws tick labels and axis names; fonts 2 to 4 are only kept.
    CPlotFont m_fonts[4];
};
