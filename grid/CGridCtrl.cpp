// The grid's model: construction and window, rows, columns and cells, virtual mode and the
// notifications to the owner.
#include "grid/CGridCtrl.h"

#include "framework/core/Exceptions.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/COleDataSource.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/MessageCrackers.h"
#include "grid/CGridCell.h"

#include <cstdlib>
#include <new>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

namespace {

constexpr const char* kGridClassName = "MFCGridCtrl";

// OLE serves the clipboard and drag and drop. Without it the grid still works, and the user
// hears of it once.
void InitialiseOle()
{
    static BOOL s_bTold = FALSE;
    if (AfxOleInit() || s_bTold)
        return;
    s_bTold = TRUE;
    AfxMessageBox("OLE initialization failed. Make sure that the OLE libraries are the correct "
                  "version");
}

} // namespace

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_GETDLGCODE()
ON_WM_SYSCOLORCHANGE()
ON_WM_CAPTURECHANGED()
ON_WM_DESTROY()
ON_MESSAGE(WM_SETFONT, &CGridCtrl::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CGridCtrl::OnGetFont)
ON_MESSAGE(WM_PRINTCLIENT, &CGridCtrl::OnPrintClient)
ON_MESSAGE(WM_IME_CHAR, &CGridCtrl::OnImeChar)
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONUP()
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_NOTIFY(GridNotify::kEndEdit, IDC_GRID_INPLACE_EDIT, &CGridCtrl::OnEndInPlaceEdit)
ON_COMMAND(ID_EDIT_COPY, &CGridCtrl::OnEditCopyCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CGridCtrl::OnUpdateEditCopy)
ON_COMMAND(ID_EDIT_CUT, &CGridCtrl::OnEditCutCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CGridCtrl::OnUpdateEditCut)
ON_COMMAND(ID_EDIT_PASTE, &CGridCtrl::OnEditPasteCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CGridCtrl::OnUpdateEditPaste)
ON_COMMAND(ID_EDIT_SELECT_ALL, &CGridCtrl::OnEditSelectAllCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &CGridCtrl::OnUpdateEditSelectAll)
END_MESSAGE_MAP()

const char* const CGridCtrl::kPasteTooLarge =
    "The clipboard text is too large to paste into the grid.";

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
    : m_pRtcDefault(RUNTIME_CLASS(CGridCell)), m_crGridLineColour(RGB(192, 192, 192)),
      m_crWindowText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_crWindowColour(::GetSysColor(COLOR_WINDOW)), m_cr3DFace(::GetSysColor(COLOR_3DFACE)),
      m_crShadow(::GetSysColor(COLOR_3DSHADOW))
{
    m_nRowsPerWheelNotch = ReadRowsPerWheelNotch();
    InitialiseOle();
    RegisterWindowClass();
    InitDefaultCells();
    m_crGridBkColour = m_crShadow;
    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
    SetTitleTipTextClr(CLR_DEFAULT);
    SetTitleTipBackClr(CLR_DEFAULT);
    SetPrintMarginInfo(2, 2, 4, 4, 1, 1, 1);
}

CGridCtrl::~CGridCtrl()
{
    m_pfnCallback = nullptr; // the data behind a virtual grid may be gone already
    DeleteAllItems();
    if (m_bTitleTips && ::IsWindow(m_TitleTip.m_hWnd))
        m_TitleTip.DestroyWindow();
    DestroyWindow();
    // Text this program put on the clipboard must outlive the program's objects.
    COleDataSource::FlushClipboard();
}

UINT CGridCtrl::ReadRowsPerWheelNotch()
{
    UINT nLines = 3;
    if (::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0))
        return nLines;
    nLines = 3;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &hKey) ==
        ERROR_SUCCESS) {
        char szData[128] = {};
        DWORD dwSize = sizeof(szData) - 1;
        DWORD dwType = 0;
        if (::RegQueryValueExA(hKey, "WheelScrollLines", nullptr, &dwType,
                               reinterpret_cast<LPBYTE>(szData), &dwSize) == ERROR_SUCCESS)
            nLines = UINT(std::strtoul(szData, nullptr, 10));
        ::RegCloseKey(hKey);
    }
    return nLines;
}

