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

// Windows of the program that start or end at the same moment take turns with the user-data
// file: none reads it while another replaces it, or replaces it between another's reading
// and writing. A turn that does not come within a few seconds is taken anyway.
class UserDataTurn {
public:
    UserDataTurn()
    {
        m_hMutex = ::CreateMutexA(nullptr, FALSE, UserDataLockName(UserDataPath()));
        if (m_hMutex) {
            const DWORD dwWait = ::WaitForSingleObject(m_hMutex, 5000);
            m_bOwned = dwWait == WAIT_OBJECT_0 || dwWait == WAIT_ABANDONED;
        }
    }
    ~UserDataTurn()
    {
        if (m_bOwned)
            ::ReleaseMutex(m_hMutex);
        if (m_hMutex)
            ::CloseHandle(m_hMutex);
    }
    UserDataTurn(const UserDataTurn&) = delete;
    UserDataTurn& operator=(const UserDataTurn&) = delete;

private:
    HANDLE m_hMutex = nullptr;
    BOOL m_bOwned = FALSE;
};

} // namespace

void CMyDocument::SetUserDataPath(const CString& path) { UserDataPath() = path; }

// After the file's turn: a box the user leaves open must not keep another window waiting.
void CMyDocument::ShowNotices(const UserDataNotices& notices)
{
    for (const CString& text : notices)
        ShowMessage(text);
}

CMyDocument::CMyDocument()
{
    m_Model.SetPrompts(this);
    m_Model.Initialize();
    CRegistryProfileStore store;
    m_Model.ReadSettings(store, ::GetSystemMetrics(SM_CYSCREEN));
    m_Model.SetUserDataPath(UserDataPath());
    UserDataNotices notices;
    {
        UserDataTurn turn;
        notices = m_Model.ReadUserData();
    }
    ShowNotices(notices);
}

CMyDocument::~CMyDocument()
{
    UserDataNotices notices;
    {
        UserDataTurn turn;
        notices = m_Model.WriteUserData();
    }
    ShowNotices(notices);
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
