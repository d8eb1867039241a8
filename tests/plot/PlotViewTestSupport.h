#pragma once
// A small program around the plot panes: a document that records what the panes ask of it, and
// a frame with the 3-D pane and the 2-D pane side by side and a status bar.
#include "engine/CalcEngine.h"
#include "framework/core/ProfileStore.h"
#include "framework/win/CDocument.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CSplitterWnd.h"
#include "plot/FunctionPlot.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"
#include "plot/Plot3DView.h"
#include "plot/PlotDocument.h"
#include "plot/PlotView.h"
#include "plot/SurfacePlot.h"
#include "ui/OwnerDrawMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CPlotTestDoc : public CDocument, public IPlotDocument {
public:
    CPlotTestDoc();
    ~CPlotTestDoc() override;

    CPlot2D& GetFunctionPlot() override { return m_function; }
    CPlot2D& GetDataPlot() override { return m_data; }
    CPlot2D& GetPreviewPlot() override { return m_preview; }
    CPlot3DScene& GetScene() override { return m_scene; }
    CPlot2D& GetDefaultPlot(BOOL bDataPlot) override
    {
        return bDataPlot ? m_defaultData : m_defaultFunction;
    }
    CPlot3DScene& GetDefaultScene() override { return m_defaultScene; }
    CFunctionPlot& GetDefaultGraph(BOOL bDataGraph) override
    {
        return bDataGraph ? m_defaultDataGraph : m_defaultGraph;
    }
    CSurfacePlot& GetDefault3DGraph() override { return m_default3DGraph; }
    CProfileStore& GetSettingsStore() override { return m_store; }
    void SetPlotModified() override { ++m_nModified; }
    void RefreshGraphGrid() override {}
    int GetSelectedKind() const override { return m_nKind; }
    int GetSelectedIndex() const override { return m_nIndex; }
    void SelectItemByIndex(int kind, int index) override;
    void RemoveSelectedItem() override { m_log.push_back("remove"); }
    void SetCoordinates(double x, double y) override;
    void ClearCoordinateText() override { m_log.push_back("clear"); }
    void FlagFailedGraph(int index) override;
    void StorePaneSize(UINT viewBit, int width, int height) override;
    CMenu* GetContextMenuForType(int kind) override;
    BOOL AskPlotCopySize(int& width, int& height) override;
    int GetPlotCopyFormat() const override { return m_nCopyFormat; }
    void ShowHelp(LPCTSTR lpszTopic) override { m_log.push_back(std::string("help ") + lpszTopic); }

    // The log: "select 3 1", "coords 1.5 -2", "clear", "failed 2", "size 1 400 300", "menu 3",
    // "copy 400 300", "remove", "help X.htm".
    std::vector<std::string> m_log;
    int m_nKind = 16;
    int m_nIndex = -1;
    int m_nModified = 0;
    // The copy dialog's answer: the size it gives (0: keep the one asked with) and its format.
    BOOL m_bCopyAnswer = TRUE;
    int m_nCopyWidth = 0, m_nCopyHeight = 0, m_nCopyFormat = 0;

    CCalcEngine m_engine;
    CPlot2D m_function, m_data, m_preview, m_defaultFunction, m_defaultData;
    CPlot3DScene m_scene, m_defaultScene;
    CFunctionPlot m_defaultGraph, m_defaultDataGraph;
    CSurfacePlot m_default3DGraph;
    CMemoryProfileStore m_store;
    COwnerDrawMenu m_graphMenu; // the 2-D graph's and the 3-D graph's context menus
};

class CPlotTestFrame : public CFrameWnd {
public:
    CSplitterWnd m_wndSplitter;
    CPlot3DView* Plot3DView() const;
    CPlotView* PlotView() const;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
};

// A frame of width x height around the panes of a new document, shown and updated; the
// document holds graphs sin(x) and x^2/4 in its function plot and z = x*y in its scene.
class PlotPaneFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void Pump();
    // The 2-D pane's window shown now.
    CPlot2DWnd& Shown() { return *m_pFrame->PlotView()->GetCurrentWindow(); }

    CPlotTestDoc* m_pDoc = nullptr;
    CPlotTestFrame* m_pFrame = nullptr;
};
