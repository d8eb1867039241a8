#pragma once
// The program the application core's window tests run in: the program's own application object
// on a scratch settings key, its document template, and the main frame with its document,
// created when a test asks for them and destroyed as at the end of a run.
#include "app/MainFrame.h"
#include "app/MathApp.h"
#include "app/MyDocument.h"
#include "tests/support/GuiTestSupport.h"

#include <string>

// The registry path under HKEY_CURRENT_USER of the tests' settings.
extern const char kTestSettingsKey[];

CMathApp& TestApp();
// The settings key, image lists and document template, made once.
void EnsureTestTemplate();
// The main frame after File/New, made when there is none.
CMainFrame* MainFrame();
CMyDocument* MainDocument();
// The text of the main document's workspace; empty when it has none.
CString WorkspaceText();
// Destroys the main frame and its document, as at the end of a run.
void CloseMainFrame();
// Dispatches every queued message.
inline void Pump() { AfxPumpPendingMessages(); }
// A fresh folder of the process under the temporary folder, ending with a backslash.
std::string TestFolder();
