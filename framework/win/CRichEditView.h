#pragma once
#include "framework/core/RtfColours.h"
#include "framework/core/TextSwapHistory.h"
#include "framework/win/CCtrlView.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/Controls.h"

#include <richedit.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class CArchive;
class CRichEditDoc;

// The rich-text editing view: a CCtrlView on the "RichEdit20A" control with the Edit commands,
// character and paragraph formats and RTF streaming through an archive. Changes of many lines
// (a long text put in, a long selection taken away, the whole text replaced) go through a new
// control that the view builds from what stays, and their Undo and Redo through the view
// (CRichEditViewSwap.cpp): Wine's control takes minutes to remove thousands of lines.
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

    // Puts rich text in place of the selection as one step of Undo, the caret after it.
    void ReplaceSelectionRtf(const std::string& rtf);
    // The rich text of the characters [nStart, nEnd).
    std::string RtfOfRange(long nStart, long nEnd);
    // The characters of the text, each paragraph's end counting one, as selections count them.
    long TextLength() const;
    // How far the text is scrolled, in pixels, for EM_SETSCROLLPOS, however long the text.
    POINT ScrollPosition() const;
    // A change of more lines than this goes through a new control: Wine's control removes that
    // many lines of a long text in about the time a new control takes to be filled.
    static constexpr int kLongChangeLines = 32;

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
    // What the control needs from the view: at creation, and in a control that takes the
    // place of another.
    virtual void SetUpControl();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam);

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

    // --- long changes (CRichEditViewSwap.cpp) ------------------------------------------------
    LRESULT OnUndoMessage(WPARAM, LPARAM);
    LRESULT OnRedoMessage(WPARAM, LPARAM);
    LRESULT OnCanUndoMessage(WPARAM, LPARAM);
    LRESULT OnCanRedoMessage(WPARAM, LPARAM);
    LRESULT OnEmptyUndoMessage(WPARAM, LPARAM);
    LRESULT OnSetBackgroundMessage(WPARAM, LPARAM);
    LRESULT OnSetCharFormatMessage(WPARAM, LPARAM);
    LRESULT OnSetTextMessage(WPARAM, LPARAM);
    LRESULT OnReplaceSelMessage(WPARAM, LPARAM);
    LRESULT OnCutMessage(WPARAM, LPARAM);
    LRESULT OnClearMessage(WPARAM, LPARAM);
    // What the control itself could undo or redo.
    BOOL ControlCanUndo();
    BOOL ControlCanRedo();
    int LineOfChar(long nChar) const;
    // Replaces the characters [nStart, nEnd) by rich text, one step of Undo; TRUE when the
    // control keeps the step, FALSE when the view does.
    BOOL MakeChange(long nStart, long nEnd, const std::string& rtf);
    // Takes a selection of more than kLongChangeLines lines away as a step of the view's own;
    // FALSE when the selection is shorter.
    BOOL TakeLongSelection();
    // The rich text in place of [nStart, nEnd), in the control or through a new one; the
    // characters put in, and in hOld the control put away when a new one holds them.
    long PutRtf(long nStart, long nEnd, const std::string& rtf, HWND& hOld);
    // Fills an empty control with the pieces, the first as its whole text.
    void FillFromPieces(std::initializer_list<const std::string*> pieces);
    // Undoes or redoes a change of the view's.
    void Swap(TextSwap& swap);
    // The view's window becomes a new control, filled by fill() before it shows, where the
    // old one stood; the old one, hidden, is the caller's (null when no new control came up
    // and the old one was emptied and filled instead).
    HWND ReplaceControl(const std::function<void()>& fill);
    // The view's control shows where hOld stood, which hides.
    void ShowInPlaceOf(HWND hOld);
    // The view's window becomes hOther, in place of the control it gives back hidden.
    HWND ExchangeControl(HWND hOther);
    // A control put away, kept hidden while the text in view stays as long as it is now: the
    // whole text as undoing or redoing change nSwapId leaves it, which Wine's control would
    // take seconds to lay out again. One is kept, the one before it destroyed.
    struct KeptControl {
        HWND hWnd = nullptr;
        unsigned long nSwapId = 0;
        long nLength = 0;
    };
    void KeepControl(HWND hControl, unsigned long nSwapId);
    void DropKeptControl();
    // The view's changes can no longer be undone or redone.
    void ForgetChanges();
    KeptControl m_kept;
    // Rich text in place of the selection, through the control's own stream; noted for the
    // control's Undo or not.
    void StreamInSelection(const std::string& rtf, BOOL bControlUndo);
    // The control's default, given back after a long text went in unnoted.
    static constexpr int kControlUndoLimit = 100;
    TextSwapHistory m_swaps;
    BOOL m_bBackspaceTaken = FALSE; // the key took the selection; its character deletes nothing
    BOOL PaginateByControl(CDC* pDC);
    void PaginateLines(CDC* pDC);
    // The text's lines with the colours the control shows them in, read from its rich text.
    std::vector<RichPrintLine> ReadColouredLines();
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
