// The document's side of the workspace: its line command, its view and the demonstration.
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"

BOOL CMyDocument::ExecuteLine(const CString& line)
{
    struct LineRunning {
        ProjectModel& model;
        explicit LineRunning(ProjectModel& m) : model(m) { model.SetWorkspaceLineRunning(TRUE); }
        ~LineRunning() { model.SetWorkspaceLineRunning(FALSE); }
    } running(m_Model);
    const BOOL bDone = m_LineCommand.ExecuteLine(line);
    m_Model.ResampleChangedGraphs();
    return bDone;
}

CRichWorkspace* CMyDocument::GetWorkspaceView() const
{
    return dynamic_cast<CRichWorkspace*>(GetView());
}

void CMyDocument::OnRunDemo()
{
    if (CRichWorkspace* pView = GetWorkspaceView())
        pView->StartDemo();
}
