#include "framework/win/CDocument.h"

#include "framework/core/AtomicFile.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/core/PathNames.h"
#include "framework/win/CDocManager.h"
#include "framework/win/CDocTemplate.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CView.h"
#include "framework/win/CWinApp.h"
#include "framework/win/FileIdentity.h"
#include "framework/win/FrameworkIds.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
END_MESSAGE_MAP()

CString FormatSaveLoadError(LPCTSTR lpszPathName, const CException* e, BOOL bSaving)
{
    // A name the code page could not hold fails as an invalid or missing path: say why.
    if (HasUnusableName(lpszPathName))
        return UnusableNameMessage(lpszPathName, bSaving, ShortSpelling(lpszPathName));
    // The exception may name the temporary file of a save: describe the cause with the
    // document's own path instead.
    if (auto* pArchive = dynamic_cast<const CArchiveException*>(e))
        return CArchiveException(pArchive->m_cause, lpszPathName).GetErrorMessage();
    if (auto* pFile = dynamic_cast<const CFileException*>(e))
        return CFileException(pFile->m_cause, pFile->m_lOsError, lpszPathName).GetErrorMessage();
    if (e)
        return e->GetErrorMessage();
    CString strText;
    strText.Format(bSaving ? "Failed to save the document %s." : "Failed to open the document %s.",
                   lpszPathName);
    return strText;
}

CDocument::~CDocument()
{
    // A document deleted while views still point at it leaves them without one.
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    // One spelling whatever the user typed: the title and the recent files show long names.
    m_strPathName = NormalPathName(lpszPathName);
    int n = std::max(m_strPathName.ReverseFind('\\'), m_strPathName.ReverseFind('/'));
    SetTitle(m_strPathName.Mid(n + 1));
    if (bAddToMRU)
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView)
{
    if (std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.empty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    for (CView* pView : m_viewList)
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // A copy: an update may add or remove views.
    std::vector<CView*> views = m_viewList;
    for (CView* pView : views)
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    m_bEmptiedByFailedOpen = FALSE;
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE); // a half-read document is never "clean"
    try {
        CArchive ar(&file, CArchive::load);
        Serialize(ar);
        ar.Close();
        file.Close();
    } catch (const CException& e) {
        file.Abort();
        // Nothing half-read is kept.
        DeleteContents();
        SetModifiedFlag(FALSE);
        m_bEmptiedByFailedOpen = TRUE;
        ReportSaveLoadException(lpszPathName, &e, FALSE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CString strTarget = FullPathName(lpszPathName);
    try {
        ReplaceFileAtomically(strTarget, [this](CFile& file) {
            CArchive ar(&file, CArchive::store);
            Serialize(ar);
            ar.Close();
        });
    } catch (const CException& e) {
        ReportSaveLoadException(strTarget, &e, TRUE);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, const CException* e, BOOL bSaving)
{
    AfxMessageBox(FormatSaveLoadError(lpszPathName, e, bSaving), MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument()
{
    // Destroying the frames destroys the views, which would close the document again.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty()) {
        CView* pView = m_viewList.front();
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame && pFrame->GetSafeHwnd())
            pFrame->DestroyWindow();
        else
            RemoveView(pView);
        // A view that stayed (no frame) is let go so the loop ends.
        if (!m_viewList.empty() && m_viewList.front() == pView)
            RemoveView(pView);
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString strName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
    CString strPrompt;
    strPrompt.Format("Save changes to %s?", strName.GetString());
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* /*pFrame*/) { return SaveModified(); }

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName ? CString(lpszPathName) : CString();
    if (strNewName.IsEmpty()) {
        strNewName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        CDocManager* pManager = AfxGetApp() ? AfxGetApp()->m_pDocManager : nullptr;
        if (!pManager || !pManager->DoPromptFileName(strNewName, FALSE, GetDocTemplate()))
            return FALSE;
    }
    if (!OnSaveDocument(strNewName))
        return FALSE;
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    // A document never saved, or whose file became read-only, asks for a name.
    DWORD dwAttrib =
        m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return DoSave(nullptr);
    return DoSave(m_strPathName.IsEmpty() ? nullptr : m_strPathName.GetString());
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }
