// The document's life cycle: the engine's start-up, the settings and the user-data file when
// it is made, and what is written back when it goes.
#include "app/MyDocument.h"

#include "app/MessageBoxes.h"
#include "framework/win/RegistryProfileStore.h"

IMPLEMENT_DYNCREATE(CMyDocument, CRichEditDoc)

namespace {

CString& UserDataPath()
{
    static CString path = kDefaultUserDataPath;
    return path;
}

} // namespace

void CMyDocument::SetUserDataPath(const CString& path) { UserDataPath() = path; }

CMyDocument::CMyDocument()
{
    m_Model.SetPrompts(this);
    m_Model.Initialize();
    CRegistryProfileStore store;
    m_Model.ReadSettings(store, ::GetSystemMetrics(SM_CYSCREEN));
    m_Model.SetUserDataPath(UserDataPath());
    m_Model.ReadUserData();
}

CMyDocument::~CMyDocument()
{
    m_Model.WriteUserData();
    m_Model.ReleaseUserDefinitions();
    CRegistryProfileStore store;
    m_Model.WriteSettingsAtExit(store, GetPathName());
    m_Model.SetWindows(nullptr);
    m_Model.SetPrompts(nullptr);
}

BOOL CMyDocument::OnNewDocument()
{
    if (!CRichEditDoc::OnNewDocument())
        return FALSE;
    m_Model.OnNewDocument();
    m_Model.ShowProjectAnew();
    return TRUE;
}

void CMyDocument::DeleteContents()
{
    CRichEditDoc::DeleteContents();
    m_Model.DeleteContents();
}

BOOL CMyDocument::IsModified() { return CRichEditDoc::IsModified() || m_Model.IsModified(); }

void CMyDocument::SetModifiedFlag(BOOL bModified)
{
    CRichEditDoc::SetModifiedFlag(bModified);
    m_Model.SetModified(bModified);
}

void CMyDocument::ShowMessage(const CString& text) { MessageBoxText(nullptr, text); }

int CMyDocument::AskQuestion(const CString& text) { return MessageBoxQuestion(nullptr, text); }

int CMyDocument::ConfirmDelete(const CString& name, BOOL& bDontAsk)
{
    return ConfirmDeletePrompt(name, bDontAsk);
}

int CMyDocument::ConfirmOverwrite(const CString& name, BOOL& bDontAsk)
{
    return ConfirmOverwritePrompt(name, bDontAsk);
}
