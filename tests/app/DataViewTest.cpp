// The data view's content and typing: the grid's size, titles and texts for every kind of
// item, the column widths kept per kind, which cells take input, and what a typed cell changes
// or how it is refused in the cell.
#include "engine/EngineErrors.h"
#include "engine/FunctionCatalogue.h"
#include "engine/PhysicalConstants.h"
#include "engine/UnitRegistry.h"
#include "tests/app/DataViewFixture.h"

#include <cmath>
#include <functional>

namespace {

using Arrange = std::function<void()>;

CFunctionPlot* NewGraph(const char* first, const char* second, int form)
{
    auto* graph = new CFunctionPlot;
    graph->SetDefinition(first, second, form, -2, 5);
    return graph;
}

TEST_F(DataViewTest, TheGridKeepsFiftySpareRowsAndRoomForEveryColumn)
{
    auto report = [](int items) {
        auto result = std::make_unique<CAnalysisResult>();
        for (int i = 0; i < items; ++i)
            result->AddNumber("v", i);
        return result;
    };
    struct Case {
        const char* what;
        Arrange setup;
        int rows, columns;
    };
    const Case cases[] = {
        {"list of 30",
         [&] {
             AddList("L30", {});
             model.m_Lists[0]->SetCount(30);
         },
         100, 7},
        {"list of 60",
         [&] {
             AddList("L60", {});
             model.m_Lists[0]->SetCount(60);
         },
         110, 3},
        {"3 x 3 matrix", [&] { AddMatrix("M3", 3, 3); }, 100, 7},
        {"5 x 10 matrix", [&] { AddMatrix("M5", 5, 10); }, 7, 12},
        {"table of 8 columns", [&] { AddTable("Wide", TableLayoutColumns, 8, 10); }, 100, 10},
        {"data graph without report",
         [&] {
             auto* graph = new CFunctionPlot;
             graph->SetName("Bare");
             model.AddResultItem(ItemDataGraph, graph);
         },
         100, 7},
        {"data graph with 60 report items",
         [&] {
             auto* graph = new CFunctionPlot;
             graph->SetName("Fit");
             graph->SetReport(report(60));
             model.AddResultItem(ItemDataGraph, graph);
         },
         111, 4},
        {"solver model with 60 variables",
         [&] {
             CString equation = "a1";
             for (int i = 2; i <= 60; ++i)
                 equation += "+a" + GridIntegerText(i);
             AddSolverModel(equation + "=0");
         },
         113, 7},
    };
    for (const Case& c : cases) {
        grid.rows = kGridDefaultRows;
        c.setup();
        Fill();
        EXPECT_EQ(grid.rows, c.rows) << c.what;
        EXPECT_EQ(grid.columns, c.columns) << c.what;
        Reset();
    }

    // Within 50 rows above the need the grid keeps its size, so typing does not resize it.
    AddList("L", {});
    model.m_Lists[0]->SetCount(60);
    grid.rows = 130;
    Fill();
    EXPECT_EQ(grid.rows, 130);
    grid.rows = 161;
    Fill();
    EXPECT_EQ(grid.rows, 110);
}

TEST_F(DataViewTest, EachKindShowsItsTitlesAndValues)
{
    struct Case {
        const char* what;
        Arrange setup;
        std::vector<std::tuple<int, int, std::string>> cells;
    };
    const Case cases[] = {
        {"table",
         [&] {
             CDataTable* table = AddTable("T", TableLayoutXY, 0, 2);
             table->SetCell(0, 1, 0.1);
             table->SetCell(1, 0, 1e-20);
         },
         {{0, 1, "X"}, {0, 2, "Y"}, {2, 1, "0.1"}, {1, 2, "1e-020"}, {3, 1, ""}}},
        {"3 x 3 matrix",
         [&] { AddMatrix("M", 3, 3)->SetAt(3, 3, -2.5); },
         {{0, 1, "1"}, {0, 3, "3"}, {0, 4, ""}, {3, 3, "-2.5"}}},
        {"parametric graph",
         [&] { model.AddResultItem(Item2DGraph, NewGraph("cos(t)", "sin(t)", GraphParametric)); },
         {{1, 1, "Equation: "},
          {2, 1, "x = "},
          {3, 1, "y = "},
          {2, 2, "cos(t)"},
          {3, 2, "sin(t)"},
          {2, 4, "-2"},
          {3, 4, "5"}}},
        {"polar graph",
         [&] { model.AddResultItem(Item2DGraph, NewGraph("2", "", GraphPolar)); },
         {{2, 1, "r = "}, {3, 1, ""}}},
        {"3-D graph",
         [&] {
             auto* surface = new CSurfacePlot;
             surface->SetView(3.14159265358979323846 / 3, 0.5, 1000);
             model.AddResultItem(Item3DGraph, surface);
         },
         {{2, 1, "f(x,y) = "}, {7, 1, "y-max = "}, {7, 2, "3"}, {4, 4, "60"}, {6, 4, "1000"}}},
        {"solver model",
         [&] { AddSolverModel("a*b=6"); },
         {{1, 2, "a*b=6"},
          {3, 1, "a"},
          {4, 1, "b"},
          {5, 1, ""},
          {3, 5, "-1e+300"},
          {5, 5, "200"},
          {6, 5, "5"}}},
        {"variables",
         [&] {
             model.m_Engine.DefineVariable("speed", 0.25, false);
             SelectFolder(ItemVariables);
         },
         {{0, 2, "Value"}, {1, 1, "speed"}, {1, 2, "0.25"}}},
        {"user conversions",
         [&] {
             AddUserUnit("zork", "m", 1.7018);
             SelectFolder(ItemUserUnits);
         },
         {{0, 3, "Conversion Factor"}, {1, 1, "zork"}, {1, 2, "m"}, {1, 3, "1.7018"}}},
        {"pre-defined constants: a blank row, then the source",
         [&] { SelectFolder(ItemPredefinedConstants); },
         {{30, 1, ""}, {31, 1, "Source: National Institute of Standards and Technology"}}},
    };
    for (const Case& c : cases) {
        c.setup();
        Fill();
        for (const auto& [row, column, text] : c.cells)
            EXPECT_EQ(grid.Text(row, column), text)
                << c.what << " (" << row << ", " << column << ")";
        Reset();
    }
}

TEST_F(DataViewTest, CatalogueRowsAndFailingExpressionVariables)
{
    SelectFolder(ItemPredefinedFunctions);
    Fill();
    for (int i = 0; i < GetFunctionTableSize(); ++i) {
        const FunctionTableEntry& entry = GetFunctionEntry(GetSortedFunctionRow(i));
        const std::string syntax =
            entry.argumentTemplate[0] ? std::string(entry.name) + "(" + entry.argumentTemplate + ")"
                                      : std::string(entry.name);
        ASSERT_EQ(grid.Text(i + 1, 2), syntax) << entry.name;
    }

    ASSERT_EQ(model.m_Engine.DefineExpressionVariable("half", "1/2", false), 0);
    ASSERT_EQ(model.m_Engine.DefineExpressionVariable("broken", "ln(0)", false), 0);
    SelectFolder(ItemExpressionVariables);
    Fill();
    EXPECT_EQ(grid.Text(1, 3), "0.5");
    const std::string expected =
        std::string("Error: ") +
        GetErrorText(model.m_Engine.EvaluateExpressionVariable(1)).GetString();
    EXPECT_EQ(grid.Text(2, 3), expected);
    EXPECT_NE(grid.Text(2, 3), "Error: No error occurred");
}

TEST_F(DataViewTest, OnlySolverModelsGetCalculateButtonsAndDataItemsRowNumbers)
{
    AddSolverModel("x^2=y");
    GridFillShape shape = Fill();
    EXPECT_EQ(shape.nCalculateButtons, 2);
    EXPECT_FALSE(shape.bRowNumbers);
    AddList("L", {1});
    shape = Fill();
    EXPECT_EQ(shape.nCalculateButtons, 0);
    EXPECT_TRUE(shape.bRowNumbers);
}

TEST_F(DataViewTest, ColumnWidthsAreKeptPerKind)
{
    AddTable("T", TableLayoutXY, 0, 1);
    model.StoreColumnWidth(2, 140);
    model.StoreColumnWidth(1, 9);  // too narrow to keep
    model.StoreColumnWidth(5, 90); // beyond the kind's three columns
    Fill();
    EXPECT_EQ(grid.widths[1], 100);
    EXPECT_EQ(grid.widths[2], 140);
    EXPECT_EQ(model.m_ViewLayouts[ItemDataTable][ViewLayout::FirstColumnWidth + 4], 300u);

    AddMatrix("M", 2, 4);
    model.StoreColumnWidth(3, 64); // one width for every matrix column
    Fill();
    for (int column = 1; column <= 4; ++column)
        EXPECT_EQ(grid.widths[column], 64) << column;
}

TEST_F(DataViewTest, CellsTakeInputWhereTheItemHasAFieldOrTheNextEntry)
{
    struct Case {
        const char* what;
        Arrange setup;
        std::vector<std::tuple<int, int, bool>> cells;
    };
    const Case cases[] = {
        {"list of 2",
         [&] {
             AddList("L", {1, 2});
         },
         {{3, 1, true}, {4, 1, false}, {1, 2, false}, {0, 1, false}}},
        {"table of 3 columns",
         [&] { AddTable("T", TableLayoutColumns, 3, 2); },
         {{2, 3, true}, {3, 1, false}, {1, 4, false}}},
        {"table without columns",
         [&] {
             AddTable("E", TableLayoutXY, 0, 0);
             model.m_DataTables[0]->RemoveColumn(1);
             model.m_DataTables[0]->RemoveColumn(0);
         },
         {{1, 1, false}}},
        {"2 x 3 matrix", [&] { AddMatrix("M", 2, 3); }, {{2, 3, true}, {3, 1, false}}},
        {"rectangular graph",
         [&] { model.AddResultItem(Item2DGraph, NewGraph("x", "", GraphRectangular)); },
         {{2, 2, true}, {3, 2, false}, {3, 4, true}, {1, 2, false}}},
        {"parametric graph",
         [&] { model.AddResultItem(Item2DGraph, NewGraph("t", "t^2", GraphParametric)); },
         {{3, 2, true}}},
        {"conversions, the last one without a base",
         [&] {
             AddUserUnit("furlong", "", 1);
             SelectFolder(ItemUserUnits);
         },
         {{1, 3, true}, {2, 1, false}}},
        {"no conversions", [&] { SelectFolder(ItemUserUnits); }, {{1, 1, true}, {1, 2, false}}},
        {"user constants",
         [&] {
             AddUserConstant("g", "m/s2", "gee", 9.8);
             SelectFolder(ItemUserConstants);
         },
         {{1, 4, true}, {2, 1, true}, {2, 2, false}}},
        {"solver model of 2 variables",
         [&] { AddSolverModel("a=b"); },
         {{4, 2, true}, {5, 2, false}, {6, 5, true}, {7, 5, false}, {3, 1, false}}},
        {"3-D graph",
         [&] { model.AddResultItem(Item3DGraph, new CSurfacePlot); },
         {{2, 2, true}, {7, 2, true}, {6, 4, true}, {7, 4, false}, {3, 2, false}}},
        {"pre-defined units", [&] { SelectFolder(ItemPredefinedUnits); }, {{1, 1, false}}},
    };
    for (const Case& c : cases) {
        c.setup();
        for (const auto& [row, column, editable] : c.cells)
            EXPECT_EQ(model.IsCellEditable(row, column) != FALSE, editable)
                << c.what << " (" << row << ", " << column << ")";
        Reset();
    }
}

TEST_F(DataViewTest, TypedCellsChangeTheItemOrAreAnsweredInTheCell)
{
    const std::string nameTaken = "#" + std::string(GetErrorText(ErrNameExists).GetString()) + "!";
    const std::string infinite =
        "#" + std::string(GetErrorText(ErrPositiveInfinity).GetString()) + "!";
    const std::string badRange = "#" + std::string(GetErrorText(ErrInvalidRange).GetString()) + "!";
    struct Case {
        const char* what;
        Arrange setup;
        int row, column;
        const char* typed;
        std::string shown;
        std::function<bool()> check;
    };
    const double pi = 3.14159265358979323846;
    auto list = [&] { return model.m_Lists.empty() ? nullptr : model.m_Lists[0].get(); };
    double xMax = 0;
    const Case cases[] = {
        {"2*pi into a list", [&] { AddList("L", {1}); }, 1, 1, "2*pi", "6.28318530717959",
         [&] { return list()->GetValue(1) == 2 * pi; }},
        {"the row after the last appends", [&] { AddList("L", {1}); }, 2, 1, " 7 ", "7",
         [&] { return list()->GetCount() == 2 && list()->GetValue(2) == 7; }},
        {"a stale row past the list", [&] { AddList("L", {1}); }, 5, 1, "7", "(refused)",
         [&] { return list()->GetCount() == 1; }},
        {"text that is no number", [&] { AddList("L", {1}); }, 1, 1, "INF", infinite,
         [&] { return list()->GetValue(1) == 1; }},
        {"a refusal typed back", [&] { AddList("L", {1}); }, 1, 1, "#Bad number!",
         "#" + std::string(GetErrorText(ErrInvalidCharacter).GetString()) + "!",
         [&] { return list()->GetValue(1) == 1; }},
        {"a table's next row", [&] { AddTable("T", TableLayoutXY, 0, 1); }, 2, 2, "4", "4",
         [&] { return model.m_DataTables[0]->GetRowCount() == 2; }},
        {"a refused x gets no value, and keeps its message, when y grows its row",
         [&] {
             AddTable("T", TableLayoutXY, 0, 1);
             EXPECT_EQ(Type(2, 1, "1+").substr(0, 1), "#");
         },
         2, 2, "3", "3",
         [&] {
             const CDataTable& table = *model.m_DataTables[0];
             Fill();
             return table.GetRowCount() == 2 && std::isnan(table.GetValue(0, 2)) &&
                    table.GetValue(1, 2) == 3 && grid.Text(2, 1).substr(0, 1) == "#" &&
                    Type(2, 1, "2") == "2" && table.GetValue(0, 2) == 2;
         }},
        {"renaming a variable to a taken name",
         [&] {
             model.m_Engine.DefineVariable("a", 1, false);
             model.m_Engine.DefineVariable("b", 2, false);
             SelectFolder(ItemVariables);
         },
         2, 1, "a", nameTaken, [&] { return model.m_Engine.GetVariableName(1) == CString("b"); }},
        {"a domain minimum above the maximum",
         [&] { model.AddResultItem(Item2DGraph, NewGraph("x", "", GraphRectangular)); }, 2, 4, "9",
         badRange, [&] { return model.m_FunctionPlot.GetItem(0)->m_dDomainMin == -2; }},
        {"a graph's x maximum is the plot's",
         [&] { model.AddResultItem(Item2DGraph, NewGraph("x", "", GraphRectangular)); }, 3, 4, "7",
         "7",
         [&] {
             return model.m_FunctionPlot.GetItem(0)->m_dDomainMax == 7 &&
                    model.m_FunctionPlot.m_dXMax == 7;
         }},
        {"a polar graph's t maximum is no x",
         [&] {
             model.AddResultItem(Item2DGraph, NewGraph("1+cos(t)", "", GraphPolar));
             xMax = model.m_FunctionPlot.m_dXMax;
         },
         3, 4, "6.5", "6.5",
         [&] {
             return model.m_FunctionPlot.GetItem(0)->m_dDomainMax == 6.5 &&
                    model.m_FunctionPlot.m_dXMax == xMax;
         }},
        {"a graph keeps its own label",
         [&] { model.AddResultItem(Item2DGraph, NewGraph("x^2", "", GraphRectangular)); }, 2, 2,
         "x^2", "x^2", [] { return true; }},
        {"another graph's label",
         [&] {
             model.AddResultItem(Item2DGraph, NewGraph("x^3", "", GraphRectangular));
             model.AddResultItem(Item2DGraph, NewGraph("x^2", "", GraphRectangular));
         },
         2, 2, "x^3", nameTaken,
         [&] { return model.m_FunctionPlot.GetItem(1)->m_strExpression == CString("x^2"); }},
        {"a new graph expression relabels the explorer",
         [&] { model.AddResultItem(Item2DGraph, NewGraph("x", "", GraphRectangular)); }, 2, 2,
         "sin(x)", "sin(x)", [&] { return windows.FindExplorerItem(Item2DGraph, "y = sin(x)"); }},
        {"solver steps 0", [&] { AddSolverModel("a=b"); }, 5, 5, "0", "1",
         [&] { return model.m_UserDefinitions.GetSolverModel(0)->m_nSolverSteps == 1; }},
        {"solver steps 1e20", [&] { AddSolverModel("a=b"); }, 5, 5, "1e20", "10000",
         [&] { return model.m_UserDefinitions.GetSolverModel(0)->m_nSolverSteps == 10000; }},
        {"solver decimals 20", [&] { AddSolverModel("a=b"); }, 6, 5, "20", "2",
         [&] {
             return model.m_UserDefinitions.GetSolverModel(0)->m_SolverFormat.m_nDecimals == 2;
         }},
        {"solver minimum above the maximum", [&] { AddSolverModel("a=b"); }, 3, 5, "2e300",
         badRange, [&] { return model.m_UserDefinitions.GetSolverModel(0)->m_dMinimum < 2e300; }},
        {"another solver model's equation",
         [&] {
             AddSolverModel("a=b");
             AddSolverModel("c=d");
             SelectFolder(ItemSolverEquations);
         },
         2, 1, "a=b", nameTaken,
         [&] {
             return model.m_UserDefinitions.GetSolverModel(1)->m_strEquation == CString("c=d");
         }},
        {"a solver model's note",
         [&] {
             AddSolverModel("a=b");
             SelectFolder(ItemSolverEquations);
         },
         1, 2, "Ohm's law", "Ohm's law",
         [&] {
             return model.m_UserDefinitions.GetSolverModel(0)->m_strNote == CString("Ohm's law");
         }},
        {"a new solver model", [&] { SelectFolder(ItemSolverEquations); }, 1, 1, "u=r*i", "u=r*i",
         [&] { return windows.FindExplorerItem(ItemSolverModel, "u=r*i") != 0; }},
        {"a new conversion starts with factor 1", [&] { SelectFolder(ItemUserUnits); }, 1, 1,
         "furlong", "furlong", [] { return GetUserUnitFactor(0) == 1; }},
        {"a conversion's column 2 is its base",
         [&] {
             AddUserUnit("zork", "", 1);
             SelectFolder(ItemUserUnits);
         },
         1, 2, "m", "m", [] { return GetUserUnitBase(0) == "m" && GetUserUnitName(0) == "zork"; }},
        {"a 3-D view angle of 90", [&] { model.AddResultItem(Item3DGraph, new CSurfacePlot); }, 4,
         4, "90", "90",
         [&] { return std::abs(model.m_Scene.GetSurface(0)->m_dViewTheta - pi / 2) < 1e-15; }},
        {"a view distance of 0", [&] { model.AddResultItem(Item3DGraph, new CSurfacePlot); }, 6, 4,
         "0", "#" + std::string(GetErrorText(ErrInvalidParameter).GetString()) + "!",
         [&] { return model.m_Scene.GetSurface(0)->m_dViewMu == 1000; }},
        {"an x range turned round", [&] { model.AddResultItem(Item3DGraph, new CSurfacePlot); }, 5,
         2, "-1e9", badRange, [&] { return model.m_Scene.GetSurface(0)->m_dXMax > -1e9; }},
        {"a surface expression is parsed with x and y",
         [&] { model.AddResultItem(Item3DGraph, new CSurfacePlot); }, 2, 2, "x*y", "x*y",
         [&] { return windows.FindExplorerItem(Item3DGraph, "z = x*y") != 0; }},
        {"a surface expression in t", [&] { model.AddResultItem(Item3DGraph, new CSurfacePlot); },
         2, 2, "t^2", "",
         [&] { return model.m_Scene.GetSurface(0)->GetExpression() != CString("t^2"); }},
    };
    for (const Case& c : cases) {
        c.setup();
        const std::string shown = Type(c.row, c.column, c.typed);
        if (!c.shown.empty())
            EXPECT_EQ(shown, c.shown) << c.what;
        else
            EXPECT_EQ(shown.substr(0, 1), "#") << c.what << ": " << shown;
        EXPECT_TRUE(c.check()) << c.what;
        Reset();
    }
}

TEST_F(DataViewTest, ProjectItemsMarkTheProjectModifiedUserDefinitionsDoNot)
{
    AddList("L", {1});
    model.SetModified(FALSE);
    Type(1, 1, "2");
    EXPECT_TRUE(model.IsModified());
    AddSolverModel("a=b");
    model.SetModified(FALSE);
    Type(3, 2, "4");
    EXPECT_FALSE(model.IsModified());
    EXPECT_EQ(model.m_UserDefinitions.GetSolverModel(0)->GetVariableValue(0), 4);
}

} // namespace
