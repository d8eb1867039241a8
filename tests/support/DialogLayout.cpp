#include "tests/support/DialogLayout.h"

#include "framework/core/AsciiText.h"
#include "framework/core/Geometry.h"
#include "framework/win/Controls.h"
#include "tests/support/GuiTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

namespace {

// Room the controls keep around their text: a push button's edge and focus frame, the gap
// after a check box's or radio button's glyph, a group caption's indent at either end.
constexpr int kPushMarginX = 4;
constexpr int kPushMarginY = 2;
constexpr int kGlyphGap = 4;
constexpr int kGroupIndent = 8;

enum class TextKind { None, Label, Button, Group };

// How a control lays out its text: the kind, the drawing flags and the room it has.
struct TextLayout {
    TextKind kind = TextKind::None;
    UINT flags = 0;
    CRect area;
};

bool IsClass(HWND hWnd, const char* name)
{
    char found[64] = "";
    ::GetClassNameA(hWnd, found, sizeof found);
    return ascii::CompareNoCase(found, name) == 0;
}

std::string TextOf(HWND hWnd)
{
    std::string text(std::size_t(::GetWindowTextLengthA(hWnd)) + 1, '\0');
    text.resize(std::size_t(::GetWindowTextA(hWnd, text.data(), int(text.size()))));
    return text;
}

std::string Describe(HWND hWnd)
{
    return "control " + std::to_string(::GetDlgCtrlID(hWnd)) + " \"" + TextOf(hWnd) + "\"";
}

bool IsGroupBox(HWND hWnd)
{
    return IsClass(hWnd, "Button") &&
           (::GetWindowLongPtrA(hWnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

TextLayout StaticLayout(LONG_PTR style, const CRect& client)
{
    const LONG_PTR type = style & SS_TYPEMASK;
    UINT flags = DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT)
        flags |= DT_WORDBREAK | (type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : 0);
    else if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP)
        flags |= DT_SINGLELINE;
    else
        return {}; // pictures, frames and owner-drawn statics
    if (style & SS_ELLIPSISMASK)
        return {}; // shortened on purpose
    return {TextKind::Label, flags, client};
}

TextLayout ButtonLayout(LONG_PTR style, CRect client)
{
    const UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
    if (CButton::IsChoiceStyle(DWORD(style))) {
        client.left += ::GetSystemMetrics(SM_CXMENUCHECK) + kGlyphGap;
        return {TextKind::Button, DT_LEFT | lines, client};
    }
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        client.DeflateRect(kPushMarginX, kPushMarginY);
        return {TextKind::Button, DT_CENTER | lines, client};
    case BS_GROUPBOX:
        client.DeflateRect(kGroupIndent, 0);
        return {TextKind::Group, DT_LEFT | DT_SINGLELINE, client};
    default:
        return {}; // owner-drawn buttons draw their own
    }
}

TextLayout LayoutOf(HWND hControl)
{
    const LONG_PTR style = ::GetWindowLongPtrA(hControl, GWL_STYLE);
    CRect client;
    ::GetClientRect(hControl, &client);
    if (!(style & WS_VISIBLE) || TextOf(hControl).empty())
        return {};
    if (IsClass(hControl, "Static"))
        return StaticLayout(style, client);
    if (IsClass(hControl, "Button"))
        return ButtonLayout(style, client);
    return {};
}

HGDIOBJ FontOf(HWND hControl) { return HGDIOBJ(::SendMessageA(hControl, WM_GETFONT, 0, 0)); }

// The text drawn in black on white into the layout's area.
CDibImage DrawLayoutText(HWND hControl, const std::string& text, const TextLayout& layout,
                         UINT extra)
{
    const int width = layout.area.Width(), height = layout.area.Height();
    return AfxDrawToDib(width, height, [&](CDC& dc) {
        ::PatBlt(dc.m_hDC, 0, 0, width, height, WHITENESS);
        dc.SelectObject(FontOf(hControl));
        ::SetBkMode(dc.m_hDC, TRANSPARENT);
        ::SetTextColor(dc.m_hDC, 0);
        RECT rc = {0, 0, width, height};
        ::DrawTextA(dc.m_hDC, text.c_str(), -1, &rc, layout.flags | extra);
    });
}

// The size the text takes in the layout's width.
CSize TextSize(HWND hControl, const std::string& text, const TextLayout& layout)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(FontOf(hControl));
    RECT rc = {0, 0, std::max(layout.area.Width(), 1), std::max(layout.area.Height(), 1)};
    ::DrawTextA(dc.m_hDC, text.c_str(), -1, &rc, layout.flags | DT_CALCRECT);
    return CSize(rc.right, rc.bottom);
}

