#include "app/MathApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/MyDocument.h"
#include "app/OtherWindows.h"
#include "app/StartupRules.h"
#include "app/StartupTiming.h"
#include "framework/win/CCommandLineInfo.h"
#include "framework/win/CSingleDocTemplate.h"
#include "framework/win/CView.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/RegistryProfileStore.h"
#include "plot/PlotCanvas.h"
#include "res/resource.h"

namespace {

// The explorer's images by icon id, in the order of the image list.
constexpr UINT kSmallIcons[] = {
    IDI_FOLDER,           IDI_TABLE,        IDI_ITEM_2,       IDI_ITEM_3,
    IDI_ITEM_4,           IDI_GRAPH,        IDI_ITEM_6,       IDI_LIST,
    IDI_ITEM_8,           IDI_MATRIX,       IDI_VARIABLES,    IDI_EXPRESSION_VARIABLES,
    IDI_SOLVER_EQUATIONS, IDI_SOLVER_MODEL, IDI_USER_DEFINED, IDI_CONSTANTS,
    IDI_FUNCTIONS,        IDI_CONVERSIONS,  IDI_PREDEFINED,   IDI_FAILED_GRAPH,
    IDI_GRAPH_3D,
};

const char kHelpFile[] = "Zivra.chm";

// An image of the list that shows nothing.
int AddEmptyImage(CImageList& list, int cx, int cy)
{
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hImage = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(nullptr, hScreen);
    std::vector<BYTE> maskBits(std::size_t((cx + 15) / 16 * 2 * cy), 0xFF);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, maskBits.data());
    const int nIndex = ::ImageList_Add(list.GetSafeHandle(), hImage, hMask);
    ::DeleteObject(hImage);
    ::DeleteObject(hMask);
    return nIndex;
}

} // namespace

CMathApp* GetMathApp() { return dynamic_cast<CMathApp*>(AfxGetApp()); }

BEGIN_MESSAGE_MAP(CMathApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
ON_COMMAND(ID_APP_ABOUT, &CMathApp::OnAppAbout)
ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CMathApp::CMathApp(LPCTSTR lpszAppName) : CWinApp(lpszAppName) {}

void CMathApp::SetProgramPaths(LPCTSTR lpszProgramPath)
{
    m_strProgramDir = GetPathDirectory(lpszProgramPath);
    m_strHelpPath = AppendPathComponent(m_strProgramDir, kHelpFile);
}

BOOL CMathApp::CreateImageLists()
{
    m_ImageListSmall.DeleteImageList();
    m_ImageListLarge.DeleteImageList();
    if (!m_ImageListSmall.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1) ||
        !m_ImageListLarge.Create(32, 32, ILC_COLOR24 | ILC_MASK, 2, 1))
        return FALSE;
    for (UINT nID : kSmallIcons) {
        HICON hIcon = HICON(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID), IMAGE_ICON,
                                         16, 16, LR_DEFAULTCOLOR));
        if (hIcon) {
            m_ImageListSmall.Add(hIcon);
            ::DestroyIcon(hIcon);
        } else {
            AddEmptyImage(m_ImageListSmall, 16, 16);
        }
    }
    return TRUE;
}

void CMathApp::AddProjectTemplate()
{
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMyDocument),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CView)));
}

BOOL CMathApp::InitInstance()
{
    StartupTiming::Mark(StartupTiming::Start);
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey(IDS_COMPANY);
    LoadStdProfileSettings(4);

    // The module's own path: the first argument may be relative or a bare name.
    char szPath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    SetProgramPaths(szPath);
    CreateImageLists();
    // Plot fonts and surface grids are sized for the screen the plots show on.
    if (HDC hScreen = ::GetDC(nullptr)) {
        GetPlotScreenMetrics() = {::GetDeviceCaps(hScreen, LOGPIXELSY),
                                  ::GetSystemMetrics(SM_CYSCREEN)};
        ::ReleaseDC(nullptr, hScreen);
    }
    AddProjectTemplate();
    StartupTiming::Mark(StartupTiming::Settings);

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!OpenStartupProject(cmdInfo)) {
        // A project shown in another window ends this run as it was asked to.
        m_bStartShownElsewhere = m_bShownElsewhere;
        m_bStartFailed = !m_bShownElsewhere;
        return FALSE;
    }
    m_pMainWnd->ShowWindow(m_nCmdShow);
    m_pMainWnd->UpdateWindow();
    StartupTiming::Mark(StartupTiming::FirstPaint);
    return TRUE;
}

BOOL CMathApp::OpenStartupProject(CCommandLineInfo& cmdInfo)
{
    CRegistryProfileStore store(this);
    const StartupState state = ReadStartupState(store);
    WriteExitSuccess(store, FALSE); // a run that never reaches ExitInstance leaves 0
    const StartupProject project =
        ChooseStartupProject(cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen, state);
    if (project == StartupProject::LastProject) {
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
        cmdInfo.m_strFileName = state.strLastOpenFile;
    }
    if (ProcessShellCommand(cmdInfo))
        return TRUE;
    // The document has said why the project could not be opened.
    if (!StartEmptyWhenOpenFails(project, cmdInfo.m_strFileName))
        return FALSE;
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
    cmdInfo.m_strFileName.Empty();
    return ProcessShellCommand(cmdInfo);
}

CDocument* CMathApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    m_bShownElsewhere = OtherWindowHoldsProject(lpszFileName, TRUE);
    return m_bShownElsewhere ? nullptr : CWinApp::OpenDocumentFile(lpszFileName);
}

int CMathApp::ExitInstance()
{
    CRegistryProfileStore store(this);
    // A run that only brought another window forward leaves that window's mark alone.
    if (!m_bStartShownElsewhere)
        WriteExitSuccess(store, TRUE);
    const int nExitCode = CWinApp::ExitInstance();
    return m_bStartFailed ? 1 : nExitCode; // a start that failed is no success
}

BOOL CMathApp::OnIdle(LONG lCount)
{
    const BOOL bMore = CWinApp::OnIdle(lCount);
    if (lCount == 0 && m_pMainWnd && m_pMainWnd->IsWindowVisible())
        StartupTiming::OnFirstIdle(m_pMainWnd);
    return bMore;
}

BOOL CMathApp::WriteProfileDouble(LPCTSTR lpszSection, LPCTSTR lpszEntry, double dValue)
{
    return CRegistryProfileStore(this).WriteDouble(lpszSection, lpszEntry, dValue);
}

double CMathApp::GetProfileDouble(LPCTSTR lpszSection, LPCTSTR lpszEntry, double dDefault)
{
    return CRegistryProfileStore(this).GetDouble(lpszSection, lpszEntry, dDefault);
}

void CMathApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}
