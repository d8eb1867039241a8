#pragma once
// Window tests of the grid: a host window that records what a grid tells its owner, a grid
// made to a known geometry, and the mouse and keyboard as the user drives them.
#include "framework/win/CWnd.h"
#include "grid/CGridCtrl.h"
#include "tests/support/GuiTestSupport.h"

#include <functional>
#include <string>
#include <vector>

// One notification a grid sent to its owner.
struct GridNotice {
    int code;
    int row;
    int col;
    std::string text; // the text of an end-of-edit notice
};

// A top-level window hosting grids: records their notifications and commands and answers
// them through reply (0 when unset).
class CGridHost : public CWnd {
public:
    explicit CGridHost(int cx = 600, int cy = 400, int x = 40, int y = 40);
    ~CGridHost() override;

    std::vector<GridNotice> notices;
    std::vector<WPARAM> commands;
    std::function<LRESULT(NMHDR*)> reply;

    // The codes received, in order, optionally only those in the list.
    std::vector<int> Codes(std::initializer_list<int> only = {}) const;
    int Count(int code) const;
    void Clear()
    {
        notices.clear();
        commands.clear();
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// A grid of nRows x nCols cells, 50 x 20 pixels each, holding "r,c" texts, created in host.
void MakeGrid(CGridCtrl& grid, CGridHost& host, int nRows, int nCols, int nFixedRows = 1,
              int nFixedCols = 1, CRect rect = CRect(0, 0, 400, 300), UINT nID = 115);
// The point in the middle of a cell.
CPoint CellCentre(CGridCtrl& grid, int nRow, int nCol);

// Holds keys down in the thread's keyboard state for its lifetime.
class CKeysHeld {
public:
    explicit CKeysHeld(std::initializer_list<int> keys);
    ~CKeysHeld();
    CKeysHeld(const CKeysHeld&) = delete;
    CKeysHeld& operator=(const CKeysHeld&) = delete;

private:
    BYTE m_saved[256] = {};
};

// A click as the user makes it: button down and up at point, with MK_ flags.
void Click(CWnd& wnd, CPoint point, UINT nFlags = 0);
void Press(CWnd& wnd, UINT nKey);
void Type(CWnd& wnd, const char* text);
// Types text into a cell as the user does: the grid focused, the cell chosen, then Enter.
void TypeIntoCell(CGridCtrl& grid, int nRow, int nCol, const char* text);
// The text of the grid's in-place editor; empty when none is open.
CString EditorText(CGridCtrl& grid);
// The texts of rows [r0, r1] and columns [c0, c1] joined as "a|b/c|d".
std::string Texts(CGridCtrl& grid, int r0, int c0, int r1, int c1);
// Puts text on the clipboard the way another program does.
void SetClipboardText(const char* text, SIZE_T nBytes = SIZE_T(-1));
std::string GetClipboardText();
// The GDI objects the process holds. Where the system does not count them (Wine), every
// handle index is probed: a handle of index alone names whatever object holds that index.
DWORD LiveGdiObjects();
