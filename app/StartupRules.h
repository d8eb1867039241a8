#pragma once
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/core/ProfileStore.h"

#include <vector>

// The part of `path` before its last backslash; empty when it has none.
CString GetPathDirectory(const CString& path);
// directory + "\" + name, with one backslash between them however many the two bring.
CString AppendPathComponent(const CString& directory, const CString& name);

// What the previous run left in the settings about itself and its project.
struct StartupState {
    int nExitSuccess = 1;         // 0 when the previous run did not end cleanly
    int nAutoOpenLastProject = 1; // reopen the last project at start-up
    CString strLastOpenFile;      // the project of the previous run, empty when none
};

// Options ExitSuccess, AutoOpenLastProject and LastOpenFile.
StartupState ReadStartupState(CProfileStore& store);
// Marks the run as started (ExitSuccess 0) or ended cleanly (1).
void WriteExitSuccess(CProfileStore& store, BOOL bClean);

// Which project the program starts with.
enum class StartupProject {
    NewProject,  // an empty project
    GivenFile,   // the file named on the command line
    LastProject, // the previous run's project, reopened
};
StartupProject ChooseStartupProject(BOOL bFileOnCommandLine, const StartupState& state);
// Whether the program goes on, with an empty project, when opening that project (strFile)
// failed: a reopened project gives way; a file the user named ends the run, unless its name
// lost characters to the code page, so that it was never tried and the message said how to
// reach it, which the user then can.
BOOL StartEmptyWhenOpenFails(StartupProject project, const CString& strFile);

// The main window's stored placement: the platform's 44-byte record.
struct FramePlacement {
    BOOL bUseRect = FALSE; // open at rect (else where the system puts a new window)
    CRect rect;
    BOOL bMaximize = TRUE; // open maximised
};
// The placement to open with from the stored bytes (empty when none). A record of another
// length or length field, with an empty rectangle or one not wholly on the screen, or a
// minimised one, is not used: the frame opens maximised. A usable record opens at its
// rectangle, maximised when it was closed maximised.
FramePlacement ChooseFramePlacement(const std::vector<BYTE>& stored, CSize screen);

// The explorer's width from the stored value: negative values or more than half the screen give
// the default.
int ChooseTreeWidth(int nStored, int cxScreen);
constexpr int kDefaultExplorerWidth = 175;
