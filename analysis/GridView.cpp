// The data view: creation, filling the grid from the document, the edit and options commands
// and the context menu.
#include "analysis/GridView.h"

#include "analysis/ItemType.h"
#include "framework/win/AfxState.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CDC.h"
#include "framework/win/CDocument.h"
#include "framework/win/CPropertySheet.h"
#include "framework/win/CWaitCursor.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/RegistryProfileStore.h"
#include "grid/CGridBtnCell.h"
#include "grid/CGridCell.h"
#include "grid/GridSettings.h"
#include "res/resource.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CGridView, CView)

BEGIN_MESSAGE_MAP(CGridView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CONTEXTMENU()
ON_WM_SETFOCUS()
ON_WM_INITMENUPOPUP()
ON_COMMAND(IDM_EDIT_COPY, &CGridView::OnEditCopy)
ON_COMMAND(IDM_EDIT_CUT, &CGridView::OnEditCut)
ON_COMMAND(IDM_EDIT_PASTE, &CGridView::OnEditPaste)
ON_UPDATE_COMMAND_UI(IDM_EDIT_COPY, &CGridView::OnUpdateEditCopy)
ON_UPDATE_COMMAND_UI(IDM_EDIT_CUT, &CGridView::OnUpdateEditCopy)
ON_UPDATE_COMMAND_UI(IDM_EDIT_PASTE, &CGridView::OnUpdateEditPaste)
ON_COMMAND(ID_GRID_OPTIONS, &CGridView::OnGridOptions)
ON_COMMAND(IDM_FILE_PRINT, &CView::OnFilePrint)
ON_COMMAND(ID_GRID_PRINT_PREVIEW, &CView::OnFilePrintPreview)
ON_NOTIFY(GridNotify::kEndEdit, CGridView::kGridId, &CGridView::OnEndEdit)
ON_NOTIFY(NM_CLICK, CGridView::kGridId, &CGridView::OnButtonClick)
ON_NOTIFY(GridNotify::kColumnResized, CGridView::kGridId, &CGridView::OnColumnResized)
END_MESSAGE_MAP()

namespace {

constexpr int kCalculateColumn = 3;
constexpr int kFirstCalculateRow = 3;
// The one push button of a "Calculate" cell: DFC_BUTTON drawn as DFCS_BUTTONPUSH.
constexpr BYTE kPushButtonType = 4;
constexpr WORD kPushButtonState = 0x10;

// The data view's grid as the project writes into it.
class ViewGridSink : public IGridFillSink {
public:
    explicit ViewGridSink(CDataGridCtrl& grid) : m_grid(grid) {}
    int GetRowCount() const override { return m_grid.GetRowCount(); }
    int GetColumnCount() const override { return m_grid.GetColumnCount(); }
    // The count whose change keeps the grid smaller goes first, so that the grid never holds
    // the larger of both sizes' cells at once.
    void SetSize(int rows, int columns) override
    {
        const long long rowsFirst = static_cast<long long>(m_grid.GetRowCount()) * columns;
        const long long columnsFirst = static_cast<long long>(m_grid.GetColumnCount()) * rows;
        if (rowsFirst >= columnsFirst) {
            m_grid.SetRowCount(rows);
            m_grid.SetColumnCount(columns);
        } else {
            m_grid.SetColumnCount(columns);
            m_grid.SetRowCount(rows);
        }
    }
    void SetColumnWidth(int column, int width) override
    {
        if (column < m_grid.GetColumnCount())
            m_grid.SetColumnWidth(column, width);
    }
    void SetText(int row, int column, const CString& text) override
    {
        m_grid.SetItemString(row, column, text);
    }

private:
    CDataGridCtrl& m_grid;
};

} // namespace

CGridView::CGridView()
{
    CRegistryProfileStore store;
    GridSettings settings;
    ReadGridSettings(store, settings);
    m_Options.bEditable = settings.nEditable != 0;
    m_Options.crBack = COLORREF(settings.nBackColor);
    m_Options.crEditable = COLORREF(settings.nEditableColor);
    m_Options.crText = COLORREF(settings.nTextColor);
}

CGridView::~CGridView() = default;

IDataViewDocument* CGridView::GetDataDocument() const
{
    return dynamic_cast<IDataViewDocument*>(GetDocument());
}

int CGridView::GetSelectedKind() const
{
    const IDataViewDocument* pDoc = GetDataDocument();
    return pDoc ? pDoc->GetSelectedKind() : ItemNone;
}

int CGridView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1 ||
        !m_Grid.Create(CRect(0, 0, 1, 1), this, kGridId, WS_CHILD | WS_VISIBLE))
        return -1;
    m_Grid.SetOwnerView(this);
    m_Grid.SetWysiwygPrinting(TRUE);
    m_Grid.SetTrackFocusCell(FALSE);
    m_Grid.SetRowCount(kGridDefaultRows);
    m_Grid.SetColumnCount(kGridDefaultColumns);
    m_Grid.SetFixedRowCount(1);
    m_Grid.SetFixedColumnCount(1);
    m_Grid.SetColumnWidth(0, kGridFixedColumnWidth);
    m_Grid.SetRowHeight(0, kGridFixedRowHeight);
    m_ButtonStore.SetGrid(&m_Grid);
    return 0;
}

