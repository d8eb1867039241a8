// The calculus commands of the 2-D graph menus: each asks the function chooser for its curves
// and interval, runs its operation on the document's engine and shows the report.
#include "app/GraphAnalysis.h"
#include "app/MyDocument.h"
#include "engine/EngineErrors.h"
#include "plot/AnalysisResult.h"
#include "plot/FunctionPlot.h"
#include "plot/PlotDialogChecks.h"
#include "res/resource.h"

namespace {

struct AnalysisCommand {
    UINT nID;
    int kind;
};
const AnalysisCommand kAnalysisCommands[] = {
    {ID_PLOT2D_DIFFERENTIATE, AnalysisDifferentiate},
    {ID_PLOT2D_INTEGRATE, AnalysisIntegrate},
    {ID_PLOT2D_FIND_AREA, AnalysisArea},
    {ID_PLOT2D_FIND_INTERSECTIONS, AnalysisIntersections},
    {ID_PLOT2D_FIND_ZEROS, AnalysisZeros},
    {ID_PLOT2D_FIND_EXTREMA, AnalysisExtrema},
    {ID_PLOT2D_ARC_LENGTH, AnalysisArcLength},
    {ID_PLOT2D_SURFACE_AREA, AnalysisSurfaceArea},
    {ID_PLOT2D_VOLUME_OF_REVOLUTION, AnalysisVolume},
    {ID_PLOT2D_CENTER_OF_MASS, AnalysisCenterOfMass},
};

} // namespace

void CMyDocument::OnGraphAnalysis(UINT nID)
{
    for (const AnalysisCommand& command : kAnalysisCommands)
        if (command.nID == nID)
            RunGraphAnalysisCommand(command.kind);
}

void CMyDocument::OnGraphAnalyze() { RunGraphAnalysisCommand(AnalysisGraph); }

void CMyDocument::RunGraphAnalysisCommand(int kind)
{
    GraphAnalysisChoice choice;
    choice.kind = kind;
    CString tableName;
    if (!ChooseFunction(kind, choice.first, choice.second, choice.a, choice.b, tableName))
        return;
    CAnalysisResult report;
    int code = 0;
    if (kind == AnalysisGraph) {
        // The report covers the interval chosen, not the selected graph's own domain.
        CFunctionPlot graph;
        graph.SetDefinition(choice.first, CString(), GraphRectangular, choice.a, choice.b);
        code = BuildGraphAnalysis(m_Model.m_Engine, graph, kDefaultAnalysisOptions, report);
    } else {
        code = RunGraphAnalysis(m_Model.m_Engine, choice, report);
    }
    if (code != 0) {
        ShowMessage(GetErrorText(code));
        return;
    }
    ShowResults(report);
}
