// The document's side of the workspace: its view, the demonstration and the options sheet.
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "app/WorkspacePage.h"
#include "framework/win/CPropertySheet.h"

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

void CMyDocument::DoOptionsSheet(int startPage)
{
    CPropertySheet sheet("Options");
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    // Each page that exists, with the place it has in the sheet's order.
    struct Page {
        int nOrder;
        CPropertyPage* pPage;
    };
    CWorkspacePage workspace;
    workspace.m_pView = GetWorkspaceView();
    const Page pages[] = {{OptionsWorkspace, &workspace}};
    for (const Page& page : pages) {
        if (page.nOrder == startPage)
            sheet.m_psh.nStartPage = UINT(sheet.GetPageCount());
        sheet.AddPage(page.pPage);
    }
    if (sheet.DoModal() == IDOK)
        m_Model.RefreshGrid();
}

void CMyDocument::OnWorkspaceOptions() { DoOptionsSheet(OptionsWorkspace); }

void CMyDocument::OnToolsOptions() { DoOptionsSheet(OptionsGeneral); }
