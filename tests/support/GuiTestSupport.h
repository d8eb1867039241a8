#pragma once
// Helpers for window tests: run the queue dry and read what a window draws. Nothing here needs
// a display; drawing goes into a 32-bit DIB section.
#include "framework/win/CDC.h"

#include <functional>
#include <string>
#include <vector>

class CWnd;

// Dispatches every message queued for this thread (and those the handlers queue meanwhile)
// through the framework's pre-translation, without waiting for more.
void AfxPumpPendingMessages();

// Modifiers of Press, held in the thread's key state.
constexpr UINT kCtrl = 1, kShift = 2, kAlt = 4;
void HoldModifiers(UINT mods);
// One key as the keyboard gives it to the window with the focus: the modifiers held in the
// thread's key state, the key's down and up messages run through the message loop (a menu or
// dialog it opens runs there too).
void Press(UINT vk, UINT mods = 0);

// The work area of the monitor that holds most of the window.
CRect WorkAreaOf(HWND hWnd);

// The text of a dialog's control.
std::string DlgItemText(CWnd* pDialog, int nID);

// A top-down 32-bit picture.
struct CDibImage {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels; // 0x00RRGGBB per pixel, row by row

    // The pixel at (x, y) as a COLORREF (compare with RGB(r, g, b)).
    COLORREF Pixel(int x, int y) const;
};

// Draws width x height pixels through draw (a view's OnDraw, a plot's drawing) into a DIB.
CDibImage AfxDrawToDib(int width, int height, const std::function<void(CDC& dc)>& draw);
// The client area of pWnd as it paints itself through WM_PRINTCLIENT.
CDibImage AfxPrintClientToDib(CWnd* pWnd);

// A text a metafile draws, where its reference point lies, how far its characters advance (in
// the recording's units) and the text colour it is drawn in.
struct MetafileText {
    std::string text;
    CPoint origin;
    int width = 0;
    COLORREF colour = 0;
};
// The texts a metafile draws, in drawing order.
std::vector<MetafileText> ReadMetafileTexts(HENHMETAFILE hMeta);

// A new, empty folder under the temporary folder, e.g. "C:\\...\\ztest1234_1\\". Process ids
// repeat between runs under Wine: a folder that exists already is never reused, so that nothing
// an earlier run left there meets a test.
std::string MakeTempFolder();

// Wine's own Tahoma, lent to this process while the object lives: the test prefix has only the
// system's fonts, in which the dialog and menu fonts fall back to a wider face that measures
// and draws alike. Windows has the font anyway.
class WineTahoma {
public:
    WineTahoma();
    ~WineTahoma();
    WineTahoma(const WineTahoma&) = delete;
    WineTahoma& operator=(const WineTahoma&) = delete;
    bool Loaded() const { return !m_path.empty(); }

private:
    std::string m_path;
};
