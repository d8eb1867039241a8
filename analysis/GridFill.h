#pragma once
// What the data view's grid is filled with and by which rules: the sink the project writes the
// selected item into, the size rule of the grid, the context sub-menu of each kind, and the
// cells a paste or drop changed. Portable: the project fills a recording sink in tests.
#include "framework/core/CString.h"

#include <vector>

// Where the selected item's texts go: the data view's grid (rows and columns counted with the
// fixed header row and column 0), or a recording in tests.
class IGridFillSink {
public:
    virtual ~IGridFillSink() = default;
    virtual int GetRowCount() const = 0;
    virtual int GetColumnCount() const = 0;
    // Rows and columns, the fixed ones included.
    virtual void SetSize(int rows, int columns) = 0;
    virtual void SetColumnWidth(int column, int width) = 0;
    virtual void SetText(int row, int column, const CString& text) = 0;
};

// A cell written with a refusal's message, and what the user typed there.
struct RefusedCell {
    int row;
    int column;
    CString typed;
};

// What the view does beyond the texts once an item is written.
struct GridFillShape {
    BOOL bRowNumbers = FALSE;  // the fixed column numbers the rows (tables, lists, matrices)
    int nCalculateButtons = 0; // rows 3, 4, ... of column 3 are "Calculate" buttons
    std::vector<RefusedCell> refusedCells;
};

// The grid's default size, the fixed row and column included.
constexpr int kGridDefaultRows = 100;
constexpr int kGridDefaultColumns = 7;
// Rows kept below the last entry, so that typing into the next row does not resize each time.
constexpr int kGridSpareRows = 50;
constexpr int kGridFixedColumnWidth = 30;
constexpr int kGridFixedRowHeight = 25;

struct GridSize {
    int rows;
    int columns;
};

// The grid's size for content of `entries` rows written into `dataColumns` columns after the
// fixed one, with one spare column to stretch: at least the default size, and at least 50 rows
// below the last entry; a grid already within 50 rows of that keeps its row count. A matrix
// (entries = its rows) gets exactly two more rows and columns than it has, or the default size.
GridSize ChooseGridSize(BOOL bMatrix, int entries, int dataColumns, int currentRows);

// The sub-menu of the data view's context menu for a kind: 0 tables and lists, 1 matrices,
// 2 variables, expression variables and solver equations, 3 pre-defined tables, 4 user-defined
// constants, functions and units, 5 everything else.
int ChooseGridContextMenu(int kind);

// A number or an integer as a cell shows it: 15 significant digits with the engine's decimal
// point, the same text in every build.
CString GridNumberText(double value);
CString GridIntegerText(int value);

// A cell that a paste or drop wrote, with its new text.
struct PastedCell {
    int row;
    int column;
    CString text;
};
using PastedCells = std::vector<PastedCell>;

// A data cell of the grid by its row and column (1 and up, after the headers).
struct CellAddress {
    int row;
    int column;
};
using CellAddresses = std::vector<CellAddress>;
