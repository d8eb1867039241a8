// The 3-D plot menu's commands on the scene and the selected surface: axes, projection,
// rotation, drawing style, grid resolution and the number of views.
#include "app/ProjectModel.h"

#include "res/PlotIds.h"

#include <cmath>

namespace {

enum Command3D { Axes, Boxed, Projection, Rotate, Style, Resolution, Views };

struct Row3D {
    UINT id;
    Command3D command;
    double value; // axis type, eye distance in box diagonals, rotation sign, style, ...
};

// A rotation's value picks the angle and its sign: +-1 azimuth, +-2 elevation.
// clang-format off
const Row3D kCommands3D[] = {
    {ID_PLOT3D_AXES_NORMAL,         Axes,       SceneAxesOrigin},
    {ID_PLOT3D_AXES_FRAMED,         Axes,       SceneAxesFramed},
    {ID_PLOT3D_AXES_NONE,           Axes,       SceneAxesNone},
    {ID_PLOT3D_AXES_BOXED,          Boxed,      0},
    {ID_PLOT3D_FAR_PERSPECTIVE,     Projection, 100},
    {ID_PLOT3D_MEDIUM_PERSPECTIVE,  Projection, 1.1},
    {ID_PLOT3D_NEAR_PERSPECTIVE,    Projection, 0.7},
    {ID_PLOT3D_NO_PERSPECTIVE,      Projection, 100},
    {ID_PLOT3D_ROTATE_LEFT,         Rotate,     1},
    {ID_PLOT3D_ROTATE_RIGHT,        Rotate,     -1},
    {ID_PLOT3D_ROTATE_UP,           Rotate,     2},
    {ID_PLOT3D_ROTATE_DOWN,         Rotate,     -2},
    {ID_PLOT3D_STYLE_WIREFRAME,     Style,      FillWireframe},
    {ID_PLOT3D_STYLE_HIDDEN_LINE,   Style,      FillHiddenLine},
    {ID_PLOT3D_STYLE_SOLID_GRID,    Style,      FillSolidGrid},
    {ID_PLOT3D_STYLE_SOLID,         Style,      FillSolid},
    {ID_PLOT3D_STYLE_GRADIENT_GRID, Style,      FillShadedGrid},
    {ID_PLOT3D_STYLE_GRADIENT,      Style,      FillShaded},
    {ID_PLOT3D_RESOLUTION_LOW,      Resolution, 30},
    {ID_PLOT3D_RESOLUTION_MEDIUM,   Resolution, 50},
    {ID_PLOT3D_RESOLUTION_HIGH,     Resolution, 75},
    {ID_PLOT3D_RESOLUTION_MAXIMUM,  Resolution, 100},
    {ID_PLOT3D_VIEWS_ONE,           Views,      1},
    {ID_PLOT3D_VIEWS_TWO,           Views,      2},
    {ID_PLOT3D_VIEWS_FOUR,          Views,      4},
    {ID_PLOT3D_VIEWS_SIX,           Views,      6},
    {ID_PLOT3D_VIEWS_EIGHT,         Views,      8},
};
// clang-format on

const Row3D* FindCommand3D(UINT id)
{
    for (const Row3D& row : kCommands3D)
        if (row.id == id)
            return &row;
    return nullptr;
}

// The diagonal of the surface's box: the unit of the eye distances.
double BoxDiagonal(const CSurfacePlot& surface)
{
    return std::sqrt(std::pow(surface.m_dXMax - surface.m_dXMin, 2) +
                     std::pow(surface.m_dYMax - surface.m_dYMin, 2) +
                     std::pow(surface.m_dZMax - surface.m_dZMin, 2));
}

// Which of the four resolution items a resolution falls under.
int ResolutionBand(int resolution)
{
    return resolution <= 30 ? 30 : resolution <= 60 ? 50 : resolution <= 95 ? 75 : 100;
}

// Which projection item carries the check mark for an eye distance (No Perspective never does).
double ProjectionBand(double mu, double diagonal)
{
    return mu > 2 * diagonal ? 100 : mu > 0.8 * diagonal ? 1.1 : 0.7;
}

} // namespace

CSurfacePlot* ProjectModel::GetSelectedSurface() const
{
    if (m_nSelectedKind != Item3DGraph || m_nSelectedIndex < 0 ||
        m_nSelectedIndex >= m_Scene.GetSurfaceCount())
        return nullptr;
    return m_Scene.GetSurface(m_nSelectedIndex);
}

BOOL ProjectModel::ApplyPlot3DCommand(UINT id)
{
    const Row3D* row = FindCommand3D(id);
    CSurfacePlot* surface = GetSelectedSurface();
    if (!row || !surface)
        return FALSE;
    const double value = row->value;
    switch (row->command) {
    case Axes:
        m_bModified = TRUE;
        if (m_Scene.m_nAxisType == int(value))
            return TRUE;
        m_Scene.m_nAxisType = int(value);
        break;
    case Boxed:
        m_Scene.m_bBoxed = !m_Scene.m_bBoxed;
        break;
    case Projection:
        surface->SetView(surface->m_dViewTheta, surface->m_dViewPhi, value * BoxDiagonal(*surface));
        break;
    case Rotate: {
        const double step =
            std::fabs(value) == 1 ? m_Settings.dRotateStepTheta : m_Settings.dRotateStepPhi;
        const double sign = value > 0 ? 1 : -1;
        if (std::fabs(value) == 1)
            surface->SetView(surface->m_dViewTheta + sign * step, surface->m_dViewPhi,
                             surface->m_dViewMu);
        else
            surface->SetView(surface->m_dViewTheta, surface->m_dViewPhi + sign * step,
                             surface->m_dViewMu);
        break;
    }
    case Style:
        surface->SetFillStyle(int(value));
        break;
    case Resolution:
        surface->SetResolution(int(value));
        break;
    case Views:
        m_Scene.m_nViews = int(value);
        break;
    }
    RefreshPlot3D(TRUE);
    RefreshGraphGrid(); // the grid shows the view point
    return TRUE;
}

int ProjectModel::GetPlot3DCommandState(UINT id) const
{
    const Row3D* row = FindCommand3D(id);
    const CSurfacePlot* surface = GetSelectedSurface();
    if (!row || !surface)
        return -1;
    const double value = row->value;
    switch (row->command) {
    case Axes:
        return m_Scene.m_nAxisType == int(value);
    case Boxed:
        return m_Scene.m_bBoxed != 0;
    case Projection:
        return id != ID_PLOT3D_NO_PERSPECTIVE &&
               ProjectionBand(surface->m_dViewMu, BoxDiagonal(*surface)) == value;
    case Rotate:
        return 0;
    case Style:
        return surface->m_nFillStyle == int(value);
    case Resolution:
        return ResolutionBand(surface->GetResolution()) == int(value);
    case Views:
        return m_Scene.m_nViews == int(value);
    }
    return 0;
}
