// The document's side of the workspace: its view and the demonstration.
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"

CRichWorkspace* CMyDocument::GetWorkspaceView() const
{
    for (CView* pView : m_viewList)
        if (auto* pWorkspace = dynamic_cast<CRichWorkspace*>(pView))
            if (pWorkspace->GetSafeHwnd())
                return pWorkspace;
    return nullptr;
}

void CMyDocument::OnRunDemo()
{
    if (CRichWorkspace* pView = GetWorkspaceView())
        pView->StartDemo();
}
