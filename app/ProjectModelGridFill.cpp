// What the data view shows for the selected item: one writer per kind, the grid's size and the
// column widths each kind keeps in its layout.
#include "app/ProjectModel.h"

#include "engine/BuiltinUnits.h"
#include "engine/EngineNames.h"
#include "engine/FunctionCatalogue.h"
#include "engine/PhysicalConstants.h"
#include "engine/SolverModel.h"
#include "engine/UnitRegistry.h"
#include "engine/UserFunction.h"

#include <algorithm>

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
const char kConstantsSource[] = "Source: National Institute of Standards and Technology";

// Rows and data columns of the kinds whose size does not depend on the item.
constexpr int k2DGraphRows = 3, k2DGraphColumns = 4;
constexpr int k3DGraphRows = 7, k3DGraphColumns = 4;
constexpr int kSolverModelColumns = 5;
constexpr int kSolverModelFixedRows = 3; // equation, titles, then one row per variable
constexpr int kConstantsSourceRow = 2;   // rows below the last constant

// The titles of row 0 of a kind's table, from column 1 on.
void WriteTitles(IGridFillSink& sink, std::initializer_list<const char*> titles)
{
    int column = 1;
    for (const char* title : titles)
        sink.SetText(0, column++, title);
}

// An empty cell shows no text.
void WriteColumn(IGridFillSink& sink, int column, const CDataColumn& values)
{
    const double* data = values.GetData();
    for (int i = 1; i <= values.GetCount(); ++i)
        sink.SetText(i, column, IsEmptyCell(data[i]) ? CString() : GridNumberText(data[i]));
}

// The columns, then the messages of the entries refused in the table's cells.
void WriteTable(IGridFillSink& sink, CDataTable& table, BOOL bEditable, const ViewLayout& layout,
                GridFillShape& shape)
{
    table.SetEditable(bEditable);
    const int widths = int(layout[ViewLayout::GridColumnCount]);
    for (int c = 0; c < table.GetColumnCount(); ++c) {
        if (c < widths)
            sink.SetColumnWidth(c + 1, int(layout[ViewLayout::FirstColumnWidth + c]));
        sink.SetText(0, c + 1, table.GetColumnName(c));
        WriteColumn(sink, c + 1, *table.GetColumn(c));
    }
    for (const RefusedEntry& entry : table.GetRefusedEntries()) {
        if (entry.row + 1 >= sink.GetRowCount() || entry.column + 1 >= sink.GetColumnCount())
            continue;
        sink.SetText(entry.row + 1, entry.column + 1, entry.message);
        shape.refusedCells.push_back({entry.row + 1, entry.column + 1, entry.typed});
    }
}

void WriteMatrix(IGridFillSink& sink, const CMatrixObject& matrix, const ViewLayout& layout)
{
    const int width = int(layout[ViewLayout::FirstColumnWidth]);
    for (int j = 1; j <= matrix.GetColumnCount(); ++j) {
        sink.SetColumnWidth(j, width);
        sink.SetText(0, j, GridIntegerText(j));
    }
    for (int i = 1; i <= matrix.GetRowCount(); ++i)
        for (int j = 1; j <= matrix.GetColumnCount(); ++j)
            sink.SetText(i, j, GridNumberText(matrix.GetAt(i, j)));
}

void Write2DGraph(IGridFillSink& sink, const CFunctionPlot& graph)
{
    sink.SetText(1, 1, "Equation: ");
    if (graph.m_nForm == GraphParametric) {
        sink.SetText(2, 1, "x = ");
        sink.SetText(3, 1, "y = ");
        sink.SetText(3, 2, graph.m_strSecondExpression);
    } else {
        sink.SetText(2, 1, graph.m_nForm == GraphPolar ? "r = " : "y = ");
    }
    sink.SetText(2, 2, graph.m_strExpression);
    sink.SetText(1, 3, "Domain: ");
    sink.SetText(2, 3, "min = ");
    sink.SetText(3, 3, "max = ");
    sink.SetText(2, 4, GridNumberText(graph.m_dDomainMin));
    sink.SetText(3, 4, GridNumberText(graph.m_dDomainMax));
}

// A report's rows as the data view shows them.
class ReportRows : public IResultGrid {
public:
    explicit ReportRows(IGridFillSink& sink) : m_sink(sink) {}
    void SetItemString(int row, int column, const CString& text) override
    {
        m_sink.SetText(row, column, text);
    }
    void SetItemInt(int row, int column, int value) override
    {
        m_sink.SetText(row, column, GridIntegerText(value));
    }

private:
    IGridFillSink& m_sink;
};