void CGridCtrl::RegisterWindowClass()
{
    WNDCLASSA wndcls{};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (::GetClassInfoA(hInst, kGridClassName, &wndcls))
        return;
    wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = hInst;
    wndcls.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wndcls.hbrBackground = HBRUSH(COLOR_3DFACE + 1);
    wndcls.lpszClassName = kGridClassName;
    if (!::RegisterClassA(&wndcls))
        throw CResourceException("grid window class");
}

void CGridCtrl::InitDefaultCells()
{
    CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                 &m_cellFixedRowColDef};
    for (CGridDefaultCell* pCell : cells) {
        pCell->SetGrid(this);
        pCell->SetTextColour(m_crWindowText);
        pCell->SetBackColour(pCell == &m_cellDefault ? m_crWindowColour : m_cr3DFace);
    }
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    if (!CWnd::Create(kGridClassName, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    for (int i = 0; i < GetRowCount(); ++i)
        m_rows.SetSize(i, m_cellDefault.GetHeight());
    for (int i = 0; i < GetColumnCount(); ++i)
        m_cols.SetSize(i, m_cellDefault.GetWidth());
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return CWnd::PreCreateWindow(cs);
}

void CGridCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    InitialiseWindow();
}

void CGridCtrl::InitialiseWindow()
{
    m_TitleTip.SetParentWnd(this);
    // A dialog item subclassed as a grid gets the sunken edge of a grid made by Create.
    if (::IsWindow(m_hWnd) && !(GetExStyle() & WS_EX_CLIENTEDGE))
        ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
}

// --- Notifications -------------------------------------------------------------------------

LRESULT CGridCtrl::SendMessageToParent(int nRow, int nCol, int nMessage) const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    GridNotifyInfo nmgv{};
    nmgv.hdr.hwndFrom = m_hWnd;
    nmgv.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    nmgv.hdr.code = UINT(nMessage);
    nmgv.iRow = nRow;
    nmgv.iColumn = nCol;
    CWnd* pOwner = GetOwner();
    if (!pOwner || !::IsWindow(pOwner->m_hWnd))
        return 0;
    return pOwner->SendMessage(WM_NOTIFY, nmgv.hdr.idFrom, LPARAM(&nmgv));
}

LRESULT CGridCtrl::SendDisplayRequestToParent(GridDispInfo* pDisplayInfo) const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    pDisplayInfo->hdr.hwndFrom = m_hWnd;
    pDisplayInfo->hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    pDisplayInfo->hdr.code = UINT(GridNotify::kGetDispInfo);
    CWnd* pOwner = GetOwner();
    if (!pOwner || !::IsWindow(pOwner->m_hWnd))
        return 0;
    return pOwner->SendMessage(WM_NOTIFY, pDisplayInfo->hdr.idFrom, LPARAM(pDisplayInfo));
}

LRESULT CGridCtrl::SendCacheHintToParent(const CCellBlock& range) const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    GridCacheHint hint{};
    hint.hdr.hwndFrom = m_hWnd;
    hint.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    hint.hdr.code = UINT(GridNotify::kCacheHint);
    hint.range = range;
    CWnd* pOwner = GetOwner();
    if (!pOwner || !::IsWindow(pOwner->m_hWnd))
        return 0;
    return pOwner->SendMessage(WM_NOTIFY, hint.hdr.idFrom, LPARAM(&hint));
}

LRESULT CGridCtrl::SendEndEditToParent(int nRow, int nCol, LPCTSTR str) const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    GridDispInfo dispinfo{};
    dispinfo.hdr.hwndFrom = m_hWnd;
    dispinfo.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    dispinfo.hdr.code = UINT(GridNotify::kEndEdit);
    dispinfo.item.mask = ItemMask::kText;
    dispinfo.item.row = nRow;
    dispinfo.item.col = nCol;
    dispinfo.item.strText = str;
    CWnd* pOwner = GetOwner();
    if (!pOwner || !::IsWindow(pOwner->m_hWnd))
        return 0;
    return pOwner->SendMessage(WM_NOTIFY, dispinfo.hdr.idFrom, LPARAM(&dispinfo));
}

// --- Rows and columns ----------------------------------------------------------------------

