// The data commands and the grid entry commands on the project: matrices, expressions, sorting
// and the error column; rows, columns and entries at the grid's focus; favourites; the text a
// double click types; pasted cells; and the solver's report.
#include "analysis/DataDialogRules.h"
#include "analysis/SolverReport.h"
#include "engine/BuiltinUnits.h"
#include "engine/EngineErrors.h"
#include "engine/EvaluationWork.h"
#include "engine/PhysicalConstants.h"
#include "engine/UserFunction.h"
#include "tests/app/DataViewFixture.h"
#include "tests/support/ScopedValue.h"
#include "tests/support/StoredBytes.h"

#include <cmath>

namespace {

std::vector<double> Values(const CDataColumn& column)
{
    return std::vector<double>(column.GetData() + 1, column.GetData() + 1 + column.GetCount());
}

TEST_F(DataViewTest, MatricesAreResizedKeepingValuesAndRefusedPastAMillionElements)
{
    CMatrixObject* matrix = AddMatrix("M", 2, 2);
    matrix->SetAt(1, 1, 1);
    matrix->SetAt(2, 2, 4);
    model.ResizeSelectedMatrix(3, 3);
    ASSERT_EQ(matrix->GetRowCount(), 3);
    EXPECT_EQ(matrix->GetAt(2, 2), 4);
    EXPECT_EQ(matrix->GetAt(3, 3), 0);

    model.ResizeSelectedMatrix(1001, 1000);
    EXPECT_EQ(matrix->GetRowCount(), 3);
    EXPECT_EQ(prompts.CountOf(kMatrixTooLargeText), 1);

    model.AddMatrix("Big", 1000, 1001);
    EXPECT_EQ(model.m_Matrices.size(), 1u);
    model.AddMatrix("Small", 2, 5);
    ASSERT_EQ(model.m_Matrices.size(), 2u);
    EXPECT_EQ(model.m_Matrices[1]->GetColumnCount(), 5);
    EXPECT_EQ(model.GetSelectedObject(), model.m_Matrices[1].get());

    model.TransposeSelectedMatrix();
    EXPECT_EQ(model.m_Matrices[1]->GetRowCount(), 5);
}

TEST_F(DataViewTest, FillAndTransformAskFirstAndChangeNothingWhenAValueFails)
{
    CDataColumn* list = AddList("L", {1, 0, 4});
    prompts.answers = {7};
    model.ApplyExpressionToSelection("x+1", "Continue?");
    EXPECT_EQ(Values(*list), (std::vector<double>{1, 0, 4}));

    model.ApplyExpressionToSelection("1/x", "Continue?");
    EXPECT_EQ(Values(*list), (std::vector<double>{1, 0, 4}));
    EXPECT_EQ(prompts.CountOf("[message]"), 1) << prompts.log;

    model.ApplyExpressionToSelection("x*", "Continue?"); // does not parse: no question
    EXPECT_EQ(prompts.CountOf("[question]"), 2);

    windows.log.clear();
    model.ApplyExpressionToSelection("2*x", "Continue?");
    EXPECT_EQ(Values(*list), (std::vector<double>{2, 0, 8}));
    EXPECT_EQ(windows.log, "[grid]");
}

TEST_F(DataViewTest, SortingAndTheErrorColumn)
{
    CDataColumn* list = AddList("L", {3, 1, 2});
    model.SortSelectedList(1);
    EXPECT_EQ(Values(*list), (std::vector<double>{3, 2, 1}));

    CDataTable* table = AddTable("T", TableLayoutRagged, 2, 0);
    table->GetColumn(0)->SetCount(3);
    table->GetColumn(0)->SetValue(1, 5);
    table->GetColumn(1)->SetCount(1);
    model.SortSelectedTable(0, 0, FALSE); // columns of different lengths
    EXPECT_EQ(prompts.CountOf(GetErrorText(ErrInvalidData).GetString()), 1) << prompts.log;
    model.SortSelectedTable(0, 0, TRUE); // that column alone
    EXPECT_EQ(table->GetColumn(0)->GetValue(3), 5);

    for (int layout : {TableLayoutX, TableLayoutColumns}) {
        CDataTable* other = AddTable(layout == 0 ? "X" : "C", layout, 2, 1);
        const int columns = other->GetColumnCount();
        model.ToggleErrorColumn();
        EXPECT_EQ(other->GetColumnCount(), columns) << layout;
    }
    CDataTable* paired = AddTable("P", TableLayoutXY, 0, 2);
    model.ToggleErrorColumn();
    ASSERT_EQ(paired->GetColumnCount(), 3);
    EXPECT_STREQ(paired->GetColumnName(2), "Y Error");
    paired->SetCell(2, 1, 0.5);
    prompts.answers = {7};
    model.ToggleErrorColumn();
    EXPECT_EQ(paired->GetColumnCount(), 3); // values in it: asked, and kept on No
    model.ToggleErrorColumn();
    EXPECT_EQ(paired->GetLayout(), TableLayoutXY);
    EXPECT_EQ(prompts.CountOf("[question]"), 2);

    // Deviations never typed are nothing to lose: no question.
    CDataTable* deviations = AddTable("E", TableLayoutXYSig, 0, 0);
    EXPECT_EQ(Type(1, 1, "1") + Type(1, 2, "2"), "12");
    model.ToggleErrorColumn();
    EXPECT_EQ(deviations->GetLayout(), TableLayoutXY);
    EXPECT_EQ(prompts.CountOf("[question]"), 2);
}

TEST_F(DataViewTest, RowAndColumnCommandsAtTheFocusCell)
{
    CMatrixObject* matrix = AddMatrix("M", 1, 2);
    model.DeleteGridRow(1); // a matrix keeps its last row
    EXPECT_EQ(matrix->GetRowCount(), 1);
    model.InsertGridRow(2);
    model.InsertGridColumn(1);
    EXPECT_EQ(matrix->GetRowCount(), 2);
    EXPECT_EQ(matrix->GetColumnCount(), 3);
    model.DeleteGridColumn(4);
    model.DeleteGridColumn(0);
    EXPECT_EQ(matrix->GetColumnCount(), 3);

    CDataColumn* list = AddList("L", {1, 2});
    model.InsertGridRow(1);
    EXPECT_EQ(Values(*list), (std::vector<double>{0, 1, 2}));
    model.InsertGridRow(4); // past the last value
    model.DeleteGridRow(3);
    EXPECT_EQ(Values(*list), (std::vector<double>{0, 1}));

    CDataTable* table = AddTable("T", TableLayoutXY, 0, 2);
    model.InsertGridRow(2);
    EXPECT_EQ(table->GetRowCount(), 3);
    EXPECT_EQ(table->GetColumn(1)->GetCount(), 3);
}

TEST_F(DataViewTest, EntriesAreDeletedWithoutAQuestion)
{
    AddSolverModel("a=b");
    AddSolverModel("c=d");
    SelectFolder(ItemSolverEquations);
    model.DeleteGridEntry(3); // past the last
    model.DeleteGridEntry(1);
    ASSERT_EQ(model.m_UserDefinitions.GetSolverModelCount(), 1);
    EXPECT_EQ(windows.FindExplorerItem(ItemSolverModel, "a=b"), 0u);
    EXPECT_NE(windows.FindExplorerItem(ItemSolverModel, "c=d"), 0u);
    EXPECT_EQ(prompts.log, "");

    for (const char* definition : {"f(u)=u", "g(u)=2*u", "h(u)=3*u"})
        ASSERT_EQ(model.m_Engine.DefineUserFunction(definition, false), 0);
    SelectFolder(ItemUserFunctions);
    model.DeleteGridRows(2, 9, 1); // rows past the last are skipped
    ASSERT_EQ(GetUserFunctionCount(), 1);
    EXPECT_STREQ(GetUserFunctionName(0), "f");
    model.DeleteGridRows(1, 1, 2); // not a selection from column 1
    EXPECT_EQ(GetUserFunctionCount(), 1);

    AddSolverModel("x*y=1");
    model.DeleteGridRows(1, 2, 1); // a solver model's rows are its variables
    EXPECT_EQ(model.m_UserDefinitions.GetSolverModelCount(), 2);
}

TEST_F(DataViewTest, FavouritesKeepTwentyOfEachKind)
{
    SelectFolder(ItemPredefinedFunctions);
    for (int row = 1; row <= 21; ++row)
        model.AddEntryToFavorites(row);
    model.AddEntryToFavorites(20); // moves to the front
    ASSERT_EQ(model.m_FavoriteFunctions.size(), 20u);
    EXPECT_STREQ(model.m_FavoriteFunctions[0], model.GetEntryWorkspaceText(20));
    EXPECT_STREQ(model.m_FavoriteFunctions[1], model.GetEntryWorkspaceText(21));
    model.AddFavoriteFunction(CString(model.GetEntryWorkspaceText(21)).MakeLower());
    EXPECT_EQ(model.m_FavoriteFunctions.size(), 20u);

    for (int i = 0; i < 21; ++i)
        AddUserConstant(("Constant " + GridIntegerText(i)).GetString(), "", "", i);
    SelectFolder(ItemUserConstants);
    for (int row = 1; row <= 21; ++row)
        model.AddEntryToFavorites(row);
    model.AddEntryToFavorites(21); // already there
    ASSERT_EQ(model.m_FavoriteConstants.size(), 20u);
    EXPECT_STREQ(model.m_FavoriteConstants.front().strDescription, "Constant 1");
    EXPECT_STREQ(model.m_FavoriteConstants.back().strDescription, "Constant 20");

    SelectFolder(ItemPredefinedUnits);
    model.AddEntryToFavorites(1);
    model.AddEntryToFavorites(1);
    model.AddEntryToFavorites(0);
    EXPECT_EQ(model.m_FavoriteUnits.size(), 1u);
}

TEST_F(DataViewTest, ADoubleClickTypesTheEntrysSymbolNameOrFactor)
{
    SelectFolder(ItemPredefinedUnits);
    int milli = -1;
    for (int i = 0; i < GetBuiltinUnitCount() && milli < 0; ++i)
        if (GetBuiltinUnit(GetSortedBuiltinUnitRow(i)).factor == 0.001)
            milli = i;
    ASSERT_GE(milli, 0);
    EXPECT_STREQ(model.GetEntryWorkspaceText(milli + 1), "*0.001");
    EXPECT_STREQ(model.GetEntryWorkspaceText(0), "");
    EXPECT_STREQ(model.GetEntryWorkspaceText(GetBuiltinUnitCount() + 1), "");

    AddUserConstant("Unnamed", "", "", 2.5);
    AddUserConstant("Gee", "", "gee", 9.8);
    SelectFolder(ItemUserConstants);
    EXPECT_STREQ(model.GetEntryWorkspaceText(1), "2.5");
    EXPECT_STREQ(model.GetEntryWorkspaceText(2), "gee");

    SelectFolder(ItemVariables);
    EXPECT_STREQ(model.GetEntryWorkspaceText(1), "");
}

TEST_F(DataViewTest, PastedCellsAreReadOnceAndOthersKeepTheirValues)
{
    CDataColumn* list = AddList("L", {0.1 + 0.2});
    model.TakePastedCells({{2, 1, "0.12345678901234567"}, {3, 1, "abc"}, {2, 2, "9"}});
    ASSERT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetValue(1), 0.1 + 0.2); // not re-read from its 15-digit text
    EXPECT_EQ(list->GetValue(2), 0.12345678901234567);
    EXPECT_EQ(list->GetValue(3), 0);
    EXPECT_EQ(prompts.CountOf("more than one columns"), 1) << prompts.log;
    EXPECT_EQ(prompts.CountOf("1 pasted field was not a number"), 1) << prompts.log;

