#pragma once
// Resource ids of the program. Ids of the framework's own resources start at 0xE000 and are
// never used here.

#define IDR_MAINFRAME 128
#define IDS_APP_TITLE 61000

#include "AppIds.h"
