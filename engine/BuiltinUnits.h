#pragma once

// One built-in unit relation: 1 name = factor base.
struct BuiltinUnitEntry {
    const char* name;
    const char* base;
    double factor;
};

// Number of built-in unit relations (277).
int GetBuiltinUnitCount();
// Row i (0-based, table order) of the built-in relations; i must be in range.
const BuiltinUnitEntry& GetBuiltinUnit(int i);
// Display order: a stable sort by unit name (no case; names repeat); table order never changes.
void SortBuiltinUnits();
// Table row shown at display position i (table order until SortBuiltinUnits ran).
int GetSortedBuiltinUnitRow(int i);