void WriteExpressionVariables(IGridFillSink& sink, CCalcEngine& engine)
{
    WriteTitles(sink, {"Name", "Expression", "Value"});
    for (int i = 0; i < engine.GetExpressionVariableCount(); ++i) {
        sink.SetText(i + 1, 1, engine.GetExpressionVariableName(i));
        sink.SetText(i + 1, 2, engine.GetExpressionVariableText(i));
        const int code = engine.EvaluateExpressionVariable(i);
        sink.SetText(i + 1, 3,
                     code == 0 ? GridNumberText(engine.m_ExprVariables[std::size_t(i)].dCachedValue)
                               : "Error: " + GetErrorText(code));
    }
}

void WriteUserTables(IGridFillSink& sink, int kind, const CCalcEngine& engine,
                     const UserDefinitions& user)
{
    switch (kind) {
    case ItemVariables:
        WriteTitles(sink, {"Name", "Value"});
        for (int i = 0; i < engine.GetVariableCount(); ++i) {
            sink.SetText(i + 1, 1, engine.GetVariableName(i));
            sink.SetText(i + 1, 2, GridNumberText(engine.GetVariableValue(i)));
        }
        break;
    case ItemUserConstants: {
        WriteTitles(sink, {"Name", "Symbol", "Value", "Unit"});
        const std::vector<UserConstantRecord>& constants = GetUserConstants();
        for (std::size_t i = 0; i < constants.size(); ++i) {
            const int row = int(i) + 1;
            sink.SetText(row, 1, constants[i].strDescription);
            sink.SetText(row, 2, constants[i].strSymbol);
            sink.SetText(row, 3, GridNumberText(constants[i].dValue));
            sink.SetText(row, 4, constants[i].strUnit);
        }
        break;
    }
    case ItemUserFunctions:
        WriteTitles(sink, {"Definition", "Usage Note"});
        for (int i = 0; i < GetUserFunctionCount(); ++i) {
            sink.SetText(i + 1, 1, GetUserFunctionDefinition(i));
            sink.SetText(i + 1, 2, GetUserFunctionDescription(i));
        }
        break;
    case ItemUserUnits:
        WriteTitles(sink, {"From", "To", "Conversion Factor"});
        for (int i = 0; i < GetUserUnitCount(); ++i) {
            const UnitRecord unit = GetUserUnit(i);
            sink.SetText(i + 1, 1, unit.name.c_str());
            sink.SetText(i + 1, 2, unit.base.c_str());
            sink.SetText(i + 1, 3, GridNumberText(unit.factor));
        }
        break;
    case ItemSolverEquations:
        WriteTitles(sink, {"Equation", "Note"});
        for (int i = 0; i < user.GetSolverModelCount(); ++i) {
            sink.SetText(i + 1, 1, user.GetSolverModel(i)->m_strEquation);
            sink.SetText(i + 1, 2, user.GetSolverModel(i)->m_strNote);
        }
        break;
    default:
        break;
    }
}

void WriteSolverModel(IGridFillSink& sink, const CSolverModel& model)
{
    sink.SetText(1, 1, "Equation: ");
    sink.SetText(1, 2, model.m_strEquation);
    sink.SetText(2, 1, "Variable");
    sink.SetText(2, 2, "Value");
    for (int i = 0; i < model.GetVariableCount(); ++i) {
        sink.SetText(i + kSolverModelFixedRows, 1, model.GetVariableName(i));
        sink.SetText(i + kSolverModelFixedRows, 2, GridNumberText(model.GetVariableValue(i)));
    }
    sink.SetText(2, 4, "    Interval: ");
    sink.SetText(3, 4, "        Min: ");
    sink.SetText(4, 4, "        Max: ");
    sink.SetText(5, 4, "    Steps:  ");
    sink.SetText(6, 4, "    Accuracy: ");
    sink.SetText(3, 5, GridNumberText(model.m_dMinimum));
    sink.SetText(4, 5, GridNumberText(model.m_dMaximum));
    sink.SetText(5, 5, GridIntegerText(model.m_nSolverSteps));
    sink.SetText(6, 5, GridIntegerText(model.m_SolverFormat.m_nDecimals));
}

