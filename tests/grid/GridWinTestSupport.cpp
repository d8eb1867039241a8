#include "tests/grid/GridWinTestSupport.h"

#include "framework/win/GlobalMemory.h"

#include <cstring>

CGridHost::CGridHost(int cx, int cy, int x, int y)
{
    CreateEx(0, AfxRegisterWndClass(0), "grid host", WS_POPUP | WS_VISIBLE, x, y, cx, cy, nullptr,
             nullptr);
}

CGridHost::~CGridHost() { DestroyWindow(); }

BOOL CGridHost::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
    const int code = int(pHdr->code);
    const auto* pInfo = reinterpret_cast<GridNotifyInfo*>(lParam);
    GridNotice notice{code, pInfo->iRow, pInfo->iColumn, {}};
    if (code == GridNotify::kEndEdit)
        notice.text = reinterpret_cast<GridDispInfo*>(lParam)->item.strText.GetString();
    if (code == GridNotify::kCacheHint) {
        const CCellBlock& range = reinterpret_cast<GridCacheHint*>(lParam)->range;
        notice.row = range.GetMinRow();
        notice.col = range.GetMaxRow();
    }
    if (code != GridNotify::kGetDispInfo)
        notices.push_back(notice);
    *pResult = reply ? reply(pHdr) : 0;
    return TRUE;
}

BOOL CGridHost::OnCommand(WPARAM wParam, LPARAM)
{
    commands.push_back(wParam);
    return TRUE;
}

std::vector<int> CGridHost::Codes(std::initializer_list<int> only) const
{
    std::vector<int> codes;
    for (const GridNotice& n : notices)
        if (only.size() == 0 || std::find(only.begin(), only.end(), n.code) != only.end())
            codes.push_back(n.code);
    return codes;
}

int CGridHost::Count(int code) const
{
    int n = 0;
    for (const GridNotice& notice : notices)
        n += notice.code == code;
    return n;
}

void MakeGrid(CGridCtrl& grid, CGridHost& host, int nRows, int nCols, int nFixedRows,
              int nFixedCols, CRect rect, UINT nID)
{
    grid.Create(rect, &host, nID);
    grid.SetRedraw(FALSE);
    grid.SetRowCount(nRows);
    grid.SetColumnCount(nCols);
    grid.SetFixedRowCount(nFixedRows);
    grid.SetFixedColumnCount(nFixedCols);
    for (int r = 0; r < nRows; ++r) {
        grid.SetRowHeight(r, 20);
        if (nRows * nCols <= 20000)
            for (int c = 0; c < nCols; ++c)
                grid.SetItemText(r, c, CString(std::to_string(r) + "," + std::to_string(c)));
    }
    for (int c = 0; c < nCols; ++c)
        grid.SetColumnWidth(c, 50);
    grid.SetRedraw(TRUE, TRUE);
    grid.SetModified(FALSE);
    host.Clear();
}

CPoint CellCentre(CGridCtrl& grid, int nRow, int nCol)
{
    CRect rect;
    grid.GetCellRect(nRow, nCol, rect);
    return rect.CenterPoint();
}

CKeysHeld::CKeysHeld(std::initializer_list<int> keys)
{
    ::GetKeyboardState(m_saved);
    BYTE state[256];
    std::memcpy(state, m_saved, sizeof state);
    for (int key : keys)
        state[key] |= 0x80;
    ::SetKeyboardState(state);
}

CKeysHeld::~CKeysHeld() { ::SetKeyboardState(m_saved); }

void Click(CWnd& wnd, CPoint point, UINT nFlags)
{
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nFlags, MAKELPARAM(point.x, point.y));
    wnd.SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));
}

void Press(CWnd& wnd, UINT nKey) { wnd.SendMessage(WM_KEYDOWN, nKey, 0); }

void Type(CWnd& wnd, const char* text)
{
    for (const char* p = text; *p; ++p) {
        const HWND hFocus = ::GetFocus();
        ::SendMessageA(hFocus ? hFocus : wnd.m_hWnd, WM_CHAR, WPARAM(BYTE(*p)), 0);
        AfxPumpPendingMessages();
    }
}

void TypeIntoCell(CGridCtrl& grid, int nRow, int nCol, const char* text)
{
    grid.SetFocus();
    grid.SetFocusCell(nRow, nCol);
    Type(grid, text);
    Type(grid, "\r");
}

std::string Texts(CGridCtrl& grid, int r0, int c0, int r1, int c1)
{
    std::string out;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0)
            out += '/';
        for (int c = c0; c <= c1; ++c) {
            if (c > c0)
                out += '|';
            out += grid.GetItemText(r, c).GetString();
        }
    }
    return out;
}

void SetClipboardText(const char* text, SIZE_T nBytes)
{
    if (nBytes == SIZE_T(-1))
        nBytes = std::strlen(text) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
    std::memcpy(::GlobalLock(h), text, nBytes);
    ::GlobalUnlock(h);
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::SetClipboardData(CF_TEXT, h);
    ::CloseClipboard();
}

std::string GetClipboardText()
{
    if (!::OpenClipboard(nullptr))
        return "<closed>";
    std::string text = "<none>";
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        CGlobalLock lock(h);
        const char* p = static_cast<const char*>(lock.Data());
        text.assign(p, strnlen(p, lock.Size()));
    }
    ::CloseClipboard();
    return text;
}

DWORD LiveGdiObjects()
{
    if (const DWORD n = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return n;
    DWORD n = 0;
    for (ULONG_PTR i = 1; i < 0x10000; ++i)
        n += ::GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
    return n;
}

CString EditorText(CGridCtrl& grid)
{
    CString text;
    if (CWnd* pEdit = grid.GetDlgItem(IDC_GRID_INPLACE_EDIT))
        pEdit->GetWindowText(text);
    return text;
}