BOOL CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return FALSE;
    if (nRows == GetRowCount())
        return TRUE;
    m_idTopLeftCell.row = -1;
    if (nRows < GetFixedRowCount())
        m_rows.SetFixedCount(nRows);
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);

    BOOL bResult = TRUE;
    if (nRows < GetRowCount()) {
        if (!m_bVirtualMode) {
            for (int nRow = nRows; nRow < GetRowCount(); ++nRow)
                for (int nCol = 0; nCol < GetColumnCount(); ++nCol)
                    DestroyCell(nRow, nCol);
            m_RowData.resize(std::size_t(nRows));
        }
        m_rows.Resize(nRows, 0);
    } else {
        try {
            GrowRows(nRows);
        } catch (const std::bad_alloc&) {
            bResult = FALSE; // the rows built so far stay
        } catch (const CMemoryException&) {
            bResult = FALSE;
        }
    }
    SetModified(TRUE, -1, -1);
    ResetScrollBars();
    Refresh();
    return bResult;
}

// Adds rows one by one, each complete before the count grows, so a failure leaves a grid
// whose every row is whole.
void CGridCtrl::GrowRows(int nRows)
{
    const int nHeight = m_cellDefault.GetHeight();
    if (m_bVirtualMode) {
        m_rows.Resize(nRows, nHeight);
        return;
    }
    m_RowData.reserve(std::size_t(nRows));
    while (GetRowCount() < nRows) {
        const int nRow = GetRowCount();
        std::vector<CGridCellBase*> row(std::size_t(GetColumnCount()), nullptr);
        try {
            for (int nCol = 0; nCol < GetColumnCount(); ++nCol)
                row[std::size_t(nCol)] = CreateCell(nRow, nCol);
            m_RowData.push_back(row);
            m_rows.Resize(nRow + 1, nHeight);
        } catch (...) {
            for (CGridCellBase* pCell : row)
                delete pCell;
            if (int(m_RowData.size()) > nRow)
                m_RowData.resize(std::size_t(nRow));
            throw;
        }
    }
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == GetColumnCount())
        return TRUE;
    m_idTopLeftCell.col = -1;
    if (nCols < GetFixedColumnCount())
        m_cols.SetFixedCount(nCols);
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);

    BOOL bResult = TRUE;
    if (nCols < GetColumnCount()) {
        if (!m_bVirtualMode) {
            for (int nRow = 0; nRow < GetRowCount(); ++nRow) {
                for (int nCol = nCols; nCol < GetColumnCount(); ++nCol)
                    DestroyCell(nRow, nCol);
                m_RowData[std::size_t(nRow)].resize(std::size_t(nCols));
            }
        }
        m_cols.Resize(nCols, 0);
    } else {
        try {
            GrowColumns(nCols);
        } catch (const std::bad_alloc&) {
            bResult = FALSE;
        } catch (const CMemoryException&) {
            bResult = FALSE;
        }
    }
    SetModified(TRUE, -1, -1);
    ResetScrollBars();
    Refresh();
    return bResult;
}

// Adds columns one by one across every row; a failure removes the half-built column.
void CGridCtrl::GrowColumns(int nCols)
{
    const int nWidth = m_cellFixedColDef.GetWidth();
    if (m_bVirtualMode) {
        m_cols.Resize(nCols, nWidth);
        return;
    }
    for (auto& row : m_RowData)
        row.reserve(std::size_t(nCols));
    while (GetColumnCount() < nCols) {
        const int nCol = GetColumnCount();
        int nRow = 0;
        try {
            for (; nRow < GetRowCount(); ++nRow)
                m_RowData[std::size_t(nRow)].push_back(CreateCell(nRow, nCol));
            m_cols.Resize(nCol + 1, nWidth);
        } catch (...) {
            for (int i = 0; i < nRow; ++i) {
                delete m_RowData[std::size_t(i)].back();
                m_RowData[std::size_t(i)].pop_back();
            }
            throw;
        }
    }
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (nFixedRows == GetFixedRowCount())
        return TRUE;
    ResetSelectedRange();
    m_idTopLeftCell.row = -1;
    if (nFixedRows > GetRowCount() && !SetRowCount(nFixedRows))
        return FALSE;
    if (m_idCurrentCell.row < nFixedRows)
        SetFocusCell(-1, -1);
    if (!m_bVirtualMode) {
        const int nOld = GetFixedRowCount();
        if (nFixedRows > nOld)
            MarkFixed(TRUE, nOld, nFixedRows, TRUE);
        else
            MarkFixed(TRUE, nFixedRows, nOld, FALSE);
    }
    m_rows.SetFixedCount(nFixedRows);
    Refresh();
    return TRUE;
}

