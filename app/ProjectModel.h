#pragma once
#include "analysis/DataTable.h"
#include "analysis/GridFill.h"
#include "analysis/MatrixObject.h"
#include "analysis/ModelLibrary.h"
#include "app/DocumentSettings.h"
#include "app/ItemTypes.h"
#include "app/ProjectHeader.h"
#include "app/ProjectWindows.h"
#include "app/UserDefinitions.h"
#include "app/ViewLayout.h"
#include "engine/CalcEngine.h"
#include "engine/NumberFormat.h"
#include "engine/UnitRegistry.h"
#include "framework/core/ProfileStore.h"
#include "plot/AnalysisResult.h"
#include "plot/FunctionPlot.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"
#include "plot/PlotDialogChecks.h"
#include "plot/SurfacePlot.h"

#include <memory>
#include <utility>
#include <vector>

class CArchive;
class CNonlinearFit;
class CProfileStore;
class CSolverModel;

// A 2-D graph's definition as the graph dialog gives it back.
struct GraphDefinition {
    int nForm = 0;
    CString strFirst, strSecond; // the expression, or x(t) and y(t)
    double dMin = 0, dMax = 0;
};

// What the function chooser's dialogs start from.
struct ChooserPreset {
    CString strFirst, strSecond, strTableName;
    double dMin = 0, dMax = 0, dSteps = 0, dAccuracy = 0;
    double dPoint = 0; // the differentiate and tangent dialogs' x
};

// One surface's values as the 3-D graph dialog shows them: angles in degrees, -1 for an
// automatic colour.
struct SurfaceValues {
    CString strExpression;
    double dXMin, dXMax, dYMin, dYMax, dZMin, dZMax;
    BOOL bAutoSize;
    COLORREF crLine, crFill, crLight;
    int nFillStyle, nResolution;
    double dViewTheta, dViewPhi, dViewMu, dLightTheta, dLightPhi, dLightMu;
};
SurfaceValues GetSurfaceValues(const CSurfacePlot& surface);
// Each value that differs is stored, raising the work its drawing needs.
void ApplySurfaceValues(CSurfacePlot& surface, const SurfaceValues& values);

// The project without its windows: every item (tables, lists, matrices, graphs, surfaces, the
// engine's names, solver models), the plots and their defaults, the regression-model libraries,
// the settings, the selection and the pane layouts, and the project file's body. The document
// owns one and forwards; the explorer, frame and panes are reached through IProjectWindows,
// questions and notices through IProjectPrompts. Sources by concern: ProjectModel.cpp
// (life cycle), ProjectModelItems.cpp (finding, adding, replacing, removing, renaming),
// ProjectModelSelection.cpp (selection, refreshes, pane sizes), ProjectModelFile.cpp (project
// file), ProjectModelSettings.cpp (settings and user data), ProjectModelFits.cpp,
// ProjectModelStatistics.cpp and ProjectModelMatrices.cpp (the analysis commands).
class ProjectModel {
public:
    ProjectModel();
    ~ProjectModel();
    ProjectModel(const ProjectModel&) = delete;
    ProjectModel& operator=(const ProjectModel&) = delete;

    // --- what the project talks to (not owned; null: windows that do not exist yet) --------
    void SetWindows(IProjectWindows* pWindows);
    void SetPrompts(IProjectPrompts* pPrompts);

    // --- life cycle -------------------------------------------------------------------------
    // Separators, engine start-up, sorted catalogue tables, the built-in models, plot areas and
    // the table-preview graph.
    void Initialize();
    // Every settings section in reading order; pane layouts default for the screen height.
    void ReadSettings(CProfileStore& store, int screenHeight);
    // What the end of the run writes back: the last file (pathName), and of the layouts, recent
    // fits, favourites, tree width, reopen switch and solver's calculation values what the run
    // changed.
    void WriteSettingsAtExit(CProfileStore& store, const CString& pathName);
    void SetUserDataPath(const CString& path) { m_UserDefinitions.SetPath(path); }
    // What the user is to be told comes back, to show once the file is free again.
    UserDataNotices ReadUserData();
    UserDataNotices WriteUserData();
    // The end of the run: solver models, regression models and the program-wide user tables go.
    void ReleaseUserDefinitions();
    // Empties the project's items (user definitions stay) and clears the selection.
    void DeleteContents();
    // A new project's plots take the default plots' settings.
    void OnNewDocument();
    BOOL IsModified() const { return m_bModified; }
    void SetModified(BOOL bModified = TRUE) { m_bModified = bModified; }

