#include "framework/win/ToolBarImages.h"

#include <cstring>
#include <vector>

BOOL AfxLoadToolBarResource(HINSTANCE hInst, LPCTSTR lpszResourceName, ToolBarResource& res)
{
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(kToolBarResourceType));
    HGLOBAL hGlobal = hRsrc ? ::LoadResource(hInst, hRsrc) : nullptr;
    const void* pData = hGlobal ? ::LockResource(hGlobal) : nullptr;
    return pData && ParseToolBarResource(pData, ::SizeofResource(hInst, hRsrc), res);
}

namespace {

struct SysColorEntry {
    DWORD rgbqFrom; // in the colour table's blue-green-red order
    int iSysColor;
};
constexpr SysColorEntry kSysColorMap[] = {
    {0x000000, COLOR_BTNTEXT},
    {0x808080, COLOR_BTNSHADOW},
    {0xC0C0C0, COLOR_BTNFACE},
    {0xFFFFFF, COLOR_BTNHIGHLIGHT},
};

DWORD RgbQuadOf(COLORREF colour)
{
    return DWORD(GetBValue(colour)) | DWORD(GetGValue(colour)) << 8 |
           DWORD(GetRValue(colour)) << 16;
}

} // namespace

HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc, BOOL bMono)
{
    HGLOBAL hGlobal = hRsrc ? ::LoadResource(hInst, hRsrc) : nullptr;
    const auto* pData = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    const DWORD nSize = hRsrc ? ::SizeofResource(hInst, hRsrc) : 0;
    if (!pData || nSize < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, pData, sizeof header);
    const int bits = header.biBitCount;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biPlanes != 1 || bits == 0 || bits > 32 || header.biCompression != BI_RGB)
        return nullptr;
    // The colour table: as many entries as the header says, else as the depth allows.
    const DWORD nColors = header.biClrUsed ? header.biClrUsed : (bits <= 8 ? 1u << bits : 0u);
    const std::size_t tableBytes = std::size_t(nColors) * sizeof(RGBQUAD);
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const std::size_t stride = ((std::size_t(header.biWidth) * std::size_t(bits) + 31) / 32) * 4;
    const std::size_t bitsOffset = header.biSize + tableBytes;
    if (nColors > 256 || nSize < bitsOffset + stride * std::size_t(height))
        return nullptr;
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + tableBytes);
    std::memcpy(info.data(), &header, sizeof header);
    reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSize = sizeof(BITMAPINFOHEADER);
    std::memcpy(info.data() + sizeof header, pData + header.biSize, tableBytes);
    if (bits == 4 || bits == 8) {
        auto* pTable = reinterpret_cast<DWORD*>(info.data() + sizeof header);
        for (DWORD i = 0; i < nColors; ++i)
            for (const SysColorEntry& entry : kSysColorMap)
                if ((pTable[i] & 0xFFFFFF) == entry.rgbqFrom) {
                    if (!bMono)
                        pTable[i] = RgbQuadOf(::GetSysColor(entry.iSysColor));
                    else if (entry.iSysColor != COLOR_BTNTEXT)
                        pTable[i] = 0xFFFFFF;
                    break;
                }
    }
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, header.biWidth, height);
    HDC hMemDC = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    if (!hBitmap || !hMemDC) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        if (hMemDC)
            ::DeleteDC(hMemDC);
        return nullptr;
    }
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    const int nLines = ::StretchDIBits(
        hMemDC, 0, 0, header.biWidth, height, 0, 0, header.biWidth, height, pData + bitsOffset,
        reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
    if (nLines == 0 || nLines == int(GDI_ERROR)) {
        ::DeleteObject(hBitmap);
        return nullptr;
    }
    return hBitmap;
}
