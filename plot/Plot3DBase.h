#pragma once
#include "plot/PlotItem.h"
#include "plot/Vector3D.h"

#include <memory>
#include <vector>

class CPlot3DScene;

// One point of a surface's grid or of a box face.
struct VertexRecord {
    double x = 0, y = 0, z = 0;    // world, shifted so the centre of the ranges is the origin
    double xe = 0, ye = 0, ze = 0; // after the view rotation; ze is the depth (larger = farther)
    double px = 0, py = 0;         // xe / ze, ye / ze
    int X = 0, Y = 0;              // pixels
    COLORREF shade = 0;            // colour of the lit styles
    int bInvalid = 0;              // the expression has no value here
    int bBehindEye = 0;            // too close to or behind the eye in the current view
};

// The rotation and perspective of a view (theta about z, phi from z, eye distance mu), with
// its sines and cosines worked out once.
struct ViewTransform {
    double st, ct, sp, cp, mu;
    ViewTransform(double theta, double phi, double distance);
    // Fills the eye coordinates and the projection of a centred vertex.
    void Apply(VertexRecord& v) const;
};

// One of the three axes of a 3-D item. The renderer fills range, tick length, step and ends.
struct AxisRecord3D {
    double dMin = -3, dMax = 3, dRange = 6, dTickLength = 0.06, dStep = 1.5;
    int nTickCount = 5;
    double end1[3] = {0, 0, 0};
    double end2[3] = {0, 0, 0};
};

// The vertex list of one polygon (a box face); drawn only through its own Draw with a mapping.
class CVertexGrid : public CPlotItem {
public:
    // n vertices (n < 1: none); bPolyline draws an open line instead of a closed polygon.
    BOOL Allocate(int n, BOOL bPolyline);
    void Translate(double dx, double dy, double dz);
    // Eye coordinates and projection of every vertex for this view.
    void Project(double theta, double phi, double mu);
    // Whether the face turns away from an eye at (theta, phi, mu).
    BOOL IsBackFace(double theta, double phi, double mu) const;
    // Maps the projected vertices into the rectangle (extents px min, px max, py min, py max).
    void Draw(CPlotCanvas& canvas, const RECT& rect, const double extents[4]) const;
    using CPlotItem::Draw; // the item's own, which a face does not use

    std::vector<VertexRecord> m_vertices;
    BOOL m_bPolyline = FALSE;
    int m_nCount = 0;
};

// Fill styles of a 3-D item.
enum FillStyle3D : int {
    FillWireframe = 0,
    FillHiddenLine = 1,
    FillSolidGrid = 2,
    FillSolid = 3,
    FillShadedGrid = 4,
    FillShaded = 5,
};

// What a 3-D item needs to be drawn: view and light, colours (the item's colour draws lines,
// its fill colour the surface), the axes, the x, y and z ranges, the fill style, the vertex
// grid and the bounding box. The drawing stages run only when their work flags are set.
// Sources: Plot3DBase.cpp (settings, stored form), Plot3DRender.cpp (projection, shading,
// cells), Plot3DAxes.cpp (box, axes, ticks and labels).
class CPlot3DBase : public CPlotItem {
public:
    CPlot3DBase();
    ~CPlot3DBase() override;

    // The item's record, the flags, the three axes, fill style, light colour, light, view and
    // the ranges. Loading repairs what cannot be drawn (see the source).
    void Serialize(CArchive& ar) override;
    // The surface in one pass: cells from the far corner to the near one, then box and axes.
    BOOL Draw(CPlotCanvas& canvas) override;
    // One grid row per call on one or two canvases; the start flag prepares the view. The call
    // that draws the last row draws box and axes too and returns TRUE.
    BOOL DrawProgressive(CPlotCanvas& first, CPlotCanvas* pSecond, BOOL bStart);

    // When either differs: the grid is freed and rebuilt at the next drawing.
    void SetGridSize(int rows, int columns);
    // Ignored unless min < max (finite) and a bound moves by 1e-8 or more.
    void SetXRange(double dMin, double dMax);
    void SetYRange(double dMin, double dMax);
    void SetZRange(double dMin, double dMax);
    // Each component that moves by 1e-8 or more is taken and raises reproject.
    void SetView(double theta, double phi, double mu);
    // All three taken when any moves by 1e-8 or more; raises reshade.
    void SetLight(double theta, double phi, double mu);
    void SetFillStyle(int style);
    void SetTargetRect(const RECT& rect);
    // Plot-item fields, flags, axes, fill style, light colour, light, owner, view and ranges.
    void CopyFrom(const CPlot3DBase& other);

