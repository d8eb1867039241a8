#pragma once

// One built-in unit relation: 1 name = factor base.
struct BuiltinUnitEntry {
    const char* name;
    const char* base;
    double factor;
};

// Number of built-in unit relations (275).
int GetBuiltinUnitCount();
// Row i (0-based, table order) of the built-in relations; i must be in range.
const BuiltinUnitEntry& GetBuiltinUnit(int i);
