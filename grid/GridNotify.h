#pragma once
// What a grid tells its owner window: WM_NOTIFY records and codes, the cell state bits and the
// record of virtual mode's display requests.
#include "framework/core/CString.h"
#include "grid/CellRange.h"

#include <commctrl.h>

// Notification codes of the grid (NM_CLICK -2, NM_DBLCLK -3 and NM_RCLICK -5 besides).
namespace GridNotify {
constexpr int kSelChanging = -100;   // the selection is about to change
constexpr int kSelChanged = -101;    // the selection changed
constexpr int kBeginEdit = -105;     // an edit is about to begin; a negative reply vetoes it
constexpr int kEndEdit = -106;       // an edit ended (a GridDispInfo with the new text)
constexpr int kBeginDrag = -109;     // a drag of the selected cells begins
constexpr int kCacheHint = -113;     // virtual mode: the cells about to be read
constexpr int kGetDispInfo = -150;   // virtual mode: fill in a cell
constexpr int kColumnResized = 1124; // row field: the new width; column field: the column
} // namespace GridNotify

// The control id of the in-place editor, a child of the grid.
constexpr UINT IDC_GRID_INPLACE_EDIT = 8;

// The state word of a cell.
namespace CellState {
constexpr DWORD kFocused = 0x01;
constexpr DWORD kSelected = 0x02;
constexpr DWORD kDropTarget = 0x04; // the cell under a drag
constexpr DWORD kReadOnly = 0x08;
constexpr DWORD kFixed = 0x10;
constexpr DWORD kFixedRow = 0x20;
constexpr DWORD kFixedCol = 0x40;
constexpr DWORD kModified = 0x80;
} // namespace CellState

// Which fields of a GridItemInfo are filled.
namespace ItemMask {
constexpr UINT kText = 0x0001;
constexpr UINT kState = 0x0002;
constexpr UINT kData = 0x0004;
constexpr UINT kImage = 0x0008;
constexpr UINT kBackColour = 0x0010;
constexpr UINT kTextColour = 0x0020;
constexpr UINT kFormat = 0x0040;
constexpr UINT kFont = 0x0080;
constexpr UINT kMargin = 0x0100;
constexpr UINT kAll = UINT(-1);
} // namespace ItemMask

// The record of every grid notification.
struct GridNotifyInfo {
    NMHDR hdr;
    int iRow;
    int iColumn;
};

// A cell as virtual mode asks for it, or as an edit hands it back.
struct GridItemInfo {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT nState = 0;
    UINT nFormat = 0;
    int iImage = -1;
    COLORREF crBkClr = 0;
    COLORREF crFgClr = 0;
    LPARAM lParam = 0;
    LOGFONTA lfFont{};
    UINT nMargin = 0;
    CString strText;
};

// Starts with the fields of GridNotifyInfo, so a reader of either finds row and column.
struct GridDispInfo {
    NMHDR hdr;
    GridItemInfo item;
};

struct GridCacheHint {
    NMHDR hdr;
    CCellBlock range;
};

// Virtual mode's source of cells: fills in the record and answers TRUE.
using GridDisplayCallback = BOOL(CALLBACK*)(GridDispInfo* pDispInfo, LPARAM lParam);

// How an in-place edit starts: by the mouse (or F2: the text stays, the caret goes to its
// end), by a navigation key that carries an edit on to the next cell (the text is selected),
// or by a typed character, which replaces the text.
enum class GridEditStart { Mouse, Navigation, Typed };
