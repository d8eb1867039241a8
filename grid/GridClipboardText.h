#pragma once
// The plain-text form of grid cells on the clipboard and in drags: cells joined by tabs, rows
// by CR LF as Windows programs expect. Reading accepts what other programs write: CR LF, LF or
// CR line ends, tabs or the locale's field separators between fields, blanks around fields.
#include "framework/core/CString.h"
#include "grid/CellRange.h"
#include "grid/GridAxis.h"

#include <functional>
#include <string>
#include <vector>

// The text of the shown cells of block (hidden rows and columns give neither text nor a
// separator); a cell that isSelected denies gives an empty field.
std::string BuildGridCopyText(const CCellBlock& block, const CGridAxis& rows, const CGridAxis& cols,
                              const std::function<BOOL(int, int)>& isSelected,
                              const std::function<CString(int, int)>& text);

// The largest paste a grid takes.
struct GridPasteLimits {
    int nMaxRows = 1048576;
    int nMaxCols = 16384;
    LONGLONG nMaxCells = 2000000;
    int nMaxField = 32767;
};

struct GridPasteField {
    int nRow;
    int nCol;
    CString strText; // trimmed
};

// Where each field of a pasted text goes and how far the grid must grow for it.
struct GridPastePlan {
    std::vector<GridPasteField> fields; // in reading order
    int nRowCount = 0;                  // the counts after the growth
    int nColCount = 0;
    BOOL bTooLarge = FALSE; // the paste is refused: nothing may change
};

// Plans pasting nSize bytes of text (read up to the first NUL) at (nRow, nCol). Lines end at
// "\n", "\r\n" or "\r"; fields end at a tab and, by the locale's decimal separator chDecimal,
// at a comma, or where the comma is the decimal separator at a semicolon or a run of blanks
// (so "1,5" stays one number). Each line goes one row further and
// each field one column further, passing hidden rows and columns (which count as steps). A
// target row at or past the end grows the grid to that row + 100 rows, a column to that
// column + 5 columns. Empty lines paste nothing; a tab or another hard separator at a line's end
// ends an empty last field, as one between two fields does.
GridPastePlan PlanGridPaste(const char* pText, std::size_t nSize, char chDecimal, int nRow,
                            int nCol, const CGridAxis& rows, const CGridAxis& cols,
                            const GridPasteLimits& limits = GridPasteLimits());
