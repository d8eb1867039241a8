#pragma once
#include "analysis/DataViewDocument.h"
#include "framework/win/CView.h"
#include "grid/CDataGridCtrl.h"
#include "grid/CGridBtnCellStore.h"
#include "grid/CGridOptionsPage.h"
#include "ui/OwnerDrawMenu.h"

#include <map>
#include <utility>

// The grid pane of the main window: the selected project item in a spreadsheet grid. The view
// fills, colours and sizes the grid from the document, hands typed, pasted and dropped cells
// and the "Calculate" buttons to it, keeps column widths and its own size in the document's
// layouts, and offers a context menu per kind of item. It keeps no copy of the item: every
// FillGrid rebuilds the grid from the document; a refill of the item shown keeps the user's
// place in the grid. A cell that answers a refused input with its message keeps that input
// for the next edit; a table's such cells come back with it. Sources: GridView.cpp (creation,
// filling, commands, context menu), GridViewNotify.cpp (the grid's notifications and owner
// questions).
class CGridView : public CView, public IGridOwnerView {
    DECLARE_DYNCREATE(CGridView)
public:
    static constexpr UINT kGridId = 115;

    // Reads the "Grid" settings.
    CGridView();
    ~CGridView() override;

    // Rebuilds the grid for the document's selected item, drawing once at the end. Another
    // item shows from its first cell with nothing selected and no focus cell; the same item
    // keeps the scroll position, the focus cell and the selection.
    void FillGrid();
    // The selected cells hold other entries after rows or columns went or came: the highlight
    // goes, the focus cell stays where the user left it.
    void DropSelection();
    CDataGridCtrl& GetGrid() { return m_Grid; }
    const GridViewOptions& GetOptions() const { return m_Options; }
    // New switch, colours and font from the Grid options page; the next fill shows them.
    void SetOptions(const GridViewOptions& options) { m_Options = options; }
    // The context menu's sub-menu for a kind, loaded on first use; null when it cannot load.
    CMenu* GetContextSubMenu(int kind);
    // Where a context menu opens: the point, or for the keyboard's (-1, -1) below the focus
    // cell (without one the client area's top-left corner plus (5, 5)), in screen coordinates.
    CPoint ContextMenuPoint(CPoint point);

    // --- what the grid asks of its owner ---------------------------------------------------
    // The document's rule; while a paste or drop writes, any cell of a table, list or matrix,
    // for the document to take what fits.
    BOOL IsCellEditable(int nRow, int nCol) override;
    // An empty text stands only when typed into a table, list or matrix (the document empties
    // the cell); a refusal's "#...!" never when pasted or dropped into a list or matrix, and
    // typed, the document answers it. A table takes every pasted or dropped field.
    BOOL ValidateEdit(int nRow, int nCol, LPCTSTR szText) override;
    // Over a cell that shows a message: what the user last typed there (empty when nothing),
    // never the message; otherwise the cell's text.
    CString GetEditText(int nRow, int nCol) override;
    BOOL CanAcceptDrop() override;
    void OnCellsDropped(const CCellBlock& block) override;
    // Cells of a table, list or matrix go to the document at once; a list's selection goes, as
    // its later values moved up under it. Other items leave them to the grid (FALSE).
    BOOL EmptyCells(const std::vector<CCellPos>& cells) override;

    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    // Printing is the grid's own, as on screen: bands of rows and strips of columns.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override { return DoPreparePrinting(pInfo); }
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_Grid.OnBeginPrinting(pDC, pInfo);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override { m_Grid.OnPrint(pDC, pInfo); }
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override { m_Grid.OnEndPrinting(pDC, pInfo); }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    IDataViewDocument* GetDataDocument() const;
    int GetSelectedKind() const;
    // The cells of block that the last paste or drop changed.
    PastedCells CollectPastedCells(const CCellBlock& block);
    // Clears every text without touching cell objects that hold none.
    void ClearTexts();
    // Rows 3, 4, ... of column 3: that many "Calculate" buttons, plain cells below.
    void SetCalculateButtons(int count);
    void ColourCells(const IDataViewDocument& doc);
    // Cells of rows row and row + 1 that an accepted edit made editable take the colour.
    void ColourRows(const IDataViewDocument& doc, int row);
    // Numbers the rows in the fixed column and fits the column to the widest number.
    void NumberRows();
    // The document's size rule again (the grid keeps 50 spare rows below the last entry).
    void ResizeGrid();
    void StretchLastColumn();

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnGridOptions();
    // Notifications of the grid (GridViewNotify.cpp).
    void OnEndEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnButtonClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnResized(NMHDR* pNMHDR, LRESULT* pResult);

    CDataGridCtrl m_Grid;
    CGridBtnCellStore m_ButtonStore; // the one button all "Calculate" cells show
    GridViewOptions m_Options;
    COwnerDrawMenu m_ContextMenu;
    int m_nCalculateButtons = 0;
    BOOL m_bCollecting = FALSE;  // a paste of the view's own is being written
    DataViewItemKey m_ShownItem; // the item the grid was last filled with
    // Cells that show a message instead of their entry, with what the user typed there.
    std::map<std::pair<int, int>, CString> m_MessageCells;

    DECLARE_MESSAGE_MAP()
};
