#pragma once
// Resource ids of the application core: the main frame, its menus, tool bars, tab bar and
// explorer, the program's images and texts, and the tool windows.

// The document template: menu with the data menus, accelerators, program icon, the document
// string and the fuller tool bar.
#define IDR_MAINFRAME 128
// The menu bar's menu and tool bar.
#define IDR_MENUBAR 261
// The fullest menu, with an Import submenu; no window loads it.
#define IDR_FULLMENU 248
// Pop-up menus: the tab bar's "Toggle Views", the explorer's folders, and one context menu per
// kind of project item.
#define IDR_TOGGLE_VIEWS 228
#define IDR_EXPLORER_FOLDERS 156
#define IDR_CONTEXT_TABLE 229
#define IDR_CONTEXT_DATA_GRAPH 235
#define IDR_CONTEXT_GRAPH 236
#define IDR_CONTEXT_LIST 237
#define IDR_CONTEXT_MATRIX 238
#define IDR_CONTEXT_GRAPH3D 239
#define IDR_CONTEXT_DEFAULT 243

// Images: the tab bar's strip and the caption strips' small buttons.
#define IDB_VIEW_TABS 147
#define IDB_CAPTION_BUTTONS 5006

// The explorer's icons, in the order of the program's small image list.
#define IDI_FOLDER 190
#define IDI_TABLE 191
#define IDI_ITEM_2 193
#define IDI_ITEM_3 194
#define IDI_ITEM_4 195
#define IDI_GRAPH 196
#define IDI_ITEM_6 197
#define IDI_LIST 199
#define IDI_ITEM_8 200
#define IDI_MATRIX 192
#define IDI_VARIABLES 201
#define IDI_EXPRESSION_VARIABLES 202
#define IDI_SOLVER_EQUATIONS 203
#define IDI_SOLVER_MODEL 204
#define IDI_USER_DEFINED 205
#define IDI_CONSTANTS 206
#define IDI_FUNCTIONS 210
#define IDI_CONVERSIONS 208
#define IDI_PREDEFINED 209
#define IDI_FAILED_GRAPH 213
#define IDI_GRAPH_3D 250

// Child windows of the tab bar, the explorer and the side bar.
#define IDC_SIDEBAR_PAGER 101
#define IDC_SIDEBAR_LIST 102
#define IDC_EXPLORER_CAPTION 103
#define IDC_EXPLORER_CLOSE 104
#define IDC_EXPLORER_TREE 105
#define IDC_VIEW_TABS 120

// Confirmation of a deletion or an overwrite, with a box for not asking again.
#define IDD_CONFIRM_DELETE 225
#define IDC_CONFIRM_QUESTION 1330
#define IDC_CONFIRM_DONTASK 1331

// The unit converter.
#define IDD_UNIT_CONVERTER 144
#define IDC_CONVERTER_STARTUP 1020
#define IDC_CONVERTER_STARTUP_USER 1021
#define IDC_CONVERTER_STARTUP_LAST 1022
#define IDC_CONVERTER_CATEGORY 1033
#define IDC_CONVERTER_FROM_UNIT 1034
#define IDC_CONVERTER_TO_UNIT 1035
#define IDC_CONVERTER_CONVERT 1083
#define IDC_CONVERTER_HELP 1084
#define IDC_CONVERTER_FROM_VALUE 1085
#define IDC_CONVERTER_TO_VALUE 1086
#define IDC_CONVERTER_OPTIONS 1087
#define IDC_CONVERTER_COLLAPSED 1088
#define IDC_CONVERTER_LOG 1090

// The finance box.
#define IDD_FINANCE_BOX 250
#define IDC_FINANCE_RATE 1002
#define IDC_FINANCE_CALC_RATE 1005
#define IDC_FINANCE_CALC_FV 1006
#define IDC_FINANCE_CALC_NPER 1007
#define IDC_FINANCE_CALC_PMT 1008
#define IDC_FINANCE_PAYMENT 1053
#define IDC_FINANCE_TIMING 1055
#define IDC_FINANCE_FREQUENCY 1056
#define IDC_FINANCE_DURATION 1057
#define IDC_FINANCE_PV 1058
#define IDC_FINANCE_FV 1059
#define IDC_FINANCE_CALC_PV 1060
#define IDC_FINANCE_HELP 1061
#define IDC_FINANCE_CLOSE 1062

