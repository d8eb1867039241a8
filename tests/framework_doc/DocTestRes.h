#pragma once
// Resource ids of the document/view test program.
#define IDR_TESTDOC 128
#define IDS_INDICATOR_ANGLE 59394
#define IDS_INDICATOR_BASE 59395
#define ID_TEST_ALL 33001
#define ID_TEST_DOC_FRAME_APP 33002
#define ID_TEST_FRAME_APP 33003
#define ID_TEST_APP_ONLY 33004
#define ID_TEST_NOBODY 33005
#define ID_TEST_DISABLED 33006
