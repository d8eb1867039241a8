#pragma once
// Resource ids of the window-layer tests' own resource script.
#define IDD_EXCHANGE 1000
#define IDC_TEXT 1001
#define IDC_INT 1002
#define IDC_UINT 1003
#define IDC_LONG 1004
#define IDC_REAL 1005
#define IDC_CHECK 1006
#define IDC_RADIO1 1007
#define IDC_RADIO2 1008
#define IDC_RADIO3 1009
#define IDC_COMBO 1010
#define IDD_PAGE1 1100
#define IDD_PAGE2 1101
#define IDC_PAGE_VALUE 1110
#define IDS_SHEET_CAPTION 2000
#define IDS_PROMPT 2001
#define IDR_TEST_MENU 3000
#define ID_TEST_OPEN 3001
#define ID_TEST_ZOOM_IN 3002