// The cells of rows (bRows) or columns nFrom..nTo-1 become header cells, or stop being ones;
// a cell that stays in a header of the other kind stays fixed. Colours return to the region's.
void CGridCtrl::MarkFixed(BOOL bRows, int nFrom, int nTo, BOOL bFixed)
{
    const DWORD nBit = bRows ? CellState::kFixedRow : CellState::kFixedCol;
    const int nAcross = bRows ? GetColumnCount() : GetRowCount();
    const int nAcrossFixed = bRows ? GetFixedColumnCount() : GetFixedRowCount();
    for (int i = nFrom; i < nTo; ++i) {
        for (int j = 0; j < nAcross; ++j) {
            const int nRow = bRows ? i : j;
            const int nCol = bRows ? j : i;
            const UINT state = GetItemState(nRow, nCol);
            if (bFixed) {
                SetItemState(nRow, nCol, state | CellState::kFixed | nBit);
            } else if (j < nAcrossFixed) {
                SetItemState(nRow, nCol, state & ~nBit);
                continue;
            } else {
                SetItemState(nRow, nCol, state & ~(CellState::kFixed | nBit));
            }
            SetItemBkColour(nRow, nCol, CLR_DEFAULT);
            SetItemFgColour(nRow, nCol, CLR_DEFAULT);
        }
    }
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return FALSE;
    if (nFixedCols == GetFixedColumnCount())
        return TRUE;
    if (nFixedCols > GetColumnCount() && !SetColumnCount(nFixedCols))
        return FALSE;
    if (m_idCurrentCell.col < nFixedCols)
        SetFocusCell(-1, -1);
    ResetSelectedRange();
    m_idTopLeftCell.col = -1;
    if (!m_bVirtualMode) {
        const int nOld = GetFixedColumnCount();
        if (nFixedCols > nOld)
            MarkFixed(FALSE, nOld, nFixedCols, TRUE);
        else
            MarkFixed(FALSE, nFixedCols, nOld, FALSE);
    }
    m_cols.SetFixedCount(nFixedCols);
    Refresh();
    return TRUE;
}

BOOL CGridCtrl::SetRowHeight(int nRow, int nHeight)
{
    if (!m_rows.IsValid(nRow) || nHeight < 0)
        return FALSE;
    m_rows.SetSize(nRow, nHeight);
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int nWidth)
{
    if (!m_cols.IsValid(nCol) || nWidth < 0)
        return FALSE;
    m_cols.SetSize(nCol, nWidth);
    ResetScrollBars();
    return TRUE;
}

// --- Cells ---------------------------------------------------------------------------------

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (!m_pRtcDefault || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return nullptr;
    auto* pCell = static_cast<CGridCellBase*>(m_pRtcDefault->CreateObject());
    if (!pCell)
        return nullptr;
    pCell->SetGrid(this);
    pCell->SetCoords(nRow, nCol);
    DWORD state = pCell->GetState();
    if (nCol < GetFixedColumnCount())
        state |= CellState::kFixed | CellState::kFixedCol;
    if (nRow < GetFixedRowCount())
        state |= CellState::kFixed | CellState::kFixedRow;
    pCell->SetState(state);
    pCell->SetFormat(pCell->GetDefaultCell()->GetFormat());
    return pCell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    SetItemState(nRow, nCol, 0); // out of the selection first
    CGridCellBase*& pCell = m_RowData[std::size_t(nRow)][std::size_t(nCol)];
    delete pCell;
    pCell = nullptr;
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (!IsValid(nRow, nCol))
        return nullptr;
    if (m_bVirtualMode) {
        FillTransientCell(nRow, nCol);
        return m_pTransientCell.get();
    }
    if (std::size_t(nRow) >= m_RowData.size() ||
        std::size_t(nCol) >= m_RowData[std::size_t(nRow)].size())
        return nullptr;
    return m_RowData[std::size_t(nRow)][std::size_t(nCol)];
}

