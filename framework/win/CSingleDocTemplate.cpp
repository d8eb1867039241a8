#include "framework/win/CSingleDocTemplate.h"

#include "framework/win/CDocument.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CView.h"
#include "framework/win/CWinThread.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

CFrameWnd* CSingleDocTemplate::FrameOf(CDocument* pDocument) const
{
    for (int i = 0; i < pDocument->GetViewCount(); i++)
        if (CFrameWnd* pFrame = pDocument->GetView(i)->GetParentFrame())
            return pFrame;
    return nullptr;
}

// After a failed read into the shown document: an empty untitled document, never a half-read
// one that still carries the old file's name.
void CSingleDocTemplate::ResetToEmpty(CDocument* pDocument)
{
    pDocument->OnNewDocument();
    SetDefaultTitle(pDocument);
    pDocument->UpdateAllViews(nullptr);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    BOOL bCreated = FALSE;
    if (pDocument) {
        if (!pDocument->SaveModified())
            return nullptr;
        pFrame = FrameOf(pDocument);
    } else {
        pDocument = CreateNewDocument();
        if (!pDocument)
            return nullptr;
    }
    if (!pFrame) {
        // The frame's views hold the document; if the frame fails it takes the document along.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (!pFrame) {
            delete pDocument;
            return nullptr;
        }
        bCreated = TRUE;
    }

    BOOL bOk;
    if (!lpszPathName) {
        SetDefaultTitle(pDocument);
        bOk = pDocument->OnNewDocument();
    } else {
        bOk = pDocument->OnOpenDocument(lpszPathName);
        if (bOk)
            pDocument->SetPathName(lpszPathName);
    }
    if (!bOk) {
        if (bCreated) {
            pFrame->DestroyWindow(); // destroys the views, and with the last one the document
            if (m_pOnlyDoc == pDocument)
                delete pDocument; // a frame without views of it leaves it behind
        } else if (pDocument->IsEmptiedByFailedOpen()) {
            ResetToEmpty(pDocument);
        } // else the file could not be opened at all, and the shown document stays
        return nullptr;
    }

    if (bCreated) {
        CWinThread* pThread = AfxGetThread();
        if (pThread && !pThread->m_pMainWnd)
            pThread->m_pMainWnd = pFrame;
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
