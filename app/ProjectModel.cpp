// The project model's life cycle: construction, start-up, clearing and a new project.
#include "app/ProjectModel.h"

#include "engine/BuiltinUnits.h"
#include "engine/EngineNames.h"
#include "engine/EngineStartup.h"
#include "engine/FunctionCatalogue.h"
#include "engine/PhysicalConstants.h"

const char kEmptyWorkspaceRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}\\f0\\fs20\\par\n}";

namespace {

constexpr int kFunctionPlotArea = 95;
constexpr int kDataPlotArea = 80;

// Prompts before any window can ask: nothing is shown and every question is answered No, so
// nothing is ever destroyed unasked.
class SilentPrompts : public IProjectPrompts {
public:
    void ShowMessage(const CString&) override {}
    int AskQuestion(const CString&) override { return 7; }
    int ConfirmDelete(const CString&, BOOL&) override { return 7; }
    int ConfirmOverwrite(const CString&, BOOL&) override { return 7; }
};

} // namespace

ProjectModel::ProjectModel()
    : m_Header(GetConstantProjectHeader()), m_ViewLayouts(DefaultViewLayouts(0)),
      m_pNullPrompts(std::make_unique<SilentPrompts>()), m_pWindows(&m_NullWindows),
      m_pPrompts(m_pNullPrompts.get())
{
    m_pResultFormat = &m_Engine.m_ResultFormat;
    m_LineResult.SetNumberFormat(m_pResultFormat);
    for (CPlot2D* plot :
         {&m_FunctionPlot, &m_DefaultFunctionPlot, &m_DataPlot, &m_DefaultDataPlot, &m_PreviewPlot})
        plot->m_pEngine = &m_Engine;
    m_Scene.m_pEngine = &m_Engine;
    m_DefaultScene.m_pEngine = &m_Engine;
}

ProjectModel::~ProjectModel()
{
    // Graphs hold the tables they show: they go before the tables do.
    m_PreviewPlot.DeleteAll();
    m_DataPlot.DeleteAll();
}

void ProjectModel::SetWindows(IProjectWindows* pWindows)
{
    m_pWindows = pWindows ? pWindows : &m_NullWindows;
}

void ProjectModel::SetPrompts(IProjectPrompts* pPrompts)
{
    m_pPrompts = pPrompts ? pPrompts : m_pNullPrompts.get();
}

void ProjectModel::Initialize()
{
    InitNumberFormatSeparators();
    InitCalcEngine();
    m_Header = GetConstantProjectHeader();
    m_PredefinedModels.RemoveAll();
    m_PredefinedModels.LoadDefaults();
    SortFunctionTable();
    SortPhysicalConstants();
    SortBuiltinUnits();
    ClearSelection();
    m_Settings = DocumentSettings();
    m_FunctionPlot.SetPlotAreaPercent(kFunctionPlotArea);
    m_DataPlot.SetPlotAreaPercent(kDataPlotArea);
    m_PreviewPlot.SetPlotAreaPercent(kDataPlotArea);
    m_PreviewPlot.DeleteAll();
    auto graph = std::make_unique<CFunctionPlot>();
    graph->m_bMarkersOnly = TRUE;
    graph->m_dwSpareB = 0;
    m_PreviewPlot.AddItem(graph.release());
}

CFunctionPlot* ProjectModel::PreviewGraph() const
{
    return m_PreviewPlot.GetItemCount() > 0 ? m_PreviewPlot.GetItem(0) : nullptr;
}

UserDataNotices ProjectModel::ReadUserData() { return m_UserDefinitions.Read(); }

UserDataNotices ProjectModel::WriteUserData() { return m_UserDefinitions.Write(); }

void ProjectModel::ReleaseUserDefinitions()
{
    m_UserDefinitions.Clear();
    FreeGlobalSymbolTables();
}

void ProjectModel::DeleteContents()
{
    if (CFunctionPlot* preview = PreviewGraph())
        preview->AttachDataTable(nullptr);
    m_DataPlot.DeleteAll();
    m_FunctionPlot.DeleteAll();
    m_Scene.DeleteAll();
    m_DataTables.clear();
    m_Lists.clear();
    m_Matrices.clear();
    m_Engine.ClearTables();
    m_WorkspaceRtf.clear();
    ClearSelection();
}

void ProjectModel::OnNewDocument()
{
    DeleteContents();
    m_FunctionPlot.CopySettings(m_DefaultFunctionPlot);
    m_DataPlot.CopySettings(m_DefaultDataPlot);
    m_Scene.CopySettings(m_DefaultScene);
    m_FunctionPlot.SetPlotAreaPercent(kFunctionPlotArea);
    m_DataPlot.SetPlotAreaPercent(kDataPlotArea);
    m_bModified = FALSE;
}

void ProjectModel::ClearSelection()
{
    m_nSelectedKind = ItemNone;
    m_nSelectedIndex = -1;
    m_SelectedNode = 0;
    m_pSelectedObject = nullptr;
}

void ProjectModel::ResolveSelection()
{
    if (m_nSelectedIndex >= GetItemCount(m_nSelectedKind))
        m_nSelectedIndex = -1;
    m_pSelectedObject = GetItemObject(m_nSelectedKind, m_nSelectedIndex);
}