// Virtual mode: the grid's one transient cell, filled for (nRow, nCol) by the callback or by
// the owner.
void CGridCtrl::FillTransientCell(int nRow, int nCol) const
{
    if (!m_pTransientCell)
        m_pTransientCell = std::make_unique<CGridCell>();
    const BOOL bFixedRow = nRow < GetFixedRowCount();
    const BOOL bFixedCol = nCol < GetFixedColumnCount();
    const CGridDefaultCell* pDefault = GetDefaultCell(bFixedRow, bFixedCol);

    GridDispInfo dispinfo{};
    GridItemInfo& item = dispinfo.item;
    item.row = nRow;
    item.col = nCol;
    item.mask = ItemMask::kAll;
    item.nFormat = pDefault->GetFormat();
    item.iImage = pDefault->GetImage();
    item.crBkClr = pDefault->GetBackColour();
    item.crFgClr = pDefault->GetTextColour();
    item.lParam = pDefault->GetData();
    if (const LOGFONTA* plf = pDefault->GetFont())
        item.lfFont = *plf;
    item.nMargin = pDefault->GetMargin();
    if (m_SelectedCellMap.Contains(nRow, nCol))
        item.nState |= CellState::kSelected;
    if (bFixedRow)
        item.nState |= CellState::kFixed | CellState::kFixedRow;
    if (bFixedCol)
        item.nState |= CellState::kFixed | CellState::kFixedCol;
    if (CCellPos(nRow, nCol) == m_idCurrentCell)
        item.nState |= CellState::kFocused;

    if (m_pfnCallback)
        m_pfnCallback(&dispinfo, m_lParam);
    else
        SendDisplayRequestToParent(&dispinfo);

    CGridCellBase* pCell = m_pTransientCell.get();
    pCell->SetState(item.nState);
    pCell->SetFormat(item.nFormat);
    pCell->SetImage(item.iImage);
    pCell->SetData(item.lParam);
    pCell->SetBackColour(item.crBkClr);
    pCell->SetTextColour(item.crFgClr);
    pCell->SetFont(&item.lfFont);
    pCell->SetMargin(item.nMargin);
    pCell->SetText(item.strText);
    pCell->SetGrid(const_cast<CGridCtrl*>(this));
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const
{
    if (bFixedRow && bFixedCol)
        return &m_cellFixedRowColDef;
    if (bFixedRow)
        return &m_cellFixedRowDef;
    if (bFixedCol)
        return &m_cellFixedColDef;
    return &m_cellDefault;
}

BOOL CGridCtrl::SetCellType(int nRow, int nCol, CRuntimeClass* pRuntimeClass)
{
    if (m_bVirtualMode || !IsValid(nRow, nCol) || !pRuntimeClass ||
        !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    auto* pNewCell = static_cast<CGridCellBase*>(pRuntimeClass->CreateObject());
    if (!pNewCell)
        return FALSE;
    CGridCellBase*& pCurrent = m_RowData[std::size_t(nRow)][std::size_t(nCol)];
    if (pCurrent)
        pNewCell->CopyFrom(*pCurrent);
    pNewCell->SetCoords(nRow, nCol);
    delete pCurrent;
    pCurrent = pNewCell;
    return TRUE;
}

BOOL CGridCtrl::SetDefaultCellType(CRuntimeClass* pRuntimeClass)
{
    if (!pRuntimeClass || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    m_pRtcDefault = pRuntimeClass;
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCTSTR str)
{
    if (!SetItemTextUnmarked(nRow, nCol, str))
        return FALSE;
    SetModified(TRUE, nRow, nCol);
    return TRUE;
}

BOOL CGridCtrl::SetItemTextUnmarked(int nRow, int nCol, LPCTSTR str)
{
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetText(str);
    return TRUE;
}

CString CGridCtrl::GetItemText(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell && pCell->GetText() ? CString(pCell->GetText()) : CString();
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM lParam)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetData(lParam);
    return TRUE;
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->GetData() : 0;
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT nFormat)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetFormat(nFormat);
    return TRUE;
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF cr)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetBackColour(cr);
    return TRUE;
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF cr)
{
    CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetTextColour(cr);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    const CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? UINT(pCell->GetState()) : 0;
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    const BOOL bSelected = m_SelectedCellMap.Contains(nRow, nCol);
    if (!bSelected && (state & CellState::kSelected))
        m_SelectedCellMap.Add(nRow, nCol);
    else if (bSelected && !(state & CellState::kSelected))
        m_SelectedCellMap.Remove(nRow, nCol);
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* pCell = GetCell(nRow, nCol);
    if (!pCell)
        return FALSE;
    pCell->SetState(state);
    return TRUE;
}

