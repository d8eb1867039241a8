#include "tests/framework_doc/DocTestApp.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/CSingleDocTemplate.h"
#include "framework/win/MessageCrackers.h"
#include "tests/framework_doc/DocTestRes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

CTestApp theTestApp;

std::vector<std::string>& RouteLog()
{
    static std::vector<std::string> log;
    return log;
}

// --- application ----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_TEST_ALL, &CTestApp::OnTestCommand)
ON_COMMAND(ID_TEST_DOC_FRAME_APP, &CTestApp::OnTestCommand)
ON_COMMAND(ID_TEST_FRAME_APP, &CTestApp::OnTestCommand)
ON_COMMAND(ID_TEST_APP_ONLY, &CTestApp::OnTestCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_APP_ONLY, &CTestApp::OnUpdateTestAppOnly)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
END_MESSAGE_MAP()

void CTestApp::EnsureTemplate()
{
    if (m_pDocManager)
        return;
    SetRegistryKey("Zivra Framework Tests");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_TESTDOC, RUNTIME_CLASS(CTestDoc),
                                          RUNTIME_CLASS(CTestFrame), RUNTIME_CLASS(CTestTextView)));
}

void CTestApp::OnTestCommand() { RouteLog().push_back("application"); }

void CTestApp::OnUpdateTestAppOnly(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

// --- document -------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestDoc, CRichEditDoc)

BEGIN_MESSAGE_MAP(CTestDoc, CRichEditDoc)
ON_COMMAND(ID_TEST_ALL, &CTestDoc::OnTestCommand)
ON_COMMAND(ID_TEST_DOC_FRAME_APP, &CTestDoc::OnTestCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_DOC_FRAME_APP, &CTestDoc::OnUpdateTestDoc)
ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, &CTestDoc::OnUpdateTestDisabled)
ON_UPDATE_COMMAND_UI(IDS_INDICATOR_ANGLE, &CTestDoc::OnUpdateAngle)
END_MESSAGE_MAP()

void CTestDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nCount << m_dValue << m_strName;
        if (m_bFailMidWrite)
            throw CArchiveException(CArchiveException::genericException);
    } else {
        ar >> m_nCount >> m_dValue >> m_strName;
    }
    CRichEditDoc::Serialize(ar); // the text runs to the end of the file
}

void CTestDoc::DeleteContents()
{
    m_nCount = 0;
    m_dValue = 0.0;
    m_strName.Empty();
    CRichEditDoc::DeleteContents();
}

void CTestDoc::OnTestCommand() { RouteLog().push_back("document"); }

void CTestDoc::OnUpdateTestDoc(CCmdUI* pCmdUI) { pCmdUI->SetCheck(0); }

void CTestDoc::OnUpdateTestDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void CTestDoc::OnUpdateAngle(CCmdUI* pCmdUI) { pCmdUI->SetText(m_strAngle); }

// --- views ----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestTextView, CRichEditView)

BEGIN_MESSAGE_MAP(CTestTextView, CRichEditView)
ON_COMMAND(ID_TEST_ALL, &CTestTextView::OnTestCommand)
ON_UPDATE_COMMAND_UI(ID_TEST_ALL, &CTestTextView::OnUpdateTestAll)
END_MESSAGE_MAP()

void CTestTextView::OnTestCommand() { RouteLog().push_back("view"); }

void CTestTextView::OnUpdateTestAll(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

IMPLEMENT_DYNCREATE(CTestDrawView, CView)

BEGIN_MESSAGE_MAP(CTestDrawView, CView)
ON_COMMAND(ID_TEST_ALL, &CTestDrawView::OnTestCommand)
ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrintDirect)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

void CTestDrawView::OnTestCommand() { RouteLog().push_back("second view"); }

COLORREF CTestDrawView::PageColour(UINT nPage)
{
    static const COLORREF colours[] = {RGB(0, 0, 255), RGB(255, 0, 0), RGB(0, 160, 0)};
    return colours[(nPage - 1) % 3];
}