void CGridView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    GetContextSubMenu(ItemNone);
    FillGrid();
}

void CGridView::OnDraw(CDC*) {}

BOOL CGridView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_LBUTTONDOWN)
        if (IDataViewDocument* pDoc = GetDataDocument())
            pDoc->HideTip();
    return CView::PreTranslateMessage(pMsg);
}

void CGridView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (nType != SIZE_RESTORED && nType != SIZE_MAXIMIZED)
        return;
    // The grid's own border lies outside the pane.
    if (m_Grid.GetSafeHwnd())
        m_Grid.MoveWindow(-2, -2, cx + 4, cy + 3);
    if (IDataViewDocument* pDoc = GetDataDocument())
        pDoc->StoreGridPaneSize(cx, cy);
}

void CGridView::FillGrid()
{
    if (!m_Grid.GetSafeHwnd())
        return;
    const CWaitCursor wait; // selecting an item of 100,000 rows fills as many cells
    IDataViewDocument* pDoc = GetDataDocument();
    const DataViewItemKey item = pDoc ? pDoc->GetSelectedItemKey() : DataViewItemKey();
    const BOOL bSameItem = item == m_ShownItem;
    m_ShownItem = item;
    m_MessageCells.clear();
    m_Grid.SetRedraw(FALSE);
    if (!bSameItem) {
        // A row or column chosen in the item shown before is no choice in this one.
        m_Grid.ResetSelectedRange();
        m_Grid.SetFocusCell(-1, -1);
    }
    ClearTexts();
    const int kind = pDoc ? pDoc->GetSelectedKind() : ItemNone;
    if (kind != ItemNone) {
        ViewGridSink sink(m_Grid);
        const GridFillShape shape = pDoc->FillDataView(sink, m_Options.bEditable);
        for (const RefusedCell& cell : shape.refusedCells)
            m_MessageCells[{cell.row, cell.column}] = cell.typed;
        SetCalculateButtons(kind == ItemSolverModel ? shape.nCalculateButtons : 0);
        ColourCells(*pDoc);
        m_Grid.SetRowHeight(0, kGridFixedRowHeight);
        m_Grid.SetColumnWidth(0, kGridFixedColumnWidth);
        if (shape.bRowNumbers)
            NumberRows();
        StretchLastColumn();
        CRect rect;
        m_Grid.GetWindowRect(&rect);
        m_Grid.PostMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
        // Marks left by earlier typing would make a later paste read those cells again.
        m_Grid.SetModified(FALSE);
    } else {
        SetCalculateButtons(0);
        // No cell of the item shown before may still look editable or chosen.
        if (pDoc)
            ColourCells(*pDoc);
        m_Grid.ResetSelectedRange();
        m_Grid.SetFocusCell(-1, -1);
    }
    m_Grid.SetRedraw(TRUE);
    if (!bSameItem)
        m_Grid.EnsureVisible(1, 1);
}

void CGridView::DropSelection()
{
    const CCellPos focus = m_Grid.GetFocusCell();
    m_Grid.ResetSelectedRange();
    if (m_Grid.IsValid(focus))
        m_Grid.SetFocusCell(focus);
}

