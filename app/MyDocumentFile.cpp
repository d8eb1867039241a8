// Project files: saving through the framework's atomic save (never over a project another
// window holds), opening apart from the open project, and the workspace's rich text moved
// between the view and the model.
#include "app/MyDocument.h"

#include "app/MessageBoxes.h"
#include "app/OtherWindows.h"
#include "framework/core/CArchive.h"
#include "framework/win/CRichEditView.h"
#include "framework/win/FileIdentity.h"

void CMyDocument::TakeWorkspaceText()
{
    CRichEditView* pView = GetView();
    if (!pView)
        return;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pView->Serialize(ar);
        ar.Close();
    }
    m_Model.m_WorkspaceRtf = file.Detach();
}

void CMyDocument::ShowWorkspaceText()
{
    CRichEditView* pView = GetView();
    if (!pView)
        return;
    CMemFile file(m_Model.m_WorkspaceRtf.data(), UINT(m_Model.m_WorkspaceRtf.size()));
    try {
        CArchive ar(&file, CArchive::load);
        pView->Serialize(ar);
    } catch (const CException&) {
        // The project is open; only its text did not show. The control keeps what it took.
    }
}

void CMyDocument::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        TakeWorkspaceText();
        m_Model.SerializeProject(ar);
        return;
    }
    if (!m_Model.SerializeProject(ar)) {
        CFile* pFile = ar.GetFile();
        throw CArchiveException(CArchiveException::badClass,
                                pFile ? pFile->GetFilePath().GetString() : nullptr);
    }
    ShowWorkspaceText();
}

BOOL CMyDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    const BOOL bOpened = ReadProjectFile(lpszPathName);
    // Opened or not, the explorer and the panes show the project the document now holds.
    m_Model.ShowProjectAnew();
    return bOpened;
}

BOOL CMyDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (OtherWindowHoldsProject(lpszPathName, FALSE)) {
        MessageBoxText(nullptr, FullPathName(lpszPathName) +
                                    " is open in another window of the program, and saving "
                                    "here would overwrite it. Save the project under another "
                                    "name, or close it in the other window first.");
        return FALSE;
    }
    return CRichEditDoc::OnSaveDocument(lpszPathName);
}

BOOL CMyDocument::ReadProjectFile(LPCTSTR lpszPathName)
{
    m_bEmptiedByFailedOpen = FALSE;
    CFile file;
    CFileException fe;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe)) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE);
        return FALSE;
    }
    try {
        CArchive ar(&file, CArchive::load);
        if (!m_Model.SerializeProject(ar)) {
            MessageBoxText(nullptr, FullPathName(lpszPathName) + " is not a valid project file.");
            return FALSE;
        }
        ar.Close();
        file.Close();
    } catch (const CException& e) {
        file.Abort();
        ReportSaveLoadException(lpszPathName, &e, FALSE);
        return FALSE;
    }
    // The model has taken the file; the text and the project's flags follow it.
    CRichEditDoc::DeleteContents();
    ShowWorkspaceText();
    SetModifiedFlag(FALSE);
    UpdateAllViews(nullptr);
    return TRUE;
}
