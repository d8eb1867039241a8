#pragma once
#include "framework/core/RtfColours.h"
#include "framework/core/TextUndoHistory.h"
#include "framework/win/CCtrlView.h"
#include "framework/win/CGdiObject.h"
#include "framework/win/Controls.h"

#include <richedit.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class CArchive;
class CRichEditDoc;

// The rich-text editing view: a CCtrlView on the "RichEdit20A" control with the Edit commands,
// character and paragraph formats and RTF streaming through an archive. The view keeps the one
// Undo history of its text itself, every change a step of it (CRichEditViewUndo.cpp). Changes
// of many lines (a long text put in, a long selection taken away, the whole text replaced) go
// through a new control that the view builds from what stays (CRichEditViewSwap.cpp): Wine's
// control takes minutes to remove thousands of lines.
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
    // A control of more lines than this that changes size becomes a new one of the new size:
    // Wine's control lays its whole text out again at each change, now and then for minutes.
    static constexpr int kRebuildLines = 5000;

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
    // What the main frame's status bar says while a long text is laid out again, with the wait
    // cursor (empty: nothing).
    CString m_strLayingOut;
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

    // --- the Undo history (CRichEditViewUndo.cpp) -------------------------------------------
public:
    // Edits of the text made between Begin and End are one step of Undo, such as an Enter and
    // the answer it types; groups may nest.
    void BeginUndoGroup();
    void EndUndoGroup();
    class UndoGroup {
    public:
        explicit UndoGroup(CRichEditView& view) : m_view(view) { view.BeginUndoGroup(); }
        ~UndoGroup() { m_view.EndUndoGroup(); }
        UndoGroup(const UndoGroup&) = delete;
        UndoGroup& operator=(const UndoGroup&) = delete;

    private:
        CRichEditView& m_view;
    };

protected:
    // What an edit does, for the edits that join the one before it into one step: typed
    // characters up to a word's end, deletions in a row.
    enum class EditKind { Typing, Deleting, Other };
    // Runs an edit of the text as a step of Undo, joined to the latest step where it continues
    // it; nChar is the character typed, if any.
    LRESULT RecordEdit(EditKind kind, UINT nChar, const std::function<LRESULT()>& edit);
    // The lines an edit of the selection may touch: its own and one on either side.
    CHARRANGE EditWindow(const CHARRANGE& sel) const;
    BOOL JoinsOpenStep(EditKind kind, UINT nChar, const CHARRANGE& sel, const CHARRANGE& window);
    std::uint64_t HashOfText() const;
    CHARRANGE Selection() const;
    // No edit joins the latest step any more, the text showing it hashing to nHash; FALSE when
    // the text is not as the steps left it, and the history ends.
    BOOL SealOpenStep(std::uint64_t nHash);
    // Undo (bUndo) or Redo of the next step, where the text is exactly as it left it.
    BOOL TakeStep(BOOL bUndo);
    LRESULT OnUndoMessage(WPARAM, LPARAM);
    LRESULT OnRedoMessage(WPARAM, LPARAM);
    LRESULT OnCanUndoMessage(WPARAM, LPARAM);
    LRESULT OnCanRedoMessage(WPARAM, LPARAM);
    LRESULT OnEmptyUndoMessage(WPARAM, LPARAM);
    LRESULT OnSetTextMessage(WPARAM, LPARAM);
    LRESULT OnReplaceSelMessage(WPARAM, LPARAM);
    LRESULT OnCutMessage(WPARAM, LPARAM);
    LRESULT OnClearMessage(WPARAM, LPARAM);
    // The view's steps can no longer be undone or redone.
    void ForgetChanges();
    TextUndoHistory m_history;
    int m_nRecording = 0;           // edits inside a recorded edit are part of it
    int m_nGroup = 0;               // depth of BeginUndoGroup
    unsigned long m_nGroupStep = 0; // the step the group's edits join
    EditKind m_openKind = EditKind::Other;
    UINT m_nLastChar = 0;           // the last character of a typed run
    long m_nCaretAfter = -1;        // where the latest step's last edit left the caret
    long m_nLengthAfter = -1;       // ... and how long the text was then
    BOOL m_bBackspaceTaken = FALSE; // the key took the selection; its character deletes nothing

    // --- long changes (CRichEditViewSwap.cpp) ------------------------------------------------
    LRESULT OnSetBackgroundMessage(WPARAM, LPARAM);
    LRESULT OnSetCharFormatMessage(WPARAM, LPARAM);
    int LineOfChar(long nChar) const;
    // Replaces the characters [nStart, nEnd) by rich text, the caret after it.
    void MakeChange(long nStart, long nEnd, const std::string& rtf);
    // Takes a selection of more than kLongChangeLines lines away; FALSE when it is shorter.
    BOOL TakeLongSelection();
    // The rich text in place of [nStart, nEnd), in the control or through a new one (whose bars
    // stay where bBarsStay); the characters put in, and in hOld the control put away when a new
    // one holds them.
    long PutRtf(long nStart, long nEnd, const std::string& rtf, HWND& hOld, BOOL bBarsStay);
    // Fills an empty control with the pieces, the first as its whole text.
    void FillFromPieces(std::initializer_list<const std::string*> pieces);
    // Swaps the step's sides in the text: the rich text taken away, and the new side's length.
    std::string Swap(const TextStep& step, long& nLength);
    // The view's window becomes a new control, filled by fill() before it shows, where the
    // old one stood; the old one, hidden, is the caller's (null when no new control came up
    // and the old one was emptied and filled instead). With bBarsStay the new control shows
    // both scroll bars whatever its text (greyed while it fits): the control lays its whole
    // text out again whenever its text area changes size, and a bar shown for the long text it
    // was filled with did so once or twice more, now and then for minutes under X. With pRect
    // it shows there (fill() gives it that size).
    HWND ReplaceControl(const std::function<void()>& fill, BOOL bBarsStay = FALSE,
                        const CRect* pRect = nullptr);
    // The view's control shows where hOld stood, which hides; at pRect (in the parent) if given.
    void ShowInPlaceOf(HWND hOld, const CRect* pRect = nullptr);
    // A change of the control's size (or place), taken by a new control at the new size that
    // holds the same text, selection and scroll position, where the text is long.
    LRESULT OnPosChangingMessage(WPARAM, LPARAM);
    // While the user drags the frame's size, a long text keeps the size it had, and takes the
    // last one asked once the drag ends: one new control instead of one per step.
    LRESULT OnSizeMoveLoop(WPARAM bStarts, LPARAM);
    BOOL m_bSizeMove = FALSE; // the frame's size is being dragged
    BOOL m_bSizeHeld = FALSE; // ... and m_sizeHeld is the last size asked of a long text then
    CSize m_sizeHeld{0, 0};
    // The view's window becomes hOther, in place of the control it gives back hidden.
    HWND ExchangeControl(HWND hOther);
    // A control put away, kept hidden while the text in view stays as long as it is now: the
    // whole text as swapping step nStepId leaves it, which Wine's control would take seconds
    // to lay out again. One is kept, the one before it destroyed.
    struct KeptControl {
        HWND hWnd = nullptr;
        unsigned long nStepId = 0;
        long nLength = 0;
    };
    void KeepControl(HWND hControl, unsigned long nStepId);
    void DropKeptControl();
    KeptControl m_kept;
    HWND m_hPutAway = nullptr; // the control the last long change put away
    // Rich text in place of the selection, through the control's own stream.
    void StreamInSelection(const std::string& rtf);
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