// "" when the text fits its area, else what it needs.
std::string Overflow(HWND hControl, const std::string& text, const TextLayout& layout)
{
    const CSize size = TextSize(hControl, text, layout);
    const CRect& area = layout.area;
    if (size.cx <= area.Width() && (layout.kind == TextKind::Group || size.cy <= area.Height()))
        return "";
    return "needs " + std::to_string(size.cx) + " x " + std::to_string(size.cy) + " pixels, has " +
           std::to_string(area.Width()) + " x " + std::to_string(area.Height());
}

// The text as drawn without its mnemonic ("&&" is a plain ampersand), and where the mnemonic's
// character stands in it (npos without one).
std::pair<std::string, std::size_t> WithoutMnemonic(const std::string& text)
{
    std::string plain;
    std::size_t at = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            if (text[i + 1] != '&' && at == std::string::npos)
                at = plain.size();
            ++i;
        }
        plain += text[i];
    }
    return {plain, at};
}

// Where the mnemonic's underline shows: the pixels it adds to the text drawn without it.
struct Underline {
    int left = 0, right = -1, row = -1; // right < left when none shows
};

Underline FindUnderline(const CDibImage& shown, const CDibImage& plain)
{
    Underline line;
    line.left = shown.width;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
            if (shown.Pixel(x, y) != plain.Pixel(x, y)) {
                line.left = std::min(line.left, x);
                line.right = std::max(line.right, x);
                line.row = std::max(line.row, y);
            }
    // A descender the underline crosses hides that part of it: it runs on through the ink.
    const auto inked = [&](int x) {
        return line.row >= 0 && x >= 0 && x < shown.width &&
               plain.Pixel(x, line.row) != RGB(255, 255, 255);
    };
    while (inked(line.left - 1))
        --line.left;
    while (inked(line.right + 1))
        ++line.right;
    return line;
}

// "" when the mnemonic underlines something drawn, else what is wrong: an underline with
// nothing above most of it, on its line of text, marks a blank.
std::string MisplacedMnemonic(HWND hControl, const std::string& text, const TextLayout& layout)
{
    const auto [plain, at] = WithoutMnemonic(text);
    if ((layout.flags & DT_NOPREFIX) || at == std::string::npos || layout.area.IsRectEmpty())
        return "";
    const CDibImage drawnPlain = DrawLayoutText(hControl, plain, layout, DT_NOPREFIX);
    const Underline line = FindUnderline(DrawLayoutText(hControl, text, layout, 0), drawnPlain);
    if (line.right < line.left)
        return "its mnemonic is not underlined";
    const int lineHeight = TextSize(hControl, "X", layout).cy;
    int blank = 0;
    for (int x = line.left; x <= line.right; ++x) {
        bool bInk = false;
        for (int y = std::max(0, line.row - lineHeight); y < line.row && !bInk; ++y)
            bInk = drawnPlain.Pixel(x, y) != RGB(255, 255, 255);
        blank += !bInk;
    }
    if (2 * blank <= line.right - line.left + 1)
        return "";
    return "its mnemonic underlines a blank (columns " + std::to_string(line.left) + ".." +
           std::to_string(line.right) + ")";
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

BOOL CALLBACK CollectDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(param)->push_back(UINT(UINT_PTR(name)));
    return TRUE;
}

std::vector<BYTE> Wide(const char* text)
{
    std::vector<BYTE> bytes;
    for (const char* p = text;; ++p) {
        bytes.insert(bytes.end(), {BYTE(*p), 0});
        if (!*p)
            return bytes;
    }
}

// A template's bytes with "MS Shell Dlg" replaced by the typeface (a name shorter by a
// multiple of four bytes keeps the controls after it aligned).
std::vector<BYTE> TemplateBytes(UINT nID, const char* typeface)
{
    HRSRC hResource = ::FindResourceA(nullptr, MAKEINTRESOURCEA(nID), MAKEINTRESOURCEA(5));
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, hResource)));
    std::vector<BYTE> bytes(data, data + ::SizeofResource(nullptr, hResource));
    const std::vector<BYTE> shell = Wide("MS Shell Dlg"), other = Wide(typeface);
    const auto at = std::search(bytes.begin(), bytes.end(), shell.begin(), shell.end());
    if (at != bytes.end() && (shell.size() - other.size()) % 4 == 0)
        bytes.insert(bytes.erase(at, at + std::ptrdiff_t(shell.size())), other.begin(),
                     other.end());
    return bytes;
}

// Calls check on every child of hDialog and of the dialogs (pages) among its children.
void ForEachControl(HWND hDialog, const std::function<void(HWND)>& check)
{
    for (HWND hChild = ::GetWindow(hDialog, GW_CHILD); hChild;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (IsClass(hChild, "#32770"))
            ForEachControl(hChild, check);
        else
            check(hChild);
    }
}

} // namespace

