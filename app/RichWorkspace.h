#pragma once
#include "app/TipWnd.h"
#include "app/WorkspaceSettings.h"
#include "framework/win/CRichEditView.h"
#include "plot/AnalysisResult.h"

class CMyDocument;

// The calculator console: a rich-text view in which the user types lines. Enter hands the
// caret line to the document's line command and types the answer after it, one character
// message at a time, so that it is coloured like typed input; an error shows in the tip
// under the caret with the faulty span selected. Names are coloured as they are typed and may
// raise a tip with their syntax or value. Sources: RichWorkspace.cpp (messages, commands,
// Enter, typing, demonstration), RichWorkspaceColour.cpp (colouring and tips).
class CRichWorkspace : public CRichEditView, public IResultWorkspace {
    DECLARE_DYNCREATE(CRichWorkspace)
public:
    // Reads the "Workspace" settings.
    CRichWorkspace();
    ~CRichWorkspace() override;

    CMyDocument* GetMyDocument() const;

    // One WM_CHAR per character: "\r" evaluates the line, "\n" only breaks it.
    void TypeText(const CString& text) override;
    // The lines in one piece, starting a line of their own as NewLineAtTextEnd or
    // NewLineAtLineEnd would, with the colours, font and caret that typing them would leave and
    // no line evaluated; one step for Undo. As results, names are in the default colour.
    void WriteLines(const CString& text, BOOL bAtTextEnd, WrittenColours colours) override;
    // The text on a line of its own after the last line.
    void PrintLine(const CString& text);
    // Unless the caret line is empty: to its end, then a line break.
    void NewLineAtLineEnd() override;
    // Unless the caret line is empty: to its end.
    void MoveToLineEnd();
    // To the end of the text, and a line break unless the last line is empty.
    void NewLineAtTextEnd() override;
    int SetPopupOptions(int options) override;
    // Plays the demonstration script from its start, one character per 100 ms, from a new
    // line after the last one, at the caret it keeps for itself; while it plays the user's
    // keys do not reach the text, Escape ends it after the line it is typing, and a new or
    // opened project ends it at once.
    void StartDemo();
    BOOL IsDemoRunning() const { return m_nDemoIndex < m_nDemoEnd; }
    // The default character format: face (when it fits), DefaultColor, no effects, |size|
    // pixels high; its face and height are what is typed from then on.
    void SetDefaultFont(int size, const CString& face);
    // New settings from the options page: background and default font at once; the text keeps
    // its colours.
    void ApplySettings(const WorkspaceSettings& settings);
    const WorkspaceSettings& GetSettings() const { return m_Settings; }

    // The tip under the selection's start (or at a screen point), lowered by a line.
    void ShowTip(const CString& text, const POINT* pPoint, BOOL bHideOnClick);
    // An error tip, hidden by a click into it.
    void ShowErrorTip(const CString& text) { ShowTip(text, nullptr, TRUE); }
    CTipWnd& GetTipWnd() { return m_TipWnd; }

    // Enter: evaluates the caret line (or the nearest non-empty one above it).
    void EvaluateCaretLine();
    // Colours the caret line's comment or the word before the caret, and decides its tip.
    void Recolour();
    // The word's NameKind; shows or hides the tip as the options allow.
    int ClassifyWord(const CString& word);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnInitialUpdate() override;
    // A paste, a cut or clear, Undo and Redo move the text under the tip: it goes first.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void SetUpControl() override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnTimer(UINT_PTR nIDEvent);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnKillFocus(CWnd* pNewWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    // Blank space below the text's last line, with lines out of sight above, goes to those lines.
    void KeepLastLinesAtFoot();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    void OnRunDemo();
    void OnWorkspaceCut();
    void OnWorkspaceCopy();
    void OnWorkspacePaste();
    void OnWorkspaceClear();
    void OnWorkspaceSelectAll();
    void OnWorkspaceUndo();
    void OnUpdateWorkspaceUndo(CCmdUI* pCmdUI);

    // --- the control, in the caret's terms ---------------------------------------------------
    CHARRANGE GetSelection() const;
    void SetSelection(LONG nStart, LONG nEnd);
    int LineFromChar(LONG nChar) const;
    LONG LineStart(int nLine) const;
    int LineLength(LONG nLineStart) const;
    // At most nMax characters of the line, without its end.
    CString ReadLine(int nLine, int nMax) const;
    // To the end of the caret line unless it is empty; FALSE when it is.
    BOOL MoveToEndOfNonEmptyLine();
    // Types a line break (the control takes no WM_CHAR 10).
    void InsertLineBreak();
    // The control lays all its text out again when its scroll bar comes; the bar comes first
    // for text that will need it, so that the text is laid out once.
    void ShowScrollBarFor(const CString& text);
    // The character typed next at the caret takes the workspace's font, whatever the text
    // before it was typed in.
    void KeepTypingFont();
    // Sets the colour and the workspace's font of [nStart, nEnd) with the selection hidden,
    // then puts the caret back at nCaret with DefaultColor for further typing.
    void ColourSpan(LONG nStart, LONG nEnd, COLORREF colour, LONG nCaret);
    // The caret types on in the workspace's font and the default colour.
    void TypeOnInDefaultColour();
    // Whether pasting the clipboard's text would make a line longer than the workspace reads.
    BOOL PasteMakesLongLine() const;
    // A line is being evaluated, or a modal loop runs over the frame.
    BOOL IsBusy() const;
    // The next script character, typed where the last one left the caret.
    void TypeDemoCharacter();
    // Keys of the user while the demonstration plays: Escape ends it at its line's end, the
    // others are dropped. TRUE when the key was taken.
    BOOL FilterDemoKey(const MSG& msg);
    void StopDemo();
    // How far the text is scrolled, in pixels.
    POINT GetTextScrollPos() const;

    int m_nCaretLine = -1;
    int m_nCaretLineLength = 0;
    CString m_strLineBuffer;
    CString m_strDelimiters;
    WorkspaceSettings m_Settings;
    CHARFORMAT2A m_typingFont{}; // face and height of the default font
    CString m_strDemo;
    int m_nDemoIndex = 0;
    int m_nDemoEnd = 0; // where the script stops: its end, or a line's end after Escape
    CHARRANGE m_demoSelection{-1, -1}; // where the last script character left the selection
    CTipWnd m_TipWnd;
    BOOL m_bEvaluating = FALSE;
    BOOL m_bEnterPending = FALSE; // an Enter that came while a line was being evaluated

    // What the last recolouring of a TypeText call found, so that the next character of the
    // same call, typed right after it, needs no line query: every query walks all the
    // control's lines.
    struct TypedLine {
        BOOL bValid = FALSE;
        LONG nCaret = -1; // the caret after the character
        int nLine = 0;    // its line and the line's first character
        LONG nLineStart = 0;
        LONG nPlainWordStart = -1; // start of the word that has the default colour, or -1
    };
    int m_nTyping = 0;
    TypedLine m_Typed;

    DECLARE_MESSAGE_MAP()
};