    CDataTable* ragged = AddTable("R", TableLayoutRagged, 2, 0);
    model.TakePastedCells({{1, 1, "1"}, {2, 1, "2"}, {3, 1, "3"}, {1, 2, "4"}, {1, 3, "5"}});
    EXPECT_EQ(ragged->GetColumn(0)->GetCount(), 3);
    EXPECT_EQ(ragged->GetColumn(1)->GetCount(), 1); // not padded to the longest
    EXPECT_EQ(prompts.CountOf("more columns than the current data table"), 1);

    CDataTable* locked = AddTable("Locked", TableLayoutXY, 0, 1);
    locked->SetEditable(FALSE);
    model.TakePastedCells({{1, 1, "7"}, {2, 1, "8"}});
    EXPECT_EQ(locked->GetRowCount(), 1);
    EXPECT_EQ(locked->GetValue(0, 1), 0);

    CDataTable* paired = AddTable("P", TableLayoutXY, 0, 1);
    model.TakePastedCells({{3, 2, "6"}});
    EXPECT_EQ(paired->GetRowCount(), 3);
    EXPECT_EQ(paired->GetColumn(0)->GetCount(), 3);
}

TEST_F(DataViewTest, PastingPastAMatrixAsksToGrowIt)
{
    CMatrixObject* matrix = AddMatrix("M", 2, 2);
    matrix->SetAt(1, 1, 0.1 + 0.2);
    prompts.answers = {7};
    model.TakePastedCells({{1, 2, "5"}, {3, 1, "6"}});
    EXPECT_EQ(matrix->GetRowCount(), 2);
    EXPECT_EQ(matrix->GetAt(1, 2), 0); // No changes nothing

    model.TakePastedCells({{1, 2, "5"}, {3, 1, "6"}});
    ASSERT_EQ(matrix->GetRowCount(), 3);
    EXPECT_EQ(matrix->GetColumnCount(), 2);
    EXPECT_EQ(matrix->GetAt(1, 1), 0.1 + 0.2);
    EXPECT_EQ(matrix->GetAt(1, 2), 5);
    EXPECT_EQ(matrix->GetAt(3, 1), 6);

    model.TakePastedCells({{1001, 1000, "1"}});
    EXPECT_EQ(matrix->GetRowCount(), 3);
    EXPECT_EQ(prompts.CountOf(kMatrixTooLargeText), 1);
    EXPECT_EQ(prompts.CountOf("[question]"), 3);
}

