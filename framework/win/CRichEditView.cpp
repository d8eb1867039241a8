#include "framework/win/CRichEditView.h"

#include "framework/core/CArchive.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CRichEditDoc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/MessageCrackers.h"

#include <climits>
#include <exception>

IMPLEMENT_DYNCREATE(CRichEditView, CCtrlView)

BEGIN_MESSAGE_MAP(CRichEditView, CCtrlView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_COMMAND(ID_EDIT_CUT, &CRichEditView::OnEditCut)
ON_COMMAND(ID_EDIT_COPY, &CRichEditView::OnEditCopy)
ON_COMMAND(ID_EDIT_PASTE, &CRichEditView::OnEditPaste)
ON_COMMAND(ID_EDIT_CLEAR, &CRichEditView::OnEditClear)
ON_COMMAND(ID_EDIT_UNDO, &CRichEditView::OnEditUndo)
ON_COMMAND(ID_EDIT_SELECT_ALL, &CRichEditView::OnEditSelectAll)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CRichEditView::OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CRichEditView::OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, &CRichEditView::OnUpdateNeedSel)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CRichEditView::OnUpdateEditPaste)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CRichEditView::OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &CRichEditView::OnUpdateNeedText)
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_MESSAGE(WM_PASTE, &CRichEditView::OnPaste)
ON_MESSAGE(WM_CUT, &CRichEditView::OnCutMessage)
ON_MESSAGE(WM_CLEAR, &CRichEditView::OnClearMessage)
ON_MESSAGE(WM_SETTEXT, &CRichEditView::OnSetTextMessage)
ON_MESSAGE(EM_REPLACESEL, &CRichEditView::OnReplaceSelMessage)
ON_MESSAGE(EM_UNDO, &CRichEditView::OnUndoMessage)
ON_MESSAGE(WM_UNDO, &CRichEditView::OnUndoMessage)
ON_MESSAGE(EM_REDO, &CRichEditView::OnRedoMessage)
ON_MESSAGE(EM_CANUNDO, &CRichEditView::OnCanUndoMessage)
ON_MESSAGE(EM_CANREDO, &CRichEditView::OnCanRedoMessage)
ON_MESSAGE(EM_EMPTYUNDOBUFFER, &CRichEditView::OnEmptyUndoMessage)
ON_MESSAGE(EM_SETBKGNDCOLOR, &CRichEditView::OnSetBackgroundMessage)
ON_MESSAGE(EM_SETCHARFORMAT, &CRichEditView::OnSetCharFormatMessage)
ON_MESSAGE(WM_WINDOWPOSCHANGING, &CRichEditView::OnPosChangingMessage)
ON_MESSAGE(WM_SIZEMOVELOOP, &CRichEditView::OnSizeMoveLoop)
END_MESSAGE_MAP()

namespace {

// The rich-edit control's stream callbacks run inside the control: an archive exception is
// caught there, the stream is stopped, and the exception is thrown again after the call.
struct StreamCookie {
    CArchive* pArchive;
    std::exception_ptr error;
};

DWORD CALLBACK StreamOutCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    auto* pCookie = reinterpret_cast<StreamCookie*>(dwCookie);
    try {
        pCookie->pArchive->Write(pbBuff, UINT(cb));
        *pcb = cb;
        return 0;
    } catch (...) {
        pCookie->error = std::current_exception();
        *pcb = 0;
        return 1;
    }
}

DWORD CALLBACK StreamInCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    auto* pCookie = reinterpret_cast<StreamCookie*>(dwCookie);
    try {
        // Fewer bytes than asked (0 at the end of the file) end the stream.
        *pcb = LONG(pCookie->pArchive->Read(pbBuff, UINT(cb)));
        return 0;
    } catch (...) {
        pCookie->error = std::current_exception();
        *pcb = 0;
        return 1;
    }
}

} // namespace

CRichEditView::CRichEditView()
    : CCtrlView(RICHEDIT_CLASSA, WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                                     ES_MULTILINE | ES_NOHIDESEL | ES_SAVESEL)
{
    m_charformat.cbSize = sizeof(m_charformat);
    m_paraformat.cbSize = sizeof(m_paraformat);
}

