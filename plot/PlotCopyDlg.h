#pragma once
#include "framework/win/CDialog.h"

class IPlotDocument;

// "Copy plot to clipboard": the format (0 enhanced metafile, 1 bitmap) and the size, as the
// window's, the screen's, a fixed one or a typed one. OK refuses a size field outside
// 1 .. 9999 and then sets both fields from the choice.
class CPlotCopyDlg : public CDialog {
public:
    explicit CPlotCopyDlg(IPlotDocument* pDoc = nullptr, CWnd* pParent = nullptr);

    int m_nFormat = 0;
    int m_nSizeChoice = 0; // PlotCopyChoice
    int m_nWidth = 0;
    int m_nHeight = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnHelp();

    IPlotDocument* m_pDoc;
    DECLARE_MESSAGE_MAP()
};

// The copy format and size the user chose last (the "PlotCopy" settings): a size of 0 x 0
// means the window's.
struct PlotCopySettings {
    int nFormat = 0;
    int nWidth = 0;
    int nHeight = 0;
};

// Runs the copy dialog: it opens on the stored size when there is one, else on the window's
// (width, height). OK gives the size to copy in width and height and keeps the format and the
// size chosen (0 x 0 for the window's) in settings; Cancel changes nothing.
BOOL AskPlotCopySize(PlotCopySettings& settings, int& width, int& height,
                     IPlotDocument* pDoc = nullptr);