BOOL CGridCtrl::DeleteAllItems()
{
    ResetSelectedRange();
    if (!m_bVirtualMode) {
        for (int nRow = 0; nRow < GetRowCount(); ++nRow)
            for (int nCol = 0; nCol < GetColumnCount(); ++nCol)
                DestroyCell(nRow, nCol);
        m_RowData.clear();
    }
    m_rows.Clear();
    m_cols.Clear();
    m_rows.SetFixedCount(0);
    m_cols.SetFixedCount(0);
    m_idCurrentCell = CCellPos(-1, -1);
    m_idTopLeftCell = CCellPos(-1, -1);
    ResetScrollBars();
    SetModified(TRUE, -1, -1);
    return TRUE;
}

void CGridCtrl::ClearCells(CCellBlock range)
{
    const BOOL bWasDeferring = m_bDeferRedraw;
    m_bDeferRedraw = TRUE; // one repaint at the end, not one per cell
    for (int nRow = range.GetMinRow(); nRow <= range.GetMaxRow(); ++nRow) {
        if (m_rows.GetSize(nRow) <= 0)
            continue;
        for (int nCol = range.GetMinCol(); nCol <= range.GetMaxCol(); ++nCol)
            if (m_cols.GetSize(nCol) > 0)
                ValidateAndModifyCellContents(nRow, nCol, "");
    }
    m_bDeferRedraw = bWasDeferring;
    Refresh();
}

void CGridCtrl::SetRedraw(BOOL bAllowDraw, BOOL bResetScrollBars)
{
    if (bAllowDraw && !m_bAllowDraw) {
        m_bAllowDraw = TRUE;
        Refresh();
    }
    m_bAllowDraw = bAllowDraw;
    if (bResetScrollBars)
        ResetScrollBars();
}

void CGridCtrl::Refresh()
{
    if (::IsWindow(m_hWnd) && m_bAllowDraw)
        Invalidate();
}

void CGridCtrl::SetModified(BOOL bModified, int nRow, int nCol)
{
    if (nCol < 0 || nCol == m_nSortColumn)
        m_nSortColumn = -1; // the column's order is no longer known
    if (nRow < 0 || nCol < 0) {
        m_bModified = bModified;
    } else if (CGridCellBase* pCell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol)) {
        if (bModified) {
            pCell->SetState(pCell->GetState() | CellState::kModified);
            m_bModified = TRUE;
        } else {
            pCell->SetState(pCell->GetState() & ~CellState::kModified);
        }
    }
    if (!m_bModified && !m_bVirtualMode) {
        for (auto& row : m_RowData)
            for (CGridCellBase* pCell : row)
                if (pCell)
                    pCell->SetState(pCell->GetState() & ~CellState::kModified);
    }
}

BOOL CGridCtrl::GetModified(int nRow, int nCol) const
{
    if (nRow < 0 || nCol < 0)
        return m_bModified;
    return (GetItemState(nRow, nCol) & CellState::kModified) != 0;
}

// --- Switches ------------------------------------------------------------------------------

void CGridCtrl::SetListMode(BOOL bEnableListMode)
{
    ResetSelectedRange();
    SetSortColumn(-1);
    m_bListMode = bEnableListMode;
    Refresh();
}

void CGridCtrl::EnableSelection(BOOL bEnable)
{
    ResetSelectedRange();
    m_bEnableSelection = bEnable;
    Refresh();
}

void CGridCtrl::SetGridLines(int nWhichLines)
{
    m_nGridLines = nWhichLines;
    Refresh();
}

