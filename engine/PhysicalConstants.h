#pragma once

// One physical constant that expressions reach by its symbol (value in SI units).
struct PhysicalConstantEntry {
    const char* description;
    const char* unit;
    const char* symbol;
    double value;
    double uncertainty; // standard uncertainty, 0 for exact values
};

// Number of built-in physical constants (29).
int GetPhysicalConstantCount();
// Row in table order (0-based); row must be in range.
const PhysicalConstantEntry& GetPhysicalConstant(int row);
// First row whose symbol equals symbol (no case), else -1.
int FindPhysicalConstant(const char* symbol);
// Display order: a stable sort by description (no case); table order itself never changes.
void SortPhysicalConstants();
// Table row shown at display position i (table order until SortPhysicalConstants ran).
int GetSortedPhysicalConstantRow(int i);
