#pragma once
#include "framework/win/CGdiObject.h"
#include "framework/win/CWnd.h"

#include <functional>

// The program's web page, opened by Help's web item and shown in the About box.
constexpr const char* kWebPageAddress = "https://www.zivra.example/";

// Opens a link target (a web address or "mailto:...") with the shell's default action; on
// failure tells the user "Unable to start the mail/browser program" and returns FALSE.
BOOL OpenLinkTarget(const CString& target);
// What opening calls in place of the shell (tests: no browser is ever started); it returns the
// shell's result, 32 or less for failure. An empty one restores the shell.
using ShellOpener = std::function<INT_PTR(const CString& target)>;
void SetShellOpener(ShellOpener opener);

// A link in a dialog: the text of a static control, underlined in blue (purple once clicked),
// the pointing hand over it; a click opens it, a mail address as "mailto:".
class CHyperLink : public CWnd {
    DECLARE_DYNAMIC(CHyperLink)
public:
    static constexpr COLORREF kUnvisited = 0xEE0000;
    static constexpr COLORREF kVisited = 0x8B1A55;

    // Puts a link with the static control's text in its place, in the parent's font
    // underlined.
    BOOL Attach(UINT nControlID, CWnd* pParent);
    COLORREF GetColour() const { return m_crText; }
    const CString& GetText() const { return m_strText; }

protected:
    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    CString m_strText;
    CFont m_Font;
    COLORREF m_crText = kUnvisited;
};