// The General page of the options sheet: result format, number base and angle mode.
#define IDD_NUMBER_FORMAT_PAGE 164
#define IDC_FORMAT_MODE 1250
#define IDC_FORMAT_SAMPLE 1251
#define IDC_FORMAT_DECIMALS 1252
#define IDC_FORMAT_DECIMALS_SPIN 1248
#define IDC_FORMAT_DECIMALS_LABEL 1258
#define IDC_FORMAT_WIDTH 1253
#define IDC_FORMAT_WIDTH_SPIN 1249
#define IDC_FORMAT_WIDTH_LABEL 1259
#define IDC_BASE_DECIMAL 1323
#define IDC_BASE_HEXADECIMAL 1021
#define IDC_BASE_OCTAL 1022
#define IDC_BASE_BINARY 1023
#define IDC_BASE_OTHER 1024
#define IDC_BASE_CUSTOM 1325
#define IDC_BASE_CUSTOM_SPIN 1254
#define IDC_ANGLE_DEGREE 1324
#define IDC_ANGLE_RADIAN 1262
#define IDC_ANGLE_GRADIENT 1263

// The Solve Options page: what new solver models start with.
#define IDD_SOLVE_OPTIONS_PAGE 168
#define IDC_SOLVE_MIN 1015
#define IDC_SOLVE_MAX 1016
#define IDC_SOLVE_STEPS 1077
#define IDC_SOLVE_DECIMALS 1267

// The Options page: confirmations and the panes of each category of item.
#define IDD_MORE_OPTIONS_PAGE 167
#define IDC_OPTIONS_CATEGORY 1033
#define IDC_DELETE_GRAPH 1269
#define IDC_DELETE_DATA_GRAPH 1270
#define IDC_DELETE_TABLE 1268
#define IDC_OVERWRITE_GRAPH 1274
#define IDC_OVERWRITE_DATA_GRAPH 1275
#define IDC_OVERWRITE_TABLE 1273
#define IDC_DELETE_GRAPH3D 1329
#define IDC_DELETE_LIST 1327
#define IDC_DELETE_MATRIX 1328
#define IDC_OVERWRITE_GRAPH3D 1276
#define IDC_OVERWRITE_LIST 1277
#define IDC_OVERWRITE_MATRIX 1278
#define IDC_VIEW_WORKSPACE 1338
#define IDC_VIEW_PLOT2D 1339
#define IDC_VIEW_PLOT3D 1340
#define IDC_VIEW_GRID 1341

// Insert Function.
#define IDD_INSERT_FUNCTION 224
#define IDC_FUNCTION_CATEGORIES 1250
#define IDC_FUNCTION_LIST 1320
#define IDC_FUNCTION_SYNTAX 1321
#define IDC_FUNCTION_DESCRIPTION 1322

// The About box with its two links, and the links' pointing hand.
#define IDD_ABOUTBOX 151
#define IDC_ABOUT_MAIL 1223
#define IDC_ABOUT_WEB 1231
#define IDC_ABOUT_VERSION 1267
#define IDC_HYPERLINK 165
#define IDS_VERSION 131

// The finance box's question for another guess of the interest rate.
#define IDD_RATE_GUESS 138
#define IDC_RATE_GUESS 1063

// Commands of the tab bar: one arrangement of the panes each.
#define ID_VIEW_SHOW_WORKSPACE 121
#define ID_VIEW_SHOW_GRID 122
#define ID_VIEW_SHOW_PLOT2D 123
#define ID_VIEW_SHOW_ALL 127
#define ID_VIEW_SHOW_PLOT3D 136

// View menu and "Toggle Views".
#define ID_VIEW_PROJECT_EXPLORER 32941
#define ID_VIEW_TOGGLE_WORKSPACE 33068
#define ID_VIEW_TOGGLE_PLOT2D 33069
#define ID_VIEW_TOGGLE_PLOT3D 33070
#define ID_VIEW_TOGGLE_GRID 33071

// File, Tools and Help commands of the application core.
#define ID_FILE_PRINT_WORKSPACE 32851
#define ID_FILE_PRINT_GRID 32859
#define ID_PRINT_WORKSPACE 33072
#define ID_PRINT_GRID 33075
#define ID_FILE_PRINT_PREVIEW_WORKSPACE 33092
#define ID_WORKSPACE_PRINT_PREVIEW 32932 // the workspace view's own print preview
#define ID_TOOLS_FINANCE_BOX 32801
#define ID_TOOLS_UNIT_CONVERTER 32802
#define ID_WORKSPACE_OPTIONS 32911
#define ID_WORKSPACE_INSERT_PLOT2D 32927
#define ID_TOOLS_OPTIONS 32940
#define ID_HELP_CONTENTS 33086
#define ID_HELP_HOMEPAGE 33089