void CGridCtrl::SetVirtualMode(BOOL bVirtual)
{
    DeleteAllItems();
    m_bVirtualMode = bVirtual;
}

void CGridCtrl::SetCallbackFunc(GridDisplayCallback pCallback, LPARAM lParam)
{
    m_pfnCallback = pCallback;
    m_lParam = lParam;
}

void CGridCtrl::SetPrintMarginInfo(int nHeaderHeight, int nFooterHeight, int nLeftMargin,
                                   int nRightMargin, int nTopMargin, int nBottomMargin, int nGap)
{
    const auto store = [](int& field, int value) {
        if (value > -1)
            field = value;
    };
    store(m_nHeaderHeight, nHeaderHeight);
    store(m_nFooterHeight, nFooterHeight);
    store(m_nLeftMargin, nLeftMargin);
    store(m_nRightMargin, nRightMargin);
    store(m_nTopMargin, nTopMargin);
    store(m_nBottomMargin, nBottomMargin);
    store(m_nGap, nGap);
}

void CGridCtrl::GetPrintMarginInfo(int& nHeaderHeight, int& nFooterHeight, int& nLeftMargin,
                                   int& nRightMargin, int& nTopMargin, int& nBottomMargin,
                                   int& nGap) const
{
    nHeaderHeight = m_nHeaderHeight;
    nFooterHeight = m_nFooterHeight;
    nLeftMargin = m_nLeftMargin;
    nRightMargin = m_nRightMargin;
    nTopMargin = m_nTopMargin;
    nBottomMargin = m_nBottomMargin;
    nGap = m_nGap;
}

// --- Window messages of the model ----------------------------------------------------------

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    static BOOL s_bAlreadyInsideThisProcedure = FALSE;
    if (s_bAlreadyInsideThisProcedure || !::IsWindow(m_hWnd))
        return;
    s_bAlreadyInsideThisProcedure = TRUE;
    m_DropTarget.Register(this); // only the first call registers
    EndEditing();
    CWnd::OnSize(nType, cx, cy);
    ResetScrollBars();
    s_bAlreadyInsideThisProcedure = FALSE;
}

UINT CGridCtrl::OnGetDlgCode()
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && ::GetKeyState(VK_CONTROL) >= 0)
        nCode |= DLGC_WANTTAB;
    return nCode;
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    const COLORREF crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    CGridDefaultCell* cells[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef,
                                 &m_cellFixedRowColDef};
    for (CGridDefaultCell* pCell : cells) {
        if (pCell->GetTextColour() == m_crWindowText)
            pCell->SetTextColour(crWindowText);
        if (pCell->GetBackColour() == m_crWindowColour)
            pCell->SetBackColour(crWindow);
    }
    if (m_crGridBkColour == m_crShadow)
        m_crGridBkColour = ::GetSysColor(COLOR_3DSHADOW);
    m_crWindowText = crWindowText;
    m_crWindowColour = crWindow;
    m_cr3DFace = ::GetSysColor(COLOR_3DFACE);
    m_crShadow = ::GetSysColor(COLOR_3DSHADOW);
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd && pWnd->m_hWnd == m_hWnd)
        return;
    if (m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    if (m_MouseMode == MOUSE_DRAGGING)
        m_MouseMode = MOUSE_NOTHING;
}

LRESULT CGridCtrl::OnSetFont(WPARAM hFont, LPARAM)
{
    const LRESULT result = Default();
    LOGFONTA lf{};
    if (!hFont || !::GetObjectA(HFONT(hFont), sizeof(lf), &lf))
        return result;
    m_cellDefault.SetFont(&lf);
    m_cellFixedColDef.SetFont(&lf);
    m_cellFixedRowDef.SetFont(&lf);
    m_cellFixedRowColDef.SetFont(&lf);
    Refresh();
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM)
{
    CFont* pFont = m_cellDefault.GetFontObject();
    return pFont ? LRESULT(pFont->GetSafeHandle()) : 0;
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CGridCtrl::OnDestroy()
{
    m_DropTarget.Revoke(); // OLE must not keep a target for a window that is gone
    if (m_nTimerID != 0) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    CWnd::OnDestroy();
}
