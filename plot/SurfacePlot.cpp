#include "plot/SurfacePlot.h"

#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "engine/ReencodeExpression.h"
#include "framework/core/AsciiText.h"
#include "framework/core/CArchive.h"
#include "plot/Plot3DScene.h"

#include <algorithm>
#include <cmath>

int SurfaceGridSize(int resolution, int screenHeight)
{
    const double r = std::clamp(resolution, 0, 100);
    const double k = (screenHeight / 3 - 10) * r * r * r * 1e-6 + 10;
    return std::clamp(int(k), 10, 256);
}

CSurfacePlot::CSurfacePlot()
{
    m_bRebuild = TRUE;
    SetResolution(50);
    SetXRange(-3, 3);
    SetYRange(-3, 3);
    SetZRange(-3, 3);
    m_bRebuild = m_bModified = TRUE;
}

void CSurfacePlot::SetExpression(const CString& text)
{
    if (ascii::EqualNoCase(m_strExpression, text))
        return;
    m_strExpression = text;
    m_bRebuild = m_bModified = TRUE;
}

void CSurfacePlot::SetResolution(int resolution)
{
    m_nResolution = std::clamp(resolution, 0, 100);
    const int k = SurfaceGridSize(m_nResolution, GetPlotScreenMetrics().nHeight);
    SetGridSize(k, k);
}

void CSurfacePlot::CopyFrom(const CSurfacePlot& other)
{
    CPlot3DBase::CopyFrom(other);
    m_strExpression = other.m_strExpression;
    m_dwReserved2 = other.m_dwReserved2;
    SetResolution(other.m_nResolution);
}

void CSurfacePlot::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CPlot3DBase::Serialize(ar);
        ar << GetDecimalPointFlag() << m_dwReserved2 << m_strExpression << m_strReserved1
           << m_strReserved2 << m_dwReserved1 << m_nResolution;
        return;
    }
    CSurfacePlot loaded;
    loaded.CPlot3DBase::Serialize(ar);
    int flag = 1;
    ar >> flag >> loaded.m_dwReserved2 >> loaded.m_strExpression >> loaded.m_strReserved1 >>
        loaded.m_strReserved2 >> loaded.m_dwReserved1 >> loaded.m_nResolution;
    // All read: take it over.
    CPlot3DScene* owner = m_pOwner;
    CPlot3DBase::CopyFrom(loaded);
    m_pOwner = owner;
    m_dwSpareB = loaded.m_dwSpareB;
    m_nFillStyle = loaded.m_nFillStyle;
    m_strExpression = loaded.m_strExpression.IsEmpty()
                          ? loaded.m_strExpression
                          : ReencodeExpression(loaded.m_strExpression, flag);
    m_strReserved1 = loaded.m_strReserved1;
    m_strReserved2 = loaded.m_strReserved2;
    m_dwReserved1 = loaded.m_dwReserved1;
    m_dwReserved2 = loaded.m_dwReserved2;
    SetResolution(loaded.m_nResolution);
    m_bRebuild = TRUE;
}

BOOL CSurfacePlot::MarkIfInputsChanged()
{
    CCalcEngine* engine = m_pOwner ? m_pOwner->m_pEngine : nullptr;
    if (m_sampledInputs.empty() || !engine || m_strExpression.IsEmpty())
        return FALSE;
    std::string inputs;
    engine->ParseDescribingInputs(m_strExpression, inputs);
    if (inputs == m_sampledInputs)
        return FALSE;
    m_bRebuild = TRUE;
    return TRUE;
}

int CSurfacePlot::ComputeMesh()
{
    if (!m_bRebuild)
        return 0;
    CCalcEngine* engine = m_pOwner ? m_pOwner->m_pEngine : nullptr;
    if (!engine)
        return 0;
    m_sampledInputs.clear();
    const int error = engine->ParseDescribingInputs(m_strExpression, m_sampledInputs);
    if (error != 0)
        return error;
    const int k = std::clamp(m_nRows, 10, 256);
    if (m_nRows != k || m_nColumns != k)
        SetGridSize(k, k);
    const double dx = (m_dXMax - m_dXMin) / (k - 1);
    const double dy = (m_dYMax - m_dYMin) / (k - 1);
    m_grid.assign(std::size_t(k) * std::size_t(k), VertexRecord());
    CCompiledExpression program(engine->m_Root);
    // One budget in time for the whole surface: past it the vertices left are not drawn.
    const CommandWork command;
    // Sampled by repeated addition, row by row along x, column by column along y.
    double x = m_dXMin;
    bool seeded = false;
    double zLo = 0, zHi = 0;
    for (int i = 0; i < k; ++i, x += dx) {
        double y = m_dYMin;
        for (int j = 0; j < k; ++j, y += dy) {
            g_IndependentVariables[0].dValue = x;
            g_IndependentVariables[1].dValue = y;
            const double z = program.Evaluate();
            VertexRecord& v = Vertex(i, j);
            v.x = x;
            v.y = y;
            v.z = z;
            v.bInvalid = engine->GetErrorCode() != 0 || !std::isfinite(z);
            if (v.bInvalid)
                continue;
            zLo = seeded ? std::min(zLo, z) : z;
            zHi = seeded ? std::max(zHi, z) : z;
            seeded = true;
        }
    }
    if (m_bAutoSize && seeded) {
        m_dZMin = zLo;
        m_dZMax = zHi;
    }
    m_dXCentre = (m_dXMin + m_dXMax) / 2;
    m_dYCentre = (m_dYMin + m_dYMax) / 2;
    m_dZCentre = (m_dZMin + m_dZMax) / 2;
    for (VertexRecord& v : m_grid) {
        v.x -= m_dXCentre;
        v.y -= m_dYCentre;
        v.z -= m_dZCentre;
    }
    m_bRebuild = FALSE;
    m_bReproject = m_bRemap = m_bReshade = TRUE;
    m_bCutShort = CommandWork::Spent();
    return 0;
}

BOOL CSurfacePlot::DrawSurface(CPlotCanvas& first, CPlotCanvas* pSecond)
{
    if (m_strExpression.IsEmpty() || !m_pOwner || !m_pOwner->m_pEngine)
        return TRUE;
    if (ComputeMesh() != 0)
        return FALSE;
    if (!pSecond)
        return Draw(first) && !m_bCutShort;
    for (BOOL start = TRUE; !DrawProgressive(first, pSecond, start); start = FALSE) {
    }
    return !m_bCutShort;
}
