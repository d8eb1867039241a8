#pragma once
#include "framework/core/CObject.h"
#include "plot/SurfacePlot.h"

#include <memory>
#include <vector>

class CCalcEngine;
#ifdef _WIN32
class CDC;
#endif

// Axis types of the 3-D scene.
enum SceneAxisType : int { SceneAxesOrigin = 0, SceneAxesFramed = 1, SceneAxesNone = 2 };

// The project's 3-D plot: the surfaces, the switches and colours they share, the axis-label
// font, and the series of views in which the current surface is drawn with stepped angles
// and distance.
class CPlot3DScene : public CObject {
public:
    CPlot3DScene();
    ~CPlot3DScene() override;
    CPlot3DScene(const CPlot3DScene&) = delete;
    CPlot3DScene& operator=(const CPlot3DScene&) = delete;

    // Takes ownership; replaces the surface with the same label (deleting it), else appends.
    // Returns its index.
    int AddSurface(CSurfacePlot* pSurface);
    // Index of the surface whose equation text equals the label without case, else -1.
    int FindSurface(const CString& label) const;
    int GetSurfaceCount() const { return int(m_surfaces.size()); }
    CSurfacePlot* GetSurface(int i) const { return m_surfaces[std::size_t(i)].get(); }
    // Deletes surface i (ignored out of range).
    void RemoveSurface(int i);
    void DeleteAll() { m_surfaces.clear(); }
    // The current surface, the first when the index is out of range, nullptr when empty.
    CSurfacePlot* GetCurrentSurface() const;
    void SetRect(int left, int top, int right, int bottom);
    // The shared settings; not the surfaces.
    void CopySettings(const CPlot3DScene& other);

    // The background, then the current surface (several times for a series of views). FALSE
    // only when a single view's surface does not parse.
    BOOL Draw(CPlotCanvas& first, CPlotCanvas* pSecond = nullptr);
    // The series: views tiled in rows and columns, each with the view stepped from the one
    // before; the surface's rectangle and view are put back afterwards.
    void DrawViews(CPlotCanvas& first, CPlotCanvas* pSecond);
#ifdef _WIN32
    BOOL Draw(CDC* pFirst, CDC* pSecond = nullptr);
    // The scene drawn in one pass on (0, 0, width, height) (the scene's own size when width or
    // height is not positive); the caller owns the handle.
    HENHMETAFILE RenderToMetafile(int width, int height);
    HBITMAP RenderToBitmap(int width, int height);
#endif

    // Ambient light, font, switches, view steps, views, viewport, rectangle and the surfaces.
    // Loading builds a fresh scene and takes it over only when the whole record was read.
    void Serialize(CArchive& ar) override;

    std::vector<std::unique_ptr<CSurfacePlot>> m_surfaces;
    int m_nCurrent = -1;
    RECT m_rect = {0, 0, 800, 600};
    int m_nAxisType = SceneAxesFramed;
    BOOL m_bBoxed = FALSE;
    BOOL m_bShowTicks = TRUE;
    BOOL m_bShowTickLabels = TRUE;
    BOOL m_bShowAxisLabels = TRUE;
    COLORREF m_crBackColor = 0xFFFFFF;
    int m_nViewportSize = 80;
    int m_nAmbientLight = 20;
    int m_nViews = 1;
    double m_dDeltaTheta, m_dDeltaPhi, m_dDeltaMu = 1000;
    // Its font and colour draw the labels, its pen the box and axes.
    CPlotFont m_font;
    CCalcEngine* m_pEngine = nullptr;

private:
    RECT ViewportRect() const;
    void FillBackground(CPlotCanvas& canvas) const;
};