    // --- items --------------------------------------------------------------------------------
    // Index of the item of a kind whose name equals the text (no case); -1 for none or for
    // kinds without a collection.
    int FindProjectItem(int kind, const CString& name) const;
    int GetItemCount(int kind) const;
    CString GetItemName(int kind, int index) const;
    // The table, list or matrix of kinds 0, 1, 2; null otherwise.
    CDataObject* GetItemObject(int kind, int index) const;
    int FindDataTable(const CString& name) const { return FindProjectItem(ItemDataTable, name); }
    int FindList(const CString& name) const { return FindProjectItem(ItemList, name); }
    int FindMatrix(const CString& name) const { return FindProjectItem(ItemMatrix, name); }
    int FindSolverModel(const CString& equation) const;
    // The pattern with %d replaced by 1, 2, 3, ... until no item of the kind has the name.
    CString MakeUniqueTableName(const CString& pattern) const;
    CString MakeUniqueListName(const CString& pattern) const;
    CString MakeUniqueMatrixName(const CString& pattern) const;
    // "Table%d", "List%d" or "Matrix%d" made unique; empty for other kinds.
    CString MakeDefaultName(int kind) const;
    // Deletes, last first, every data graph bound to the table with its explorer node.
    void RemoveDataGraphsOf(const CDataTable* pTable);
    BOOL HasDataGraphsOf(const CDataTable* pTable) const;

    // A new empty table (columns X and Y), list or 0 x 0 matrix under a default name, selected
    // with its label being edited.
    void AddNewItem(int kind);
    // Takes ownership of a table, list, matrix, 2-D graph, data graph or 3-D graph and adds it,
    // or replaces the item of its kind and name after the confirmations.
    void AddResultItem(int kind, CObject* pObject);
    int AddSolverModel(const CString& equation, const CString& label);
    void DeleteSolverModel(int index);
    // Removes the selected item after the confirmations.
    void RemoveSelectedItem();
    // Kinds 0, 1, 2 and 4 take a new name no other item of the kind has; FALSE otherwise.
    BOOL RenameSelectedItem(const CString& newName);
    void EditSelectedItemLabel();

    // --- selection and panes ------------------------------------------------------------------
    // The explorer's selected node changed to node, of a kind, labelled label.
    void OnSelectItem(int kind, const CString& label, ExplorerNode node);
    void SelectItemByIndex(int kind, int index);
    void SelectItemByName(int kind, const CString& name);
    void ForceSelectItemByName(int kind, const CString& name);
    void RefreshPlot2D(BOOL bSetModified);
    void RefreshPlot3D(BOOL bSetModified);
    void RefreshGrid();
    // The selected item changed: the grid and the plot that show it are drawn again.
    void RefreshSelectedItem();
    // A command moved the selected graph's domain or a surface's view: its grid shows the new
    // values (a table's grid, which may be long, is left alone).
    void RefreshGraphGrid();
    // The windows show this project afresh (after New, Open, or an open that failed): the
    // explorer holds every item in the model's order, and the item selected before, when it is
    // still there, is selected again; otherwise nothing is, and the workspace shows alone with
    // the focus, as at start-up.
    void ShowProjectAnew();
    // The explorer's leaves: every table, list, matrix, data graph, 2-D graph, 3-D graph and
    // solver model, kind by kind, each kind in the model's order.
    std::vector<ExplorerLeaf> GetExplorerLeaves() const;
    // A pane (view bit) or the explorer (16) was resized to width x height.
    void StorePaneSize(UINT viewBit, int width, int height);
    // A view command shows the panes of the mask until the next selection.
    void ShowViewsByCommand(UINT mask, BOOL bFocusWorkspace);
    // Text just written into the workspace comes into view beside the panes shown, which stay
    // (the grid whose Calculate button wrote a report), each pane kept in sight; as by a view
    // command, the kind's record keeps its arrangement.
    void ShowWorkspaceBesideShownPanes();
    // While a workspace line runs, an item it selects shows beside the workspace, which keeps
    // the keys the user goes on typing, rather than in an arrangement that hides it.
    void SetWorkspaceLineRunning(BOOL bRunning) { m_bWorkspaceLine = bRunning; }
    // Shows or hides one pane (view bit) for the selected kind and the kinds sharing its panes;
    // nothing while no kind is selected.
    void ToggleView(UINT bit);
    int GetSelectedKind() const { return m_nSelectedKind; }
    int GetSelectedIndex() const { return m_nSelectedIndex; }
    CDataObject* GetSelectedObject() const { return m_pSelectedObject; }
    ExplorerNode GetSelectedNode() const { return m_SelectedNode; }

