#pragma once
// What the data view asks of the project document it shows: the selected item's content and
// the fate of what the user types, pastes, resizes and clicks. The document implements it.
#include "analysis/GridFill.h"

#include <cstdint>

// The selected item as the data view tells items apart: the same key again means a refill of
// the item shown, which keeps the user's place in the grid.
struct DataViewItemKey {
    int kind = -1;
    std::uintptr_t node = 0;
    const void* object = nullptr;
    bool operator==(const DataViewItemKey&) const = default;
};

class IDataViewDocument {
public:
    virtual ~IDataViewDocument() = default;

    // The kind of the selected item (16: nothing is selected).
    virtual int GetSelectedKind() const = 0;
    virtual DataViewItemKey GetSelectedItemKey() const = 0;
    // Writes the selected item into the grid; bEditable: whether data tables may be edited.
    virtual GridFillShape FillDataView(IGridFillSink& sink, BOOL bEditable) = 0;
    // The grid's size again after an edit added an entry.
    virtual void ResizeDataView(IGridFillSink& sink) = 0;
    virtual BOOL IsCellEditable(int row, int column) const = 0;
    // A typed cell: FALSE refuses it (the old text stays); TRUE with the text to show.
    virtual BOOL ApplyGridEdit(int row, int column, CString& text) = 0;
    virtual void StoreColumnWidth(int column, int width) = 0;
    virtual void StoreGridPaneSize(int cx, int cy) = 0;
    // Solves the selected solver model for a variable and reports it; empty, or what the
    // variable's value cell shows when no solution came.
    virtual CString ShowSolverSolution(int variable) = 0;
    // The workspace's tip goes when the user clicks elsewhere.
    virtual void HideTip() = 0;
    // Cells a paste or drop wrote into the grid, for the selected table, list or matrix.
    virtual void TakePastedCells(const PastedCells& cells) = 0;
    // Cells the user emptied (Delete, Cut, the source of a move, an edit left empty), of the
    // selected table, list or matrix; the grid shows the item again.
    virtual void EmptyGridCells(const CellAddresses& cells) = 0;
};
