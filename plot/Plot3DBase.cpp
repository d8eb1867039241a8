#include "plot/Plot3DBase.h"

#include "framework/core/CArchive.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kSmallestChange = 1e-8;
constexpr double kDefaultAngle = std::numbers::pi / 3;
constexpr double kDefaultDistance = 1000;

bool Moves(double from, double to) { return std::fabs(to - from) >= kSmallestChange; }

bool Finite(double a, double b, double c)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

void StoreAxis(CArchive& ar, const AxisRecord3D& a)
{
    ar << a.dMin << a.dMax << a.dRange << a.dTickLength << a.dStep << a.nTickCount;
    for (double v : a.end1)
        ar << v;
    for (double v : a.end2)
        ar << v;
}

void LoadAxis(CArchive& ar, AxisRecord3D& a)
{
    ar >> a.dMin >> a.dMax >> a.dRange >> a.dTickLength >> a.dStep >> a.nTickCount;
    for (double& v : a.end1)
        ar >> v;
    for (double& v : a.end2)
        ar >> v;
}

// A stored range that cannot be drawn: -3 .. 3. A flat one stays when allowed (z).
void RepairRange(double& lo, double& hi, bool flatAllowed)
{
    const bool ordered = flatAllowed ? lo <= hi : lo < hi;
    if (!ordered || !std::isfinite(lo) || !std::isfinite(hi)) {
        lo = -3;
        hi = 3;
    }
}

void RepairDirection(double& theta, double& phi, double& mu)
{
    if (!std::isfinite(theta))
        theta = kDefaultAngle;
    if (!std::isfinite(phi))
        phi = kDefaultAngle;
    if (!std::isfinite(mu))
        mu = kDefaultDistance;
}

} // namespace

CPlot3DBase::CPlot3DBase()
    : m_dViewTheta(kDefaultAngle), m_dViewPhi(kDefaultAngle), m_dLightTheta(kDefaultAngle),
      m_dLightPhi(kDefaultAngle)
{
}

CPlot3DBase::~CPlot3DBase() = default;

void CPlot3DBase::SetGridSize(int rows, int columns)
{
    if (rows == m_nRows && columns == m_nColumns)
        return;
    m_grid.clear();
    m_grid.shrink_to_fit();
    m_nRows = rows;
    m_nColumns = columns;
    m_bRebuild = m_bModified = TRUE;
}

static bool SetRange(double& lo, double& hi, double& centre, double dMin, double dMax)
{
    if (!(dMin < dMax) || !std::isfinite(dMin) || !std::isfinite(dMax))
        return false;
    if (!Moves(lo, dMin) && !Moves(hi, dMax))
        return false;
    lo = dMin;
    hi = dMax;
    centre = (dMin + dMax) / 2;
    return true;
}

void CPlot3DBase::SetXRange(double dMin, double dMax)
{
    if (SetRange(m_dXMin, m_dXMax, m_dXCentre, dMin, dMax))
        m_bRebuild = m_bModified = TRUE;
}

void CPlot3DBase::SetYRange(double dMin, double dMax)
{
    if (SetRange(m_dYMin, m_dYMax, m_dYCentre, dMin, dMax))
        m_bRebuild = m_bModified = TRUE;
}

void CPlot3DBase::SetZRange(double dMin, double dMax)
{
    if (SetRange(m_dZMin, m_dZMax, m_dZCentre, dMin, dMax))
        m_bRebuild = m_bModified = TRUE;
}

void CPlot3DBase::SetView(double theta, double phi, double mu)
{
    for (auto [field, value] : {std::pair{&m_dViewTheta, theta}, std::pair{&m_dViewPhi, phi},
                                std::pair{&m_dViewMu, mu}}) {
        if (std::isfinite(value) && Moves(*field, value)) {
            *field = value;
            m_bReproject = m_bModified = TRUE;
        }
    }
}

void CPlot3DBase::SetLight(double theta, double phi, double mu)
{
    if (!Finite(theta, phi, mu))
        return;
    if (!Moves(m_dLightTheta, theta) && !Moves(m_dLightPhi, phi) && !Moves(m_dLightMu, mu))
        return;
    m_dLightTheta = theta;
    m_dLightPhi = phi;
    m_dLightMu = mu;
    m_bReshade = m_bModified = TRUE;
}