    // --- the plot panes (ProjectModelPlots.cpp) ----------------------------------------------
    // Keeps the pointer's place over a 2-D plot (plot units) and returns its read-out,
    // " x = 1.23, y = -5.00" with the list separator and decimal point in use.
    CString SetLastPointer(double x, double y);
    // The function plot's graph index failed to draw: its explorer item shows the failure image.
    // Nothing for an index beyond the graphs.
    void FlagFailedGraph(int index);
    // After anything that may change what expressions evaluate to (the angle mode, the number
    // base or format, a variable, constant, user function or unit, the solver's accuracy): every
    // graph and surface whose values changed is sampled again, and the panes showing them redraw.
    void ResampleChangedGraphs();

    // --- 2-D graph commands (ProjectModelPlotCommands.cpp) -------------------------------------
    // The function plot's graph at the selected index while a 2-D graph is selected, else null.
    CFunctionPlot* GetSelectedGraph() const;
    // Axis style and grid commands (their menu ids): on the function plot, or on the data plot
    // and the table preview together. TRUE when the id is one of them.
    BOOL ApplyPlotAxisCommand(UINT id);
    // -1 for ids that are not axis commands or are disabled for the selected kind, else whether
    // the command's menu item carries a check mark (0 or 1).
    int GetPlotAxisCommandState(UINT id) const;
    // The selected y = f(x) graph's symbolic derivative as a new dotted graph over the source's
    // domain; other forms do nothing.
    void DrawDerivative();
    // The tangent of f at x0 as a new graph over the function plot's x range.
    void AddTangentLine(const CString& expression, double x0);
    // A table "X", "Y" of f over [min, max] in rows points (2 .. 10000); points without a value
    // are left out, and a table without any is not added.
    void AddValueTable(const CString& expression, double dMin, double dMax, const CString& name,
                       int rows);

    // --- 3-D graph commands (ProjectModelPlot3D.cpp) -----------------------------------------
    // The scene's surface at the selected index while a 3-D graph is selected, else null.
    CSurfacePlot* GetSelectedSurface() const;
    // The 3-D plot menu's axis, projection, rotation, style, resolution and view commands; the
    // project is marked modified and the 3-D plot refreshed (axis types only when they change).
    // FALSE for other ids or without a selected 3-D graph.
    BOOL ApplyPlot3DCommand(UINT id);
    // -1 for other ids or without a selected 3-D graph, else the check mark (0 or 1).
    int GetPlot3DCommandState(UINT id) const;

