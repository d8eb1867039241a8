#include "tests/support/GuiTestSupport.h"

#include "framework/win/CWinThread.h"
#include "framework/win/CWnd.h"

#include <cstring>
#include <utility>

void AfxPumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(int(msg.wParam)); // leave it for the real loop
            return;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void HoldModifiers(UINT mods)
{
    BYTE state[256];
    ::GetKeyboardState(state);
    const std::pair<UINT, int> keys[] = {{kCtrl, VK_CONTROL}, {kCtrl, VK_LCONTROL},
                                         {kShift, VK_SHIFT},  {kShift, VK_LSHIFT},
                                         {kAlt, VK_MENU},     {kAlt, VK_LMENU}};
    for (const auto& [mod, vk] : keys)
        state[vk] = (mods & mod) ? 0x80 : 0;
    ::SetKeyboardState(state);
}

void Press(UINT vk, UINT mods)
{
    HoldModifiers(mods);
    const bool bSystem = (mods & kAlt) || vk == VK_F10;
    const LPARAM lParam =
        1 | LPARAM(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16 | ((mods & kAlt) ? 1 << 29 : 0);
    HWND hTarget = ::GetFocus() ? ::GetFocus() : ::GetActiveWindow();
    ::PostMessageA(hTarget, bSystem ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, lParam);
    AfxPumpPendingMessages();
    if (HWND hNow = ::GetFocus() ? ::GetFocus() : ::GetActiveWindow())
        ::PostMessageA(hNow, bSystem ? WM_SYSKEYUP : WM_KEYUP, vk, lParam | 0xC0000000);
    AfxPumpPendingMessages();
    HoldModifiers(0);
}

CRect WorkAreaOf(HWND hWnd)
{
    return AfxGetWorkArea(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST));
}

COLORREF CDibImage::Pixel(int x, int y) const
{
    const DWORD px = pixels.at(std::size_t(y) * std::size_t(width) + std::size_t(x));
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

CDibImage AfxDrawToDib(int width, int height, const std::function<void(CDC& dc)>& draw)
{
    CDibImage image;
    if (width <= 0 || height <= 0)
        return image;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap bitmap;
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        if (!bitmap.Attach(::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0)))
            return image;
        dc.SelectObject(&bitmap);
        draw(dc);
        ::GdiFlush();
        image.width = width;
        image.height = height;
        image.pixels.resize(std::size_t(width) * std::size_t(height));
        std::memcpy(image.pixels.data(), bits, image.pixels.size() * sizeof(DWORD));
    }
    return image;
}

CDibImage AfxPrintClientToDib(CWnd* pWnd)
{
    RECT rc = {};
    pWnd->GetClientRect(&rc);
    return AfxDrawToDib(rc.right, rc.bottom, [pWnd](CDC& dc) {
        pWnd->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.m_hDC),
                          PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    });
}

// The sum of a text record's character advances.
static int TextAdvance(const BYTE* pRecord, const EMRTEXT& text)
{
    if (text.offDx == 0)
        return 0;
    const auto* pDx = reinterpret_cast<const INT*>(pRecord + text.offDx);
    int width = 0;
    for (DWORD i = 0; i < text.nChars; ++i)
        width += pDx[i];
    return width;
}

std::vector<MetafileText> ReadMetafileTexts(HENHMETAFILE hMeta)
{
    struct Reading {
        std::vector<MetafileText> texts;
        COLORREF colour = 0; // a DC's text colour before any is set
    } reading;
    ::EnumEnhMetaFile(
        nullptr, hMeta,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam) -> int {
            auto& in = *reinterpret_cast<Reading*>(lParam);
            const auto* pBytes = reinterpret_cast<const BYTE*>(pRecord);
            if (pRecord->iType == EMR_SETTEXTCOLOR)
                in.colour = reinterpret_cast<const EMRSETTEXTCOLOR*>(pRecord)->crColor;
            if (pRecord->iType != EMR_EXTTEXTOUTW && pRecord->iType != EMR_EXTTEXTOUTA)
                return 1;
            // Both kinds of record lay out their text alike; only the characters' size differs.
            const EMRTEXT& emr = reinterpret_cast<const EMREXTTEXTOUTA*>(pRecord)->emrtext;
            std::string text;
            for (DWORD i = 0; i < emr.nChars; ++i)
                text += pRecord->iType == EMR_EXTTEXTOUTW
                            ? char(reinterpret_cast<const WCHAR*>(pBytes + emr.offString)[i])
                            : reinterpret_cast<const char*>(pBytes + emr.offString)[i];
            in.texts.push_back({text, CPoint(emr.ptlReference.x, emr.ptlReference.y),
                                TextAdvance(pBytes, emr), in.colour});
            return 1;
        },
        &reading, nullptr);
    return reading.texts;
}

std::string DlgItemText(CWnd* pDialog, int nID)
{
    CString text;
    pDialog->GetDlgItemText(nID, text);
    return text.GetString();
}

WineTahoma::WineTahoma()
{
    for (const char* path :
         {"C:\\windows\\Fonts\\tahoma.ttf", "Z:\\usr\\share\\wine\\fonts\\tahoma.ttf"})
        if (::AddFontResourceExA(path, FR_PRIVATE, nullptr) > 0) {
            m_path = path;
            break;
        }
}

WineTahoma::~WineTahoma()
{
    if (!m_path.empty())
        ::RemoveFontResourceExA(m_path.c_str(), FR_PRIVATE, nullptr);
}

std::string MakeTempFolder()
{
    static int s_nFolder = 0;
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    for (;;) {
        const std::string name = szTemp + std::string("ztest") +
                                 std::to_string(::GetCurrentProcessId()) + "_" +
                                 std::to_string(++s_nFolder) + "\\";
        if (::CreateDirectoryA(name.c_str(), nullptr))
            return name;
    }
}