std::vector<std::string> ClippedTexts(HWND hDialog)
{
    std::vector<std::string> faults;
    ForEachControl(hDialog, [&](HWND hControl) {
        const TextLayout layout = LayoutOf(hControl);
        if (layout.kind == TextKind::None)
            return;
        const std::string text = TextOf(hControl);
        for (const std::string& fault :
             {Overflow(hControl, text, layout), MisplacedMnemonic(hControl, text, layout)})
            if (!fault.empty())
                faults.push_back(Describe(hControl) + ": " + fault);
    });
    return faults;
}

std::vector<std::string> HiddenUnderGroupBoxes(HWND hDialog)
{
    std::vector<std::string> faults;
    std::vector<HWND> boxesAbove; // of the dialog being walked; pages start their own
    for (HWND hChild = ::GetWindow(hDialog, GW_CHILD); hChild;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const LONG_PTR style = ::GetWindowLongPtrA(hChild, GWL_STYLE);
        if (IsClass(hChild, "#32770")) {
            for (const std::string& fault : HiddenUnderGroupBoxes(hChild))
                faults.push_back(fault);
        } else if (!(style & WS_VISIBLE)) {
            continue;
        } else if (IsGroupBox(hChild)) {
            boxesAbove.push_back(hChild);
        } else if (style & WS_CLIPSIBLINGS) {
            CRect rc, box, common;
            ::GetWindowRect(hChild, &rc);
            for (HWND hBox : boxesAbove)
                if (::GetWindowRect(hBox, &box) && common.IntersectRect(&rc, &box))
                    faults.push_back(Describe(hChild) + " lies under the group box \"" +
                                     TextOf(hBox) + "\"");
        }
    }
    return faults;
}

std::vector<std::string> MnemonicFaults(HWND hDialog, const std::string& taken)
{
    std::vector<std::string> faults;
    std::vector<bool> used(256, false);
    std::vector<HWND> firstOwner(256, nullptr); // by the mnemonic's character
    for (char c : taken)
        used[BYTE(ascii::ToLower(c))] = true;
    ForEachControl(hDialog, [&](HWND hControl) {
        const TextLayout layout = LayoutOf(hControl);
        if (layout.kind == TextKind::None || (layout.flags & DT_NOPREFIX))
            return;
        const auto [plain, at] = WithoutMnemonic(TextOf(hControl));
        if (at == std::string::npos) {
            // A label is the only way in from the keyboard for the field after it that shows no
            // text of its own (an edit, a list, a colour button).
            HWND hNext = ::GetWindow(hControl, GW_HWNDNEXT);
            const LONG_PTR next = hNext ? ::GetWindowLongPtrA(hNext, GWL_STYLE) : 0;
            if (layout.kind == TextKind::Label && (next & WS_TABSTOP) && (next & WS_VISIBLE) &&
                !IsClass(hNext, "Static") && TextOf(hNext).empty())
                faults.push_back(Describe(hControl) + " labels " + Describe(hNext) +
                                 " without a mnemonic");
            return;
        }
        const BYTE c = BYTE(ascii::ToLower(plain[at]));
        if (used[c])
            faults.push_back(
                Describe(hControl) + ": its mnemonic '" + plain[at] + "' is " +
                (firstOwner[c] ? "also " + Describe(firstOwner[c]) + "'s" : "taken around it"));
        used[c] = true;
        if (!firstOwner[c])
            firstOwner[c] = hControl;
    });
    return faults;
}

int ForEachDialogTemplate(const std::function<void(UINT nID, HWND hDialog)>& visit,
                          const char* typeface)
{
    std::vector<UINT> ids;
    ::EnumResourceNamesA(nullptr, MAKEINTRESOURCEA(5) /*RT_DIALOG*/, CollectDialog, LONG_PTR(&ids));
    HWND hHost = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                   nullptr, nullptr);
    for (UINT nID : ids) {
        const std::vector<BYTE> bytes =
            typeface ? TemplateBytes(nID, typeface) : std::vector<BYTE>();
        HWND hDialog =
            typeface
                ? ::CreateDialogIndirectParamA(nullptr,
                                               reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                               hHost, PlainDialogProc, 0)
                : ::CreateDialogParamA(nullptr, MAKEINTRESOURCEA(nID), hHost, PlainDialogProc, 0);
        visit(nID, hDialog);
        if (hDialog)
            ::DestroyWindow(hDialog);
    }
    ::DestroyWindow(hHost);
    return int(ids.size());
}