    // --- the graph dialogs' answers (ProjectModelPlotDialogs.cpp) ---------------------------
    // A graph's properties: the definition (none: it keeps its own), colour, style and width;
    // its explorer item takes the new label and the plot is shown again.
    void UpdateGraph(int kind, CFunctionPlot& graph, const GraphDefinition* pDefinition,
                     COLORREF colour, int style, int width);
    // The chooser's fields for an analysis kind: the selected y = f(x) graph, the plot's x
    // range, the solver's steps and accuracy (a value table's rows and a free table name), the
    // next graph or the x-axis as second curve, the last pointer x to one significant digit.
    ChooserPreset PresetChooser(int kind) const;
    // The chooser's steps and accuracy into the solver (steps 1 .. 10000, an accuracy outside
    // 0 .. 16 as 2), or a value table's steps into its rows (2 .. 10000).
    void TakeChooserOptions(int kind, double steps, double accuracy);
    // "0" for the x-axis (any case), else the text.
    static CString ChooserCurve(const CString& text);
    // A new surface from the dialog's values, added and selected.
    void Add3DGraph(const SurfaceValues& values);
    // The surface takes the values, its explorer item its new label, and the plot is redrawn.
    void Update3DGraph(CSurfacePlot& surface, const SurfaceValues& values);

    // --- the data view (ProjectModelGridFill.cpp, ProjectModelGridEdit*.cpp) ----------------
    // Writes the selected item into the data view's grid: its size, the widths of the kind's
    // layout, the titles and the values, and a table's refused entries that still stand, with
    // what was typed. bEditable (the view's switch) becomes the table's flag.
    GridFillShape FillDataView(IGridFillSink& sink, BOOL bEditable);
    // Only the size: after an edit added an entry, the grid keeps its spare rows.
    void ResizeDataView(IGridFillSink& sink);
    // Whether the user may type into grid cell (row, column) of the selected item.
    BOOL IsCellEditable(int row, int column) const;
    // Applies a typed cell to the selected item. FALSE: nothing typed (or a cell that takes no
    // input), the cell keeps its old text. TRUE: taken, or refused and answered in the cell as
    // "#" + the engine's error text + "!" (a typed "#" too: a message is never input), which a
    // table keeps with the cell; text returns what the cell shows afterwards and value the
    // number read from it.
    BOOL ApplyGridEdit(int row, int column, CString& text, double& value);
    // A grid column dragged to a width: kept in the selected kind's layout (a matrix keeps one
    // width for all its columns); widths below 10 are not kept.
    void StoreColumnWidth(int column, int width);

    // --- data commands on the selected item (ProjectModelDataCommands.cpp) ---------------------
    // Each changes nothing when the selection is not of its kind, tells failures through the
    // prompts and refreshes the grid after a change.
    CDataTable* GetSelectedTable() const;
    CDataColumn* GetSelectedList() const;
    CMatrixObject* GetSelectedMatrix() const;
    // A new matrix of zeros under the name, replacing one of that name after the questions.
    void AddMatrix(const CString& name, int rows, int columns);
    // Keeps the values where old and new size overlap; new elements are 0.
    void ResizeSelectedMatrix(int rows, int columns);
    void TransposeSelectedMatrix();
    // Fill and Transform: after the Yes/No question every value v becomes the expression's
    // value at x = v; a failing value changes nothing and its error text is shown.
    void ApplyExpressionToSelection(const CString& expression, const CString& question);
    // Order 0 ascending, 1 descending.
    void SortSelectedList(int order);
    // The rows by a key column, or that column alone.
    void SortSelectedTable(int order, int key, BOOL bColumnOnly);
    // Layout 1 gains the column "Y Error"; layout 2 loses it (after a question when it holds
    // anything but zeros); other layouts stay.
    void ToggleErrorColumn();

