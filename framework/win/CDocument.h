#pragma once
#include "framework/core/CString.h"
#include "framework/win/CCmdTarget.h"

#include <vector>

class CArchive;
class CDocTemplate;
class CException;
class CFrameWnd;
class CView;

// The data of the program: loaded from and saved to one file through Serialize, shown by one
// or more views. Saving writes a temporary file in the target's folder and moves it over the
// target only when the whole archive was written, so a failed save never harms the old file.
class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Full path with long names; the title becomes the file name; bAddToMRU also puts it in the
    // recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // The views, in the order they were added.
    int GetViewCount() const { return int(m_viewList.size()); }
    CView* GetView(int nIndex) const { return AfxElementAt(m_viewList, nIndex); }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // OnUpdate of every view except pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();

    // Empties the data; called before a new or opened document fills it.
    virtual void DeleteContents() {}
    virtual BOOL OnNewDocument();
    // Reads the file; on failure reports the error and leaves the document empty.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // After a failed open: TRUE when the old contents were already gone (the file was read
    // in part), FALSE when the file could not be opened and nothing changed.
    BOOL IsEmptiedByFailedOpen() const { return m_bEmptiedByFailedOpen; }
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, const CException* e, BOOL bSaving);

    // Asks "Save changes to ...?" when modified: Yes saves, No discards; FALSE means Cancel
    // (or a failed save), and the caller must not close.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Saves to lpszPathName, or asks for a name when it is null or empty; bReplace makes the
    // saved file the document's path.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();

    void OnFileSave();
    void OnFileSaveAs();

    BOOL m_bAutoDelete = TRUE; // deleted when its last view goes

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_viewList;
    BOOL m_bModified = FALSE;
    BOOL m_bEmptiedByFailedOpen = FALSE;

    friend class CDocTemplate;
    DECLARE_MESSAGE_MAP()
};

// Text for a failed save or open, naming lpszPathName (not a temporary file) and the cause; a
// path with names the code page cannot hold is told so.
CString FormatSaveLoadError(LPCTSTR lpszPathName, const CException* e, BOOL bSaving);