TEST_F(DataViewTest, SolvingAModelReportsEverySolution)
{
    CSolverModel* solver = AddSolverModel("x^2=a");
    solver->SetVariable(1, "a", 4);
    solver->m_dMinimum = -10;
    solver->m_dMaximum = 10;
    CAnalysisResult report;
    report.SetNumberFormat(model.m_pResultFormat);
    windows.log.clear();
    ASSERT_EQ(model.SolveForVariable(0, report), 0);
    EXPECT_NEAR(solver->GetVariableValue(0), -2, 1e-6);
    EXPECT_EQ(windows.log, "[grid]");
    EXPECT_STREQ(report.GetWorkspaceText(), "' Solver solution\n"
                                            "Equation: x^2=a\n"
                                            "Solving for: x\n"
                                            "Given parameters: \n"
                                            "    a = 4\n"
                                            "Solutions found: 2\n"
                                            "    x = -2\n"
                                            "    x = 2");

    // A solve that finds nothing reports why, whole, where the solutions would be listed.
    solver->SetVariable(1, "a", -1);
    CAnalysisResult none;
    none.SetNumberFormat(model.m_pResultFormat);
    EXPECT_EQ(model.SolveForVariable(0, none), ErrNoSolutions);
    EXPECT_NEAR(solver->GetVariableValue(0), -2, 1e-6) << "a failed solve leaves the variable";
    const CString why = "No solutions found: no sign change in 200 steps from -10 to 10. Narrow "
                        "Min and Max, or raise Steps.";
    EXPECT_STREQ(model.SolverFailureText(ErrNoSolutions), why);
    EXPECT_STREQ(none.GetWorkspaceText(), "' Solver solution\n"
                                          "Equation: x^2=a\n"
                                          "Solving for: x\n"
                                          "Given parameters: \n"
                                          "    a = -1\n"
                                          "Solutions found: None\n" +
                                              why);
    CAnalysisResult noVariable;
    EXPECT_EQ(model.SolveForVariable(5, noVariable), ErrInvalidVariable);
    EXPECT_EQ(noVariable.GetItemCount(), 0) << "nothing to report on";
    EXPECT_STREQ(model.SolverFailureText(ErrInvalidVariable), GetErrorText(ErrInvalidVariable));

    // A new model's solve that finds nothing leaves its variable as it was, not at the scan's
    // last point.
    CSolverModel* imaginary = AddSolverModel("x^2=-1");
    CAnalysisResult imaginaryReport;
    EXPECT_EQ(model.SolveForVariable(0, imaginaryReport), ErrNoSolutions);
    EXPECT_EQ(imaginary->GetVariableValue(0), 0);

    // A new model keeps the settings' interval, -1e300 .. 1e300, and still finds both roots.
    CSolverModel* fresh = AddSolverModel("x^2=2");
    EXPECT_EQ(fresh->m_dMinimum, -1e300);
    EXPECT_EQ(fresh->m_dMaximum, 1e300);
    CAnalysisResult both;
    both.SetNumberFormat(model.m_pResultFormat);
    ASSERT_EQ(model.SolveForVariable(0, both), 0);
    EXPECT_NEAR(fresh->GetVariableValue(0), -1.41421356, 1e-5);
    EXPECT_NE(CString(both.GetWorkspaceText()).Find("Solutions found: 2"), -1);
}

