#pragma once
// Resource ids of the window-library tests' program.

#define IDR_TESTBAR 300     // new, open, separator, save, separator, bold
#define IDR_SHORTBAR 301    // says five buttons, holds two
#define IDR_NARROWBAR 302   // five buttons, four images
#define IDR_NOBITMAPBAR 303 // no image strip
#define IDB_STRIP8 310      // the test strip as an 8-bit and a 24-bit bitmap
#define IDB_STRIP24 311

#define IDR_TESTMENU 320 // File (with a Recent pop-up last), Format

#define ID_TEST_NEW 401
#define ID_TEST_OPEN 402
#define ID_TEST_SAVE 403
#define ID_TEST_BOLD 404
#define ID_TEST_OTHER 405
#define ID_TEST_PLAIN 406
