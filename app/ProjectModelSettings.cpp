// The project's settings: read in their fixed order when the document is made, and what of
// the few that the end of the run writes back the run changed.
#include "app/ProjectModel.h"

#include "app/SharedSettings.h"
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
    m_SettingsAtStart.RemoveAll();
    WriteOwnSettings(m_SettingsAtStart);
    m_RecentFitsAtStart = RecentFitRecords(m_RecentFits);
    m_FavoritesAtStart = m_FavoriteFunctions;
}

void ProjectModel::WriteOwnSettings(CProfileStore& store) const
{
    WriteViewLayouts(store, m_ViewLayouts);
    WriteTreeWidth(store, m_nTreeWidth);
    store.WriteInt(kOptionsSection, "AutoOpenLastProject", m_Settings.nAutoOpenLastProject);
    WriteSolverCalculationSettings(store, m_Engine);
}

void ProjectModel::WriteSettingsAtExit(CProfileStore& store, const CString& pathName)
{
    ChangedValuesStore changed(store, m_SettingsAtStart);
    WriteOwnSettings(changed);
    WriteRecentFitChanges(store, m_RecentFitsAtStart, m_RecentFits);
    WriteFavoriteFunctionChanges(store, m_FavoritesAtStart, m_FavoriteFunctions);
    // The project of the window that ends last is the one to reopen.
    store.WriteString(kOptionsSection, "LastOpenFile", pathName);
}