// A solve whose share of evaluations for looking inside steps ran out says which steps it did
// not look inside, nearest 0 first, and what to do: a new model's octaves far out, where the
// values of sin(x)^2 turn toward 0 between nearly every pair of its points.
TEST_F(DataViewTest, StepsTheSolveDidNotLookInsideAreNamed)
{
    AddSolverModel("sin(x)^2+1e-20 = 0");
    CAnalysisResult report;
    EXPECT_EQ(model.SolveForVariable(0, report), ErrNoSolutions);
    const CString text = report.GetWorkspaceText();
    const int at = text.Find("The search did not look inside ");
    ASSERT_NE(at, -1) << text.GetString();
    EXPECT_NE(text.Find("which may hold solutions that the values at the ends of each do not "
                        "show: narrow Min and Max to search them.",
                        at),
              -1)
        << text.GetString();
}

// A solve refused at a pole or a jump says where the equation changed sign and why that is no
// solution, instead of asking for more steps, which cannot mend it.
TEST_F(DataViewTest, ASignChangeRefusedAsNoSolutionIsNamed)
{
    const struct {
        const char* equation;
        int decimals;
        const char* why;
    } rows[] = {
        {"1/x = 0", 5,
         "only across a pole or a jump, at x = 0.00000, where it does not pass "
         "through 0. More steps cannot make that a solution."},
        {"floor(x) = 0.5", 5,
         "only across a pole or a jump, at x = 1.00000, where it does not "
         "pass through 0. More steps cannot make that a solution."},
        {"1000*x+floor(x) = 1000.5", 2,
         "only across a pole or a jump, at x = 1.00, where it does "
         "not pass through 0. More steps cannot make that a "
         "solution."},
        {"1e2*(x-1)+floor(10*x)-10 = -0.5", 2,
         "only across a pole or a jump, at x = 1.00, where it does "
         "not pass through 0. More steps cannot make that a "
         "solution."},
        {"1/sin(x) = 0", 5,
         "only across poles or jumps, at x = -9.42478, -6.28319, -3.14159 and "
         "4 more places, where it does not pass through 0. More steps cannot "
         "make those solutions."},
    };
    for (const auto& r : rows) {
        CSolverModel* solver = AddSolverModel(r.equation);
        solver->m_dMinimum = -10;
        solver->m_dMaximum = 10;
        solver->m_SolverFormat.SetDecimals(r.decimals);
        CAnalysisResult report;
        EXPECT_EQ(model.SolveForVariable(0, report), ErrNoSolutions) << r.equation;
        EXPECT_STREQ(model.SolverFailureText(ErrNoSolutions),
                     CString("No solutions found: in 200 steps from -10 to 10 the equation "
                             "changes sign ") +
                         r.why)
            << r.equation;
    }
}

