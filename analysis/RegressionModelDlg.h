#pragma once
#include "analysis/ModelLibrary.h"
#include "engine/CalcEngine.h"
#include "framework/win/CDialog.h"
#include "framework/win/Controls.h"
#include "plot/Plot2D.h"
#include "plot/PlotWnd.h"

class CNonlinearFit;

// "Select a Regression Model": the pre-defined and the user's model libraries as one tree, the
// chosen model's equation and description, a preview curve of pre-defined models, and the
// editing of the user's library (equations and categories added, renamed in place and removed
// at once, with no undo). "Select Model" sets the fit's model and ends the dialog with IDOK;
// "Initial Values..." edits the fit's start values. Leaving a user model, closing and Escape
// first check its equation and keep it.
class CRegressionModelDlg : public CDialog {
public:
    // The pre-defined library is only read; favorites receives "Add to Favorites".
    CRegressionModelDlg(const CModelLibrary& predefined, CModelLibrary& user,
                        CModelCategory& favorites, CNonlinearFit& fit, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The model "Select Model" chose, as its library held it.
    const ModelRecord& GetSelectedModel() const { return m_SelectedModel; }
    CTreeCtrl& GetTree() { return m_Tree; }
    CPlot2DWnd& GetPreview() { return m_Preview; }
    CPlot2D& GetPreviewPlot() { return m_PreviewPlot; }

    // What the tree has selected.
    enum SelectionKind { SelectionCategory = 1, SelectionModel = 2, SelectionNone = 3 };
    int GetSelectionKind() const { return m_nKind; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnAddEquation();
    void OnNewCategory();
    void OnRename();
    void OnRemove();
    void OnSelectModel();
    void OnInitialValues();
    void OnAddToFavorites();
    void OnHelp();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnClose();
    UINT OnGetDlgCode();
    // The preview window passes on the notice of a graph that failed to draw with the number
    // the dialog manager reads as "set the default button": the dialog keeps it.
    LRESULT OnSetDefId(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Where a tree item stands: a root, a category or a model of either library.
    struct Place {
        int nKind = SelectionNone;
        BOOL bUser = FALSE;
        int nCategory = -1;
        int nModel = -1;
    };
    Place Locate(HTREEITEM hItem) const;
    const CModelLibrary& Library(BOOL bUser) const { return bUser ? m_User : m_Predefined; }
    // The selected model's record; null without one.
    const ModelRecord* CurrentModel() const;
    BOOL IsUserModel() const { return m_nKind == SelectionModel && m_bUser; }
    BOOL IsUserItem() const { return m_nKind != SelectionNone && m_bUser; }

    void FillTree(HTREEITEM hRoot, const CModelLibrary& library);
    void CreatePreview();
    // The controls and the preview for the selected item.
    void ShowSelection(HTREEITEM hItem);
    void ShowPreview(const ModelRecord& model, BOOL bUser);
    void EnableControls(BOOL bModel, BOOL bUser, BOOL bUserModel);
    // TRUE when the dialog may leave the selected model: a user model's equation is checked and
    // stored with its description.
    BOOL ValidateModel();
    // The selected model into the fit; FALSE after telling the user why the fit refused it.
    BOOL SetFitModel();
    // Appends an item under parent, selects it and opens its label for editing.
    void AppendAndEdit(HTREEITEM hParent, const CString& name);

    const CModelLibrary& m_Predefined;
    CModelLibrary& m_User;
    CModelCategory& m_Favorites;
    CNonlinearFit& m_Fit;
    ModelRecord m_SelectedModel;

    // The selection by its indices in its library (records move when others are removed).
    int m_nKind = SelectionNone;
    BOOL m_bUser = FALSE;
    int m_nCategory = -1;
    int m_nModel = -1;

    HTREEITEM m_hPredefinedRoot = nullptr;
    HTREEITEM m_hUserRoot = nullptr;
    HTREEITEM m_hSelected = nullptr;
    BOOL m_bLabelEnded = TRUE; // the open label edit has had its answer
    CTreeCtrl m_Tree;
    CCalcEngine m_Engine;
    CPlot2D m_PreviewPlot;
    CPlot2DWnd m_Preview;
};