void CGridView::ResizeGrid()
{
    if (IDataViewDocument* pDoc = GetDataDocument()) {
        ViewGridSink sink(m_Grid);
        pDoc->ResizeDataView(sink);
    }
}

void CGridView::ClearTexts()
{
    for (int row = 0; row < m_Grid.GetRowCount(); ++row)
        for (int column = 0; column < m_Grid.GetColumnCount(); ++column)
            if (CGridCellBase* pCell = m_Grid.GetCell(row, column))
                if (const char* text = pCell->GetText(); text && *text)
                    pCell->SetText("");
}

void CGridView::SetCalculateButtons(int count)
{
    m_nCalculateButtons = count;
    if (m_Grid.GetColumnCount() <= kCalculateColumn)
        return;
    for (int row = kFirstCalculateRow; row < m_Grid.GetRowCount(); ++row) {
        const BOOL bButton = row - kFirstCalculateRow < count;
        const BOOL bIsButton =
            dynamic_cast<CGridBtnCell*>(m_Grid.GetCell(row, kCalculateColumn)) != nullptr;
        if (bButton == bIsButton)
            continue;
        if (!bButton) {
            m_Grid.SetCellType(row, kCalculateColumn, RUNTIME_CLASS(CGridCell));
            continue;
        }
        m_Grid.SetCellType(row, kCalculateColumn, RUNTIME_CLASS(CGridBtnCell));
        auto* pCell = static_cast<CGridBtnCell*>(m_Grid.GetCell(row, kCalculateColumn));
        pCell->SetBtnDataBase(&m_ButtonStore);
        pCell->SetUpButton(0, kPushButtonType, kPushButtonState, 0, 0, FALSE, "Calculate");
    }
}

void CGridView::ColourCells(const IDataViewDocument& doc)
{
    CGridDefaultCell* pDefault = m_Grid.GetDefaultCell(FALSE, FALSE);
    pDefault->SetBackColour(m_Options.crBack);
    pDefault->SetTextColour(m_Options.crText);
    for (int row = 1; row < m_Grid.GetRowCount(); ++row)
        for (int column = 1; column < m_Grid.GetColumnCount(); ++column)
            m_Grid.SetItemBkColour(
                row, column, doc.IsCellEditable(row, column) ? m_Options.crEditable : CLR_DEFAULT);
}

void CGridView::ColourRows(const IDataViewDocument& doc, int row)
{
    for (int r = row; r <= row + 1 && r < m_Grid.GetRowCount(); ++r)
        for (int column = 1; column < m_Grid.GetColumnCount(); ++column)
            if (doc.IsCellEditable(r, column)) {
                m_Grid.SetItemBkColour(r, column, m_Options.crEditable);
                m_Grid.RedrawCell(r, column);
            }
}

void CGridView::NumberRows()
{
    const int last = m_Grid.GetRowCount() - 1;
    for (int row = 1; row <= last; ++row)
        m_Grid.SetItemInt(row, 0, row);
    if (last < 1)
        return;
    // The column fits its widest number, as measuring every row would make it, from the
    // widths of the ten digits: digits are not kerned, so a number is as wide as its digits.
    CClientDC dc(&m_Grid);
    CGridCellBase* pLast = m_Grid.GetCell(last, 0);
    CFont* pFont = pLast ? pLast->GetFontObject() : nullptr;
    CFont* pOldFont = pFont ? dc.SelectObject(pFont) : nullptr;
    int digits[10];
    for (int d = 0; d < 10; ++d)
        digits[d] = dc.GetTextExtent(CString(char('0' + d))).cx;
    if (pOldFont)
        dc.SelectObject(pOldFont);
    int widest = last, widestWidth = -1;
    for (int row = last; row >= 1; --row) {
        int width = 0;
        for (int n = row; n > 0; n /= 10)
            width += digits[n % 10];
        if (width > widestWidth) {
            widest = row;
            widestWidth = width;
        }
    }
    int columnWidth = 0;
    for (int row : {0, widest})
        if (CGridCellBase* pCell = m_Grid.GetCell(row, 0))
            columnWidth = std::max<int>(columnWidth, pCell->GetCellExtent(&dc).cx);
    m_Grid.SetColumnWidth(0, columnWidth);
}