// Solutions the report's format shows alike are listed once, as the user reads them: a new model
// of ln(sin(x)) = -0.1 finds roots a few doubles apart near 3.2e299, where sin(x) changes sign
// between most neighbouring doubles. A format that tells them apart lists each.
TEST_F(DataViewTest, SolutionsShownAlikeAreListedOnce)
{
    CSolverModel solver;
    ASSERT_EQ(solver.SetEquation("ln(sin(x)) = -0.1"), 0);
    const std::vector<double> solutions = {-3.1999999999999991e+299, -3.199999999999998e+299,
                                           1.1309977008589018};
    CNumberFormat general;
    general.m_nMode = FormatModeGeneral;
    CNumberFormat scientific;
    scientific.m_nMode = FormatModeScientific;
    scientific.SetDecimals(15);
    const struct {
        CNumberFormat* format;
        const char* listed;
    } cases[] = {
        {&general, "Solutions found: 2\n    x = -3.2e+299\n    x = 1.1309977008589"},
        {&scientific, "Solutions found: 3\n    x = -3.199999999999999E+299\n"
                      "    x = -3.199999999999998E+299\n    x = 1.130997700858902E+0"},
    };
    for (const auto& c : cases) {
        CAnalysisResult report;
        report.SetNumberFormat(c.format);
        BuildSolverReport(solver, 0, solutions, false, report);
        const CString text = report.GetWorkspaceText();
        EXPECT_NE(text.Find(c.listed), -1) << text.GetString();
    }
}

// Past its time a solve lists the solutions it found by then and says where they come from: the
// part of Min..Max nearest 0, which the scan searches first. Judged by the closed form of sin(x)
// = 0.5 (pi/6 and 5*pi/6, plus 2k*pi): every solution listed is one, and it lists each one in
// the part it names but those of the one step it was in when its time ran out. One that found
// none by then says what to change. Neither moves the variable when it finds nothing.
TEST_F(DataViewTest, ASolveCutShortByItsTimeSaysWhereItsSolutionsComeFrom)
{
    const ScopedValue noTime(EvaluationSecondsLimit, 0.0);
    CSolverModel* sine = AddSolverModel("sin(x)=0.5");
    const auto closedForm = [](double lo, double hi) {
        std::vector<double> xs;
        for (double k = std::floor(lo / (2 * M_PI)) - 1; k <= hi / (2 * M_PI) + 1; ++k)
            for (double x : {M_PI / 6 + 2 * k * M_PI, 5 * M_PI / 6 + 2 * k * M_PI})
                if (x >= lo && x <= hi)
                    xs.push_back(x);
        return xs;
    };
    const struct {
        double min, max;
    } intervals[] = {{-1e4, 1e4}, {3000, 9000}, {-9000, -3000}, {-500, 9500}};
    for (const auto& c : intervals) {
        sine->m_dMinimum = c.min;
        sine->m_dMaximum = c.max;
        sine->m_nSolverSteps = 10000;
        const double step = (c.max - c.min) / 10000;
        CAnalysisResult report;
        report.SetNumberFormat(model.m_pResultFormat);
        ASSERT_EQ(model.SolveForVariable(0, report), 0) << c.min;
        const AnalysisResultItem& cut = report.GetItem(report.GetItemCount() - 1);
        ASSERT_STREQ(cut.strLabel, "Search cut short: ") << c.min;
        CString head;
        head.Format("Maximum iterations exceeded: the search from %g to %g ran out of time after "
                    "it had searched from ",
                    c.min, c.max);
        ASSERT_STREQ(cut.strText.Left(head.GetLength()), head);
        double lo = 0, hi = 0;
        char rest[200] = {};
        ASSERT_EQ(std::sscanf(cut.strText.GetString() + head.GetLength(), "%lf to %lf%199[^\n]",
                              &lo, &hi, rest),
                  3)
            << cut.strText;
        EXPECT_STREQ(rest, ", the part nearest 0, which it searches first. The solutions listed "
                           "lie there; others may lie beyond it. Narrow Min and Max, or lower "
                           "Steps.");
        // Nearest 0 first: from an end that is nearest 0, else about as far on either side.
        const double nearest = c.min > 0 ? c.min : c.max < 0 ? c.max : 0.0;
        EXPECT_TRUE(lo <= nearest && nearest <= hi) << lo << " .. " << hi;
        EXPECT_TRUE(c.min <= lo && hi <= c.max) << lo << " .. " << hi;
        if (c.min < 0 && c.max > 0) {
            EXPECT_NEAR(std::min(-lo, c.max) - std::min(hi, -c.min), 0, 2 * step)
                << lo << " .. " << hi;
        }
        std::vector<double> listed;
        for (int i = 0; i < report.GetItemCount(); ++i)
            if (report.GetItem(i).strLabel == "x = ")
                listed.push_back(report.GetItem(i).dValue);
        const std::vector<double> truth = closedForm(lo, hi);
        for (double x : listed) {
            EXPECT_TRUE(x >= lo && x <= hi) << x << " outside " << lo << " .. " << hi;
            double distance = INFINITY;
            for (double t : truth)
                distance = std::min(distance, std::fabs(x - t));
            EXPECT_LE(distance, sine->m_SolverFormat.m_dRoundingUnit) << x;
        }
        EXPECT_LE(listed.size(), truth.size()) << c.min;
        EXPECT_GE(listed.size() + 2, truth.size()) << c.min << ": " << lo << " .. " << hi;
        EXPECT_LT(hi - lo, c.max - c.min) << "the time ran out before the search ended";
    }

    CSolverModel* none = AddSolverModel("x^2=-1");
    none->m_dMinimum = -1e4;
    none->m_dMaximum = 1e4;
    none->m_nSolverSteps = 10000;
    CAnalysisResult nothing;
    EXPECT_EQ(model.SolveForVariable(0, nothing), ErrMaxIterations);
    EXPECT_EQ(none->GetVariableValue(0), 0);
    const CString why = "Maximum iterations exceeded: the search from -10000 to 10000 ran out of "
                        "time before it found a solution. Narrow Min and Max, or lower Steps.";
    EXPECT_STREQ(model.SolverFailureText(ErrMaxIterations), why);
    const CString end = "Solutions found: None\n" + why;
    EXPECT_STREQ(nothing.GetWorkspaceText().Right(end.GetLength()), end);
}

