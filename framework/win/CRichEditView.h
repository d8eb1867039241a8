#pragma once
#include "framework/win/CCtrlView.h"
#include "framework/win/Controls.h"

#include <richedit.h>

class CArchive;
class CRichEditDoc;

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

    mutable CRichEditCtrl m_richEdit;
    CHARFORMAT2A m_charformat{};
    PARAFORMAT2 m_paraformat{};

    DECLARE_MESSAGE_MAP()
};