void CGridView::StretchLastColumn()
{
    const int last = m_Grid.GetColumnCount() - 1;
    if (last < 0)
        return;
    CRect client;
    m_Grid.GetClientRect(&client);
    int total = 0;
    for (int column = 0; column <= last; ++column)
        total += m_Grid.GetColumnWidth(column);
    if (total < client.Width())
        m_Grid.SetColumnWidth(last, m_Grid.GetColumnWidth(last) + client.Width() - total);
}

// --- commands ------------------------------------------------------------------------------

void CGridView::OnEditCopy() { m_Grid.OnEditCopy(); }

// Copies, then empties the cells of a table, list or matrix; other items' cells keep their
// texts, which only typing changes.
void CGridView::OnEditCut() { m_Grid.OnEditCut(); }

void CGridView::OnEditPaste()
{
    IDataViewDocument* pDoc = GetDataDocument();
    if (!pDoc || !IsDataItemKind(pDoc->GetSelectedKind()))
        return;
    m_Grid.SetModified(FALSE);
    m_Grid.OnEditPaste();
    const PastedCells cells = CollectPastedCells(m_Grid.GetLastPasteRange());
    if (!cells.empty())
        pDoc->TakePastedCells(cells);
}

void CGridView::OnUpdateEditCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(GetSelectedKind() != ItemNone); }

void CGridView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsDataItemKind(GetSelectedKind()));
}

void CGridView::OnGridOptions()
{
    CRegistryProfileStore store;
    CGridOptionsPage page(&m_Options, &store, &m_Grid);
    CPropertySheet sheet("Options", this);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&page);
    if (sheet.DoModal() == IDOK)
        FillGrid();
}

// --- context menu --------------------------------------------------------------------------

CMenu* CGridView::GetContextSubMenu(int kind)
{
    if (!m_ContextMenu.GetSafeHmenu()) {
        if (!m_ContextMenu.LoadMenu(IDR_GRID_CONTEXT))
            return nullptr;
        m_ContextMenu.LoadToolBarImages(IDR_MAINFRAME);
    }
    return m_ContextMenu.GetSubMenu(ChooseGridContextMenu(kind));
}

CPoint CGridView::ContextMenuPoint(CPoint point)
{
    if (point.x != -1 || point.y != -1)
        return point;
    CRect cell;
    if (m_Grid.m_hWnd && m_Grid.IsValid(m_Grid.GetFocusCell()) &&
        m_Grid.GetCellRect(m_Grid.GetFocusCell(), &cell)) {
        CPoint below(cell.left, cell.bottom);
        m_Grid.ClientToScreen(&below);
        return below;
    }
    CPoint corner(5, 5);
    ClientToScreen(&corner);
    return corner;
}

// The pane reached with F6 hands the keyboard to its grid, which needs a cell to start from:
// the first one below and beside the headings. A click chooses its own cell: were that one
// already the focus cell, the click would open it for editing.
void CGridView::OnSetFocus(CWnd*)
{
    if (!m_Grid.m_hWnd)
        return;
    m_Grid.SetFocus();
    if (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0)
        return;
    const int row = m_Grid.GetFixedRowCount(), col = m_Grid.GetFixedColumnCount();
    if (!m_Grid.IsValid(m_Grid.GetFocusCell()) && m_Grid.IsValid(row, col))
        m_Grid.SetFocusCell(row, col);
}

void CGridView::OnContextMenu(CWnd*, CPoint point)
{
    const CPoint at = ContextMenuPoint(point);
    if (CMenu* pPopup = GetContextSubMenu(GetSelectedKind()))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, this);
}

// The main window's command states and owner drawing serve the context menu too.
void CGridView::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    if (CWnd* pMain = AfxGetMainWnd(); pMain && pMain != this)
        pMain->SendMessage(WM_INITMENUPOPUP, WPARAM(pPopupMenu->GetSafeHmenu()),
                           MAKELPARAM(nIndex, bSysMenu));
    else
        CView::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}
