// The document's side of the workspace: its view and the demonstration.
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"

CRichWorkspace* CMyDocument::GetWorkspaceView() const
{
    return dynamic_cast<CRichWorkspace*>(GetView());
}

void CMyDocument::OnRunDemo()
{
    if (CRichWorkspace* pView = GetWorkspaceView())
        pView->StartDemo();
}
