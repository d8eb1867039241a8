#include "analysis/RegressionModelDlg.h"

#include "analysis/FitDialogRules.h"
#include "analysis/InitialValuesDlg.h"
#include "analysis/NonlinearFit.h"
#include "engine/EngineErrors.h"
#include "framework/win/CMenu.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

namespace {

constexpr const char kPreviewNotAvailable[] = "Preview not available";
// What the dialog answers WM_GETDLGCODE with: tab and every key.
constexpr UINT kWantsTabAndAllKeys = DLGC_WANTTAB | DLGC_WANTALLKEYS;

} // namespace

BEGIN_MESSAGE_MAP(CRegressionModelDlg, CDialog)
ON_NOTIFY(TVN_SELCHANGEDA, IDC_MODEL_TREE, &CRegressionModelDlg::OnSelChanged)
ON_NOTIFY(TVN_SELCHANGINGA, IDC_MODEL_TREE, &CRegressionModelDlg::OnSelChanging)
ON_NOTIFY(TVN_BEGINLABELEDITA, IDC_MODEL_TREE, &CRegressionModelDlg::OnBeginLabelEdit)
ON_NOTIFY(TVN_ENDLABELEDITA, IDC_MODEL_TREE, &CRegressionModelDlg::OnEndLabelEdit)
ON_BN_CLICKED(IDC_MODEL_ADD, &CRegressionModelDlg::OnAddEquation)
ON_COMMAND(ID_MODEL_ADD_EQUATION, &CRegressionModelDlg::OnAddEquation)
ON_BN_CLICKED(IDC_MODEL_NEW_CATEGORY, &CRegressionModelDlg::OnNewCategory)
ON_COMMAND(ID_MODEL_NEW_CATEGORY, &CRegressionModelDlg::OnNewCategory)
ON_BN_CLICKED(IDC_MODEL_RENAME, &CRegressionModelDlg::OnRename)
ON_COMMAND(ID_MODEL_RENAME, &CRegressionModelDlg::OnRename)
ON_BN_CLICKED(IDC_MODEL_REMOVE, &CRegressionModelDlg::OnRemove)
ON_COMMAND(ID_MODEL_REMOVE, &CRegressionModelDlg::OnRemove)
ON_BN_CLICKED(IDC_MODEL_SELECT, &CRegressionModelDlg::OnSelectModel)
ON_BN_CLICKED(IDC_MODEL_INITIAL_VALUES, &CRegressionModelDlg::OnInitialValues)
ON_COMMAND(ID_MODEL_ADD_TO_FAVORITES, &CRegressionModelDlg::OnAddToFavorites)
ON_BN_CLICKED(IDC_MODEL_HELP, &CRegressionModelDlg::OnHelp)
ON_WM_CONTEXTMENU()
ON_WM_CLOSE()
ON_WM_GETDLGCODE()
ON_MESSAGE(DM_SETDEFID, &CRegressionModelDlg::OnSetDefId)
END_MESSAGE_MAP()

CRegressionModelDlg::CRegressionModelDlg(const CModelLibrary& predefined, CModelLibrary& user,
                                         CModelCategory& favorites, CNonlinearFit& fit,
                                         CWnd* pParent)
    : CDialog(IDD_REGRESSION_MODEL, pParent), m_Predefined(predefined), m_User(user),
      m_Favorites(favorites), m_Fit(fit)
{
}

void CRegressionModelDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_MODEL_TREE, m_Tree);
}

BOOL CRegressionModelDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hPredefinedRoot = m_Tree.InsertItem("Pre-defined");
    FillTree(m_hPredefinedRoot, m_Predefined);
    m_hUserRoot = m_Tree.InsertItem("User-defined");
    FillTree(m_hUserRoot, m_User);
    m_Tree.Expand(m_hPredefinedRoot, TVE_EXPAND);
    m_Tree.Expand(m_hUserRoot, TVE_EXPAND);
    CreatePreview();
    if (CWnd* pSelect = GetDlgItem(IDC_MODEL_SELECT))
        pSelect->EnableWindow(FALSE);
    return TRUE;
}

