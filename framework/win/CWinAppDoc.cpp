// The document half of the application object: templates, the File commands, the recent-file
// list and the command line.
#include "framework/win/CWinApp.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/CCommandLineInfo.h"
#include "framework/win/CDocManager.h"
#include "framework/win/CDocTemplate.h"
#include "framework/win/CDocument.h"
#include "framework/win/CRecentFileList.h"
#include "framework/win/CWnd.h"
#include "framework/win/FrameworkIds.h"

#include <cstdlib>
#include <memory>

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CWinApp::OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace {

// Owns what the application object points to, for the life of the process.
struct DocAppState {
    std::unique_ptr<CDocManager> docManager;
    std::unique_ptr<CRecentFileList> recentFiles;
};

DocAppState& State()
{
    static DocAppState state;
    return state;
}

} // namespace

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!m_pDocManager) {
        State().docManager = std::make_unique<CDocManager>();
        m_pDocManager = State().docManager.get();
    }
    m_pDocManager->AddDocTemplate(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager)
        m_pDocManager->OnFileNew();
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnFileOpen()
{
    if (m_pDocManager)
        m_pDocManager->OnFileOpen();
}

BOOL CWinApp::SaveAllModified() { return !m_pDocManager || m_pDocManager->SaveAllModified(); }

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    if (m_pDocManager)
        m_pDocManager->CloseAllDocuments(bEndSession);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU == 0)
        return;
    nMaxMRU = std::min<UINT>(nMaxMRU, ID_FILE_MRU_LAST - ID_FILE_MRU_FILE1 + 1);
    State().recentFiles = std::make_unique<CRecentFileList>(ID_FILE_MRU_FILE1, "Recent File List",
                                                            "File%d", int(nMaxMRU));
    m_pRecentFileList = State().recentFiles.get();
    m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (!m_pRecentFileList)
        return;
    // Another window of the program may have changed the stored list since it was read.
    m_pRecentFileList->ReadList();
    m_pRecentFileList->Add(lpszPathName);
    // Written at once: the list survives a run that does not end cleanly.
    m_pRecentFileList->WriteList();
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

void CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return;
    int nIndex = int(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize())
        return;
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (strPath.IsEmpty())
        return;
    if (!OpenDocumentFile(strPath) && ::GetFileAttributesA(strPath) == INVALID_FILE_ATTRIBUTES) {
        // A file that no longer exists leaves the list, as it is stored by now.
        m_pRecentFileList->ReadList();
        for (int i = 0; i < m_pRecentFileList->GetSize(); ++i)
            if ((*m_pRecentFileList)[i].CompareNoCase(strPath) == 0) {
                m_pRecentFileList->Remove(i);
                break;
            }
        m_pRecentFileList->WriteList();
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    ParseCommandLineArgs(rCmdInfo, __argc, __argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // Through the message map, so a program's own File/New handler is used.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    default:
        return TRUE;
    }
}
