// The fit commands: linear fits of the seven fixed models, the nonlinear fit of a library
// model and the recent-fit list. Each fit that succeeds leaves a data graph of its curve,
// bound to the fitted table, that owns the fit's report.
#include "app/ProjectModel.h"

#include "analysis/FitSample.h"
#include "analysis/LinearFit.h"
#include "analysis/NonlinearFit.h"

const char kTooFewPointsText[] = "There are too few data points.  Please enter more data.";

namespace {

// A nonlinear fit needs two rows before its model is even chosen.
constexpr int kFewestModelFitRows = 2;

} // namespace

CDataTable* ProjectModel::GetFitTable() const
{
    CDataTable* table = GetSelectedTable();
    return table && IsFitLayout(table->GetLayout()) ? table : nullptr;
}

BOOL ProjectModel::CheckFitRows()
{
    const CDataTable* table = GetFitTable();
    if (!table)
        return FALSE;
    if (int(TablePointRows(*table).size()) < kFewestModelFitRows) {
        Prompts().ShowMessage(kTooFewPointsText);
        return FALSE;
    }
    return TRUE;
}

void ProjectModel::AddFitGraph(CDataTable& table, const CString& equation,
                               std::unique_ptr<CAnalysisResult> report, int angleMode)
{
    auto graph = std::make_unique<CFunctionPlot>();
    graph->CopyFrom(m_DefaultDataGraph);
    graph->SetName(report->GetText());
    graph->AttachDataTable(&table);
    graph->SetDefinition(equation, CString(), GraphRectangular, graph->GetXMin(), graph->GetXMax());
    graph->SetReport(std::move(report));
    graph->SetOwnAngleMode(angleMode);
    graph->m_dwSpareB = 0;
    graph->m_bModified = TRUE;
    AddResultItem(ItemDataGraph, graph.release());
}

void ProjectModel::LinearFitSelection(int model)
{
    CDataTable* table = GetFitTable();
    if (!table || model < 0 || model >= CLinearFit::kModelCount)
        return;
    auto report = std::make_unique<CAnalysisResult>();
    report->SetNumberFormat(m_pResultFormat);
    CLinearFit fit;
    fit.SetTable(table);
    fit.SetModel(model);
    if (const int code = fit.Fit(report.get())) {
        Prompts().ShowMessage(fit.GetFailureText(code));
        return;
    }
    report->SetText("Linear fit - " + CLinearFit::GetModelName(model) + " of " + table->GetName());
    AddFitGraph(*table, fit.GetEquationWithValues(), std::move(report), kEngineAngleMode);
}

BOOL ProjectModel::SetFitModel(const ModelRecord& model, CNonlinearFit& fit)
{
    if (!CheckFitRows())
        return FALSE;
    // In the project's angle mode, in which the fitted equation will be drawn; a fit whose
    // model is already set may have been given another.
    int code = fit.SetAngleMode(m_Engine.m_nAngleMode);
    if (code == 0)
        code = fit.SetModel(model.strFormula);
    if (code != 0) {
        Prompts().ShowMessage(GetErrorText(code));
        return FALSE;
    }
    fit.SetModelName(model.strName);
    return TRUE;
}

void ProjectModel::RunNonlinearFit(const ModelRecord& model, CNonlinearFit& fit)
{
    CDataTable* table = GetFitTable();
    if (!table || !SetFitModel(model, fit))
        return;
    RememberRecentFit(model);
    fit.SetTable(table);
    if (const int code = fit.Fit()) {
        if (code != ErrMaxIterations) {
            Prompts().ShowMessage(fit.GetFailureText(code));
            return;
        }
        CAnalysisResult reached; // what the fit reached, shown with the reason it stopped
        reached.SetNumberFormat(m_pResultFormat);
        fit.ReportUnfinished(reached);
        Prompts().ShowMessage(reached.GetWorkspaceText());
        return;
    }
    auto report = std::make_unique<CAnalysisResult>();
    report->SetNumberFormat(m_pResultFormat);
    fit.Report(*report);
    // Drawn in the mode it was fitted in, whatever the project's later: the curve stays the
    // one that passes through the data and that the report describes.
    AddFitGraph(*table, fit.GetFittedEquation(), std::move(report), fit.GetAngleMode());
}

void ProjectModel::RememberRecentFit(const ModelRecord& model)
{
    CModelCategory& list = m_RecentFits;
    const int i = list.FindModel(model.strName);
    if (i == 0) {
        if (list.GetModel(0).strFormula != model.strFormula)
            list.ReplaceModel(0, model);
        return;
    }
    if (i > 0)
        list.RemoveModel(i);
    else if (list.GetModelCount() >= kMaxRecentFits)
        list.RemoveModel(list.GetModelCount() - 1);
    list.InsertModel(0, model);
}