    // Projection, pixel mapping and the six box faces.
    void PrepareView();
    // Shade colours of the lit styles.
    void ComputeShading();
    // Perspective projection of a centred world point.
    void ProjectPoint(double x, double y, double z, double& px, double& py) const;
    void ProjectVertex(VertexRecord& v) const;
    // Pixel of an uncentred world point with the current mapping.
    CPoint PointToPixel(double x, double y, double z) const;
    // Corners from the ranges and the projected box extents.
    void UpdateBox();
    void DrawAxes(CPlotCanvas& canvas);
    void DrawSegment(CPlotCanvas& canvas, const Vector3& a, const Vector3& b);

    VertexRecord& Vertex(int i, int j) { return m_grid[std::size_t(i) * m_nColumns + j]; }
    const VertexRecord& Vertex(int i, int j) const
    {
        return m_grid[std::size_t(i) * m_nColumns + j];
    }

    CPlot3DScene* m_pOwner = nullptr;
    std::vector<VertexRecord> m_grid; // rows x columns, row by row; empty until built
    std::vector<std::unique_ptr<CVertexGrid>> m_faces;
    VertexRecord m_corners[8];
    int m_nRows = -1, m_nColumns = -1;
    double m_dViewTheta, m_dViewPhi, m_dViewMu = 1000;
    double m_dLightTheta, m_dLightPhi, m_dLightMu = 1000;
    COLORREF m_crLight = 0xFFFFFF;
    AxisRecord3D m_axes[3];
    double m_dPxMin = 0, m_dPxMax = 0, m_dPyMin = 0, m_dPyMax = 0;
    double m_dPixelScaleX = 0, m_dPixelScaleY = 0;
    double m_dXMin = -3, m_dXMax = 3, m_dYMin = -3, m_dYMax = 3, m_dZMin = -3, m_dZMax = 3;
    double m_dXCentre = 0, m_dYCentre = 0, m_dZCentre = 0;
    RECT m_rectTarget = {0, 0, 500, 300};
    int m_bExtentReset = 1; // kept in the file; no visible effect
    int m_bAutoSize = 1;
    int m_nFillStyle = FillShaded;
    BOOL m_bRebuild = TRUE, m_bReproject = TRUE, m_bRemap = TRUE, m_bReshade = TRUE;

protected:
    void ProjectMesh();
    void MapToPixels();
    // Whether the projected box can be mapped (finite, non-zero extents).
    bool HasView() const { return m_bViewValid; }

private:
    // Where the progressive drawing stands; reset by each start.
    struct Progress {
        int row = 0, lastRow = 0, rowStep = 1;
        int firstColumn = 0, lastColumn = 0, columnStep = 1;
        bool done = true;
    };
    void BeginCells(Progress& progress);
    void DrawRow(CPlotCanvas& canvas, const Progress& progress, int row);
    void DrawCell(CPlotCanvas& canvas, int i, int j, int r, int c);
    void SelectStylePens(CPlotCanvas& canvas);
    // One axis as the drawing walks it: which coordinate runs along it, its ends, where the
    // labels go and which ticks it leaves out.
    struct AxisWalk {
        int along;     // 0 x, 1 y, 2 z
        int across;    // the coordinate the ticks run along
        Vector3 first; // the end with the smaller value
        Vector3 second;
        int side; // +1 or -1 along the tick direction
        bool labelsLeft;
        bool rightAligned; // labels end 2 pixels left of their anchor (z)
        const char* letter;
        bool skipCrossing; // the tick at the crossing is left out when ticks are shown
        double crossing;
        bool skipFoot; // no label at the foot of the z axis, which the z axis's labels own
        double foot;
    };
    void DrawAxisTicks(CPlotCanvas& canvas, const AxisWalk& walk, bool origin);
    // Draws a text of an axis unless it would cross one drawn before (of any axis: in a small
    // plot the labels of one axis crowd too). Tick labels also keep a blank's width from each
    // other, or two numbers read as one; an axis letter may stand close to its label.
    void DrawAxisText(CPlotCanvas& canvas, int x, int y, const CString& text, CSize size,
                      bool bLetter);

    // Where the axes drew their tick labels and letters in the drawing in progress, and the
    // width of a blank in their font.
    std::vector<CRect> m_axisLabels;
    std::vector<CRect> m_axisLetters;
    int m_nLabelGap = 0;
    Progress m_progress;
    bool m_bViewValid = false;
};
