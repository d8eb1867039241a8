#pragma once
#include "analysis/DataDialogRules.h"
#include "analysis/DataViewDocument.h"
#include "app/LineCommand.h"
#include "app/ProjectModel.h"
#include "framework/win/CRichEditDoc.h"
#include "plot/PlotDocument.h"

class CCmdUI;
class CNonlinearFit;
class CGridView;
class CRichEditView;
class CRichWorkspace;

// The project document: a rich-edit document (its text is the workspace) that owns the
// project model and forwards to it. It answers the model's questions with the program's
// message boxes and reaches the explorer, frame and panes through the IProjectWindows that the
// main frame hands it. Sources by concern: MyDocument.cpp (life cycle, settings and user data),
// MyDocumentFile.cpp (project files and the workspace's rich text), MyDocumentWorkspace.cpp
// (the workspace's line command and demonstration), MyDocumentData.cpp (the data commands),
// MyDocumentGrid.cpp (the data view's questions and the grid entry commands),
// MyDocumentResults.cpp (analysis reports), MyDocumentFits.cpp (fits), MyDocumentAnalysis.cpp
// (statistics and comparisons), MyDocumentMatrices.cpp (matrix commands); the command handlers
// of each subsystem go into files of their own.
class CMyDocument : public CRichEditDoc,
                    public IProjectPrompts,
                    public ILineCommandHost,
                    public IDataViewDocument,
                    public IPlotDocument {
    DECLARE_DYNCREATE(CMyDocument)
public:
    // Starts the engine, reads the settings from the registry and then the user-data file.
    CMyDocument();
    // Writes the user-data file, releases the user definitions and writes the exit settings.
    ~CMyDocument() override;

    ProjectModel& GetModel() { return m_Model; }
    // The frame's implementation of the explorer, frame and panes (null: none).
    void SetProjectWindows(IProjectWindows* pWindows) { m_Model.SetWindows(pWindows); }
    // Where the user-data file of documents made from now on lives (tests set their own).
    static void SetUserDataPath(const CString& path);

    BOOL OnNewDocument() override;
    // Reads the whole file apart from the open project and takes it over only when all of it
    // was read: a foreign or damaged file leaves project, path and recent files as they were.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // Refused, with the reason, for a file that a window of another run holds as its project:
    // one of the two would silently overwrite the other.
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    void DeleteContents() override;
    // Header, body and the workspace's rich text.
    void Serialize(CArchive& ar) override;
    BOOL IsModified() override;
    void SetModifiedFlag(BOOL bModified = TRUE) override;

    // --- forwarded to the model -----------------------------------------------------------
    int FindProjectItem(int kind, const CString& name) const
    {
        return Model().FindProjectItem(kind, name);
    }
    CString GetItemName(int kind, int index) const { return Model().GetItemName(kind, index); }
    CDataObject* GetItemObject(int kind, int index) const
    {
        return Model().GetItemObject(kind, index);
    }
    int FindSolverModel(const CString& text) const { return Model().FindSolverModel(text); }
    int FindDataTable(const CString& name) const { return Model().FindDataTable(name); }
    int FindList(const CString& name) const { return Model().FindList(name); }
    int FindMatrix(const CString& name) const { return Model().FindMatrix(name); }
    CString MakeDefaultName(int kind) const { return Model().MakeDefaultName(kind); }
    CString MakeUniqueTableName(const CString& pattern) const
    {
        return Model().MakeUniqueTableName(pattern);
    }
    CString MakeUniqueListName(const CString& pattern) const
    {
        return Model().MakeUniqueListName(pattern);
    }
    CString MakeUniqueMatrixName(const CString& pattern) const
    {
        return Model().MakeUniqueMatrixName(pattern);
    }
    void RemoveDataGraphsOf(const CDataTable* pTable) { m_Model.RemoveDataGraphsOf(pTable); }
    void AddNewItem(int kind) { m_Model.AddNewItem(kind); }
    void AddResultItem(int kind, CObject* pObject) override
    {
        m_Model.AddResultItem(kind, pObject);
    }
    int AddSolverModel(const CString& equation, const CString& label)
    {
        return m_Model.AddSolverModel(equation, label);
    }
    void DeleteSolverModel(int index) { m_Model.DeleteSolverModel(index); }
    void RemoveSelectedItem() override { m_Model.RemoveSelectedItem(); }
    BOOL RenameSelectedItem(const CString& newName) { return m_Model.RenameSelectedItem(newName); }
    void EditSelectedItemLabel() { m_Model.EditSelectedItemLabel(); }
    void OnSelectItem(int kind, const CString& label, ExplorerNode node)
    {
        m_Model.OnSelectItem(kind, label, node);
    }
    void SelectItemByIndex(int kind, int index) override { m_Model.SelectItemByIndex(kind, index); }
    void SelectItemByName(int kind, const CString& name) { m_Model.SelectItemByName(kind, name); }
    void ForceSelectItemByName(int kind, const CString& name)
    {
        m_Model.ForceSelectItemByName(kind, name);
    }
    void RefreshPlot2D(BOOL bSetModified) { m_Model.RefreshPlot2D(bSetModified); }
    void RefreshPlot3D(BOOL bSetModified) { m_Model.RefreshPlot3D(bSetModified); }
    void RefreshGrid() override { m_Model.RefreshGrid(); }
    int GetSelectedKind() const override { return Model().GetSelectedKind(); }
    DataViewItemKey GetSelectedItemKey() const override
    {
        return {Model().GetSelectedKind(), Model().GetSelectedNode(), Model().GetSelectedObject()};
    }
    void StorePaneSize(UINT viewBit, int width, int height) override
    {
        m_Model.StorePaneSize(viewBit, width, height);
    }
    int DescribeName(const char* name, CString& text, int& argumentCount) const
    {
        return Model().m_Engine.DescribeName(name, text, argumentCount);
    }
    BOOL SerializeProjectHeader(CArchive& ar) { return m_Model.SerializeProjectHeader(ar); }
    void SerializeProjectBody(CArchive& ar) { m_Model.SerializeProjectBody(ar); }
    void SerializeUserData(CArchive& ar) { m_Model.SerializeUserData(ar); }
    void SerializeSolverModels(CArchive& ar) { m_Model.SerializeSolverModels(ar); }

    // --- the workspace's line command ---------------------------------------------------------
    // The line, then the graphs whose values it changed (a store, a definition, ANS) redrawn.
    BOOL ExecuteLine(const CString& line);
    BOOL RunCommandWord(const CString& text) { return m_LineCommand.RunCommandWord(text); }
    BOOL PlotCommand(const CStringArray& args) { return m_LineCommand.PlotCommand(args); }
    BOOL Plot3DCommand(const CStringArray& args) { return m_LineCommand.Plot3DCommand(args); }
    BOOL DefineFromLine(const CString& text) { return m_LineCommand.DefineFromLine(text); }
    BOOL EvaluatePlain(const CString& text) { return m_LineCommand.EvaluatePlain(text); }
    BOOL CreateFunctionGraph(const CString& first, const CString& second, int form, double lo,
                             double hi, int colour, int style, int width)
    {
        return m_LineCommand.CreateFunctionGraph(first, second, form, lo, hi, colour, style, width);
    }
    // The value in the engine's result format.
    CString FormatNumber(double value) { return m_Model.m_Engine.FormatNumber(value); }
    // A bound or cell value: a number or an expression's value, 0.0 when it has none.
    double ParseNumber(const CString& text) { return ::ParseNumber(m_Model.m_Engine, text); }
    // What the last line left: its failure and its answer.
    const LineError& GetLineError() const { return m_LineCommand.GetError(); }
    CAnalysisResult& GetLineResult() { return m_Model.m_LineResult; }
    // The workspace pane, or null.
    CRichWorkspace* GetWorkspaceView() const;

    // The data view pane, or null.
    CGridView* GetGridView() const;

    // --- the data view (MyDocumentGrid.cpp) ------------------------------------------------
    GridFillShape FillDataView(IGridFillSink& sink, BOOL bEditable) override
    {
        return m_Model.FillDataView(sink, bEditable);
    }
    void ResizeDataView(IGridFillSink& sink) override { m_Model.ResizeDataView(sink); }
    BOOL IsCellEditable(int row, int column) const override
    {
        return Model().IsCellEditable(row, column);
    }
    BOOL ApplyGridEdit(int row, int column, CString& text) override;
    void StoreColumnWidth(int column, int width) override
    {
        m_Model.StoreColumnWidth(column, width);
    }
    void StoreGridPaneSize(int cx, int cy) override { StorePaneSize(ViewGrid, cx, cy); }
    void HideTip() override;
    void TakePastedCells(const PastedCells& cells) override { m_Model.TakePastedCells(cells); }
    void EmptyGridCells(const CellAddresses& cells) override { m_Model.EmptyGridCells(cells); }

    // --- analysis reports (MyDocumentResults.cpp) ------------------------------------------
    // The report in the results dialog, printed with the number format (the result format when
    // null); OK keeps the dialog's log switch and, when it is on, logs the report.
    void ShowResults(CAnalysisResult& result, CNumberFormat* pFormat = nullptr);
    // The report after the workspace's last line, with the workspace pane brought into view.
    void LogToWorkspace(const CAnalysisResult& result);
    // Solves the selected solver model for a variable and logs the report, which says why when
    // nothing was found, in the workspace beside the grid; empty on success, else why it failed
    // (ProjectModel::SolverFailureText).
    CString ShowSolverSolution(int variable) override;

    // --- analysis commands (MyDocumentFits.cpp, MyDocumentAnalysis.cpp) -------------------
    // The statistics of the selected list or table in the results dialog.
    void AnalyzeSelection();
    // Fits the model to the selected table from the fit's start values, flags and limit, after
    // asking for start values when the settings say so; the fitted graph joins the project.
    void RunNonlinearFit(const ModelRecord& model, CNonlinearFit& fit);
    // The regression-model dialog for editing the user's models (the options' Data Analysis
    // page); no fit runs.
    void EditRegressionModels(CWnd* pParent);

    // The pages of the options sheet, in their order.
    enum OptionsPage {
        OptionsGeneral = 0,
        OptionsWorkspace = 1,
        OptionsGrid = 2,
        OptionsDataAnalysis = 3,
        OptionsMore = 4,
        OptionsSolve = 5,
    };
    // The "Options" sheet opened at a page; OK applies what its pages changed.
    void DoOptionsSheet(int startPage);
    // The Data Analysis page's values into the settings and the profile.
    void TakeDataAnalysisOptions(const DataAnalysisOptions& options, CProfileStore& store);

    // --- the plot panes (MyDocumentPlots.cpp) -------------------------------------------------
    CPlot2D& GetFunctionPlot() override { return m_Model.m_FunctionPlot; }
    CPlot2D& GetDataPlot() override { return m_Model.m_DataPlot; }
    CPlot2D& GetPreviewPlot() override { return m_Model.m_PreviewPlot; }
    CPlot3DScene& GetScene() override { return m_Model.m_Scene; }
    CPlot2D& GetDefaultPlot(BOOL bDataPlot) override
    {
        return bDataPlot ? m_Model.m_DefaultDataPlot : m_Model.m_DefaultFunctionPlot;
    }
    CPlot3DScene& GetDefaultScene() override { return m_Model.m_DefaultScene; }
    CFunctionPlot& GetDefaultGraph(BOOL bDataGraph) override
    {
        return bDataGraph ? m_Model.m_DefaultDataGraph : m_Model.m_Default2DGraph;
    }
    CSurfacePlot& GetDefault3DGraph() override { return m_Model.m_Default3DGraph; }
    CProfileStore& GetSettingsStore() override;
    // The project is modified and the plot panes redraw, so Apply shows a change at once.
    void SetPlotModified() override;
    void RefreshGraphGrid() override { m_Model.RefreshGraphGrid(); }
    int GetSelectedIndex() const override { return Model().GetSelectedIndex(); }
    // Keeps the pointer's place and shows it in the status bar's coordinate pane.
    void SetCoordinates(double x, double y) override;
    void ClearCoordinateText() override;
    void FlagFailedGraph(int index) override { m_Model.FlagFailedGraph(index); }
    CMenu* GetContextMenuForType(int kind) override;
    // The copy dialog; its answer is kept in the PlotCopy settings.
    BOOL AskPlotCopySize(int& width, int& height) override;
    int GetPlotCopyFormat() const override { return Model().m_Settings.nPlotCopyFormat; }
    void ShowHelp(LPCTSTR lpszTopic) override;

    // --- 2-D and 3-D graphs (MyDocumentPlot2D.cpp, MyDocumentPlot3D.cpp) ----------------------
    // The graph dialog in properties mode on a graph of the selected kind's plot.
    void DoGraphProperties(CFunctionPlot* pGraph);
    // The "Plot Options" sheet (Plot and Axes pages) on a 2-D plot; OK shows the plot again.
    void DoPlotOptions(CPlot2D& plot, int startPage);
    // The analysis dialog of a kind (AnalysisKind), preset from the selection and the solver:
    // 1 on OK with the expressions, the interval (a: the point for a derivative or tangent) and
    // a value table's name, 0 on Cancel or for an unknown kind.
    int ChooseFunction(int kind, CString& f, CString& g, double& a, double& b, CString& tableName);

    // --- the model's questions, as message boxes ---------------------------------------------
    void ShowMessage(const CString& text) override;
    int AskQuestion(const CString& text) override;
    int ConfirmDelete(const CString& name, BOOL& bDontAsk) override;
    int ConfirmOverwrite(const CString& name, BOOL& bDontAsk) override;

    // Shows or hides one pane (view bit) for the selected kind of item.
    void ToggleView(UINT bit) { m_Model.ToggleView(bit); }

protected:
    // --- command handlers, by concern; the table is MyDocumentCommands.cpp -----------------
    // Views (MyDocumentViews.cpp)
    void OnViewShow(UINT nID);
    void OnToggleView(UINT nID);
    void OnUpdateToggleView(CCmdUI* pCmdUI);
    void OnUpdateAngleIndicator(CCmdUI* pCmdUI);
    void OnUpdateBaseIndicator(CCmdUI* pCmdUI);
    // Workspace (MyDocumentWorkspace.cpp)
    void OnRunDemo();
    void OnPrintWorkspace();
    void OnPrintPreviewWorkspace();
    void OnPrintGrid();
    // Options and help (MyDocumentOptions.cpp)
    void OnWorkspaceOptions();
    void OnToolsOptions();
    void OnHelpContents();
    void OnHelpHomepage();
    // Data items (MyDocumentData.cpp)
    void OnAddTable();
    void OnAddList();
    void OnAddEmptyMatrix();
    void OnAddMatrix();
    void OnRename();
    void OnUpdateRename(CCmdUI* pCmdUI);
    void OnRemove();
    void OnUpdateRemove(CCmdUI* pCmdUI);
    void OnTransform();
    void OnFill();
    void OnUpdateDataValues(CCmdUI* pCmdUI);
    void OnSort(UINT nID);
    void OnUpdateSort(CCmdUI* pCmdUI);
    void OnTransposeMatrix();
    void OnResizeMatrix();
    void OnUpdateMatrix(CCmdUI* pCmdUI);
    void OnErrorColumn();
    void OnUpdateErrorColumn(CCmdUI* pCmdUI);
    void OnAcceptedCommand(UINT nID);
    void OnDataAnalysisOptions();
    // Grid entries (MyDocumentGrid.cpp)
    void OnGridRowOrColumn(UINT nID);
    void OnGridDeleteItem();
    void OnGridDeleteRows();
    void OnGridAddToFavorites();
    void OnGridInsertEntry();
    // Fits (MyDocumentFits.cpp)
    void OnLinearFit(UINT nID);
    void OnUpdateFitCommand(CCmdUI* pCmdUI);
    void OnNonlinearFit();
    void OnRecentFit(UINT nID);
    void OnUpdateRecentFits(CCmdUI* pCmdUI);
    // Statistics and comparisons (MyDocumentAnalysis.cpp)
    void OnAnalyze();
    void OnUpdateAnalyze(CCmdUI* pCmdUI);
    void OnCompareLists();
    void OnUpdateCompareLists(CCmdUI* pCmdUI);
    void OnUpdateCompareColumns(CCmdUI* pCmdUI);
    void OnUpdateFitTableCommand(CCmdUI* pCmdUI);
    // Matrices (MyDocumentMatrices.cpp)
    void OnDeterminant();
    void OnInverseMatrix();
    void OnSolveMatrix();
    void OnEigen(UINT nID);
    void OnMatrixOperations();
    // Tools (MyDocumentTools.cpp)
    void OnToolsUnitConverter();
    void OnUpdateToolsUnitConverter(CCmdUI* pCmdUI);
    void OnToolsFinanceBox();
    void OnUpdateToolsFinanceBox(CCmdUI* pCmdUI);
    void OnInsertFunction();
    void OnUpdateInsertFunction(CCmdUI* pCmdUI);

    // 2-D graphs (MyDocumentPlot2D.cpp)
    void OnAdd2DGraph();
    void OnGraphProperties();
    void OnDataGraphProperties();
    void OnViewProperties();
    void OnUpdateViewProperties(CCmdUI* pCmdUI);
    void OnPlotOptions();
    void OnDataPlotOptions();
    void OnPlotAxes(UINT nID);
    void OnUpdatePlotAxes(CCmdUI* pCmdUI);
    void OnUpdateNeeds2DGraph(CCmdUI* pCmdUI);
    void OnUpdateNeedsDataGraph(CCmdUI* pCmdUI);
    void OnDrawDerivative();
    void OnDrawTangent();
    void OnValueTable();
    void OnInsertPlot2D();
    // 2-D graph analysis (MyDocumentGraphAnalysis.cpp)
    void OnGraphAnalysis(UINT nID);
    void OnGraphAnalyze();
    // The calculus command of a kind (AnalysisKind): the chooser, the engine, the report.
    void RunGraphAnalysisCommand(int kind);
    // 3-D graphs (MyDocumentPlot3D.cpp)
    void OnAdd3DGraph();
    void On3DGraphProperties();
    void On3DPlotOptions();
    void OnPlot3DCommand(UINT nID);
    void OnUpdatePlot3DCommand(CCmdUI* pCmdUI);
    void OnUpdateNeeds3DGraph(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    const ProjectModel& Model() const { return m_Model; }
    // The project file into the model, the open project kept when it cannot all be read.
    BOOL ReadProjectFile(LPCTSTR lpszPathName);
    // The workspace's rich text from the view into the model, and back.
    void TakeWorkspaceText();
    void ShowWorkspaceText();
    void ShowNotices(const UserDataNotices& notices);

    ProjectModel m_Model;
    // Presets the add-graph dialog's "Analyze automatically" while the document lives.
    BOOL m_bAnalyzeAutomatically = FALSE;
    LineCommand m_LineCommand{m_Model.m_Engine,         m_Model.m_LineResult,
                              m_Model.m_FunctionPlot,   m_Model.m_Default2DGraph,
                              m_Model.m_Default3DGraph, *this};
};