void WritePredefinedTables(IGridFillSink& sink, int kind)
{
    switch (kind) {
    case ItemPredefinedConstants: {
        WriteTitles(sink, {"Name", "Symbol", "Value", "Unit"});
        const int count = GetPhysicalConstantCount();
        for (int i = 0; i < count; ++i) {
            const PhysicalConstantEntry& entry =
                GetPhysicalConstant(GetSortedPhysicalConstantRow(i));
            sink.SetText(i + 1, 1, entry.description);
            sink.SetText(i + 1, 2, entry.symbol);
            sink.SetText(i + 1, 3, GridNumberText(entry.value));
            sink.SetText(i + 1, 4, entry.unit);
        }
        sink.SetText(count + kConstantsSourceRow, 1, kConstantsSource);
        break;
    }
    case ItemPredefinedFunctions:
        WriteTitles(sink, {"Name", "Syntax", "Usage"});
        for (int i = 0; i < GetFunctionTableSize(); ++i) {
            const FunctionTableEntry& entry = GetFunctionEntry(GetSortedFunctionRow(i));
            CString syntax = entry.name;
            if (entry.argumentTemplate[0])
                syntax += CString("(") + entry.argumentTemplate + ")";
            sink.SetText(i + 1, 1, entry.name);
            sink.SetText(i + 1, 2, syntax);
            sink.SetText(i + 1, 3, entry.description);
        }
        break;
    case ItemPredefinedUnits:
        WriteTitles(sink, {"From", "To", "Conversion Factor"});
        for (int i = 0; i < GetBuiltinUnitCount(); ++i) {
            const BuiltinUnitEntry& entry = GetBuiltinUnit(GetSortedBuiltinUnitRow(i));
            sink.SetText(i + 1, 1, entry.name);
            sink.SetText(i + 1, 2, entry.base);
            sink.SetText(i + 1, 3, GridNumberText(entry.factor));
        }
        break;
    default:
        break;
    }
}

void Write3DGraph(IGridFillSink& sink, const CSurfacePlot& surface)
{
    sink.SetText(1, 1, "Equation: ");
    sink.SetText(2, 1, "f(x,y) = ");
    sink.SetText(2, 2, surface.GetExpression());
    sink.SetText(3, 1, "Domain: ");
    const char* const bounds[] = {"x-min = ", "x-max = ", "y-min = ", "y-max = "};
    const double values[] = {surface.m_dXMin, surface.m_dXMax, surface.m_dYMin, surface.m_dYMax};
    for (int i = 0; i < 4; ++i) {
        sink.SetText(4 + i, 1, bounds[i]);
        sink.SetText(4 + i, 2, GridNumberText(values[i]));
    }
    sink.SetText(3, 3, "View Point: ");
    sink.SetText(4, 3, "theta = ");
    sink.SetText(5, 3, "phi = ");
    sink.SetText(6, 3, "mu  = ");
    sink.SetText(4, 4, GridNumberText(surface.m_dViewTheta * kDegreesPerRadian));
    sink.SetText(5, 4, GridNumberText(surface.m_dViewPhi * kDegreesPerRadian));
    sink.SetText(6, 4, GridNumberText(surface.m_dViewMu));
}

} // namespace

CFunctionPlot* ProjectModel::SelectedGraph() const
{
    const CPlot2D* plot = m_nSelectedKind == Item2DGraph     ? &m_FunctionPlot
                          : m_nSelectedKind == ItemDataGraph ? &m_DataPlot
                                                             : nullptr;
    if (!plot || m_nSelectedIndex < 0 || m_nSelectedIndex >= plot->GetItemCount())
        return nullptr;
    return plot->GetItem(m_nSelectedIndex);
}

CSurfacePlot* ProjectModel::SelectedSurface() const
{
    if (m_nSelectedKind != Item3DGraph || m_nSelectedIndex < 0 ||
        m_nSelectedIndex >= m_Scene.GetSurfaceCount())
        return nullptr;
    return m_Scene.GetSurface(m_nSelectedIndex);
}

CSolverModel* ProjectModel::SelectedSolverModel() const
{
    if (m_nSelectedKind != ItemSolverModel || m_nSelectedIndex < 0 ||
        m_nSelectedIndex >= m_UserDefinitions.GetSolverModelCount())
        return nullptr;
    return m_UserDefinitions.GetSolverModel(m_nSelectedIndex);
}

int ProjectModel::GetEntryCount() const
{
    switch (m_nSelectedKind) {
    case ItemVariables:
        return m_Engine.GetVariableCount();
    case ItemExpressionVariables:
        return m_Engine.GetExpressionVariableCount();
    case ItemUserConstants:
        return GetUserConstantCount();
    case ItemUserFunctions:
        return GetUserFunctionCount();
    case ItemUserUnits:
        return GetUserUnitCount();
    case ItemSolverEquations:
        return m_UserDefinitions.GetSolverModelCount();
    default:
        return 0;
    }
}

