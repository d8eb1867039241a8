#include "plot/PlotAxes.h"

#include "framework/core/CArchive.h"

#include <cmath>

CPlotAxes::CPlotAxes()
{
    m_gridLine.m_nPenStyle = PlotPenDot;
    m_fonts[0].m_crTextColour = 0;
}

static double TickIntervalRepaired(double interval)
{
    return std::isfinite(interval) && interval > 0 ? interval : 1.0;
}

void CPlotAxes::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nAxisType << m_bBoxed << m_bShowArrows << m_bShowAxisNames << m_nXArrowLength
           << m_nXArrowHalfWidth << m_nYArrowHalfWidth << m_nYArrowLength;
        m_axisLine.Serialize(ar);
        ar << m_bShowTicks << m_bAutoTicks << m_bShowLabels << m_nXTickHalfLength
           << m_nYTickHalfLength << m_dXTickInterval << m_dYTickInterval;
        m_fonts[0].Serialize(ar);
        ar << m_bShowGrid;
        m_gridLine.Serialize(ar);
        m_fonts[3].Serialize(ar);
        m_fonts[1].Serialize(ar);
        m_fonts[2].Serialize(ar);
        return;
    }
    ar >> m_nAxisType >> m_bBoxed >> m_bShowArrows >> m_bShowAxisNames >> m_nXArrowLength >>
        m_nXArrowHalfWidth >> m_nYArrowHalfWidth >> m_nYArrowLength;
    m_axisLine.Serialize(ar);
    ar >> m_bShowTicks >> m_bAutoTicks >> m_bShowLabels >> m_nXTickHalfLength >>
        m_nYTickHalfLength >> m_dXTickInterval >> m_dYTickInterval;
    m_dXTickInterval = TickIntervalRepaired(m_dXTickInterval);
    m_dYTickInterval = TickIntervalRepaired(m_dYTickInterval);
    m_fonts[0].Serialize(ar);
    ar >> m_bShowGrid;
    m_gridLine.Serialize(ar);
    m_fonts[3].Serialize(ar);
    m_fonts[1].Serialize(ar);
    m_fonts[2].Serialize(ar);
}

void CPlotAxes::CopyFrom(const CPlotAxes& other)
{
    m_nAxisType = other.m_nAxisType;
    m_axisLine.CopyFrom(other.m_axisLine);
    m_gridLine.CopyFrom(other.m_gridLine);
    m_dXTickInterval = other.m_dXTickInterval;
    m_dYTickInterval = other.m_dYTickInterval;
    m_nXTickHalfLength = other.m_nXTickHalfLength;
    m_nYTickHalfLength = other.m_nYTickHalfLength;
    m_bAutoTicks = other.m_bAutoTicks;
    m_bShowTicks = other.m_bShowTicks;
    m_bShowGrid = other.m_bShowGrid;
    m_bBoxed = other.m_bBoxed;
    m_bShowArrows = other.m_bShowArrows;
    m_nXArrowLength = other.m_nXArrowLength;
    m_nXArrowHalfWidth = other.m_nXArrowHalfWidth;
    m_nYArrowHalfWidth = other.m_nYArrowHalfWidth;
    m_nYArrowLength = other.m_nYArrowLength;
    m_bShowAxisNames = other.m_bShowAxisNames;
    m_bShowLabels = other.m_bShowLabels;
    for (int i = 0; i < 4; ++i)
        m_fonts[i].CopyFrom(other.m_fonts[i]);
}

void CPlotAxes::CopyStoredFrom(const CPlotAxes& other)
{
    CopyFrom(other);
    m_axisLine.m_dwSpareB = other.m_axisLine.m_dwSpareB;
    m_gridLine.m_dwSpareB = other.m_gridLine.m_dwSpareB;
    for (int i = 0; i < 4; ++i)
        m_fonts[i].m_dwSpareB = other.m_fonts[i].m_dwSpareB;
}
