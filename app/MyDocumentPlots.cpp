// What the plot panes, pages and dialogs ask of the document: the status bar's coordinate
// pane, the context menus, the copy question, the settings store and help.
#include "app/MainFrame.h"
#include "app/MathApp.h"
#include "app/MyDocument.h"
#include "framework/win/RegistryProfileStore.h"
#include "plot/PlotCopyDlg.h"

namespace {

// The status bar's pane of the pointer's coordinates.
constexpr int kCoordinatePane = 1;

void SetCoordinatePane(const CString& text)
{
    if (CMainFrame* pFrame = GetMainFrame()) {
        CStatusBar& bar = pFrame->GetStatusBar();
        if (bar.GetSafeHwnd()) {
            bar.SetPaneText(kCoordinatePane, text);
            bar.UpdateWindow();
        }
    }
}

} // namespace

CProfileStore& CMyDocument::GetSettingsStore()
{
    static CRegistryProfileStore store;
    return store;
}

void CMyDocument::SetCoordinates(double x, double y)
{
    SetCoordinatePane(m_Model.SetLastPointer(x, y));
}

void CMyDocument::ClearCoordinateText() { SetCoordinatePane(""); }

CMenu* CMyDocument::GetContextMenuForType(int kind)
{
    CMainFrame* pFrame = GetMainFrame();
    return pFrame ? pFrame->GetContextMenuForType(kind) : nullptr;
}

BOOL CMyDocument::AskPlotCopySize(int& width, int& height)
{
    DocumentSettings& settings = m_Model.m_Settings;
    PlotCopySettings copy{settings.nPlotCopyFormat, settings.nPlotCopyWidth,
                          settings.nPlotCopyHeight};
    if (!::AskPlotCopySize(copy, width, height, this))
        return FALSE;
    settings.nPlotCopyFormat = copy.nFormat;
    settings.nPlotCopyWidth = copy.nWidth;
    settings.nPlotCopyHeight = copy.nHeight;
    WritePlotCopySettings(GetSettingsStore(), settings);
    return TRUE;
}

void CMyDocument::ShowHelp(LPCTSTR lpszTopic)
{
    if (CMathApp* pApp = GetMathApp())
        pApp->ShowHelp(lpszTopic);
}
