#pragma once
// A PostScript printer for print tests: Wine's PostScript driver with the generic description
// Wine carries, on the port FILE:, so every job writes a file the test names. Wine has no
// printer of its own without a print server.
#include "framework/core/CString.h"
#include "tests/support/GuiTestSupport.h"

#include <string>
#include <vector>

class CDC;
struct CPrintInfo;
class CView;

// The printers the tests install.
extern const char kTestPrinter[];
extern const char kSecondTestPrinter[];

// Installs both printers (once per prefix) and makes the first the default; FALSE on failure.
BOOL InstallTestPrinters();
// Removes both printers: the machine has none.
void RemoveTestPrinters();
// The "%%Page:" comments of a PostScript file: its page count (-1 when it cannot be read).
int CountPostScriptPages(const std::string& path);
// The text after "%%Title: " in a PostScript file.
std::string PostScriptTitle(const std::string& path);
// The texts that the view's OnPrint draws for page nPage of the job that its OnBeginPrinting
// began on printer, recorded in a metafile of the printer.
std::vector<MetafileText> PrintedPageTexts(CView& view, CDC& printer, CPrintInfo& info, UINT nPage);
