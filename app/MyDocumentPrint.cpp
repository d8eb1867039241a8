// Printing the workspace and the grid from the File menu and the tool bar, whichever pane has
// the focus.
#include "analysis/GridView.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"

void CMyDocument::OnPrintWorkspace()
{
    if (CRichWorkspace* pView = GetWorkspaceView())
        pView->OnFilePrint();
}

void CMyDocument::OnPrintPreviewWorkspace()
{
    if (CRichWorkspace* pView = GetWorkspaceView())
        pView->OnFilePrintPreview();
}

void CMyDocument::OnPrintGrid()
{
    if (CGridView* pView = GetGridView())
        pView->OnFilePrint();
}
