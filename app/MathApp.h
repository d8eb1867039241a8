#pragma once
#include "framework/win/CImageList.h"
#include "framework/win/CWinApp.h"

#include <functional>

class CCommandLineInfo;

// The application object: it sets up the settings key, the recent files, the program's paths
// and image lists and the document template, opens the project the start calls for and records
// a clean end of the run. It also opens the help file and keeps reals in the settings.
class CMathApp : public CWinApp {
public:
    explicit CMathApp(LPCTSTR lpszAppName = nullptr);

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    // A project that a window of another run holds is not opened a second time: that window
    // comes to the front instead, and the result is null.
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;

    // Opens the help file at a topic page (e.g. "FinanceBox.htm"); FALSE, after telling the user
    // why, when the file or the help component is missing.
    BOOL ShowHelp(LPCTSTR lpszTopic);
    // Opens the help file's index at a keyword (e.g. "Finance Box"), likewise.
    BOOL ShowHelpKeyword(LPCTSTR lpszKeyword);
    // A dialog's page (HELP_CONTEXT with its template id), a keyword (HELP_KEY) or the contents.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

    // What the help component is asked to show: a topic page, or else the index at a keyword.
    struct HelpRequest {
        CString strFile;
        CString strTopic;
        CString strKeyword;
    };
    // Shows a request in a window of the help component; null when it cannot.
    using HelpLauncher = std::function<HWND(const HelpRequest& request)>;
    // Tests put their own launcher in place of the help component; an empty one restores it.
    void SetHelpLauncher(HelpLauncher launcher) { m_HelpLauncher = std::move(launcher); }

    // A real as 8 raw bytes, and back: a value of any other length gives the default.
    BOOL WriteProfileDouble(LPCTSTR lpszSection, LPCTSTR lpszEntry, double dValue);
    double GetProfileDouble(LPCTSTR lpszSection, LPCTSTR lpszEntry, double dDefault);

    // The steps of the start that tests run on their own.
    // The program's path gives the folder and the help file's path.
    void SetProgramPaths(LPCTSTR lpszProgramPath);
    // The small list holds the explorer's 21 images in their fixed order (a missing icon leaves
    // an empty image, so later ones keep their index); the large one stays empty.
    BOOL CreateImageLists();
    void AddProjectTemplate();
    // Marks the run as started and opens the project of the command line, else the last one
    // after a clean end (an empty one when that fails), else an empty one. FALSE ends the run.
    BOOL OpenStartupProject(CCommandLineInfo& cmdInfo);

    CImageList m_ImageListLarge;
    CImageList m_ImageListSmall;
    CString m_strHelpPath;
    CString m_strProgramDir;

protected:
    // Help/About: the About box.
    void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    BOOL ShowHelpRequest(const HelpRequest& request);

    HelpLauncher m_HelpLauncher;
    BOOL m_bStartFailed = FALSE;
    BOOL m_bShownElsewhere = FALSE;      // the last project asked for is open in another window
    BOOL m_bStartShownElsewhere = FALSE; // so was the project the run started for
};

// The program's application object.
CMathApp* GetMathApp();
