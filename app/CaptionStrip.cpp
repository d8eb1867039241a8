#include "app/CaptionStrip.h"

#include "framework/core/Geometry.h"

void DrawCaptionStrip(HDC hDC, const RECT& rcStrip, const CString& text, HICON hIcon, HFONT hFont,
                      int nInset)
{
    CRect rect(rcStrip);
    ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNFACE));
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    rect.DeflateRect(nInset, nInset);
    ::DrawEdge(hDC, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    ::SetBkColor(hDC, ::GetSysColor(COLOR_BTNSHADOW));
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    rect.DeflateRect(4, 0);
    if (hIcon) {
        ::DrawIconEx(hDC, rect.left, rect.top + (rect.Height() - 16) / 2, hIcon, 16, 16, 0, nullptr,
                     DI_NORMAL);
        rect.left += 20;
    }
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ::GetSysColor(COLOR_WINDOW));
    HGDIOBJ hOld = ::SelectObject(hDC, hFont ? HGDIOBJ(hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextA(hDC, text, text.GetLength(), &rect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    ::SelectObject(hDC, hOld);
}
