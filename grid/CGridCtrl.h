#pragma once
#include "framework/win/CWnd.h"
#include "framework/win/OleTypes.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CGridDropHandler.h"
#include "grid/CTitleTip.h"
#include "grid/GridAxis.h"
#include "grid/GridNotify.h"
#include "grid/GridPageBreaks.h"
#include "grid/SelectedCellSet.h"

#include <memory>
#include <vector>

class CCmdUI;
class CDC;
struct CPrintInfo;
class CImageList;
class COleDataObject;
class COleDataSource;

// A spreadsheet-like child window: rows of cell objects under fixed header rows and beside
// fixed header columns, with a focus cell, a selection, in-place editing, the clipboard, drag
// and drop between grids and sorting by a column. It tells its owner (or parent) window what
// happens through WM_NOTIFY records (GridNotify codes) and posts WM_COMMAND with its id after
// each left-button release over a cell.
//
// Text reaches a cell from the user only through ValidateAndModifyCellContents: the cell must
// be editable, the owner may veto (-105), the text is validated, and the owner hears of the
// change (-106) and may still refuse it; a refused change puts the old text back unmarked.
//
// In virtual mode the grid stores no cells: a display callback (or the owner, -150) fills in
// each cell when it is read, and each change is reported (-106 with the text) for the owner
// to keep.
//
// The class is split by concern: CGridCtrl.cpp (model, rows and columns, notifications),
// CGridCtrlDraw.cpp (painting, geometry, scrolling), CGridCtrlMouse.cpp (selection and mouse),
// CGridCtrlKeys.cpp (keys and in-place editing), CGridCtrlExchange.cpp (clipboard, drag and
// drop, sorting, header clicks).
class CGridCtrl : public CWnd {
    DECLARE_DYNCREATE(CGridCtrl)
public:
    explicit CGridCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0);
    ~CGridCtrl() override;

    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE);

    // --- Rows, columns and cells --------------------------------------------------------
    int GetRowCount() const { return m_rows.GetCount(); }
    int GetColumnCount() const { return m_cols.GetCount(); }
    int GetFixedRowCount() const { return m_rows.GetFixedCount(); }
    int GetFixedColumnCount() const { return m_cols.GetFixedCount(); }
    // Each answers FALSE when memory runs out; the grid then keeps what was built.
    BOOL SetRowCount(int nRows);
    BOOL SetColumnCount(int nCols);
    BOOL SetFixedRowCount(int nFixedRows);
    BOOL SetFixedColumnCount(int nFixedCols);

    int GetRowHeight(int nRow) const { return m_rows.GetSize(nRow); }
    int GetColumnWidth(int nCol) const { return m_cols.GetSize(nCol); }
    BOOL SetRowHeight(int nRow, int nHeight);
    BOOL SetColumnWidth(int nCol, int nWidth);
    int GetFixedRowHeight() const { return m_rows.GetFixedExtent(); }
    int GetFixedColumnWidth() const { return m_cols.GetFixedExtent(); }
    int GetVirtualWidth() const { return m_cols.GetTotal(); }
    int GetVirtualHeight() const { return m_rows.GetTotal(); }

    BOOL IsValid(int nRow, int nCol) const
    {
        return nRow >= 0 && nRow < GetRowCount() && nCol >= 0 && nCol < GetColumnCount();
    }
    BOOL IsValid(const CCellPos& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const CCellBlock& range) const
    {
        return range.IsValidIn(GetRowCount(), GetColumnCount());
    }

    // The cell at (nRow, nCol), or nullptr; in virtual mode the grid's transient cell.
    CGridCellBase* GetCell(int nRow, int nCol) const;
    CGridDefaultCell* GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const;
    BOOL SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass);
    BOOL SetDefaultCellType(CRuntimeClass* pRuntimeClass);

    // Writes a text and marks the cell and the grid modified (FALSE in virtual mode).
    BOOL SetItemText(int nRow, int nCol, LPCTSTR str);
    CString GetItemText(int nRow, int nCol) const;
    BOOL SetItemData(int nRow, int nCol, LPARAM lParam);
    LPARAM GetItemData(int nRow, int nCol) const;
    BOOL SetItemFormat(int nRow, int nCol, UINT nFormat);
    BOOL SetItemBkColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    BOOL SetItemFgColour(int nRow, int nCol, COLORREF cr = CLR_DEFAULT);
    UINT GetItemState(int nRow, int nCol) const;
    BOOL SetItemState(int nRow, int nCol, UINT state);

    BOOL DeleteAllItems();
    void ClearCells(CCellBlock range);
    // Suspends drawing (and scroll-bar updates) until allowed again, which repaints.
    void SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars = FALSE);
    void Refresh();
    void SetModified(BOOL bModified = TRUE, int nRow = -1, int nCol = -1);
    BOOL GetModified(int nRow = -1, int nCol = -1) const;

    // --- Switches -----------------------------------------------------------------------
    void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    BOOL IsEditable() const { return m_bEditable; }
    void EnableDragAndDrop(BOOL bAllow = TRUE) { m_bAllowDragAndDrop = bAllow; }
    BOOL GetDragAndDrop() const { return m_bAllowDragAndDrop; }
    void SetListMode(BOOL bEnableListMode = TRUE);
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL bSing = TRUE) { m_bSingleRowSelection = bSing; }
    void SetSingleColSelection(BOOL bSing = TRUE) { m_bSingleColSelection = bSing; }
    void EnableSelection(BOOL bEnable = TRUE);
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetFixedRowSelection(BOOL bSelect) { m_bFixedRowSelection = bSelect; }
    void SetFixedColumnSelection(BOOL bSelect) { m_bFixedColumnSelection = bSelect; }
    void SetHeaderSort(BOOL bSortOnClick = TRUE) { m_bSortOnClick = bSortOnClick; }
    void SetHandleTabKey(BOOL bHandleTab = TRUE) { m_bHandleTabKey = bHandleTab; }
    void SetDoubleBuffering(BOOL bBuffer = TRUE) { m_bDoubleBuffer = bBuffer; }
    void EnableTitleTips(BOOL bEnable = TRUE) { m_bTitleTips = bEnable; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    void SetGridLines(int nWhichLines = GVL_BOTH);
    int GetGridLines() const { return m_nGridLines; }
    void SetTrackFocusCell(BOOL bTrack) { m_bTrackFocusCell = bTrack; }
    BOOL GetTrackFocusCell() const { return m_bTrackFocusCell; }
    void SetFrameFocusCell(BOOL bFrame) { m_bFrameFocus = bFrame; }
    BOOL GetFrameFocusCell() const { return m_bFrameFocus; }
    void SetShadedPrintOut(BOOL bEnable = TRUE) { m_bShadedPrintOut = bEnable; }
    BOOL GetShadedPrintOut() const { return m_bShadedPrintOut; }
    void SetWysiwygPrinting(BOOL bEnable = TRUE) { m_bWysiwygPrinting = bEnable; }
    BOOL GetWysiwygPrinting() const { return m_bWysiwygPrinting; }
    void SetRowResize(BOOL bResize = TRUE) { m_bAllowRowResize = bResize; }
    void SetColumnResize(BOOL bResize = TRUE) { m_bAllowColumnResize = bResize; }
    void EnableHiddenColUnhide(BOOL bEnable = TRUE) { m_bHiddenColUnhide = bEnable; }
    void EnableHiddenRowUnhide(BOOL bEnable = TRUE) { m_bHiddenRowUnhide = bEnable; }
    void EnableColumnHide(BOOL bEnable = TRUE) { m_bAllowColHide = bEnable; }
    void EnableRowHide(BOOL bEnable = TRUE) { m_bAllowRowHide = bEnable; }
    void SetAutoSizeStyle(int nStyle = GVS_BOTH) { m_nAutoSizeColumnStyle = nStyle; }
    // The scroll bars shown now: 0x1 horizontal, 0x2 vertical.
    int GetScrollBarState() const { return m_nBarState; }

    COLORREF GetGridBkColor() const { return m_crGridBkColour; }
    void SetGridBkColor(COLORREF clr) { m_crGridBkColour = clr; }
    COLORREF GetGridLineColor() const { return m_crGridLineColour; }
    void SetGridLineColor(COLORREF clr) { m_crGridLineColour = clr; }
    void SetTitleTipBackClr(COLORREF clr = CLR_DEFAULT) { m_crTTipBackClr = clr; }
    void SetTitleTipTextClr(COLORREF clr = CLR_DEFAULT) { m_crTTipTextClr = clr; }
    void SetImageList(CImageList* pList) { m_pImageList = pList; }
    CImageList* GetImageList() const { return m_pImageList; }

    void SetVirtualMode(BOOL bVirtual);
    BOOL GetVirtualMode() const { return m_bVirtualMode; }
    void SetCallbackFunc(GridDisplayCallback pCallback, LPARAM lParam);

    void SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin, int nRightMargin,
                            int nTopMargin, int nBottomMargin, int nGap);
    void GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin,
                            int& nRightMargin, int& nTopMargin, int& nBottomMargin,
                            int& nGap) const;

    // --- Geometry, drawing and scrolling (CGridCtrlDraw.cpp) ----------------------------
    CCellPos GetTopleftNonFixedCell(BOOL bForceRecalculation = FALSE);
    CCellBlock GetVisibleNonFixedCellRange(LPRECT pRect = nullptr,
                                           BOOL bForceRecalculation = FALSE);
    BOOL GetCellOrigin(int nRow, int nCol, LPPOINT p);
    BOOL GetCellOrigin(const CCellPos& cell, LPPOINT p)
    {
        return GetCellOrigin(cell.row, cell.col, p);
    }
    BOOL GetCellRect(int nRow, int nCol, LPRECT pRect);
    BOOL GetCellRect(const CCellPos& cell, LPRECT pRect)
    {
        return GetCellRect(cell.row, cell.col, pRect);
    }
    CCellPos GetCellFromPt(CPoint point, BOOL bAllowFixedCellCheck = TRUE);
    BOOL IsCellVisible(int nRow, int nCol);
    BOOL IsCellVisible(const CCellPos& cell) { return IsCellVisible(cell.row, cell.col); }
    BOOL InvalidateCellRect(int nRow, int nCol);
    BOOL RedrawCell(int nRow, int nCol, CDC* pDC = nullptr);
    BOOL RedrawCell(const CCellPos& cell, CDC* pDC = nullptr)
    {
        return RedrawCell(cell.row, cell.col, pDC);
    }
    BOOL RedrawRow(int nRow);
    BOOL RedrawColumn(int nCol);
    void ResetScrollBars();
    void EnableScrollBars(int nBar, BOOL bEnable = TRUE);
    int GetScrollPos32(int nBar, BOOL bGetTrackPos = FALSE);
    BOOL SetScrollPos32(int nBar, int nPos, BOOL bRedraw = TRUE);
    void EnsureVisible(int nRow, int nCol);
    void EnsureVisible(const CCellPos& cell) { EnsureVisible(cell.row, cell.col); }
    BOOL AutoSizeColumn(int nCol, UINT nAutoSizeStyle = 0, BOOL bResetScroll = TRUE);
    BOOL AutoSizeRow(int nRow, BOOL bResetScroll = TRUE);
    virtual void OnDraw(CDC* pDC);

    // --- Selection (CGridCtrlMouse.cpp) -------------------------------------------------
    CCellPos GetFocusCell() const { return m_idCurrentCell; }
    CCellPos SetFocusCell(CCellPos cell);
    CCellPos SetFocusCell(int nRow, int nCol) { return SetFocusCell(CCellPos(nRow, nCol)); }
    void SetSelectedRange(const CCellBlock& range, BOOL bForceRepaint = FALSE,
                          BOOL bSelectCells = TRUE);
    void SetSelectedRange(int nMinRow, int nMinCol, int nMaxRow, int nMaxCol,
                          BOOL bForceRepaint = FALSE, BOOL bSelectCells = TRUE);
    void ResetSelectedRange();
    CCellBlock GetSelectedCellRange() const;
    int GetSelectedCount() const { return int(m_SelectedCellMap.GetCount()); }
    BOOL IsCellSelected(int nRow, int nCol) const;
    BOOL IsCellSelected(const CCellPos& cell) const { return IsCellSelected(cell.row, cell.col); }
    virtual BOOL IsCellEditable(int nRow, int nCol) const;
    BOOL IsCellEditable(const CCellPos& cell) const { return IsCellEditable(cell.row, cell.col); }
    void SelectAllCells();
    void SelectColumns(CCellPos currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectRows(CCellPos currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void SelectCells(CCellPos currentCell, BOOL bForceRedraw = FALSE, BOOL bSelectCells = TRUE);
    void OnSelecting(const CCellPos& currentCell);

    // --- Editing (CGridCtrlKeys.cpp) ----------------------------------------------------
    virtual void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar, GridEditStart start);
    virtual void OnEndEditCell(int nRow, int nCol, CString str);
    virtual BOOL ValidateEdit(int nRow, int nCol, LPCTSTR str);
    // The text an editor over the cell starts with: here the cell's own.
    virtual CString GetEditText(int nRow, int nCol) const { return GetItemText(nRow, nCol); }
    virtual void EndEditing();
    // The one guarded path of user text into a cell (see the class comment).
    virtual BOOL ValidateAndModifyCellContents(int nRow, int nCol, LPCTSTR strText);

    // --- Clipboard, drag and drop, sorting (CGridCtrlExchange.cpp) ----------------------
    // Empties the selected cells (EmptyCells) when the grid is editable.
    virtual void CutSelectedText();
    virtual COleDataSource* CopyTextFromGrid();
    virtual BOOL PasteTextToGrid(CCellPos cell, COleDataObject* pDataObject);
    virtual void OnBeginDrag();
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    // Pastes the drop at the cell under the drag; *pEffect narrows to a copy when some fields
    // were refused, so that the source keeps its cells.
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT* pEffect, CPoint point);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    // A paste or drop is writing its cells now.
    BOOL IsPasting() const { return m_bPasting; }
    // The block of cells the last paste or drop wrote (empty when it wrote none).
    CCellBlock GetLastPasteRange() const { return m_LastPasteRange; }

    using GridCompareFunc = int(CALLBACK*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    BOOL SortTextItems(int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItems(GridCompareFunc pfnCompare, int nCol, BOOL bAscending, LPARAM data = 0);
    BOOL SortItems(int nCol, BOOL bAscending, LPARAM data = 0);
    void SetSortColumn(int nCol);
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL GetSortAscending() const { return m_bAscending; }
    void SetCompareFunction(GridCompareFunc pfnCompare) { m_pfnCompare = pfnCompare; }
    // Text order of two cells (CGridCellBase* in the LPARAMs): byte order, 0 for a missing cell.
    static int CALLBACK CompareText(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

    // The focus cell drawn into an image list (the caller deletes it), for a drag image.
    virtual CImageList* CreateDragImage(CPoint* pHotSpot);
    virtual void OnFixedColumnClick(CCellPos& cell);
    virtual void OnFixedRowClick(CCellPos& cell);

    // --- Printing (CGridCtrlPrint.cpp) --------------------------------------------------
    // Prints every page: on the printer of pInfo (the job takes over its device context), or
    // on the printer chosen in the print dialog.
    void Print(CPrintInfo* pInfo = nullptr);
    // Lays the job out on the printer (pages across only when printing as on screen, else the
    // columns are scaled to the paper's width), prints the page pInfo names, ends the job.
    // Band and strip starts are computed once per job, so every page costs the same.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    // --- Notifications ------------------------------------------------------------------
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;
    LRESULT SendDisplayRequestToParent(GridDispInfo* pDisplayInfo) const;
    LRESULT SendCacheHintToParent(const CCellBlock& range) const;

    // Grid lines: none, horizontal, vertical, both.
    static constexpr int GVL_NONE = 0;
    static constexpr int GVL_HORZ = 1;
    static constexpr int GVL_VERT = 2;
    static constexpr int GVL_BOTH = 3;
    // Which rows auto-sizing measures: header rows, data rows.
    static constexpr int GVS_HEADER = 1;
    static constexpr int GVS_DATA = 2;
    static constexpr int GVS_BOTH = 3;

    // The paste or drop that would grow the grid too far: the user's message.
    static const char* const kPasteTooLarge;

protected:
    // The page's parts: one run of header-row cells (the rectangle moves along, the flag
    // draws a rule before the first cell), the header rows, the page header and footer in
    // pInfo's drawing rectangle, and the header columns of the page's rows.
    virtual void PrintFixedRowCells(int nStartColumn, int nStopColumn, int& row, CRect& rect,
                                    CDC* pDC, BOOL& bFirst);
    virtual void PrintColumnHeadings(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintHeader(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual void PrintRowButtons(CDC* pDC, CPrintInfo* pInfo);

    virtual CGridCellBase* CreateCell(int nRow, int nCol);
    virtual void DestroyCell(int nRow, int nCol);
    // Writes a text without marking anything modified: restoring refused edits, and the
    // program's own writes.
    BOOL SetItemTextUnmarked(int nRow, int nCol, LPCTSTR str);
    // The owner hears of a change: -106 with the text; its negative reply refuses it.
    LRESULT SendEndEditToParent(int nRow, int nCol, LPCTSTR str) const;
    // A paste or drop wrote the cells of range (drawn once afterwards).
    virtual void OnCellsPasted(const CCellBlock& range, BOOL bDropped);
    // The user empties cells (Delete, Cut, the source of a move): when the grid is editable,
    // each goes through ValidateAndModifyCellContents with "", and the grid is drawn once.
    virtual void EmptyCells(const std::vector<CCellPos>& cells);
    // The selected cells in rows and columns that show, in reading order.
    std::vector<CCellPos> GetSelectedShownCells() const;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // 5.101: window messages of the model.
    void OnSize(UINT nType, int cx, int cy);
    UINT OnGetDlgCode();
    void OnSysColorChange();
    void OnCaptureChanged(CWnd* pWnd);
    LRESULT OnSetFont(WPARAM hFont, LPARAM lParam);
    LRESULT OnGetFont(WPARAM hFont, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();
    // Drawing and scrolling.
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    // Mouse and keys.
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnTimer(UINT_PTR nIDEvent);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnImeChar(WPARAM wCharCode, LPARAM lParam);
    void OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult);
    // Edit commands.
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    void OnEditCutCommand() { OnEditCut(); }
    void OnEditCopyCommand() { OnEditCopy(); }
    void OnEditPasteCommand() { OnEditPaste(); }
    void OnEditSelectAllCommand() { OnEditSelectAll(); }

    DECLARE_MESSAGE_MAP()

    // Mouse modes.
    enum MouseMode {
        MOUSE_NOTHING = 0,
        MOUSE_SELECT_ALL = 1,
        MOUSE_SELECT_COL = 2,
        MOUSE_SELECT_ROW = 3,
        MOUSE_SELECT_CELLS = 4,
        MOUSE_OVER_ROW_DIVIDE = 6,
        MOUSE_SIZING_ROW = 7,
        MOUSE_OVER_COL_DIVIDE = 8,
        MOUSE_SIZING_COL = 9,
        MOUSE_PREPARE_EDIT = 10,
        MOUSE_PREPARE_DRAG = 11,
        MOUSE_DRAGGING = 12,
    };
    static constexpr UINT_PTR kAutoScrollTimer = 513;

    // The model.
    CGridAxis m_rows;                                   // row heights and the fixed-row count
    CGridAxis m_cols;                                   // column widths and the fixed-column count
    std::vector<std::vector<CGridCellBase*>> m_RowData; // the grid owns every cell
    CRuntimeClass* m_pRtcDefault;
    mutable CGridDefaultCell m_cellDefault, m_cellFixedColDef, m_cellFixedRowDef,
        m_cellFixedRowColDef;

    // Colours.
    COLORREF m_crGridBkColour, m_crGridLineColour;
    COLORREF m_crWindowText, m_crWindowColour, m_cr3DFace, m_crShadow;
    COLORREF m_crTTipBackClr = CLR_DEFAULT, m_crTTipTextClr = CLR_DEFAULT;

    // Virtual mode.
    BOOL m_bVirtualMode = FALSE;
    LPARAM m_lParam = 0;
    GridDisplayCallback m_pfnCallback = nullptr;
    mutable std::unique_ptr<CGridCellBase> m_pTransientCell;

    // Switches.
    int m_nGridLines = GVL_BOTH;
    BOOL m_bEditable = TRUE, m_bModified = FALSE, m_bAllowDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE, m_bSingleRowSelection = FALSE, m_bSingleColSelection = FALSE;
    BOOL m_bAllowDraw = TRUE, m_bEnableSelection = TRUE;
    BOOL m_bFixedRowSelection = TRUE, m_bFixedColumnSelection = TRUE, m_bSortOnClick = FALSE;
    BOOL m_bHandleTabKey = TRUE, m_bDoubleBuffer = TRUE, m_bTitleTips = TRUE;
    int m_nBarState = 0;
    BOOL m_bResettingBars = FALSE;
    BOOL m_bWysiwygPrinting = FALSE, m_bShadedPrintOut = TRUE, m_bFrameFocus = TRUE;
    BOOL m_bHiddenColUnhide = TRUE, m_bHiddenRowUnhide = TRUE;
    BOOL m_bAllowColHide = TRUE, m_bAllowRowHide = TRUE;
    BOOL m_bTrackFocusCell = TRUE;
    int m_nAutoSizeColumnStyle = GVS_BOTH;

    int m_nVScrollMax = 0, m_nHScrollMax = 0;
    CImageList* m_pImageList = nullptr;

    // Mouse and focus.
    int m_MouseMode = MOUSE_NOTHING;
    BOOL m_bLMouseButtonDown = FALSE;
    CPoint m_LeftClickDownPoint, m_LastMousePoint;
    CCellPos m_LeftClickDownCell, m_SelectionStartCell, m_idCurrentCell, m_idTopLeftCell;
    UINT_PTR m_nTimerID = 0;
    int m_nTimerInterval = 25;
    int m_nResizeCaptureRange = 3;
    BOOL m_bAllowRowResize = TRUE, m_bAllowColumnResize = TRUE;
    UINT m_nRowsPerWheelNotch = 3;

    CSelectedCellSet m_SelectedCellMap, m_PrevSelectedCellMap;
    CTitleTip m_TitleTip;
    CCellPos m_LastDragOverCell;
    CGridDropHandler m_DropTarget;

    // Sorting.
    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;
    GridCompareFunc m_pfnCompare = nullptr;

    // Print margins in character units (header, footer, left, right, top, bottom, gap).
    int m_nHeaderHeight = 2, m_nFooterHeight = 2, m_nLeftMargin = 4, m_nRightMargin = 4;
    int m_nTopMargin = 1, m_nBottomMargin = 1, m_nGap = 1;
    // The print job: its font, the printer font's character size, the page in grid units, the
    // printable paper in printer pixels, the room for data rows and columns, the page being
    // printed and where the job's pages break.
    CFont m_PrinterFont;
    CSize m_CharSize;
    int m_nPageHeight = 0;
    CSize m_LogicalPageSize;
    CSize m_PaperSize;
    int m_nPageWidth = 0;
    int m_nCurrPrintRow = 0, m_nCurrPrintCol = 0;
    int m_nNumPages = 0;
    int m_nPageMultiplier = 1; // pages across: strips of columns per band of rows
    CGridPageBreaks m_PageBreaks;
    GridPageRange m_PrintPage;

    // A paste or drop in progress: cells change without -106 notices (outside virtual mode).
    BOOL m_bPasting = FALSE;
    // Many cells change at once: one refresh at the end instead of a redraw per cell.
    BOOL m_bDeferRedraw = FALSE;

private:
    static void RegisterWindowClass();
    void InitialiseWindow();
    void InitDefaultCells();
    static UINT ReadRowsPerWheelNotch();
    void GrowRows(int nRows);
    void GrowColumns(int nCols);
    void MarkFixed(BOOL bRows, int nFrom, int nTo, BOOL bFixed);
    void FillTransientCell(int nRow, int nCol) const;
    // Drawing helpers.
    void EraseBkgnd(CDC* pDC);
    void DrawCells(CDC* pDC, const CRect& clipRect);
    void DrawGridLines(CDC* pDC, const CRect& visibleRect, const CCellBlock& visible);
    void ScrollLines(int nBar, UINT nSBCode);
    void ScrollOneLine(int nBar, BOOL bDown, const CRect& scrolled);
    BOOL FitToCells(BOOL bColumn, int nIndex, const CCellBlock& block, BOOL bResetScroll);
    // Mouse helpers.
    BOOL MouseOverRowResizeArea(CPoint point);
    BOOL MouseOverColumnResizeArea(CPoint point);
    CPoint GetPointClicked(int nRow, int nCol, const CPoint& point);
    BOOL PressCell(UINT nFlags, CPoint point, const CCellPos& down);
    void BeginSelecting(UINT nFlags, const CCellPos& down);
    void TrackMouseAction(CPoint point);
    void StartSizing(CPoint point);
    void EndSizing(CPoint point);
    void InvertResizeMarker(int nPos, BOOL bColumn);
    void ShowTitleTip(CPoint point);
    void SelectRange(const CCellBlock& range, CDC* pDC, BOOL bSelectCells);
    void RedrawOrInvalidate(int nRow, int nCol, CDC* pDC);
    // Key helpers.
    struct KeyStep {
        CCellPos next;
        BOOL bChangeLine = FALSE; // Tab wrapped to another row
        BOOL bHorzScroll = FALSE; // the key scrolled: the bars hear of the end
        BOOL bVertScroll = FALSE;
    };
    BOOL HandleEditShortcut(UINT nChar);
    BOOL StepForKey(UINT nChar, BOOL bShift, KeyStep& step);
    void MoveFocusForKey(UINT nChar, BOOL bShift, KeyStep step);
    BOOL MoveFocusByPage(UINT nChar, CCellPos& next);
    // Exchange helpers.
    void GrowToFit(int nRows, int nCols);
    void ShowPasteTooLarge() const;
    int SortRows(GridCompareFunc pfnCompare, int nCol, BOOL bAscending, LPARAM data, int nLow,
                 int nHigh);
    void SwapRows(int nRow1, int nRow2);
    // Print helpers.
    void PrintCells(CDC* pDC);
    void PrintRules(CDC* pDC, const CRect& rect, int nRow, int nCol, int nTop) const;
    void PrintNextCell(CDC* pDC, int nRow, int nCol, int nWidth, int nRight, CRect& rect,
                       int nRuleTop);
    CString PrintedTitle() const;

    // What the last paste did: whether some field was refused, and the cells it wrote.
    BOOL m_bLastPastePartial = FALSE;
    CCellBlock m_LastPasteRange;

    friend class CGridCellBase;
    friend class CGridDropHandler;
};