CRichEditView::~CRichEditView()
{
    m_richEdit.m_hWnd = nullptr; // borrowed
}

CRichEditDoc* CRichEditView::GetDocument() const
{
    return dynamic_cast<CRichEditDoc*>(m_pDocument);
}

BOOL CRichEditView::PreCreateWindow(CREATESTRUCT& cs)
{
    // The control's window class comes with its library.
    static HMODULE s_hRichEdit = ::LoadLibraryA("riched20.dll");
    if (!s_hRichEdit)
        return FALSE;
    return CCtrlView::PreCreateWindow(cs);
}

int CRichEditView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CCtrlView::OnCreate(lpcs) == -1)
        return -1;
    m_richEdit.m_hWnd = m_hWnd;
    SetUpControl();
    return 0;
}

void CRichEditView::SetUpControl()
{
    // The control's default limit is 32K characters.
    SendMessage(EM_EXLIMITTEXT, 0, LPARAM(INT_MAX));
    // The view keeps the text's Undo history itself; the control noting every run for its own
    // also takes a long text in far more slowly.
    SendMessage(EM_SETUNDOLIMIT, 0);
    WrapChanged();
}

void CRichEditView::OnDestroy()
{
    DropKeptControl();
    if (m_hPutAway)
        ::DestroyWindow(m_hPutAway);
    m_hPutAway = nullptr;
    m_bSizeMove = m_bSizeHeld = FALSE;
    m_richEdit.m_hWnd = nullptr;
    CCtrlView::OnDestroy();
}

void CRichEditView::OnInitialUpdate()
{
    CCtrlView::OnInitialUpdate();
    WrapChanged();
}

void CRichEditView::WrapChanged()
{
    if (!m_hWnd)
        return;
    // A line width of 1 with no device turns wrapping off; 0 wraps at the window's edge.
    SendMessage(EM_SETTARGETDEVICE, 0, m_nWordWrap == WrapNone ? 1 : 0);
}

COLORREF CRichEditView::SetBackgroundColor(BOOL bSysColor, COLORREF cr)
{
    return COLORREF(SendMessage(EM_SETBKGNDCOLOR, WPARAM(bSysColor), LPARAM(cr)));
}

CHARFORMAT2A& CRichEditView::GetCharFormatSelection()
{
    m_charformat = CHARFORMAT2A{};
    m_charformat.cbSize = sizeof(m_charformat);
    SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&m_charformat));
    return m_charformat;
}

void CRichEditView::SetCharFormat(CHARFORMAT2A cf)
{
    cf.cbSize = sizeof(cf);
    RecordEdit(EditKind::Other, 0,
               [&] { return SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf)); });
    if (m_pDocument)
        m_pDocument->SetModifiedFlag();
}

PARAFORMAT2& CRichEditView::GetParaFormatSelection()
{
    m_paraformat = PARAFORMAT2{};
    m_paraformat.cbSize = sizeof(m_paraformat);
    SendMessage(EM_GETPARAFORMAT, 0, LPARAM(&m_paraformat));
    return m_paraformat;
}

BOOL CRichEditView::SetParaFormat(PARAFORMAT2& pf)
{
    pf.cbSize = sizeof(pf);
    const BOOL bOk = RecordEdit(EditKind::Other, 0,
                                [&] { return SendMessage(EM_SETPARAFORMAT, 0, LPARAM(&pf)); }) != 0;
    if (bOk && m_pDocument)
        m_pDocument->SetModifiedFlag();
    return bOk;
}

void CRichEditView::ToggleCharEffect(DWORD dwMask, DWORD dwEffect)
{
    CHARFORMAT2A cf = GetCharFormatSelection();
    // Mixed or off: switch it on for all; on everywhere: switch it off.
    BOOL bAllOn = (cf.dwMask & dwMask) && (cf.dwEffects & dwEffect);
    cf.dwMask = dwMask;
    cf.dwEffects = bAllOn ? 0 : dwEffect;
    SetCharFormat(cf);
}

