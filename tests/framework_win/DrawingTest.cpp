// Drawing through the DC and GDI wrappers into memory bitmaps, read back pixel by pixel.
#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);

TEST(Drawing, ShapesLandOnTheExpectedPixels)
{
    const CDibImage image = AfxDrawToDib(40, 30, [](CDC& dc) {
        dc.FillSolidRect(0, 0, 40, 30, kWhite);
        CPen pen(PS_SOLID, 1, kRed);
        CBrush brush(kBlue);
        CPen* pOldPen = dc.SelectObject(&pen);
        CBrush* pOldBrush = dc.SelectObject(&brush);
        dc.Rectangle(2, 2, 12, 12); // red outline, blue inside
        dc.MoveTo(20, 5);
        dc.LineTo(35, 5); // red line, the end point excluded
        const POINT zigzag[] = {{20, 20}, {25, 25}, {30, 20}};
        dc.Polyline(zigzag, 3);
        dc.SelectObject(pOldBrush);
        dc.SelectObject(pOldPen);
        dc.Draw3dRect(CRect(0, 26, 10, 30), kGreen, kRed);
    });
    ASSERT_EQ(image.width, 40);
    struct Case {
        int x, y;
        COLORREF colour;
        const char* what;
    };
    const Case cases[] = {
        {2, 2, kRed, "rectangle corner"},
        {7, 7, kBlue, "rectangle inside"},
        {12, 7, kWhite, "right of the rectangle"},
        {20, 5, kRed, "line start"},
        {34, 5, kRed, "line end minus one"},
        {35, 5, kWhite, "line end excluded"},
        {22, 22, kRed, "polyline"},
        {0, 26, kGreen, "3-D rectangle top left"},
        {9, 29, kRed, "3-D rectangle bottom right"},
        {39, 29, kWhite, "untouched corner"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(image.Pixel(c.x, c.y), c.colour) << c.what << " at " << c.x << "," << c.y;
}

TEST(Drawing, SelectedObjectsArePutBackBeforeTheyAreDeleted)
{
    HGDIOBJ hPen = nullptr;
    HGDIOBJ hFont = nullptr;
    AfxDrawToDib(10, 10, [&](CDC& dc) {
        HGDIOBJ hOriginalPen = ::GetCurrentObject(dc, OBJ_PEN);
        {
            CPen pen(PS_SOLID, 3, kRed);
            CFont font;
            ASSERT_TRUE(font.CreatePointFont(100, "Arial", &dc));
            dc.SelectObject(&pen);
            dc.SelectObject(&font);
            hPen = pen.m_hObject;
            hFont = font.m_hObject;
        } // deleted while still selected
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), hOriginalPen);
        EXPECT_NE(::GetCurrentObject(dc, OBJ_FONT), hFont);
    });
    EXPECT_EQ(::GetObjectType(hPen), 0u) << "the pen was really deleted";
    EXPECT_EQ(::GetObjectType(hFont), 0u) << "the font was really deleted";
}

TEST(Drawing, EnhancedMetafileRecordsAndPlaysBack)
{
    CMetaFileDC meta;
    ASSERT_TRUE(meta.CreateEnhanced(nullptr, nullptr, nullptr, "test\0picture\0"));
    CBrush brush(kGreen);
    meta.FillRect(CRect(0, 0, 10, 10), &brush);
    HENHMETAFILE hMeta = meta.CloseEnhanced();
    ASSERT_NE(hMeta, nullptr);
    const CDibImage image = AfxDrawToDib(20, 20, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, 20, 20, kWhite);
        const RECT frame = {0, 0, 10, 10};
        ::PlayEnhMetaFile(dc, hMeta, &frame);
    });
    ::DeleteEnhMetaFile(hMeta);
    EXPECT_EQ(image.Pixel(5, 5), kGreen);
    EXPECT_EQ(image.Pixel(15, 15), kWhite);
}

// A window that paints through WM_PRINTCLIENT, as the plot windows do for copies.
class CPaintedWnd : public CWnd {
protected:
    LRESULT OnPrintClient(WPARAM wParam, LPARAM)
    {
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, kBlue);
        pDC->SetTextColor(kWhite);
        pDC->SetBkMode(TRANSPARENT);
        const CSize extent = pDC->GetTextExtent("W");
        EXPECT_GT(extent.cx, 0);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
ON_MESSAGE(WM_PRINTCLIENT, &CPaintedWnd::OnPrintClient)
END_MESSAGE_MAP()

// A window that paints through CPaintDC on WM_PAINT.
class CPaintCounter : public CWnd {
public:
    int m_paints = 0;
    RECT m_paintRect = {};

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        ++m_paints;
        m_paintRect = dc.m_ps.rcPaint;
        CBrush brush(kRed);
        dc.SelectObject(&brush);
        dc.Rectangle(&dc.m_ps.rcPaint);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintCounter, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(Drawing, WideDashedPenHasFlatEnds)
{
    const LOGBRUSH brush = {BS_SOLID, kRed, 0};
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_DASH | PS_GEOMETRIC | PS_ENDCAP_FLAT, 6, &brush));
    EXPECT_EQ(::GetObjectType(pen.m_hObject), DWORD(OBJ_EXTPEN));
    const CDibImage image = AfxDrawToDib(40, 20, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, 40, 20, kWhite);
        CPen* pOld = dc.SelectObject(&pen);
        dc.MoveTo(10, 10);
        dc.LineTo(30, 10);
        dc.SelectObject(pOld);
    });
    EXPECT_EQ(image.Pixel(12, 10), kRed) << "inside the first dash";
    EXPECT_EQ(image.Pixel(8, 10), kWhite) << "a flat end adds nothing before the start";
    EXPECT_EQ(image.Pixel(12, 8), kRed) << "six pixels wide";
}

TEST(Drawing, PaintDCValidatesTheUpdateRegion)
{
    CPaintCounter wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, nullptr, "paint", WS_POPUP | WS_VISIBLE, RECT{0, 0, 60, 40}, nullptr, 0));
    wnd.UpdateWindow();
    const int before = wnd.m_paints;
    const RECT part = {10, 10, 20, 20};
    wnd.InvalidateRect(&part, FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.m_paints, before + 1);
    EXPECT_EQ(wnd.m_paintRect.left, 10);
    EXPECT_EQ(wnd.m_paintRect.bottom, 20);
    EXPECT_FALSE(::GetUpdateRect(wnd.m_hWnd, nullptr, FALSE)) << "EndPaint validated the region";
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.m_paints, before + 1) << "nothing left to paint";
    wnd.DestroyWindow();
}

TEST(Drawing, WindowClientAreaIsCapturedWithoutADisplay)
{
    CPaintedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "paint", WS_POPUP, RECT{0, 0, 64, 48}, nullptr, 0));
    const CDibImage image = AfxPrintClientToDib(&wnd);
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 48);
    EXPECT_EQ(image.Pixel(0, 0), kBlue);
    EXPECT_EQ(image.Pixel(63, 47), kBlue);
    wnd.DestroyWindow();
}

} // namespace