void CRegressionModelDlg::FillTree(HTREEITEM hRoot, const CModelLibrary& library)
{
    for (int c = 0; c < library.GetCategoryCount(); ++c) {
        const CModelCategory& category = *library.GetCategory(c);
        const HTREEITEM hCategory = m_Tree.InsertItem(category.GetName(), hRoot);
        for (int m = 0; m < category.GetModelCount(); ++m)
            m_Tree.InsertItem(category.GetModelName(m), hCategory);
    }
}

void CRegressionModelDlg::CreatePreview()
{
    CPlotAxes& axes = m_PreviewPlot.m_axes;
    axes.m_nAxisType = AxisTypeFrame;
    axes.m_bShowTicks = FALSE;
    axes.m_bShowGrid = FALSE;
    axes.m_bShowArrows = FALSE;
    axes.m_bShowAxisNames = FALSE;
    m_PreviewPlot.m_bAutoFit = TRUE;
    m_PreviewPlot.m_pEngine = &m_Engine;
    m_PreviewPlot.AddFunctionFromText("y=x", -4, 4);
    CRect rect;
    if (CWnd* pHolder = GetDlgItem(IDC_MODEL_PREVIEW_HOLDER)) {
        pHolder->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    m_Preview.m_bInteractive = FALSE;
    m_Preview.Create(nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER, rect, this,
                     IDC_MODEL_PREVIEW);
    // A new child goes below its siblings: the group box around it would clip it away.
    m_Preview.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_Preview.SetPlot(&m_PreviewPlot);
}

CRegressionModelDlg::Place CRegressionModelDlg::Locate(HTREEITEM hItem) const
{
    Place place;
    const HTREEITEM hParent = hItem ? m_Tree.GetParentItem(hItem) : nullptr;
    if (!hParent)
        return place; // a root, or nothing
    const HTREEITEM hGrandparent = m_Tree.GetParentItem(hParent);
    const HTREEITEM hSide = hGrandparent ? hGrandparent : hParent;
    place.bUser = hSide == m_hUserRoot;
    const CModelLibrary& library = Library(place.bUser);
    if (hGrandparent) {
        if (library.FindModel(m_Tree.GetItemText(hParent), m_Tree.GetItemText(hItem),
                              place.nCategory, place.nModel))
            place.nKind = SelectionModel;
    } else if (library.FindCategory(m_Tree.GetItemText(hItem), place.nCategory)) {
        place.nKind = SelectionCategory;
    }
    return place;
}

const ModelRecord* CRegressionModelDlg::CurrentModel() const
{
    if (m_nKind != SelectionModel)
        return nullptr;
    return &Library(m_bUser).GetCategory(m_nCategory)->GetModel(m_nModel);
}

void CRegressionModelDlg::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    ShowSelection(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem);
    *pResult = 0;
}

void CRegressionModelDlg::ShowSelection(HTREEITEM hItem)
{
    m_hSelected = hItem;
    const Place place = Locate(hItem);
    m_nKind = place.nKind;
    m_bUser = place.bUser;
    m_nCategory = place.nCategory;
    m_nModel = place.nModel;
    const ModelRecord* model = CurrentModel();
    SetDlgItemText(IDC_MODEL_EQUATION, model ? model->strFormula : CString());
    SetDlgItemText(IDC_MODEL_DESCRIPTION, model ? model->strDescription : CString());
    if (model)
        ShowPreview(*model, m_bUser);
    EnableControls(model != nullptr, IsUserItem(), IsUserModel());
}

void CRegressionModelDlg::EnableControls(BOOL bModel, BOOL bUser, BOOL bUserModel)
{
    const struct {
        int nID;
        BOOL bEnable;
    } controls[] = {
        {IDC_MODEL_SELECT, bModel},          {IDC_MODEL_INITIAL_VALUES, bModel},
        {IDC_MODEL_RENAME, bUser},           {IDC_MODEL_ADD, bUser},
        {IDC_MODEL_REMOVE, bUser},           {IDC_MODEL_EQUATION, bUserModel},
        {IDC_MODEL_DESCRIPTION, bUserModel},
    };
    for (const auto& control : controls)
        if (CWnd* pControl = GetDlgItem(control.nID))
            pControl->EnableWindow(control.bEnable);
}

