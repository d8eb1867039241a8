#include "plot/PlotCopyDlg.h"

#include "framework/win/MessageCrackers.h"
#include "plot/PlotDialogSupport.h"
#include "plot/PlotDocument.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CPlotCopyDlg, CDialog)
ON_BN_CLICKED(IDC_PLOT_HELP, &CPlotCopyDlg::OnHelp)
END_MESSAGE_MAP()

CPlotCopyDlg::CPlotCopyDlg(IPlotDocument* pDoc, CWnd* pParent)
    : CDialog(IDD_PLOT_COPY, pParent), m_pDoc(pDoc)
{
}

void CPlotCopyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_COPY_METAFILE, m_nFormat);
    DDX_Radio(pDX, IDC_COPY_ONSCREEN, m_nSizeChoice);
    DDX_Text(pDX, IDC_COPY_WIDTH, m_nWidth);
    DDX_Text(pDX, IDC_COPY_HEIGHT, m_nHeight);
}

void CPlotCopyDlg::OnOK()
{
    if (!UpdateData(TRUE) || !ShowFieldVerdict(this, CheckCopySize(m_nWidth, m_nHeight)))
        return;
    const CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const CSize size = CopySizeOfChoice(m_nSizeChoice, CSize(m_nWidth, m_nHeight), screen);
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    UpdateData(FALSE);
    EndDialog(IDOK);
}

void CPlotCopyDlg::OnHelp()
{
    if (m_pDoc)
        m_pDoc->ShowHelp("PlotCopy.htm");
}

BOOL AskPlotCopySize(PlotCopySettings& settings, int& width, int& height, IPlotDocument* pDoc)
{
    CPlotCopyDlg dialog(pDoc);
    dialog.m_nFormat = settings.nFormat;
    dialog.m_nSizeChoice = InitialCopyChoice(settings.nWidth, settings.nHeight);
    const BOOL bStored = dialog.m_nSizeChoice == CopySpecified;
    dialog.m_nWidth = bStored ? settings.nWidth : width;
    dialog.m_nHeight = bStored ? settings.nHeight : height;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    width = dialog.m_nWidth;
    height = dialog.m_nHeight;
    settings.nFormat = dialog.m_nFormat;
    // A fixed or full-screen choice is remembered as the size it gave.
    const BOOL bOnScreen = dialog.m_nSizeChoice == CopyOnScreen;
    settings.nWidth = bOnScreen ? 0 : width;
    settings.nHeight = bOnScreen ? 0 : height;
    return TRUE;
}
