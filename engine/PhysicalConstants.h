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
// Row i (0-based, defining order) of the built-in constants; i must be in range.
const PhysicalConstantEntry& GetPhysicalConstant(int i);