    // --- grid entry commands and paste (ProjectModelGridCommands.cpp) ------------------------
    // Rows and columns at the grid's focus row or column (1 and up). Each of these commands
    // answers whether entries moved in the grid.
    BOOL InsertGridRow(int row);
    BOOL DeleteGridRow(int row);
    BOOL InsertGridColumn(int column);
    BOOL DeleteGridColumn(int column);
    // Deletes the variable, expression variable, user constant, function, conversion or solver
    // model of a grid row, without a question.
    BOOL DeleteGridEntry(int row);
    // The user functions of the selected grid rows, last first (a selection from column 1).
    BOOL DeleteGridRows(int firstRow, int lastRow, int firstColumn);
    // The function, constant or unit of a grid row into the favourites.
    void AddEntryToFavorites(int row);
    // A function name at the front of the favourite functions (20 at most, no repeats).
    void AddFavoriteFunction(const CString& name);
    // What a double click on a grid row types into the workspace: a constant's symbol, a
    // function's name, "*" and a unit's factor; empty for anything else.
    CString GetEntryWorkspaceText(int row) const;
    // The cells a paste or drop changed, into the selected table, list or matrix: each text
    // read as a number (one that is no number counts and is stored as 0), lists and tables
    // lengthened to the last pasted row, a matrix grown after a question; a read-only table
    // stays as it was. The grid is refilled in every case.
    void TakePastedCells(const PastedCells& cells);
    // The cells the user emptied (Delete, Cut, the source of a move, an edit left empty), where
    // the selected item lets them be typed into: a table's cells hold no value, a list's values
    // go (the later ones move up), a matrix's elements become 0. The grid is refilled.
    void EmptyGridCells(const CellAddresses& cells);
    // Solves the selected solver model for variable k: the variable takes the first solution,
    // the grid is refilled and the report built (saying so when the search ran out of time);
    // a solve that finds nothing leaves the variable as it was and reports why. The engine's
    // code, 0 on success; no report when there is no such variable.
    int SolveForVariable(int k, CAnalysisResult& report);
    // Why solving gave the code: the engine's text, and when nothing was found (or nothing by
    // the time the search ran out) what was searched and what to change.
    CString SolverFailureText(int code) const;

    // --- fits (ProjectModelFits.cpp) -------------------------------------------------------
    // The selected data table when a fit reads it (columns x, y and maybe the deviation of y);
    // null otherwise, and fits of other selections do nothing.
    CDataTable* GetFitTable() const;
    // FALSE, after telling the user, when the selected table holds fewer than two points.
    BOOL CheckFitRows();
    // Fits linear model 0..6 to the selected table: a data graph of the fitted curve, bound to
    // the table and owning the report. A failure is told with the engine's text; nothing is
    // added.
    void LinearFitSelection(int model);
    // The model into the fit (its start values and flags stay when it is the fit's model
    // already). FALSE, after telling the user, when no table can be fitted or the model is
    // refused.
    BOOL SetFitModel(const ModelRecord& model, CNonlinearFit& fit);
    // Enters the model into the recent fits, fits it to the selected table from the fit's start
    // values, flags and limit, and adds the data graph of the fitted curve; a failure is told
    // with the engine's text and adds no graph.
    void RunNonlinearFit(const ModelRecord& model, CNonlinearFit& fit);
    // The recent fits after a run of the model: its name moves to the front (taking the model's
    // fields unless it is the front record with the same formula), a new name pushes out the
    // oldest of ten.
    void RememberRecentFit(const ModelRecord& model);

    // --- statistics and comparisons (ProjectModelStatistics.cpp) ---------------------------
    // The statistics lines the mask selects, indented; FALSE, with nothing added, under two
    // values.
    BOOL AddStatistics(CDataColumn& list, CAnalysisResult& result, int mask);
    // The statistics report of the selected list or table (the values of its first two columns
    // that count, CountedValues) by the settings' mask. FALSE for other selections and, after
    // telling the user, for fewer than three values, rows or points.
    BOOL BuildStatisticsReport(CAnalysisResult& result);
    // What a comparison offers: every list while a list is selected (FALSE: the choice is
    // the user's), or the first two columns of a selected table that has them (TRUE: fixed).
    // Empty for anything else.
    std::vector<CDataColumn*> GetComparisonLists(BOOL& bFixed) const;
    // The comparison of two lists by the ticked tests (one flag per ListTest), of a selected
    // table's columns by the values that count (CountedValues, paired); FALSE, after telling
    // the user, when a list holds fewer than two values.
    BOOL BuildComparisonReport(const CDataColumn& first, const CDataColumn& second,
                               const int* ticked, CAnalysisResult& result);

