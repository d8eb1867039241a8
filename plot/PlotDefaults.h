#pragma once
#include "framework/core/ProfileStore.h"

class CFunctionPlot;
class CPlot2D;
class CPlot3DScene;
class CSurfacePlot;

// The settings sections from which new plots and graphs take their values, and into which
// "Set As Default" writes. Each section is one table of keys (PlotDefaults.cpp).
extern const char kPlot2DDefSection[];    // "Plot2DDef": the function plot
extern const char kPlotDataDefSection[];  // "PlotDataDef": the data plot
extern const char kPlot3DDefSection[];    // "Plot3DDef": the 3-D scene
extern const char kGraph2DDefSection[];   // "Graph2DDef": a new 2-D graph
extern const char kDataGraphDefSection[]; // "DataGraphDef": a new data graph
extern const char kGraph3DDefSection[];   // "Graph3DDef": a new 3-D graph

// A 2-D plot's settings: background, steps (10 .. 10000), zoom factor (a stored value below
// 1 keeps the plot's own), ranges (set together), axis switches, axis and grid lines, tick
// intervals (a value that is not positive reads as 1) and axis type.
void ReadPlot2DDefaults(CProfileStore& store, const char* section, CPlot2D& plot);
BOOL WritePlot2DDefaults(CProfileStore& store, const char* section, const CPlot2D& plot);

// A 2-D graph's form, domain (taken when Min < Max), colour, style and width. The data-graph
// section's colour defaults to 0xFF0000, the 2-D graph's to automatic.
void ReadGraph2DDefaults(CProfileStore& store, const char* section, CFunctionPlot& graph);
BOOL WriteGraph2DDefaults(CProfileStore& store, const char* section, const CFunctionPlot& graph);

// The scene's switches, line, background, viewport (1 .. 100), ambient light (0 .. 100) and
// series of views (1 .. 16 views, steps, a distance step in (-10, 1000]).
void ReadScene3DDefaults(CProfileStore& store, CPlot3DScene& scene);
BOOL WriteScene3DDefaults(CProfileStore& store, const CPlot3DScene& scene);

// A 3-D graph's ranges, automatic z range, colours, fill style, resolution, view and light,
// through the surface's setters.
void ReadGraph3DDefaults(CProfileStore& store, CSurfacePlot& surface);
BOOL WriteGraph3DDefaults(CProfileStore& store, const CSurfacePlot& surface);
