#pragma once
#include "framework/core/CString.h"
#include "framework/win/CWinThread.h"

#include <commdlg.h>

class CCmdUI;
class CCommandLineInfo;
class CDC;
class CPrintDialog;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;

// The application object: one global instance per program. The framework's WinMain calls
// InitApplication, InitInstance and Run. Settings live under
// HKEY_CURRENT_USER\Software\<registry key>\<application name>\<section> once SetRegistryKey
// has named the company key; before that the profile functions read defaults and write nothing.
class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    // The application's message boxes: the main window owns them, the application name is
    // the caption, and an OK box without an icon gets the exclamation icon.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // Help for a window: HELP_CONTEXT with a dialog template id, HELP_KEY with a keyword
    // text, HELP_FINDER for the contents. An application without help shows nothing.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // The application's key (created when missing); the caller closes it. nullptr without one.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // A null entry deletes the section; a null value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // On TRUE *ppData is a new[] buffer of *pBytes bytes that the caller delete[]s.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const
    {
        return ::LoadCursorA(nullptr, lpszCursorName);
    }
    HICON LoadIcon(UINT nIDResource) const;

    // Dialog look switches kept for the start-up sequence; the system draws 3-D controls itself.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

    // Documents (CWinAppDoc.cpp): the templates, the File commands, the recent-file list
    // (written to the registry as it changes) and the command line.
    void AddDocTemplate(CDocTemplate* pTemplate);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    // The recent-file list with nMaxMRU entries, read from the registry.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Creates the document and main frame, opening the command line's file; FALSE on failure.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    void OnFileNew();
    void OnFileOpen();
    // File/Exit: the main window is closed as by its close box, which asks to save first.
    void OnAppExit();
    void OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    CDocManager* m_pDocManager = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;

    // Printing (CWinAppPrint.cpp): the printer the user chose, kept for the run; the system's
    // default printer until a choice is made.
    // The current printer's settings into pPrintDlg (nothing shown); FALSE when there is none.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg);
    // Takes the system's default printer when none is kept yet, or always with bForceDefaults.
    void UpdatePrinterSelection(BOOL bForceDefaults);
    // The print dialog on the current printer; the printer chosen there is kept.
    INT_PTR DoPrintDialog(CPrintDialog* pPD);
    // A device context on the current printer; FALSE when there is no printer.
    BOOL CreatePrinterDC(CDC& dc);
    // File/Print Setup: the printer-setup dialog, keeping the printer chosen.
    void OnFilePrintSetup();
    HGLOBAL m_hDevMode = nullptr;  // DEVMODE of the current printer, or nullptr
    HGLOBAL m_hDevNames = nullptr; // DEVNAMES of the current printer, or nullptr

    LPCTSTR m_pszAppName = nullptr;     // application name: the application key and box caption
    LPCTSTR m_pszRegistryKey = nullptr; // company key
    LPCTSTR m_pszProfileName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

protected:
    DECLARE_MESSAGE_MAP()

private:
    static void SetText(LPCTSTR& rMember, LPCTSTR lpszValue);
};

// Control containment needs no set-up here; kept for the start-up sequence.
inline void AfxEnableControlContainer() {}

// The framework's program entry: initialises the module, then InitInstance and Run.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