// The table of seven rows typed cell by cell into the grid, under a decimal comma and a decimal
// point, x before y and y before x, the x of row 3 and the y of row 4 refused; then each road a
// table takes. The rows as the grid then shows them ("x|y/..." with a decimal point, "#" for a
// refusal's message): a cell refused or never typed holds no value, and its row is no point,
// never a 0 the user did not give; a refused cell shows why while the values stay where they
// were, and never on a cell whose value moved.
TEST_F(DataViewTest, ARefusedOrUntypedCellStaysEmptyOnEveryRoad)
{
    // The x and y of each row.
    const char* comma[14] = {"1",   "3,1", "2",    "4,9", "1.5",  "7,2", "4",
                             "8.8", "5",   "11,1", "6",   "13,2", "7",   "14,8"};
    const char* point[14] = {"1",   "3.1", "2",    "4.9", "1,5",  "7.2", "4",
                             "abc", "5",   "11.1", "6",   "13.2", "7",   "14.8"};
    const std::string typed = "1|3.1/2|4.9/|7.2/4|/5|11.1/6|13.2/7|14.8";
    const std::string refused = "1|3.1/2|4.9/#|7.2/4|#/5|11.1/6|13.2/7|14.8";
    // The texts of rows first..last, one "x|y" each.
    const auto rows = [&](int first, int last) {
        std::vector<std::string> texts;
        for (int r = first; r <= last; ++r)
            texts.push_back(grid.Text(r, 1) + "|" + grid.Text(r, 2));
        return texts;
    };
    // A cell as the expectations write it: a refusal's message as "#".
    const auto brief = [](std::string text) { return text.front() == '#' ? "#" : text; };
    // What the user last typed into each cell, and the typing.
    std::map<std::pair<int, int>, std::string> typedAt;
    const auto typeInto = [&](int row, int column, const char* text) {
        typedAt[{row, column}] = text;
        return Type(row, column, text);
    };
    // The grid's paste of rows first..last at row `at` hands over the fields that change a cell.
    const auto paste = [&](int first, int last, int at) {
        Fill();
        const std::vector<std::string> copied = rows(first, last), shown = rows(at, at + 7);
        PastedCells cells;
        for (std::size_t i = 0; i < copied.size(); ++i)
            for (int c = 1; c <= 2; ++c) {
                const std::size_t bar = copied[i].find('|'), was = shown[i].find('|');
                const std::string text =
                    c == 1 ? copied[i].substr(0, bar) : copied[i].substr(bar + 1);
                if (text != (c == 1 ? shown[i].substr(0, was) : shown[i].substr(was + 1)))
                    cells.push_back({at + int(i), c, CString(text.c_str())});
            }
        model.TakePastedCells(cells);
    };
    const struct {
        const char* what;
        std::function<void()> take;
        std::string shown;
    } roads[] = {
        {"grid filled again", [] {}, refused},
        {"another item shown, then the table again",
         [&] {
             SelectFolder(ItemVariables);
             Fill();
             model.SelectItemByName(ItemDataTable, "T1");
         },
         refused},
        {"saved and opened again",
         [&] {
             const stored::Bytes bytes =
                 stored::Store([&](CArchive& ar) { model.GetSelectedTable()->Serialize(ar); });
             auto* reopened = new CDataTable;
             ASSERT_TRUE(stored::Load(bytes, [&](CArchive& ar) { reopened->Serialize(ar); }));
             reopened->SetName("Reopened");
             model.AddResultItem(ItemDataTable, reopened);
         },
         typed},
        {"sorted by x", [&] { model.SortSelectedTable(0, 0, FALSE); },
         "1|3.1/2|4.9/4|/5|11.1/6|13.2/7|14.8/|7.2"},
        {"sorted by y, descending", [&] { model.SortSelectedTable(1, 1, FALSE); },
         "7|14.8/6|13.2/5|11.1/|7.2/2|4.9/1|3.1/4|"},
        {"y sorted alone", [&] { model.SortSelectedTable(0, 1, TRUE); },
         "1|3.1/2|4.9/|7.2/4|11.1/5|13.2/6|14.8/7|"},
        {"filled with 5", [&] { model.ApplyExpressionToSelection("5", "?"); },
         "5|5/5|5/|5/5|/5|5/5|5/5|5"},
        {"transformed", [&] { model.ApplyExpressionToSelection("abs(x)*10", "?"); },
         "10|31/20|49/|72/40|/50|111/60|132/70|148"},
        {"copied and pasted into a new table",
         [&] {
             Fill();
             const RecordingGrid source = grid;
             AddTable("Pasted", TableLayoutXY, 0, 0);
             PastedCells cells;
             for (const auto& [at, text] : source.texts)
                 if (at.first >= 1 && at.second >= 1 && !text.empty())
                     cells.push_back({at.first, at.second, CString(text.c_str())});
             model.TakePastedCells(cells);
         },
         typed},
        {"rows 3 and 4 pasted over rows 1 and 2", [&] { paste(3, 4, 1); },
         "|7.2/4|/#|7.2/4|#/5|11.1/6|13.2/7|14.8"},
        {"rows 3 and 4 pasted past the end", [&] { paste(3, 4, 8); }, refused + "/|7.2/4|"},
        {"a row inserted at row 3", [&] { model.InsertGridRow(3); },
         "1|3.1/2|4.9/|/|7.2/4|/5|11.1/6|13.2/7|14.8"},
        {"an inserted row typed, its y refused",
         [&] {
             model.InsertGridRow(1);
             EXPECT_EQ(typeInto(1, 1, "9") + typeInto(1, 2, "9..5").substr(0, 1), "9#");
         },
         "9|#/" + typed},
        {"row 1 deleted", [&] { model.DeleteGridRow(1); }, typed.substr(6)},
    };
    for (const bool bComma : {true, false})
        for (const bool bXFirst : {true, false})
            for (const auto& road : roads) {
                const std::string what = std::string(road.what) + (bComma ? ", comma" : ", point") +
                                         (bXFirst ? ", x first" : ", y first");
                if (bComma)
                    UseCommaSeparators();
                AddTable("T1", TableLayoutXY, 0, 0);
                for (int r = 0; r < 7; ++r)
                    for (const int c : bXFirst ? std::vector<int>{0, 1} : std::vector<int>{1, 0}) {
                        const std::string shown =
                            typeInto(r + 1, c + 1, (bComma ? comma : point)[2 * r + c]);
                        EXPECT_EQ(shown[0] == '#', (r == 2 && c == 0) || (r == 3 && c == 1))
                            << what << " " << shown;
                    }
                road.take();
                UseDotSeparators();
                // A cell showing why it was refused opens its editor on what was typed there.
                for (const RefusedCell& cell : Fill().refusedCells)
                    EXPECT_EQ(cell.typed.GetString(), (typedAt[{cell.row, cell.column}]))
                        << what << " (" << cell.row << ", " << cell.column << ")";
                const CDataTable& table = *model.GetSelectedTable();
                std::string shown, next;
                std::vector<int> points;
                for (int r = 1; r <= table.GetRowCount(); ++r) {
                    const std::string x = brief(grid.Text(r, 1)), y = brief(grid.Text(r, 2));
                    shown += (r > 1 ? "/" : "") + x + "|" + y;
                    if (x != "" && x != "#" && y != "" && y != "#")
                        points.push_back(r);
                }
                EXPECT_EQ(shown, road.shown) << what;
                EXPECT_EQ(TablePointRows(table), points) << what;
                EXPECT_EQ(prompts.CountOf("[message]"), 0) << what << ": " << prompts.log;
                typedAt.clear();
                Reset();
            }
}