    // --- matrix commands (ProjectModelMatrices.cpp) ----------------------------------------
    // Each acts on the selected matrix, tells refusals and failures, and adds nothing then.
    // The workspace's line of the determinant; FALSE when there is nothing to write.
    BOOL GetDeterminantLine(CString& line);
    // New matrices "Inverse of ", "Solution of " (the augmented system solved), "EigenValues of "
    // or "EigenVectors of " and the matrix's name.
    void AddInverseMatrix();
    void AddSolutionMatrix();
    void AddEigenMatrix(BOOL bVectors);
    // Matrix first combined with matrix second (indices; MatrixAdd ...) under the name.
    void AddCombinedMatrix(int first, int second, int operation, const CString& name);

    // --- project file ---------------------------------------------------------------------
    // Storing writes the constant header; loading reads 144 bytes into the header copy and
    // tells whether they were all there.
    BOOL SerializeProjectHeader(CArchive& ar);
    // The body: tables, data plot, function plot, 3-D scene, lists, matrices, variables,
    // expression variables and the workspace's rich text. Loading reads all of it into fresh
    // items first and takes them over only when everything was read (the archive error
    // otherwise, with nothing changed).
    void SerializeProjectBody(CArchive& ar);
    // Header and body. Loading returns FALSE, reading nothing more and changing nothing, when
    // the header does not name this program; a damaged body throws with nothing changed.
    BOOL SerializeProject(CArchive& ar);
    void SerializeUserData(CArchive& ar) { m_UserDefinitions.Serialize(ar); }
    void SerializeSolverModels(CArchive& ar) { m_UserDefinitions.SerializeSolverModels(ar); }

    // --- the project's items and settings, in the order of the data model -----------------
    BOOL m_bLayoutByCommand = FALSE;
    ProjectHeader m_Header;
    CNumberFormat m_NumberFormat;
    std::vector<std::unique_ptr<CDataColumn>> m_Lists;
    std::vector<std::unique_ptr<CMatrixObject>> m_Matrices;
    std::vector<std::unique_ptr<CDataTable>> m_DataTables;
    UserDefinitions m_UserDefinitions; // solver models and user regression models
    CModelLibrary m_PredefinedModels;
    CModelCategory m_ModelCategory;
    CModelCategory m_RecentFits; // records of list name, name and formula
    CModelCategory m_FavoriteModels;
    std::vector<CString> m_FavoriteFunctions;            // newest first
    std::vector<UserConstantRecord> m_FavoriteConstants; // oldest first
    std::vector<UnitRecord> m_FavoriteUnits;             // oldest first
    CPlot2D m_FunctionPlot;
    CPlot2D m_DefaultFunctionPlot;
    CPlot3DScene m_Scene;
    CPlot3DScene m_DefaultScene;
    CPlot2D m_DataPlot;
    CPlot2D m_DefaultDataPlot;
    CPlot2D m_PreviewPlot; // one data graph showing the selected table
    CFunctionPlot m_Default2DGraph;
    CFunctionPlot m_DefaultDataGraph;
    CSurfacePlot m_Default3DGraph;
    CAnalysisResult m_LineResult;
    CNumberFormat* m_pResultFormat = nullptr;
    DocumentSettings m_Settings;
    CCalcEngine m_Engine;
    int m_nTreeWidth = kDefaultTreeWidth;
    ViewLayouts m_ViewLayouts;
    // The workspace's rich text as the project file holds it; the document keeps it in step
    // with its view around saving and opening.
    std::vector<BYTE> m_WorkspaceRtf;

private:
    IProjectWindows& Windows() const { return *m_pWindows; }
    IProjectPrompts& Prompts() const { return *m_pPrompts; }
    // The single values the end of the run writes back.
    void WriteOwnSettings(CProfileStore& store) const;
    CString MakeUniqueName(int kind, const CString& pattern) const;
    CFunctionPlot* PreviewGraph() const;
    // The selected object again from the kind and index, after a collection changed.
    void ResolveSelection();
    void ClearSelection();
    // No item selected: the grid empties, the 2-D pane shows the function plot, and the caption
    // strip shows caption (empty: the program's name).
    void ShowNoSelection(const CString& caption);
    // An item's label changed: its explorer leaf and, when it is the selected item, the caption.
    void RelabelItem(int kind, const CString& oldLabel, const CString& newLabel);
    // Asks to replace an item of the kind when its confirmation bit is set; FALSE: declined.
    BOOL ConfirmReplace(int kind, const CString& name);
    void AddDataObject(int kind, std::unique_ptr<CDataObject> object);
    void AddGraph(int kind, std::unique_ptr<CFunctionPlot> graph);
    void AddSurface(std::unique_ptr<CSurfacePlot> surface);
    // Selects the explorer node of an item that was added (new) or replaced.
    void ShowAddedItem(int kind, const CString& name, BOOL bReplaced);
    void DeleteSelectedObject(int kind, int index);
    // Data graphs of the data plot take their tables again by name; graphs without one go.
    static void RelinkDataGraphs(CPlot2D& plot,
                                 const std::vector<std::unique_ptr<CDataTable>>& tables);
    void ReadProjectBody(CArchive& ar);
    // A data graph of the fitted curve over the table's x range, owning the report, added. It
    // keeps the angle mode it was fitted in (kEngineAngleMode: none, it reads no angles).
    void AddFitGraph(CDataTable& table, const CString& equation,
                     std::unique_ptr<CAnalysisResult> report, int angleMode);
    // The project's plots take over what was read into the staged ones.
    void TakeStagedPlots(CPlot2D& dataPlot, CPlot2D& functionPlot, CPlot3DScene& scene);