void ProjectModel::GetDataViewExtent(int& entries, int& columns) const
{
    static constexpr int kEntryColumns[] = {0, 0, 0, 0, 0, 2, 3, 4, 2, 3, 2, 0, 4, 3, 3, 0};
    entries = GetEntryCount();
    columns = m_nSelectedKind >= 0 && m_nSelectedKind < ItemTypeCount
                  ? kEntryColumns[m_nSelectedKind]
                  : 0;
    switch (m_nSelectedKind) {
    case ItemDataTable:
    case ItemList:
        if (auto* table = dynamic_cast<const CDataTable*>(m_pSelectedObject)) {
            entries = table->GetRowCount();
            columns = table->GetColumnCount();
        } else if (auto* list = dynamic_cast<const CDataColumn*>(m_pSelectedObject)) {
            entries = list->GetCount();
            columns = 1;
        }
        break;
    case ItemMatrix:
        if (auto* matrix = dynamic_cast<const CMatrixObject*>(m_pSelectedObject)) {
            entries = matrix->GetRowCount();
            columns = matrix->GetColumnCount();
        }
        break;
    case Item2DGraph:
        entries = k2DGraphRows;
        columns = k2DGraphColumns;
        break;
    case ItemDataGraph: {
        const CFunctionPlot* graph = SelectedGraph();
        entries = graph && graph->GetReport() ? graph->GetReport()->GetItemCount() + 1 : 0;
        columns = 2;
        break;
    }
    case ItemSolverModel:
        if (const CSolverModel* model = SelectedSolverModel())
            entries = model->GetVariableCount() + kSolverModelFixedRows;
        columns = kSolverModelColumns;
        break;
    case ItemPredefinedConstants:
        entries = GetPhysicalConstantCount() + kConstantsSourceRow;
        break;
    case ItemPredefinedFunctions:
        entries = GetFunctionTableSize();
        break;
    case ItemPredefinedUnits:
        entries = GetBuiltinUnitCount();
        break;
    case Item3DGraph:
        entries = k3DGraphRows;
        columns = k3DGraphColumns;
        break;
    default:
        break;
    }
}

void ProjectModel::ResizeDataView(IGridFillSink& sink)
{
    if (m_nSelectedKind < 0 || m_nSelectedKind >= ItemTypeCount)
        return;
    int entries = 0, columns = 0;
    GetDataViewExtent(entries, columns);
    const int widths =
        int(m_ViewLayouts[std::size_t(m_nSelectedKind)][ViewLayout::GridColumnCount]);
    const BOOL bMatrix = m_nSelectedKind == ItemMatrix;
    const GridSize size = ChooseGridSize(
        bMatrix, entries, bMatrix ? columns : std::max(columns, widths), sink.GetRowCount());
    sink.SetSize(size.rows, size.columns);
}

GridFillShape ProjectModel::FillDataView(IGridFillSink& sink, BOOL bEditable)
{
    GridFillShape shape;
    const int kind = m_nSelectedKind;
    if (kind < 0 || kind >= ItemTypeCount)
        return shape;
    ResizeDataView(sink);
    const ViewLayout& layout = m_ViewLayouts[std::size_t(kind)];
    if (kind != ItemDataTable && kind != ItemMatrix) {
        const int widths = int(layout[ViewLayout::GridColumnCount]);
        for (int c = 1; c <= widths; ++c)
            sink.SetColumnWidth(c, int(layout[ViewLayout::GridColumnCount + c]));
    }
    shape.bRowNumbers = IsDataItemKind(kind);
    switch (kind) {
    case ItemDataTable:
        if (auto* table = dynamic_cast<CDataTable*>(m_pSelectedObject))
            WriteTable(sink, *table, bEditable, layout, shape);
        break;
    case ItemList:
        if (auto* list = dynamic_cast<const CDataColumn*>(m_pSelectedObject)) {
            sink.SetText(0, 1, list->GetName());
            WriteColumn(sink, 1, *list);
        }
        break;
    case ItemMatrix:
        if (auto* matrix = dynamic_cast<const CMatrixObject*>(m_pSelectedObject))
            WriteMatrix(sink, *matrix, layout);
        break;
    case Item2DGraph:
        if (const CFunctionPlot* graph = SelectedGraph())
            Write2DGraph(sink, *graph);
        break;
    case ItemDataGraph:
        if (const CFunctionPlot* graph = SelectedGraph(); graph && graph->GetReport()) {
            ReportRows rows(sink);
            graph->GetReport()->SetNumberFormat(m_pResultFormat);
            graph->GetReport()->FillGrid(rows, 1, 1);
        }
        break;
    case ItemExpressionVariables:
        WriteExpressionVariables(sink, m_Engine);
        break;
    case ItemSolverModel:
        if (const CSolverModel* model = SelectedSolverModel()) {
            WriteSolverModel(sink, *model);
            shape.nCalculateButtons = model->GetVariableCount();
        }
        break;
    case ItemPredefinedConstants:
    case ItemPredefinedFunctions:
    case ItemPredefinedUnits:
        WritePredefinedTables(sink, kind);
        break;
    case Item3DGraph:
        if (const CSurfacePlot* surface = SelectedSurface())
            Write3DGraph(sink, *surface);
        break;
    default:
        WriteUserTables(sink, kind, m_Engine, m_UserDefinitions);
        break;
    }
    return shape;
}
