#pragma once
#include "framework/core/CString.h"
#include "framework/win/CCmdTarget.h"

#include <vector>

class CDocument;
class CFrameWnd;

// Ties a document class to its frame and view classes and to a resource id: the frame's menu,
// accelerators and icon, and the document string "title\ndocName\nfileNewName\nfilterName\n
// filterExt\nregFileTypeId\nregFileTypeName" from the string table.
class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    ~CDocTemplate() override;

    // Reads the document string; done when the template is added to the application.
    virtual void LoadTemplate();
    // FALSE (and an empty text) for a part the string leaves out.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual CDocument* CreateNewDocument();
    // A frame from the resource id with its views for pDoc; nullptr when creation fails.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* pDocument);
    // nullptr path: a new document. Returns the document, or nullptr on failure.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    int GetDocumentCount() const { return int(m_docList.size()); }
    CDocument* GetDocument(int nIndex) const { return AfxElementAt(m_docList, nIndex); }
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

    std::vector<CDocument*> m_docList;
};

// Part nIndex (0-based) of a '\n'-separated document string; FALSE when it is missing or empty.
BOOL ExtractDocStringPart(const CString& strDocStrings, int nIndex, CString& rString);
// The file-dialog filter of a document string: "name|*.ext|All Files (*.*)|*.*||", or only
// the "All Files" pair when the string gives no filter.
CString BuildFileDialogFilter(const CString& strDocStrings);
