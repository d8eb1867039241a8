#pragma once
#include "framework/win/CDocTemplate.h"

// The template of a single-document program: one document and one main frame at a time. Opening
// or creating another document reuses both, after the old one agreed to close.
class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

protected:
    CDocument* m_pOnlyDoc = nullptr;

private:
    CFrameWnd* FrameOf(CDocument* pDocument) const;
    void ResetToEmpty(CDocument* pDocument);
};