    // The selected item of the kinds without a data object; null when none is selected.
    CFunctionPlot* SelectedGraph() const;
    CSurfacePlot* SelectedSurface() const;
    CSolverModel* SelectedSolverModel() const;
    // Entries of the selected kind's table (variables, constants, ...; 0 for other kinds).
    int GetEntryCount() const;
    // What the selected item writes: its rows (a matrix: its own) and data columns.
    void GetDataViewExtent(int& entries, int& columns) const;

    // One typed cell on its way into the selected item (ProjectModelGridEdit*.cpp). Each step
    // answers 0 when the edit was taken, or the engine's code of its refusal (kCellRefused
    // only for a kind that takes no input).
    struct CellEdit {
        int row;
        int column;
        CString text;         // trimmed
        double value = 0;     // what a number cell read
        BOOL bNumber = FALSE; // the cell shows the number again
    };
    static constexpr int kCellRefused = -1;
    // Hands the edit to the step of the selected kind.
    int EditSelectedItem(CellEdit& edit);
    int ReadCellNumber(CellEdit& edit);
    int EditDataCell(CellEdit& edit);
    // A typed cell changed the table: the project is modified and, when the user has asked for
    // it, a plot of x and y is drawn again.
    void TableCellsChanged(const CDataTable& table);
    int Edit2DGraphCell(CellEdit& edit);
    int EditNameCell(CellEdit& edit);
    int EditUserTableCell(CellEdit& edit);
    int EditSolverEquationCell(CellEdit& edit);
    int EditSolverModelCell(CellEdit& edit);
    int Edit3DGraphCell(CellEdit& edit);

    NullProjectWindows m_NullWindows;
    std::unique_ptr<IProjectPrompts> m_pNullPrompts;
    IProjectWindows* m_pWindows;
    IProjectPrompts* m_pPrompts;
    BOOL m_bModified = FALSE;
    int m_nSelectedIndex = -1;
    ExplorerNode m_SelectedNode = 0;
    int m_nSelectedKind = ItemNone;
    CDataObject* m_pSelectedObject = nullptr;
    BOOL m_bWorkspaceLine = FALSE;
    // What the settings written at the end of the run held when it read them: another window
    // may change them meanwhile, so only what this run changed goes back.
    CMemoryProfileStore m_SettingsAtStart;
    std::vector<ModelRecord> m_RecentFitsAtStart;
    std::vector<CString> m_FavoritesAtStart;
};

// Fixed prefixes of the confirmation texts by kind: "data table ", "list ", ...
CString ItemPromptPrefix(int kind, BOOL bDelete);
// What the analysis commands say when a list or table holds too few values.
extern const char kTooFewPointsText[];
// The workspace text of a project saved without a workspace view.
extern const char kEmptyWorkspaceRtf[];
