// The document's command table: one block per concern, its handlers in that concern's source
// file (named beside each block).
#include "app/MyDocument.h"
#include "app/ViewToggles.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CMyDocument, CRichEditDoc)
// Views (MyDocumentViews.cpp)
ON_COMMAND_RANGE(ID_VIEW_SHOW_WORKSPACE, ID_VIEW_SHOW_WORKSPACE, &CMyDocument::OnViewShow)
ON_COMMAND_RANGE(ID_VIEW_SHOW_GRID, ID_VIEW_SHOW_GRID, &CMyDocument::OnViewShow)
ON_COMMAND_RANGE(ID_VIEW_SHOW_PLOT2D, ID_VIEW_SHOW_PLOT2D, &CMyDocument::OnViewShow)
ON_COMMAND_RANGE(ID_VIEW_SHOW_PLOT3D, ID_VIEW_SHOW_PLOT3D, &CMyDocument::OnViewShow)
ON_COMMAND_RANGE(ID_VIEW_SHOW_ALL, ID_VIEW_SHOW_ALL, &CMyDocument::OnViewShow)
ON_COMMAND_RANGE(kFirstViewToggle, kLastViewToggle, &CMyDocument::OnToggleView)
ON_UPDATE_COMMAND_UI_RANGE(kFirstViewToggle, kLastViewToggle, &CMyDocument::OnUpdateToggleView)
ON_UPDATE_COMMAND_UI(IDS_INDICATOR_ANGLE, &CMyDocument::OnUpdateAngleIndicator)
ON_UPDATE_COMMAND_UI(IDS_INDICATOR_BASE, &CMyDocument::OnUpdateBaseIndicator)
// Workspace (MyDocumentWorkspace.cpp)
ON_COMMAND(ID_RUN_DEMO, &CMyDocument::OnRunDemo)
// Options and help (MyDocumentOptions.cpp)
ON_COMMAND(ID_WORKSPACE_OPTIONS, &CMyDocument::OnWorkspaceOptions)
ON_COMMAND(ID_TOOLS_OPTIONS, &CMyDocument::OnToolsOptions)
ON_COMMAND(ID_HELP_CONTENTS, &CMyDocument::OnHelpContents)
END_MESSAGE_MAP()
