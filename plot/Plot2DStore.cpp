// The stored form of a 2-D plot.
#include "framework/core/CArchive.h"
#include "plot/Plot2D.h"

#include <algorithm>
#include <cmath>

namespace {

// The fewest bytes a stored graph and a stored label take (all strings empty).
constexpr ULONGLONG kItemMinBytes = 1 + 7 * 4;
constexpr ULONGLONG kGraphMinBytes = kItemMinBytes + 4 + 4 + 1 + 1 + 4 + 8 + 8 + 1 + 4;
constexpr ULONGLONG kLabelMinBytes = kItemMinBytes + 1 + 16 + 3 * 4 + 60;

int ReadCount(CArchive& ar, ULONGLONG minBytes)
{
    int count = 0;
    ar >> count;
    if (count < 0)
        throw CArchiveException(CArchiveException::genericException);
    ar.CheckCount(ULONGLONG(count), minBytes);
    return count;
}

void RepairRange(double& lo, double& hi)
{
    if (!(lo < hi) || !std::isfinite(lo) || !std::isfinite(hi)) {
        lo = -3;
        hi = 3;
    }
}

} // namespace

void CPlot2D::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dXMin << m_dXMax << m_dYMin << m_dYMax << m_nSteps << m_dZoomFactor
           << DWORD(m_crBackColor) << m_nAreaPercent << m_nBorder;
        m_axes.Serialize(ar);
        ar << int(m_items.size());
        for (auto& item : m_items)
            item->Serialize(ar);
        ar << int(m_labels.size());
        for (auto& label : m_labels)
            label->Serialize(ar);
        return;
    }
    CPlot2D loaded;
    DWORD back = 0;
    ar >> loaded.m_dXMin >> loaded.m_dXMax >> loaded.m_dYMin >> loaded.m_dYMax >> loaded.m_nSteps >>
        loaded.m_dZoomFactor >> back >> loaded.m_nAreaPercent >> loaded.m_nBorder;
    loaded.m_crBackColor = back;
    loaded.m_axes.Serialize(ar);
    const int items = ReadCount(ar, kGraphMinBytes);
    for (int i = 0; i < items; ++i) {
        auto graph = std::make_unique<CFunctionPlot>();
        graph->Serialize(ar);
        graph->m_pOwner = &loaded;
        loaded.AssignDefaultStyle(graph.get());
        loaded.m_items.push_back(std::move(graph));
    }
    const int labels = ReadCount(ar, kLabelMinBytes);
    for (int i = 0; i < labels; ++i) {
        auto label = std::make_unique<CPlotFont>();
        label->Serialize(ar);
        loaded.m_labels.push_back(std::move(label));
    }
    AdoptLoaded(loaded);
}

void CPlot2D::AdoptLoaded(CPlot2D& loaded)
{
    RepairRange(loaded.m_dXMin, loaded.m_dXMax);
    RepairRange(loaded.m_dYMin, loaded.m_dYMax);
    m_dXMin = loaded.m_dXMin;
    m_dXMax = loaded.m_dXMax;
    m_dYMin = loaded.m_dYMin;
    m_dYMax = loaded.m_dYMax;
    m_nSteps = std::clamp(loaded.m_nSteps, 10, 10000);
    m_dZoomFactor = std::isfinite(loaded.m_dZoomFactor) && loaded.m_dZoomFactor >= 1
                        ? loaded.m_dZoomFactor
                        : 2.0;
    m_crBackColor = loaded.m_crBackColor;
    m_nAreaPercent =
        loaded.m_nAreaPercent < 1 || loaded.m_nAreaPercent > 100 ? 100 : loaded.m_nAreaPercent;
    m_nBorder = std::clamp(loaded.m_nBorder, 0, 32);
    m_axes.CopyStoredFrom(loaded.m_axes);
    m_items = std::move(loaded.m_items);
    m_labels = std::move(loaded.m_labels);
    for (auto& item : m_items)
        item->m_pOwner = this;
    m_dSavedXMin = m_dSavedXMax = m_dSavedYMin = m_dSavedYMax = 0;
    RecomputeScales();
}