void CRichEditView::UpdateCharEffect(CCmdUI* pCmdUI, DWORD dwMask, DWORD dwEffect)
{
    const CHARFORMAT2A& cf = GetCharFormatSelection();
    pCmdUI->SetCheck(!(cf.dwMask & dwMask) ? 2 : (cf.dwEffects & dwEffect) ? 1 : 0);
}

void CRichEditView::OnCharBold() { ToggleCharEffect(CFM_BOLD, CFE_BOLD); }
void CRichEditView::OnCharItalic() { ToggleCharEffect(CFM_ITALIC, CFE_ITALIC); }
void CRichEditView::OnCharUnderline() { ToggleCharEffect(CFM_UNDERLINE, CFE_UNDERLINE); }
void CRichEditView::OnUpdateCharBold(CCmdUI* pCmdUI)
{
    UpdateCharEffect(pCmdUI, CFM_BOLD, CFE_BOLD);
}
void CRichEditView::OnUpdateCharItalic(CCmdUI* pCmdUI)
{
    UpdateCharEffect(pCmdUI, CFM_ITALIC, CFE_ITALIC);
}
void CRichEditView::OnUpdateCharUnderline(CCmdUI* pCmdUI)
{
    UpdateCharEffect(pCmdUI, CFM_UNDERLINE, CFE_UNDERLINE);
}

void CRichEditView::OnEditCut() { SendMessage(WM_CUT); }
void CRichEditView::OnEditCopy() { SendMessage(WM_COPY); }
void CRichEditView::OnEditPaste() { SendMessage(WM_PASTE); }
void CRichEditView::OnEditClear() { SendMessage(WM_CLEAR); }
void CRichEditView::OnEditUndo() { SendMessage(EM_UNDO); }
void CRichEditView::OnEditSelectAll() { SendMessage(EM_SETSEL, 0, -1); }

void CRichEditView::OnUpdateNeedSel(CCmdUI* pCmdUI)
{
    CHARRANGE cr{0, 0};
    SendMessage(EM_EXGETSEL, 0, LPARAM(&cr));
    pCmdUI->Enable(cr.cpMin != cr.cpMax);
}

void CRichEditView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(SendMessage(EM_CANPASTE, 0, 0) != 0);
}

void CRichEditView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(SendMessage(EM_CANUNDO, 0, 0) != 0);
}

void CRichEditView::OnUpdateNeedText(CCmdUI* pCmdUI) { pCmdUI->Enable(GetWindowTextLength() > 0); }

void CRichEditView::Serialize(CArchive& ar) { Stream(ar, FALSE); }

void CRichEditView::Stream(CArchive& ar, BOOL bSelection)
{
    StreamCookie cookie{&ar, nullptr};
    EDITSTREAM es{};
    es.dwCookie = DWORD_PTR(&cookie);
    WPARAM nFormat = SF_RTF | (bSelection ? SFF_SELECTION : 0);
    if (ar.IsStoring()) {
        es.pfnCallback = StreamOutCallback;
        SendMessage(EM_STREAMOUT, nFormat, LPARAM(&es));
    } else if (bSelection) {
        es.pfnCallback = StreamInCallback;
        RecordEdit(EditKind::Other, 0,
                   [&] { return SendMessage(EM_STREAMIN, nFormat, LPARAM(&es)); });
        SendMessage(EM_SETMODIFY, FALSE);
    } else {
        // The whole text is replaced: a new control takes it, out of sight, its bars shown.
        ForgetChanges();
        es.pfnCallback = StreamInCallback;
        if (const HWND hOld =
                ReplaceControl([&] { SendMessage(EM_STREAMIN, nFormat, LPARAM(&es)); }, TRUE))
            ::DestroyWindow(hOld);
        SendMessage(EM_SETMODIFY, FALSE);
    }
    if (cookie.error)
        std::rethrow_exception(cookie.error);
    if (es.dwError != 0) {
        CFile* pFile = ar.GetFile();
        throw CArchiveException(CArchiveException::genericException,
                                pFile ? pFile->GetFilePath().GetString() : nullptr);
    }
}
