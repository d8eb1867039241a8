// The plots on device contexts: drawing, renders into metafiles and bitmaps, and the owner
// window of a 2-D plot.
#include "plot/DCPlotCanvas.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"
#include "plot/PlotClippedCanvas.h"

#include <algorithm>
#include <cstring>

namespace {

// The plot window: hears of failed graphs through a posted message and measures text on its
// device context.
class CPlotWindowOwner : public IPlotOwner {
public:
    explicit CPlotWindowOwner(HWND hWnd) : m_hWnd(hWnd) {}

    void OnItemDrawFailed(int index) override
    {
        ::PostMessageA(m_hWnd, WM_USER + 1, 0, LPARAM(index));
    }

    CSize MeasureText(const LOGFONTA& font, const CString& text) override
    {
        HDC hDC = ::GetDC(m_hWnd);
        if (!hDC)
            return CSize(0, 0);
        HFONT hFont = ::CreateFontIndirectA(&font);
        HGDIOBJ hOld = ::SelectObject(hDC, hFont ? hFont : ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE size = {0, 0};
        ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
        ::SelectObject(hDC, hOld);
        if (hFont)
            ::DeleteObject(hFont);
        ::ReleaseDC(m_hWnd, hDC);
        return CSize(size);
    }

private:
    HWND m_hWnd;
};

// The description of copied plots in the metafile header.
const char kMetafileDescription[] = "the_name\0";

// Records a picture of width x height pixels into a new enhanced metafile referenced to the
// screen, draw given a canvas that keeps everything inside the picture; nullptr on failure.
template <class Draw> HENHMETAFILE RecordMetafile(int width, int height, Draw draw)
{
    HDC hScreen = ::GetDC(nullptr);
    CDC screen;
    screen.Attach(hScreen);
    // The frame, in hundredths of a millimetre of the screen, is what another program sizes the
    // pasted picture by; without one it would grow with whatever was recorded.
    const CRect frame(0, 0,
                      ::MulDiv(width, 100 * ::GetDeviceCaps(hScreen, HORZSIZE),
                               std::max(1, ::GetDeviceCaps(hScreen, HORZRES))),
                      ::MulDiv(height, 100 * ::GetDeviceCaps(hScreen, VERTSIZE),
                               std::max(1, ::GetDeviceCaps(hScreen, VERTRES))));
    CMetaFileDC meta;
    const BOOL made = meta.CreateEnhanced(&screen, nullptr, frame.IsRectEmpty() ? nullptr : &frame,
                                          kMetafileDescription);
    screen.Detach();
    ::ReleaseDC(nullptr, hScreen);
    if (!made)
        return nullptr;
    {
        CDCPlotCanvas device(meta);
        CClippedPlotCanvas picture(device, CRect(0, 0, width, height));
        draw(static_cast<CPlotCanvas&>(picture));
    }
    return meta.CloseEnhanced();
}

// Draws into a new bitmap compatible with the screen; nullptr on failure.
template <class Draw> HBITMAP RecordBitmap(int width, int height, Draw draw)
{
    HDC hScreen = ::GetDC(nullptr);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = hMemory ? ::CreateCompatibleBitmap(hScreen, width, height) : nullptr;
    ::ReleaseDC(nullptr, hScreen);
    if (!hBitmap) {
        if (hMemory)
            ::DeleteDC(hMemory);
        return nullptr;
    }
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    {
        CDC dc;
        dc.Attach(hMemory);
        draw(dc);
        dc.Detach();
    }
    ::SelectObject(hMemory, hOld);
    ::DeleteDC(hMemory);
    return hBitmap;
}

} // namespace

BOOL CPlotItem::CreatePen(CPen& pen) const { return CreatePlotPen(pen, GetPen()); }

// ---- 2-D plot ----------------------------------------------------------------------------

BOOL CPlot2D::Draw(CDC* pDC, double dLabelScale)
{
    if (!pDC || !pDC->m_hDC)
        return FALSE;
    CDCPlotCanvas canvas(*pDC);
    return Draw(canvas, dLabelScale);
}

void CPlot2D::SetOwnerWindow(HWND hWnd)
{
    m_hOwnerWnd = hWnd;
    m_pWindowOwner = hWnd ? std::make_unique<CPlotWindowOwner>(hWnd) : nullptr;
    m_pOwner = m_pWindowOwner.get();
}

// A size below 1 in either direction: the plot's window rectangle.
static void RenderSize(const CRect& window, int& width, int& height)
{
    if (width < 1 || height < 1) {
        width = window.Width();
        height = window.Height();
    }
}

HENHMETAFILE CPlot2D::RenderToMetafile(int width, int height)
{
    RenderSize(m_rectWindow, width, height);
    const CRect saved = m_rectWindow;
    Layout(0, 0, width, height);
    HENHMETAFILE hMeta = RecordMetafile(width, height, [&](CPlotCanvas& canvas) { Draw(canvas); });
    Layout(saved.left, saved.top, saved.right, saved.bottom);
    return hMeta;
}

HBITMAP CPlot2D::RenderToBitmap(int width, int height)
{
    RenderSize(m_rectWindow, width, height);
    if (width < 1 || height < 1)
        return nullptr;
    const CRect saved = m_rectWindow;
    Layout(0, 0, width, height);
    HBITMAP hBitmap = RecordBitmap(width, height, [&](CDC& dc) { Draw(&dc); });
    Layout(saved.left, saved.top, saved.right, saved.bottom);
    return hBitmap;
}

// ---- 3-D scene ---------------------------------------------------------------------------

BOOL CPlot3DScene::Draw(CDC* pFirst, CDC* pSecond)
{
    if (!pFirst || !pFirst->m_hDC)
        return FALSE;
    CDCPlotCanvas first(*pFirst);
    if (!pSecond || !pSecond->m_hDC)
        return Draw(first, nullptr);
    CDCPlotCanvas second(*pSecond);
    return Draw(first, &second);
}

// The scene's own size unless both are given.
static void SceneRenderSize(const RECT& rect, int& width, int& height)
{
    if (!(width > 0 && height >= 1)) {
        width = rect.right - rect.left;
        height = rect.bottom - rect.top;
    }
}

HENHMETAFILE CPlot3DScene::RenderToMetafile(int width, int height)
{
    SceneRenderSize(m_rect, width, height);
    const RECT saved = m_rect;
    SetRect(0, 0, width, height);
    HENHMETAFILE hMeta =
        RecordMetafile(width, height, [&](CPlotCanvas& canvas) { Draw(canvas, nullptr); });
    m_rect = saved;
    return hMeta;
}

HBITMAP CPlot3DScene::RenderToBitmap(int width, int height)
{
    SceneRenderSize(m_rect, width, height);
    if (width < 1 || height < 1)
        return nullptr;
    const RECT saved = m_rect;
    SetRect(0, 0, width, height);
    HBITMAP hBitmap = RecordBitmap(width, height, [&](CDC& dc) { Draw(&dc, nullptr); });
    m_rect = saved;
    return hBitmap;
}
