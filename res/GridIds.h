#pragma once
// Resource ids of the data grid.

// The "Grid" page of the options sheet.
#define IDD_GRID_OPTIONS 165
#define IDC_GRID_FONT 1235
#define IDC_GRID_READ_ONLY 1257
#define IDC_GRID_BACK_COLOR 1309
#define IDC_GRID_TEXT_COLOR 1310
#define IDC_GRID_EDITABLE_COLOR 1311
