#include "framework/win/CDocManager.h"

#include "framework/core/PathNames.h"
#include "framework/win/CDocTemplate.h"
#include "framework/win/CDocument.h"
#include "framework/win/CWinApp.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/FileIdentity.h"

CDocManager::~CDocManager()
{
    for (CDocTemplate* pTemplate : m_templateList)
        delete pTemplate;
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    pTemplate->LoadTemplate();
    m_templateList.push_back(pTemplate);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, BOOL bOpenFileDialog, CDocTemplate* pTemplate)
{
    if (!pTemplate && !m_templateList.empty())
        pTemplate = m_templateList.front();
    CString strExt, strFilter = "All Files (*.*)|*.*||";
    if (pTemplate) {
        strFilter = BuildFileDialogFilter(pTemplate->m_strDocStrings);
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt);
        if (!strExt.IsEmpty() && strExt[0] == '.')
            strExt = strExt.Mid(1);
    }
    DWORD dwFlags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    dwFlags |= bOpenFileDialog ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT;
    CFileDialog dlg(bOpenFileDialog, strExt.IsEmpty() ? nullptr : strExt.GetString(),
                    fileName.IsEmpty() ? nullptr : fileName.GetString(), dwFlags, strFilter);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    // The dialog names a folder browsed into, or a file chosen there, by its long name, which
    // the code page may not hold: the program goes on as if its short name had been typed.
    fileName = UsableSpelling(dlg.GetPathName());
    return TRUE;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (m_templateList.empty())
        return nullptr;
    CDocTemplate* pTemplate = m_templateList.front();
    const CString strPath = FullPathName(lpszFileName);
    // Said before the shown document is offered to be saved: no such name can be opened.
    if (HasUnusableName(strPath)) {
        AfxMessageBox(UnusableNameMessage(strPath, FALSE, ShortSpelling(strPath)),
                      MB_ICONEXCLAMATION);
        return nullptr;
    }
    // One document at a time: a file already open, under whatever spelling, is shown again.
    for (int i = 0; i < pTemplate->GetDocumentCount(); i++) {
        CDocument* pDoc = pTemplate->GetDocument(i);
        if (IsSameFile(pDoc->GetPathName(), strPath))
            return pDoc;
    }
    return pTemplate->OpenDocumentFile(strPath);
}

void CDocManager::OnFileNew()
{
    if (!m_templateList.empty())
        m_templateList.front()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString strName;
    if (!DoPromptFileName(strName, TRUE, nullptr))
        return;
    // Through the application, so that a program's own opening rules apply to the file chosen.
    if (CWinApp* pApp = AfxGetApp())
        pApp->OpenDocumentFile(strName);
    else
        OpenDocumentFile(strName);
}

BOOL CDocManager::SaveAllModified()
{
    for (CDocTemplate* pTemplate : m_templateList)
        if (!pTemplate->SaveAllModified())
            return FALSE;
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templateList)
        pTemplate->CloseAllDocuments(bEndSession);
}