void CPlot3DBase::SetFillStyle(int style)
{
    if (style == m_nFillStyle)
        return;
    m_nFillStyle = style;
    m_bReshade = TRUE;
}

void CPlot3DBase::SetTargetRect(const RECT& rect)
{
    if (rect.left == m_rectTarget.left && rect.top == m_rectTarget.top &&
        rect.right == m_rectTarget.right && rect.bottom == m_rectTarget.bottom)
        return;
    m_rectTarget = rect;
    m_bRemap = TRUE;
}

void CPlot3DBase::CopyFrom(const CPlot3DBase& other)
{
    CPlotItem::CopyFrom(other);
    m_bExtentReset = other.m_bExtentReset;
    m_bAutoSize = other.m_bAutoSize;
    for (int i = 0; i < 3; ++i)
        m_axes[i] = other.m_axes[i];
    m_nFillStyle = other.m_nFillStyle;
    m_crLight = other.m_crLight;
    m_dLightTheta = other.m_dLightTheta;
    m_dLightPhi = other.m_dLightPhi;
    m_dLightMu = other.m_dLightMu;
    m_pOwner = other.m_pOwner;
    m_dViewTheta = other.m_dViewTheta;
    m_dViewPhi = other.m_dViewPhi;
    m_dViewMu = other.m_dViewMu;
    m_dXMin = other.m_dXMin;
    m_dXMax = other.m_dXMax;
    m_dYMin = other.m_dYMin;
    m_dYMax = other.m_dYMax;
    m_dZMin = other.m_dZMin;
    m_dZMax = other.m_dZMax;
    m_dXCentre = (m_dXMin + m_dXMax) / 2;
    m_dYCentre = (m_dYMin + m_dYMax) / 2;
    m_dZCentre = (m_dZMin + m_dZMax) / 2;
    m_bRebuild = m_bReproject = m_bRemap = m_bReshade = TRUE;
}

void CPlot3DBase::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CPlotItem::Serialize(ar);
        ar << m_bExtentReset << m_bAutoSize;
        for (const AxisRecord3D& a : m_axes)
            StoreAxis(ar, a);
        ar << m_nFillStyle << DWORD(m_crLight) << m_dLightTheta << m_dLightPhi << m_dLightMu
           << m_dViewTheta << m_dViewPhi << m_dViewMu << m_dXMin << m_dXMax << m_dYMin << m_dYMax
           << m_dZMin << m_dZMax;
        return;
    }
    // Loaded by the surface into a fresh object, so fields are read in place.
    CPlotItem::Serialize(ar);
    ar >> m_bExtentReset >> m_bAutoSize;
    for (AxisRecord3D& a : m_axes)
        LoadAxis(ar, a);
    DWORD light = 0;
    ar >> m_nFillStyle >> light >> m_dLightTheta >> m_dLightPhi >> m_dLightMu >> m_dViewTheta >>
        m_dViewPhi >> m_dViewMu >> m_dXMin >> m_dXMax >> m_dYMin >> m_dYMax >> m_dZMin >> m_dZMax;
    m_crLight = light;
    if (m_nFillStyle < FillWireframe || m_nFillStyle > FillShaded)
        m_nFillStyle = FillShaded;
    RepairDirection(m_dLightTheta, m_dLightPhi, m_dLightMu);
    RepairDirection(m_dViewTheta, m_dViewPhi, m_dViewMu);
    RepairRange(m_dXMin, m_dXMax, false);
    RepairRange(m_dYMin, m_dYMax, false);
    RepairRange(m_dZMin, m_dZMax, true);
    m_dXCentre = (m_dXMin + m_dXMax) / 2;
    m_dYCentre = (m_dYMin + m_dYMax) / 2;
    m_dZCentre = (m_dZMin + m_dZMax) / 2;
    m_bRebuild = m_bReproject = m_bRemap = m_bReshade = TRUE;
}
