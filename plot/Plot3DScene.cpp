#include "plot/Plot3DScene.h"

#include "framework/core/AsciiText.h"
#include "framework/core/CArchive.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDefaultAngleStep = std::numbers::pi / 12;
constexpr double kDefaultDistanceStep = 1000;

} // namespace

CPlot3DScene::CPlot3DScene() : m_dDeltaTheta(kDefaultAngleStep), m_dDeltaPhi(kDefaultAngleStep) {}

CPlot3DScene::~CPlot3DScene() = default;

int CPlot3DScene::AddSurface(CSurfacePlot* pSurface)
{
    std::unique_ptr<CSurfacePlot> surface(pSurface);
    surface->m_pOwner = this;
    const int i = FindSurface(surface->GetEquationText());
    if (i >= 0) {
        m_surfaces[std::size_t(i)] = std::move(surface);
        return i;
    }
    m_surfaces.push_back(std::move(surface));
    return GetSurfaceCount() - 1;
}

int CPlot3DScene::FindSurface(const CString& label) const
{
    for (std::size_t i = 0; i < m_surfaces.size(); ++i) {
        if (ascii::EqualNoCase(m_surfaces[i]->GetEquationText(), label))
            return int(i);
    }
    return -1;
}

void CPlot3DScene::RemoveSurface(int i)
{
    if (i >= 0 && i < GetSurfaceCount())
        m_surfaces.erase(m_surfaces.begin() + i);
}

CSurfacePlot* CPlot3DScene::GetCurrentSurface() const
{
    if (m_surfaces.empty())
        return nullptr;
    if (m_nCurrent >= 0 && m_nCurrent < GetSurfaceCount())
        return m_surfaces[std::size_t(m_nCurrent)].get();
    return m_surfaces.front().get();
}

void CPlot3DScene::SetRect(int left, int top, int right, int bottom)
{
    m_rect = RECT{left, top, right, bottom};
}

void CPlot3DScene::CopySettings(const CPlot3DScene& other)
{
    m_nAmbientLight = other.m_nAmbientLight;
    m_font.CopyFrom(other.m_font);
    m_nAxisType = other.m_nAxisType;
    m_crBackColor = other.m_crBackColor;
    m_bBoxed = other.m_bBoxed;
    m_bShowAxisLabels = other.m_bShowAxisLabels;
    m_bShowTickLabels = other.m_bShowTickLabels;
    m_bShowTicks = other.m_bShowTicks;
    m_dDeltaMu = other.m_dDeltaMu;
    m_dDeltaPhi = other.m_dDeltaPhi;
    m_dDeltaTheta = other.m_dDeltaTheta;
    m_nViews = other.m_nViews;
    m_nViewportSize = other.m_nViewportSize;
}

// ---- drawing -----------------------------------------------------------------------------

void CPlot3DScene::FillBackground(CPlotCanvas& canvas) const
{
    canvas.FillRect(m_rect,
                    m_crBackColor == kAutomaticColour ? 0xFFFFFF : m_crBackColor & 0xFFFFFF);
}

RECT CPlot3DScene::ViewportRect() const
{
    const int size = std::clamp(m_nViewportSize, 1, 100);
    const long long w = (long long)m_rect.right - m_rect.left;
    const long long h = (long long)m_rect.bottom - m_rect.top;
    const int dx = int(double(w) * (100 - size) * 0.005);
    const int dy = int(double(h) * (100 - size) * 0.005);
    return RECT{m_rect.left + dx, m_rect.top + dy, m_rect.right - dx, m_rect.bottom - dy};
}

BOOL CPlot3DScene::Draw(CPlotCanvas& first, CPlotCanvas* pSecond)
{
    FillBackground(first);
    if (pSecond)
        FillBackground(*pSecond);
    CSurfacePlot* surface = GetCurrentSurface();
    if (!surface)
        return TRUE;
    surface->m_pOwner = this;
    if (std::clamp(m_nViews, 1, 16) > 1) {
        DrawViews(first, pSecond);
        return TRUE;
    }
    surface->SetTargetRect(ViewportRect());
    return surface->DrawSurface(first, pSecond);
}

