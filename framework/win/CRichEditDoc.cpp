#include "framework/win/CRichEditDoc.h"

#include "framework/win/CRichEditView.h"

IMPLEMENT_DYNAMIC(CRichEditDoc, CDocument)

CRichEditView* CRichEditDoc::GetView() const
{
    for (CView* pView : m_viewList)
        if (auto* pRichView = dynamic_cast<CRichEditView*>(pView))
            if (pRichView->GetSafeHwnd())
                return pRichView;
    return nullptr;
}

void CRichEditDoc::DeleteContents()
{
    if (CRichEditView* pView = GetView()) {
        ::SetWindowTextA(pView->GetSafeHwnd(), "");
        ::SendMessageA(pView->GetSafeHwnd(), EM_EMPTYUNDOBUFFER, 0, 0);
        ::SendMessageA(pView->GetSafeHwnd(), EM_SETMODIFY, FALSE, 0);
    }
}

void CRichEditDoc::Serialize(CArchive& ar)
{
    if (CRichEditView* pView = GetView())
        pView->Serialize(ar);
}

BOOL CRichEditDoc::IsModified()
{
    CRichEditView* pView = GetView();
    return CDocument::IsModified() ||
           (pView && ::SendMessageA(pView->GetSafeHwnd(), EM_GETMODIFY, 0, 0) != 0);
}

void CRichEditDoc::SetModifiedFlag(BOOL bModified)
{
    CDocument::SetModifiedFlag(bModified);
    // Clearing must clear the control's own flag too, or the document stays "modified".
    if (!bModified)
        if (CRichEditView* pView = GetView())
            ::SendMessageA(pView->GetSafeHwnd(), EM_SETMODIFY, FALSE, 0);
}
