#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

#include <vector>

class CDocTemplate;
class CDocument;

// The application's document templates and the File commands that choose among them: new,
// open (with the file dialog built from a template's filter), and closing everything.
class CDocManager {
public:
    CDocManager() = default;
    virtual ~CDocManager();
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    // Takes ownership; loads the template's document string.
    virtual void AddDocTemplate(CDocTemplate* pTemplate);
    int GetTemplateCount() const { return int(m_templateList.size()); }
    CDocTemplate* GetTemplate(int nIndex) const { return AfxElementAt(m_templateList, nIndex); }

    // The open or save dialog; fileName is the proposed name in and the chosen path out.
    virtual BOOL DoPromptFileName(CString& fileName, BOOL bOpenFileDialog, CDocTemplate* pTemplate);
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

protected:
    std::vector<CDocTemplate*> m_templateList;
};
