#pragma once
// Resource ids of the application core.

// Confirmation of a deletion or an overwrite, with a box for not asking again.
#define IDD_CONFIRM_DELETE 225
#define IDC_CONFIRM_QUESTION 1330
#define IDC_CONFIRM_DONTASK 1331

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
