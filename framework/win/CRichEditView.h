#pragma once
#include "framework/win/CCtrlView.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/Controls.h"

#include <richedit.h>

#include <utility>
#include <vector>

class CArchive;
class CRichEditDoc;

// A line as a rich-edit view prints it where its control cannot: the text and the colours of its
// characters, run by run.
struct RichPrintRun {
    int nLength;
    COLORREF cr;
};
struct RichPrintLine {
    CString text;
    std::vector<RichPrintRun> runs;
};

// The rich-text editing view: a CCtrlView on the "RichEdit20A" control with the Edit commands,
// character and paragraph formats and RTF streaming through an archive.
class CRichEditView : public CCtrlView {
    DECLARE_DYNCREATE(CRichEditView)
public:
    enum WordWrapType { WrapNone = 0, WrapToWindow = 1 };

    CRichEditView();
    ~CRichEditView() override;

    // A borrowed wrapper of the view's own window.
    CRichEditCtrl& GetRichEditCtrl() const { return m_richEdit; }
    CRichEditDoc* GetDocument() const;

    // The selection's character format (dwMask tells which fields are the same all over it).
    CHARFORMAT2A& GetCharFormatSelection();
    void SetCharFormat(CHARFORMAT2A cf);
    PARAFORMAT2& GetParaFormatSelection();
    BOOL SetParaFormat(PARAFORMAT2& pf);
    // Sets the background colour; bSysColor uses the window colour instead of cr.
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);
    // Applies m_nWordWrap to the control.
    void WrapChanged();

    // Streams the whole text as RTF into the archive, or replaces it from the archive's bytes
    // up to the end of the file. Archive errors (and reading errors) throw CArchiveException.
    void Serialize(CArchive& ar) override;
    void Stream(CArchive& ar, BOOL bSelection);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;

    // Printing: the text laid out in pages within the margins of the paper, once per job, by
    // the control or, where it cannot, line by line in the default font and in the colours the
    // screen shows, long lines wrapped at the margin (CRichEditViewPrint.cpp). An empty text
    // prints one empty page.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    int m_nWordWrap = WrapToWindow;
    // Margins of a printed page, in twips (left, top, right, bottom).
    CRect m_rectMargin{1800, 1440, 1800, 1440};

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();

    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditClear();
    void OnEditUndo();
    void OnEditSelectAll();
    void OnUpdateNeedSel(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnUpdateNeedText(CCmdUI* pCmdUI);

public:
    // Character commands of the program's menus map to these (bold, italic, underline).
    void OnCharBold();
    void OnCharItalic();
    void OnCharUnderline();
    void OnUpdateCharBold(CCmdUI* pCmdUI);
    void OnUpdateCharItalic(CCmdUI* pCmdUI);
    void OnUpdateCharUnderline(CCmdUI* pCmdUI);

protected:
    void ToggleCharEffect(DWORD dwMask, DWORD dwEffect);
    void UpdateCharEffect(CCmdUI* pCmdUI, DWORD dwMask, DWORD dwEffect);

    // The text's area on a page of pDC and the page itself, in twips from the printable
    // area's corner.
    void GetPrintRects(CDC* pDC, RECT& rectText, RECT& rectPage) const;

    mutable CRichEditCtrl m_richEdit;
    BOOL PaginateByControl(CDC* pDC);
    void PaginateLines(CDC* pDC);
    // The text's lines with the colours the control shows them in (CRichEditViewPrint.cpp).
    std::vector<RichPrintLine> ReadColouredLines();
    void AddColourRuns(long nStart, long nEnd, std::vector<std::pair<long, COLORREF>>& runs);
    void PrintLines(CDC* pDC, int nFirst, int nEnd);
    CRect PrintTextRect() const; // printer pixels

    // The job being printed: where each page starts (characters, or lines when the view lays
    // the lines out), then where the last ends; the text's area and the page, in twips.
    std::vector<long> m_aPageStart;
    RECT m_rectPrintText{}, m_rectPrintPage{};
    CSize m_nPrintDpi{0, 0};
    BOOL m_bPrintLines = FALSE;
    std::vector<RichPrintLine> m_aPrintLines; // as printed: long lines wrapped
    int m_nPrintLineHeight = 1;
    CFont m_printFont;
    CHARFORMAT2A m_charformat{};
    PARAFORMAT2 m_paraformat{};

    DECLARE_MESSAGE_MAP()
};