void CPlot3DScene::DrawViews(CPlotCanvas& first, CPlotCanvas* pSecond)
{
    CSurfacePlot* s = GetCurrentSurface();
    if (!s)
        return;
    const int n = std::clamp(m_nViews, 1, 16);
    const int rows = int(std::sqrt(double(n)));
    const int columns = (n + rows - 1) / rows;
    const RECT r = ViewportRect();
    const double tw = double(r.right - r.left) / columns;
    const double th = double(r.bottom - r.top) / rows;
    const RECT savedRect = s->m_rectTarget;
    const double theta = s->m_dViewTheta, phi = s->m_dViewPhi, mu = s->m_dViewMu;
    int drawn = 0;
    for (int row = 0; row < rows && drawn < n; ++row) {
        for (int column = 0; column < columns && drawn < n; ++column, ++drawn) {
            RECT tile{r.left, r.top, int(r.left + tw), int(r.top + th)};
            const int dx = int(column * tw), dy = int(row * th);
            tile.left += dx;
            tile.right += dx;
            tile.top += dy;
            tile.bottom += dy;
            const int insetX = (tile.right - tile.left) / 10;
            const int insetY = (tile.bottom - tile.top) / 10;
            tile.left += insetX;
            tile.right -= insetX;
            tile.top += insetY;
            tile.bottom -= insetY;
            s->SetTargetRect(tile);
            s->DrawSurface(first, pSecond);
            // Each distance grows by DeltaMu tenths of the one before.
            s->m_dViewTheta += m_dDeltaTheta;
            s->m_dViewPhi += m_dDeltaPhi;
            s->m_dViewMu += s->m_dViewMu * m_dDeltaMu * 0.1;
            s->m_bReproject = s->m_bModified = TRUE;
        }
    }
    s->SetTargetRect(savedRect);
    s->m_dViewTheta = theta;
    s->m_dViewPhi = phi;
    s->m_dViewMu = mu;
    s->m_bReproject = s->m_bModified = TRUE;
}

// ---- stored form -------------------------------------------------------------------------

void CPlot3DScene::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nAmbientLight;
        m_font.Serialize(ar);
        ar << m_nAxisType << DWORD(m_crBackColor) << m_bBoxed << m_bShowAxisLabels
           << m_bShowTickLabels << m_bShowTicks << m_dDeltaMu << m_dDeltaTheta << m_dDeltaPhi
           << m_nViews << m_nViewportSize << m_rect.left << m_rect.top << m_rect.right
           << m_rect.bottom << int(m_surfaces.size());
        for (auto& s : m_surfaces)
            s->Serialize(ar);
        return;
    }
    CPlot3DScene loaded;
    ar >> loaded.m_nAmbientLight;
    loaded.m_font.Serialize(ar);
    DWORD back = 0;
    int count = 0;
    ar >> loaded.m_nAxisType >> back >> loaded.m_bBoxed >> loaded.m_bShowAxisLabels >>
        loaded.m_bShowTickLabels >> loaded.m_bShowTicks >> loaded.m_dDeltaMu >>
        loaded.m_dDeltaTheta >> loaded.m_dDeltaPhi >> loaded.m_nViews >> loaded.m_nViewportSize >>
        loaded.m_rect.left >> loaded.m_rect.top >> loaded.m_rect.right >> loaded.m_rect.bottom >>
        count;
    loaded.m_crBackColor = back;
    if (count < 0)
        throw CArchiveException(CArchiveException::genericException);
    // A surface takes at least its item record, the base's fixed fields and its own.
    constexpr ULONGLONG kSurfaceMinBytes = 29 + 8 + 3 * 92 + 8 + 6 * 8 + 6 * 8 + 4 + 4 + 3 + 8;
    ar.CheckCount(ULONGLONG(count), kSurfaceMinBytes);
    for (int i = 0; i < count; ++i) {
        auto surface = std::make_unique<CSurfacePlot>();
        surface->Serialize(ar);
        loaded.AddSurface(surface.release());
    }
    // Repairs of what cannot be drawn.
    m_nAmbientLight = std::clamp(loaded.m_nAmbientLight, 0, 100);
    m_font.CopyFrom(loaded.m_font);
    m_font.m_dwSpareB = loaded.m_font.m_dwSpareB;
    m_nAxisType = loaded.m_nAxisType;
    m_crBackColor = loaded.m_crBackColor;
    m_bBoxed = loaded.m_bBoxed;
    m_bShowAxisLabels = loaded.m_bShowAxisLabels;
    m_bShowTickLabels = loaded.m_bShowTickLabels;
    m_bShowTicks = loaded.m_bShowTicks;
    m_dDeltaMu =
        std::isfinite(loaded.m_dDeltaMu) && loaded.m_dDeltaMu > -10 && loaded.m_dDeltaMu <= 1000
            ? loaded.m_dDeltaMu
            : kDefaultDistanceStep;
    m_dDeltaTheta = std::isfinite(loaded.m_dDeltaTheta) ? loaded.m_dDeltaTheta : kDefaultAngleStep;
    m_dDeltaPhi = std::isfinite(loaded.m_dDeltaPhi) ? loaded.m_dDeltaPhi : kDefaultAngleStep;
    m_nViews = std::clamp(loaded.m_nViews, 1, 16);
    m_nViewportSize = std::clamp(loaded.m_nViewportSize, 1, 100);
    const RECT& r = loaded.m_rect;
    const bool sane = r.left >= -10000 && r.top >= -10000 && r.right <= 10000 &&
                      r.bottom <= 10000 && r.left <= r.right && r.top <= r.bottom;
    m_rect = sane ? r : RECT{0, 0, 800, 600};
    m_surfaces = std::move(loaded.m_surfaces);
    for (auto& s : m_surfaces)
        s->m_pOwner = this;
}
