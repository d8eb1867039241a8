// The project's settings: read in their fixed order when the document is made, and the few
// that the end of the run writes back.
#include "app/ProjectModel.h"

#include "plot/PlotDefaults.h"

void ProjectModel::ReadSettings(CProfileStore& store, int screenHeight)
{
    m_Settings.nAutoOpenLastProject = ReadAutoOpenLastProject(store);
    ReadPlot2DDefaults(store, kPlot2DDefSection, m_DefaultFunctionPlot);
    ReadPlot2DDefaults(store, kPlotDataDefSection, m_DefaultDataPlot);
    ReadScene3DDefaults(store, m_DefaultScene);
    ReadGraph2DDefaults(store, kGraph2DDefSection, m_Default2DGraph);
    ReadGraph2DDefaults(store, kDataGraphDefSection, m_DefaultDataGraph);
    ReadGraph3DDefaults(store, m_Default3DGraph);
    ReadDocumentSettings(store, m_Settings);
    ReadCalculationSettings(store, m_Engine);
    ReadSolverModelSettings(store, m_Settings);
    ReadRecentFits(store, m_RecentFits);
    ReadFavoriteFunctions(store, m_FavoriteFunctions);
    m_nTreeWidth = ReadTreeWidth(store);
    m_ViewLayouts = DefaultViewLayouts(screenHeight);
    ReadViewLayouts(store, m_ViewLayouts);
}

void ProjectModel::WriteSettingsAtExit(CProfileStore& store, const CString& pathName)
{
    WriteViewLayouts(store, m_ViewLayouts);
    WriteRecentFits(store, m_RecentFits);
    WriteFavoriteFunctions(store, m_FavoriteFunctions);
    WriteTreeWidth(store, m_nTreeWidth);
    store.WriteString(kOptionsSection, "LastOpenFile", pathName);
    store.WriteInt(kOptionsSection, "AutoOpenLastProject", m_Settings.nAutoOpenLastProject);
    WriteSolverCalculationSettings(store, m_Engine);
}