void CRegressionModelDlg::ShowPreview(const ModelRecord& model, BOOL bUser)
{
    if (bUser || model.strPreview.IsEmpty()) {
        SetDlgItemText(IDC_MODEL_PREVIEW_LABEL, kPreviewNotAvailable);
        m_Preview.ShowWindow(SW_HIDE);
        return;
    }
    CString expression;
    double xMin = 0, xMax = 0;
    if (!ReadModelPreview(model.strPreview, expression, xMin, xMax))
        return;
    SetDlgItemText(IDC_MODEL_PREVIEW_LABEL, "Preview:");
    m_PreviewPlot.GetItem(0)->SetDefinition(expression, CString(), GraphRectangular, xMin, xMax);
    m_Preview.Refresh(FALSE);
    m_Preview.ShowWindow(SW_SHOW);
    m_Preview.Invalidate();
}

void CRegressionModelDlg::OnSelChanging(NMHDR*, LRESULT* pResult)
{
    *pResult = ValidateModel() ? FALSE : TRUE;
}

BOOL CRegressionModelDlg::ValidateModel()
{
    if (!IsUserModel())
        return TRUE;
    CString equation, description;
    GetDlgItemText(IDC_MODEL_EQUATION, equation);
    const DialogVerdict verdict = CheckModelEquation(equation, IDC_MODEL_EQUATION);
    if (!verdict.IsAccepted()) {
        AfxMessageBox(verdict.strMessage, MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(IDC_MODEL_EQUATION));
        return FALSE;
    }
    equation.Trim();
    GetDlgItemText(IDC_MODEL_DESCRIPTION, description);
    description.Trim();
    m_User.SetFormula(m_nCategory, m_nModel, equation);
    m_User.SetDescription(m_nCategory, m_nModel, description);
    return TRUE;
}

void CRegressionModelDlg::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const Place place = Locate(reinterpret_cast<NMTVDISPINFOA*>(pNMHDR)->item.hItem);
    *pResult = place.nKind != SelectionNone && place.bUser ? FALSE : TRUE;
    m_bLabelEnded = FALSE;
}

void CRegressionModelDlg::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const TVITEMA& item = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR)->item;
    *pResult = FALSE;
    // The editor going away after the answer can end the same edit once more: answer once.
    if (m_bLabelEnded)
        return;
    m_bLabelEnded = TRUE;
    CString name = item.pszText ? item.pszText : "";
    name.Trim();
    const Place place = Locate(item.hItem);
    if (name.IsEmpty() || place.nKind == SelectionNone || !place.bUser)
        return;
    const BOOL bCategory = place.nKind == SelectionCategory;
    const BOOL bRenamed = bCategory ? m_User.RenameCategory(place.nCategory, name)
                                    : m_User.RenameModel(place.nCategory, place.nModel, name);
    if (!bRenamed) {
        AfxMessageBox(RenameRefusedText(bCategory, name), MB_OK | MB_ICONEXCLAMATION);
        // The editor cannot reopen while it is closing: once this notice is over.
        PostMessage(WM_COMMAND, ID_MODEL_RENAME);
        return;
    }
    // The item takes the trimmed name, not the text as typed.
    m_Tree.SetItemText(item.hItem, name);
}

void CRegressionModelDlg::OnRename()
{
    if (IsUserItem() && m_hSelected) {
        m_Tree.SetFocus();
        m_Tree.EditLabel(m_hSelected);
    }
}

void CRegressionModelDlg::AppendAndEdit(HTREEITEM hParent, const CString& name)
{
    const HTREEITEM hItem = m_Tree.InsertItem(name, hParent);
    m_Tree.Expand(hParent, TVE_EXPAND);
    m_Tree.SelectItem(hItem);
    // A refused change of selection (the model left behind is not valid) keeps it.
    if (m_Tree.GetSelectedItem() != hItem)
        return;
    m_Tree.SetFocus();
    m_Tree.EditLabel(hItem);
}

void CRegressionModelDlg::OnAddEquation()
{
    if (!IsUserItem())
        return;
    const HTREEITEM hCategory =
        m_nKind == SelectionCategory ? m_hSelected : m_Tree.GetParentItem(m_hSelected);
    const CString name = m_User.GetCategory(m_nCategory)->MakeUniqueModelName("New Equation");
    m_User.SetModel(m_nCategory, name, CString(), CString(), CString());
    AppendAndEdit(hCategory, name);
}