// Cells emptied by Delete, Cut or an edit left empty, and an entry refused over a value, in an
// x, y table (1 2 3 / 4 5 6), a list (1 2 3 4) and a 2 x 2 matrix (1 2 / 3 4): a table's cell
// holds no value and its row is no point; a list loses its values, the later ones moving up; a
// matrix element becomes 0; a list or matrix keeps its value under a refusal, a table's cell
// shows it ("#"). Cells the item does not let the user type into change nothing. Shown: rows 1
// to 4 of the filled grid.
TEST_F(DataViewTest, EmptiedAndRefusedCellsKeepWhatTheirItemCanHold)
{
    const struct Case {
        const char* what;
        int kind;
        CellAddresses emptied;
        const char* typed; // into (2, 2) when not null, under the decimal point or comma
        bool bComma;
        const char* shown;
        bool bModified;
    } cases[] = {
        {"table", ItemDataTable, {{2, 1}, {1, 2}}, nullptr, false, "1|/|5/3|6/|", true},
        {"table past its cells",
         ItemDataTable,
         {{4, 1}, {1, 3}},
         nullptr,
         false,
         "1|4/2|5/3|6/|",
         false},
        {"read-only table", ItemDataTable, {{1, 1}}, nullptr, false, "1|4/2|5/3|6/|", false},
        {"table, refused", ItemDataTable, {}, "1,5", false, "1|4/2|#/3|6/|", true},
        {"table, refused under a comma", ItemDataTable, {}, "1.5", true, "1|4/2|#/3|6/|", true},
        {"table, a message typed", ItemDataTable, {}, "#Bad number!", false, "1|4/2|#/3|6/|", true},
        {"list", ItemList, {{3, 1}, {1, 1}, {3, 1}, {5, 1}}, nullptr, false, "2|/4|/|/|", true},
        {"list, refused", ItemList, {}, "1,5", false, "1|/2|/3|/4|", false},
        {"matrix", ItemMatrix, {{1, 2}, {2, 1}, {3, 1}}, nullptr, false, "1|0/0|4/|/|", true},
        {"matrix, refused", ItemMatrix, {}, "1,5", false, "1|2/3|4/|/|", false},
    };
    for (const Case& c : cases) {
        if (c.kind == ItemDataTable) {
            CDataTable* table = AddTable("T", TableLayoutXY, 0, 3);
            for (int r = 1; r <= 3; ++r) {
                table->GetColumn(0)->SetValue(r, r);
                table->GetColumn(1)->SetValue(r, r + 3);
            }
            table->SetEditable(std::string(c.what) != "read-only table");
        } else if (c.kind == ItemList) {
            AddList("L", {1, 2, 3, 4});
        } else {
            CMatrixObject* matrix = AddMatrix("M", 2, 2);
            for (int e = 0; e < 4; ++e)
                matrix->SetAt(e / 2 + 1, e % 2 + 1, e + 1);
        }
        model.SetModified(FALSE);
        if (c.bComma)
            UseCommaSeparators();
        if (c.typed) {
            EXPECT_EQ(Type(2, c.kind == ItemList ? 1 : 2, c.typed).substr(0, 1), "#") << c.what;
        }
        model.EmptyGridCells(c.emptied);
        UseDotSeparators();
        EXPECT_EQ(bool(model.IsModified()), c.bModified) << c.what;
        Fill();
        std::string shown;
        const auto brief = [](std::string text) { return text.front() == '#' ? "#" : text; };
        for (int r = 1; r <= 4; ++r)
            shown += (r > 1 ? "/" : "") + brief(grid.Text(r, 1)) + "|" + brief(grid.Text(r, 2));
        EXPECT_EQ(shown, c.shown) << c.what;
        if (c.kind == ItemDataTable && c.bModified) {
            EXPECT_EQ(TablePointRows(*model.GetSelectedTable()),
                      (c.typed ? std::vector<int>{1, 3} : std::vector<int>{3}))
                << c.what;
        }
        Reset();
    }
}