BOOL CTestDrawView::OnPreparePrinting(CPrintInfo* pInfo)
{
    m_printLog.push_back("prepare");
    if (m_nPages > 0)
        pInfo->SetMaxPage(m_nPages);
    const BOOL bPrepared = DoPreparePrinting(pInfo);
    m_hPrinterDC = pInfo->m_pPD->m_pd.hDC;
    return bPrepared;
}

void CTestDrawView::OnBeginPrinting(CDC*, CPrintInfo*) { m_printLog.push_back("begin"); }

void CTestDrawView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (!pInfo)
        return;
    m_printLog.push_back("dc " + std::to_string(pInfo->m_nCurPage));
    if (pInfo->m_nCurPage == m_nAbortOnPage)
        pDC->EndDoc();
}

void CTestDrawView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    m_printLog.push_back("print " + std::to_string(pInfo->m_nCurPage));
    const CRect& page = pInfo->m_rectDraw;
    pDC->FillSolidRect(page.left, page.top, page.Width() / 2, page.Height() / 2,
                       PageColour(pInfo->m_nCurPage));
}

void CTestDrawView::OnEndPrinting(CDC*, CPrintInfo*) { m_printLog.push_back("end"); }

// --- frame ----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_TEST_ALL, &CTestFrame::OnTestCommand)
ON_COMMAND(ID_TEST_DOC_FRAME_APP, &CTestFrame::OnTestCommand)
ON_COMMAND(ID_TEST_FRAME_APP, &CTestFrame::OnTestCommand)
ON_COMMAND(ID_TEST_DISABLED, &CTestFrame::OnTestCommand)
END_MESSAGE_MAP()

BOOL CTestFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (!m_wndSplitter.CreateStatic(this, 1, 2))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CTestTextView), CSize(150, 100), pContext) ||
        !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CTestDrawView), CSize(0, 0), pContext))
        return FALSE;
    SetActiveView(TextView());
    return TRUE;
}

int CTestFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, IDS_INDICATOR_ANGLE, IDS_INDICATOR_BASE,
                                      ID_INDICATOR_CAPS};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    RecalcLayout();
    return 0;
}

CTestTextView* CTestFrame::TextView() const
{
    CWnd* pPane = m_wndSplitter.GetPane(0, 0);
    return pPane ? dynamic_cast<CTestTextView*>(CWnd::FromHandlePermanent(pPane->GetSafeHwnd()))
                 : nullptr;
}

CTestDrawView* CTestFrame::DrawView() const
{
    CWnd* pPane = m_wndSplitter.GetPane(0, 1);
    return pPane ? dynamic_cast<CTestDrawView*>(CWnd::FromHandlePermanent(pPane->GetSafeHwnd()))
                 : nullptr;
}

void CTestFrame::OnTestCommand() { RouteLog().push_back("frame"); }

// --- helpers --------------------------------------------------------------------------------

CTestFrame* MainFrame()
{
    theTestApp.EnsureTemplate();
    if (!theTestApp.m_pMainWnd)
        theTestApp.OnFileNew();
    return dynamic_cast<CTestFrame*>(theTestApp.m_pMainWnd);
}

CTestDoc* MainDoc()
{
    CTestFrame* pFrame = MainFrame();
    return pFrame ? dynamic_cast<CTestDoc*>(pFrame->GetActiveDocument()) : nullptr;
}

void CloseMainFrame()
{
    if (CWnd* pMain = theTestApp.m_pMainWnd)
        pMain->DestroyWindow();
    theTestApp.m_pMainWnd = nullptr;
    PumpMessages();
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue; // the destroyed main window asked to end the run
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

namespace {

// The test registry key is removed before and after the run, so each run starts empty.
class DocTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Framework Tests");
    }
    void TearDown() override
    {
        CloseMainFrame();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Framework Tests");
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new DocTestEnvironment);

} // namespace
