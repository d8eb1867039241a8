#pragma once
#include "framework/win/Controls.h"

// A combo box drawn flat that rises under the pointer and while it has the focus, with its
// drop button pressed while held; as the user types, it completes the text from its list
// (Backspace and Delete leave the text as typed).
class CKxFlatComboBox : public CComboBox {
    DECLARE_DYNAMIC(CKxFlatComboBox)
public:
    enum class Look { Flat, Raised, Pressed };

    // The look drawn last.
    Look GetLook() const { return m_look; }
    // Completion is on unless the last key removed text.
    BOOL IsAutoCompleting() const { return m_bAutoComplete; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnEditUpdate();
    DECLARE_MESSAGE_MAP()

    // Draws the look when it is not on the screen already (Draw always draws it).
    void ShowLook(Look look);
    void Draw(Look look);
    // Checks pointer, button and focus, draws what they call for; FALSE when the hover timer
    // is no longer needed.
    BOOL CheckLook();
    BOOL HasFocus() const;
    BOOL IsPointerOver() const;

    BOOL m_bLButtonDown = FALSE;
    BOOL m_bPainted = FALSE; // the raised look is on the screen
    BOOL m_bHasFocus = FALSE;
    BOOL m_bAutoComplete = TRUE;
    Look m_look = Look::Flat;
};
