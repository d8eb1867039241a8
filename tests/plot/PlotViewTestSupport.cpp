#include "tests/plot/PlotViewTestSupport.h"

#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "framework/win/CCreateContext.h"
#include "framework/win/CWinApp.h"
#include "res/resource.h"
#include "tests/support/GuiTestSupport.h"

#include <sstream>

// The print jobs take the printer the application keeps.
CWinApp thePlotTestApp("PlotWinTest");

namespace {

std::string Join(const char* word, std::initializer_list<double> values)
{
    std::ostringstream out;
    out << word;
    for (double v : values)
        out << ' ' << v;
    return out.str();
}

} // namespace

CPlotTestDoc::CPlotTestDoc()
{
    for (CPlot2D* plot : {&m_function, &m_data, &m_preview, &m_defaultFunction, &m_defaultData})
        plot->m_pEngine = &m_engine;
    m_scene.m_pEngine = &m_engine;
    m_defaultScene.m_pEngine = &m_engine;
    m_graphMenu.LoadMenu(IDR_CONTEXT_GRAPH);
    m_bAutoDelete = FALSE; // the fixture deletes it
}

CPlotTestDoc::~CPlotTestDoc() = default;

void CPlotTestDoc::SelectItemByIndex(int kind, int index)
{
    m_log.push_back(Join("select", {double(kind), double(index)}));
}

void CPlotTestDoc::SetCoordinates(double x, double y) { m_log.push_back(Join("coords", {x, y})); }

void CPlotTestDoc::FlagFailedGraph(int index) { m_log.push_back(Join("failed", {double(index)})); }

void CPlotTestDoc::StorePaneSize(UINT viewBit, int width, int height)
{
    m_log.push_back(Join("size", {double(viewBit), double(width), double(height)}));
}

CMenu* CPlotTestDoc::GetContextMenuForType(int kind)
{
    m_log.push_back(Join("menu", {double(kind)}));
    return m_graphMenu.GetSafeHmenu() ? m_graphMenu.GetSubMenu(0) : nullptr;
}

BOOL CPlotTestDoc::AskPlotCopySize(int& width, int& height)
{
    m_log.push_back(Join("copy", {double(width), double(height)}));
    if (m_nCopyWidth > 0) {
        width = m_nCopyWidth;
        height = m_nCopyHeight;
    }
    return m_bCopyAnswer;
}

// ---- frame ----------------------------------------------------------------------------------

BOOL CPlotTestFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    return m_wndSplitter.CreateStatic(this, 1, 2) &&
           m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CPlot3DView), CSize(300, 0), pContext) &&
           m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CPlotView), CSize(0, 0), pContext);
}

CPlot3DView* CPlotTestFrame::Plot3DView() const
{
    return dynamic_cast<CPlot3DView*>(m_wndSplitter.GetPane(0, 0));
}

CPlotView* CPlotTestFrame::PlotView() const
{
    return dynamic_cast<CPlotView*>(m_wndSplitter.GetPane(0, 1));
}

// ---- fixture --------------------------------------------------------------------------------

void PlotPaneFixture::SetUp()
{
    FreeGlobalSymbolTables();
    ResetIndependentVariables();
    UseDotSeparators();
    GetPlotScreenMetrics() = PlotScreenMetrics();
    m_pDoc = new CPlotTestDoc;
    m_pDoc->m_function.SetRanges(-5, 5, -3, 3);
    m_pDoc->m_function.AddFunction("sin(x)", "", 0, -5, 5);
    m_pDoc->m_function.AddFunction("x^2/4", "", 0, -5, 5);
    auto* pSurface = new CSurfacePlot;
    pSurface->SetExpression("x*y");
    m_pDoc->m_scene.AddSurface(pSurface);

    CCreateContext context;
    context.m_pCurrentDoc = m_pDoc;
    context.m_pNewViewClass = RUNTIME_CLASS(CPlotView);
    auto* pFrame = new CPlotTestFrame;
    // A frame whose creation failed has deleted itself.
    ASSERT_TRUE(pFrame->Create(nullptr, "Plot panes", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 500),
                               nullptr, nullptr, 0, &context));
    m_pFrame = pFrame;
    m_pFrame->InitialUpdateFrame(m_pDoc, TRUE);
    m_pFrame->SetActiveView(m_pFrame->PlotView());
    Pump();
    m_pDoc->m_log.clear();
}

void PlotPaneFixture::TearDown()
{
    if (m_pFrame)
        m_pFrame->DestroyWindow(); // deletes the frame and its views
    Pump();
    delete m_pDoc;
    FreeGlobalSymbolTables();
    ResetIndependentVariables();
}

void PlotPaneFixture::Pump() { AfxPumpPendingMessages(); }
