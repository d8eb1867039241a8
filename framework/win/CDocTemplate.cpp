#include "framework/win/CDocTemplate.h"

#include "framework/win/CCreateContext.h"
#include "framework/win/CDocument.h"
#include "framework/win/CFrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

BOOL ExtractDocStringPart(const CString& strDocStrings, int nIndex, CString& rString)
{
    rString.Empty();
    int nStart = 0;
    for (int i = 0; i < nIndex; i++) {
        nStart = strDocStrings.Find('\n', nStart);
        if (nStart < 0)
            return FALSE;
        ++nStart;
    }
    int nEnd = strDocStrings.Find('\n', nStart);
    rString = nEnd < 0 ? strDocStrings.Mid(nStart) : strDocStrings.Mid(nStart, nEnd - nStart);
    return !rString.IsEmpty();
}

CString BuildFileDialogFilter(const CString& strDocStrings)
{
    CString strFilter;
    CString strName, strExt;
    if (ExtractDocStringPart(strDocStrings, CDocTemplate::filterName, strName) &&
        ExtractDocStringPart(strDocStrings, CDocTemplate::filterExt, strExt)) {
        // The extension may be given with or without its dot.
        if (strExt[0] == '.')
            strExt = strExt.Mid(1);
        strFilter = strName + "|*." + strExt + "|";
    }
    strFilter += "All Files (*.*)|*.*||";
    return strFilter;
}

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass)
{
}

CDocTemplate::~CDocTemplate()
{
    // Documents left at the end no longer have a template to report to.
    for (CDocument* pDoc : m_docList)
        pDoc->m_pDocTemplate = nullptr;
}

void CDocTemplate::LoadTemplate()
{
    if (!m_strDocStrings.IsEmpty())
        return;
    char szBuffer[1024];
    int n = ::LoadStringA(AfxGetResourceHandle(), m_nIDResource, szBuffer, int(sizeof(szBuffer)));
    m_strDocStrings = CString(szBuffer, n > 0 ? n : 0);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    return ExtractDocStringPart(m_strDocStrings, int(index), rString);
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass)
        return nullptr;
    CObject* pObject = m_pDocClass->CreateObject();
    auto* pDocument = dynamic_cast<CDocument*>(pObject);
    if (!pDocument) {
        delete pObject;
        return nullptr;
    }
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;

    CObject* pObject = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    auto* pFrame = dynamic_cast<CFrameWnd*>(pObject);
    if (!pFrame) {
        delete pObject;
        return nullptr;
    }
    // A frame whose creation failed has been destroyed, and has deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strTitle;
    if (!GetDocString(strTitle, docName))
        strTitle = "Untitled";
    pDocument->SetTitle(strTitle);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    m_docList.push_back(pDoc);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), pDoc), m_docList.end());
    pDoc->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::SaveAllModified()
{
    std::vector<CDocument*> docs = m_docList;
    for (CDocument* pDoc : docs)
        if (!pDoc->SaveModified())
            return FALSE;
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL /*bEndSession*/)
{
    std::vector<CDocument*> docs = m_docList;
    for (CDocument* pDoc : docs)
        pDoc->OnCloseDocument();
}
