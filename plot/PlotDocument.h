#pragma once
#include "framework/core/CString.h"

class CFunctionPlot;
class CMenu;
class CPlot2D;
class CPlot3DScene;
class CProfileStore;
class CSurfacePlot;

// Item kinds the plot views tell apart (the project's numbering).
constexpr int kPlotItemTable = 0;
constexpr int kPlotItem2DGraph = 3;
constexpr int kPlotItemDataGraph = 4;
constexpr int kPlotItem3DGraph = 15;

// Pane bits the plot views report their sizes with.
constexpr UINT kPlotPane2D = 1;
constexpr UINT kPlotPane3D = 2;

// What the plot views, pages and dialogs need of the project document, which implements it:
// the plots and their defaults, the selection, the status-bar read-out, the explorer marks, the
// context menus, the plot-copy question, the settings store and help.
class IPlotDocument {
public:
    virtual ~IPlotDocument() = default;

    virtual CPlot2D& GetFunctionPlot() = 0;
    virtual CPlot2D& GetDataPlot() = 0;
    virtual CPlot2D& GetPreviewPlot() = 0;
    virtual CPlot3DScene& GetScene() = 0;
    // The plots and graphs new ones start from, which "Set As Default" rewrites.
    virtual CPlot2D& GetDefaultPlot(BOOL bDataPlot) = 0;
    virtual CPlot3DScene& GetDefaultScene() = 0;
    virtual CFunctionPlot& GetDefaultGraph(BOOL bDataGraph) = 0;
    virtual CSurfacePlot& GetDefault3DGraph() = 0;
    // Where "Set As Default" and the dialogs' own settings are written.
    virtual CProfileStore& GetSettingsStore() = 0;
    // A page or dialog changed a plot: the project is modified and the plots show the change.
    virtual void SetPlotModified() = 0;
    // The function plot's ranges moved, and with them the y = f(x) graphs' domains: a grid
    // showing a graph shows the new ones.
    virtual void RefreshGraphGrid() = 0;

    virtual int GetSelectedKind() const = 0;
    virtual int GetSelectedIndex() const = 0;
    virtual void SelectItemByIndex(int kind, int index) = 0;
    // The Delete key in a plot pane.
    virtual void RemoveSelectedItem() = 0;

    // The pointer over a 2-D plot, in plot units: kept and shown in the status bar.
    virtual void SetCoordinates(double x, double y) = 0;
    virtual void ClearCoordinateText() = 0;
    // Graph index of the function plot failed to draw: its explorer item is marked.
    virtual void FlagFailedGraph(int index) = 0;
    // A pane (kPlotPane2D, kPlotPane3D) now has this size.
    virtual void StorePaneSize(UINT viewBit, int width, int height) = 0;
    // The first pop-up of the context menu of an item kind; nullptr when there is none.
    virtual CMenu* GetContextMenuForType(int kind) = 0;

    // The copy dialog: TRUE with the size to copy (width and height start as the window's) and
    // the format then in GetPlotCopyFormat (0 metafile, 1 bitmap); FALSE when cancelled.
    virtual BOOL AskPlotCopySize(int& width, int& height) = 0;
    virtual int GetPlotCopyFormat() const = 0;

    // Opens the help file at a topic page.
    virtual void ShowHelp(LPCTSTR lpszTopic) = 0;
};
