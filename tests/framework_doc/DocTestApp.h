#pragma once
// The program the document/view tests run in: an application with one single-document
// template, a test document (numbers and rich text), a frame with a status bar and a static
// splitter of two views, and a message-box hook that records what the user would see.
#include "framework/core/CArchive.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CPrintDialog.h"
#include "framework/win/CRichEditDoc.h"
#include "framework/win/CRichEditView.h"
#include "framework/win/CSplitterWnd.h"
#include "framework/win/CStatusBar.h"
#include "framework/win/CWinApp.h"
#include "framework/win/ModalTestHook.h"
#include "tests/support/GuiTestSupport.h"

#include <string>
#include <vector>

// Who handled the last commands, in order ("view", "document", "frame", "application").
std::vector<std::string>& RouteLog();

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("FrameworkDocTest") {}
    // Registers the template and the test registry key once.
    void EnsureTemplate();

    void OnTestCommand();
    void OnUpdateTestAppOnly(CCmdUI* pCmdUI);

protected:
    DECLARE_MESSAGE_MAP()
};
extern CTestApp theTestApp;

class CTestDoc : public CRichEditDoc {
    DECLARE_DYNCREATE(CTestDoc)
public:
    void Serialize(CArchive& ar) override;
    void DeleteContents() override;

    int m_nCount = 0;
    double m_dValue = 0.0;
    CString m_strName;
    CString m_strAngle = "DEG";   // shown by the status bar's angle pane
    BOOL m_bFailMidWrite = FALSE; // Serialize throws after writing the numbers

protected:
    void OnTestCommand();
    void OnUpdateTestDoc(CCmdUI* pCmdUI);
    void OnUpdateTestDisabled(CCmdUI* pCmdUI);
    void OnUpdateAngle(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CTestTextView : public CRichEditView {
    DECLARE_DYNCREATE(CTestTextView)
protected:
    void OnTestCommand();
    void OnUpdateTestAll(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CTestDrawView : public CView {
    DECLARE_DYNCREATE(CTestDrawView)
public:
    void OnDraw(CDC*) override {}
    int m_nUpdates = 0;
    void OnUpdate(CView*, LPARAM, CObject*) override { ++m_nUpdates; }

    // Printing: m_nPages pages (0: a length nobody sets), the top-left quarter of page n filled
    // with PageColour(n); each hook records its call ("prepare", "begin", "dc 2", "print 2",
    // "end").
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    static COLORREF PageColour(UINT nPage);
    UINT m_nPages = 3;
    UINT m_nAbortOnPage = 0; // preparing this page ends the job under the print loop
    std::vector<std::string> m_printLog;
    HDC m_hPrinterDC = nullptr; // the last job's printer, as its preparation left it

protected:
    void OnTestCommand();
    DECLARE_MESSAGE_MAP()
};

// Records the tracker drawing and lets tests read the metrics a derived splitter sees.
class CTestSplitter : public CSplitterWnd {
public:
    void OnInvertTracker(const CRect& rect) override
    {
        m_trackerRects.push_back(rect);
        CSplitterWnd::OnInvertTracker(rect);
    }
    int ColumnGap() const { return m_cxSplitterGap; }
    int Border() const { return m_cxBorder; }
    int MaxColumns() const { return m_nMaxCols; }
    std::vector<CRect> m_trackerRects;
};

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    CTestSplitter m_wndSplitter;
    CStatusBar m_wndStatusBar;

    CTestTextView* TextView() const;
    CTestDrawView* DrawView() const;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnTestCommand();
    DECLARE_MESSAGE_MAP()
};

// Answers every message box with m_nAnswer and keeps its text.
class CRecordingHook : public CModalTestHook {
public:
    int OnMessageBox(LPCTSTR lpszText, LPCTSTR, UINT) override
    {
        m_texts.push_back(lpszText);
        return m_nAnswer;
    }
    int OnModalStart(CWnd*) override { return IDCANCEL; }
    std::vector<std::string> m_texts;
    int m_nAnswer = IDNO;
};

// Installs the hook for a test's lifetime.
class ScopedHook {
public:
    ScopedHook() { AfxSetModalTestHook(&hook); }
    ~ScopedHook() { AfxSetModalTestHook(nullptr); }
    CRecordingHook hook;
};

// The main frame and its document after File/New, created when needed.
CTestFrame* MainFrame();
CTestDoc* MainDoc();
// Destroys the main frame and its document (as at the end of a run).
void CloseMainFrame();
// Processes every queued message.
void PumpMessages();
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