// The workspace: its context menu, its commands and its options page (dialog 156, page 1 of
// the options sheet).
#define IDR_WORKSPACE_CONTEXT 159
#define ID_RUN_DEMO 32852
#define ID_WORKSPACE_CUT 32905
#define ID_WORKSPACE_COPY 32906
#define ID_WORKSPACE_PASTE 32907
#define ID_WORKSPACE_CLEAR 32912
#define ID_WORKSPACE_SELECT_ALL 32913
#define ID_CHAR_BOLD 32934
#define ID_CHAR_ITALIC 32935
#define ID_CHAR_UNDERLINE 32936
#define ID_WORKSPACE_UNDO 32937
#define IDD_WORKSPACE_PAGE 156
#define IDC_WORKSPACE_DEFAULT_COLOR 1277
#define IDC_WORKSPACE_COMMENT_COLOR 1278
#define IDC_WORKSPACE_PF_COLOR 1279
#define IDC_WORKSPACE_UF_COLOR 1280
#define IDC_WORKSPACE_PC_COLOR 1281
#define IDC_WORKSPACE_UC_COLOR 1282
#define IDC_WORKSPACE_VAR_COLOR 1283
#define IDC_WORKSPACE_BACK_COLOR 1309
#define IDC_WORKSPACE_FONT 1235
#define IDC_WORKSPACE_POPUP_UF 1311
#define IDC_WORKSPACE_POPUP_PF 1312
#define IDC_WORKSPACE_POPUP_PC 1313
#define IDC_WORKSPACE_POPUP_UC 1314
#define IDC_WORKSPACE_POPUP_VAR 1315
#define IDC_WORKSPACE_SYNTAX_ALWAYS 1316
#define IDC_WORKSPACE_SYNTAX_SEVERAL 1021

// The Import submenu of the fullest menu (no command handles them).
#define ID_IMPORT_DATA_TABLE 33101
#define ID_IMPORT_LIST 33102
#define ID_IMPORT_MATRIX 33103

// Texts: the company key of the settings and the status bar's coordinate pane.
#define IDS_COMPANY 132
#define IDS_INDICATOR_COORDINATES 33099

// Texts of the program's field checks and messages.
#define IDS_ENTER_EQUATION 61447
#define IDS_INVALID_EQUATION 61448
#define IDS_NO_SOLUTION 61449
#define IDS_INVALID_INTERVAL 61450
#define IDS_INVALID_STEPS 61451
#define IDS_ACCURACY_TOO_HIGH 61452
#define IDS_INVALID_PARAMETER 61453
#define IDS_UNITS_NOT_COMPATIBLE 61454
#define IDS_NOT_DIFFERENTIABLE 61459
#define IDS_INVALID_DOMAIN 61463
#define IDS_TOO_FEW_POINTS 61468
#define IDS_FIELD_MISSING 61469
#define IDS_INVALID_RANGE 38794

// Ids the framework also knows (0xE000 and above).
#define IDS_APP_TITLE 57344
#define IDS_IDLE_MESSAGE 57345
#define IDM_FILE_NEW 57600
#define IDM_FILE_OPEN 57601
#define IDM_FILE_SAVE 57603
#define IDM_FILE_SAVE_AS 57604
#define IDM_FILE_PRINT_SETUP 57606
#define IDM_FILE_PRINT 57607
#define IDM_FILE_MRU_FILE1 57616
#define IDM_EDIT_COPY 57634
#define IDM_EDIT_CUT 57635
#define IDM_EDIT_PASTE 57637
#define IDM_EDIT_UNDO 57643
#define IDM_APP_ABOUT 57664
#define IDM_APP_EXIT 57665
#define IDM_NEXT_PANE 57680
#define IDM_PREV_PANE 57681
#define IDS_INDICATOR_CAPS 59137
#define IDS_INDICATOR_NUM 59138
#define IDS_INDICATOR_SCRL 59139
#define IDS_INDICATOR_ANGLE 59394
#define IDS_INDICATOR_BASE 59395