void CRegressionModelDlg::OnNewCategory()
{
    const CString name = m_User.MakeUniqueCategoryName("New Category ");
    m_User.AddCategory(name);
    AppendAndEdit(m_hUserRoot, name);
}

void CRegressionModelDlg::OnRemove()
{
    if (!IsUserItem() || !m_hSelected)
        return;
    const CString name = m_Tree.GetItemText(m_hSelected);
    const BOOL bModel = m_nKind == SelectionModel;
    const CString question = bModel ? "Delete equation " + name + " from the list?"
                                    : "This will delete category " + name +
                                          " and all the equations it contains.  "
                                          "Proceed?";
    if (MessageBox(question, bModel ? "Delete equation" : "Delete Category",
                   MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // Nothing is selected while the record goes, so leaving the item checks no stale model.
    const int category = m_nCategory, model = m_nModel;
    m_nKind = SelectionNone;
    if (bModel)
        m_User.GetCategory(category)->RemoveModel(model);
    else
        m_User.RemoveCategory(category);
    const HTREEITEM hRemoved = m_hSelected;
    m_hSelected = nullptr;
    m_Tree.DeleteItem(hRemoved);
    ShowSelection(m_Tree.GetSelectedItem());
}

BOOL CRegressionModelDlg::SetFitModel()
{
    const ModelRecord* model = CurrentModel();
    if (!model)
        return FALSE;
    if (const int code = m_Fit.SetModel(model->strFormula)) {
        AfxMessageBox(GetErrorText(code), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_Fit.SetModelName(model->strName);
    return TRUE;
}

void CRegressionModelDlg::OnSelectModel()
{
    if (!ValidateModel() || !SetFitModel())
        return;
    m_SelectedModel = *CurrentModel();
    EndDialog(IDOK);
}

void CRegressionModelDlg::OnInitialValues()
{
    if (!ValidateModel() || !SetFitModel())
        return;
    CInitialValuesDlg dlg(m_Fit, this);
    dlg.DoModal();
}

void CRegressionModelDlg::OnAddToFavorites()
{
    if (IsUserModel())
        AddFavoriteModel(m_Favorites, *CurrentModel());
}

void CRegressionModelDlg::OnHelp() { WinHelp(IDD_REGRESSION_MODEL); }

void CRegressionModelDlg::OnContextMenu(CWnd*, CPoint point)
{
    // The keyboard's menu key names no point: the selected item's.
    CPoint client = point;
    if (point.x == -1 && point.y == -1) {
        CRect rect;
        if (!m_hSelected || !m_Tree.GetItemRect(m_hSelected, &rect, TRUE))
            return;
        client = rect.CenterPoint();
        point = client;
        m_Tree.ClientToScreen(&point);
    } else {
        m_Tree.ScreenToClient(&client);
    }
    const HTREEITEM hItem = m_Tree.HitTest(client);
    const Place place = Locate(hItem);
    if (place.nKind == SelectionNone || !place.bUser)
        return;
    m_Tree.SelectItem(hItem);
    if (m_Tree.GetSelectedItem() != hItem)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_MODEL_CONTEXT))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(0))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CRegressionModelDlg::OnOK()
{
    // Enter outside the tree's label editor means the default button.
    OnSelectModel();
}

void CRegressionModelDlg::OnCancel()
{
    if (ValidateModel())
        EndDialog(IDCANCEL);
}

void CRegressionModelDlg::OnClose() { OnCancel(); }

UINT CRegressionModelDlg::OnGetDlgCode() { return kWantsTabAndAllKeys; }

LRESULT CRegressionModelDlg::OnSetDefId(WPARAM wParam, LPARAM)
{
    if (wParam == IDC_MODEL_PREVIEW)
        return 0;
    return Default();
}

BOOL CRegressionModelDlg::PreTranslateMessage(MSG* pMsg)
{
    // Enter and Escape in the label editor end the edit, not the dialog.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        if (CEdit* pEdit = m_Tree.GetSafeHwnd() ? m_Tree.GetEditControl() : nullptr;
            pEdit && pMsg->hwnd == pEdit->GetSafeHwnd()) {
            ::TranslateMessage(pMsg);
            ::DispatchMessageA(pMsg);
            return TRUE;
        }
    return CDialog::PreTranslateMessage(pMsg);
}