TEST(DataDialogRules, ChecksOfTheMatrixDialogAndTheAnalysisPage)
{
    struct Case {
        const char* name;
        int rows, columns;
        BOOL bNeedName;
        const char* message;
        UINT control;
    };
    const Case cases[] = {
        {"", 2, 2, TRUE, "Please enter a name for the matrix.", 1},
        {"  ", 2, 2, FALSE, "", 0},
        {"M", 0, 3, TRUE, "The number of rows and of columns must be greater than zero.", 2},
        {"M", 3, -1, TRUE, "The number of rows and of columns must be greater than zero.", 2},
        {"M", 1000, 1000, TRUE, "", 0},
        {"M", 2000000000, 2000000000, TRUE, kMatrixTooLargeText, 2},
    };
    for (const Case& c : cases) {
        const DialogVerdict verdict =
            CheckMatrixFields(c.name, c.rows, c.columns, c.bNeedName, 1, 2);
        EXPECT_STREQ(verdict.strMessage, c.message) << c.rows << " x " << c.columns;
        EXPECT_EQ(verdict.nControl, c.control) << c.rows << " x " << c.columns;
    }
    EXPECT_FALSE(CheckIterationLimit(0, 7).IsAccepted());
    EXPECT_TRUE(CheckIterationLimit(1, 7).IsAccepted());
    EXPECT_FALSE(CheckIterationLimit(10001, 7).IsAccepted());

    // The boxes change their own bits only: 512 and 1024 of 2000 stay.
    int boxes[kStatisticsBoxCount];
    StatisticsBoxesFromMask(2000, boxes);
    EXPECT_EQ(StatisticsMaskFromBoxes(boxes, 2000), 2000);
    boxes[4] = 0;
    boxes[0] = 1;
    EXPECT_EQ(StatisticsMaskFromBoxes(boxes, 2000), 2000 - 16 + 1);

    EXPECT_EQ(ResultsGridRowCount(200, 30), 33);
    EXPECT_EQ(ResultsGridRowCount(200, 2), 9);
}

} // namespace
