#include "framework/win/CDC.h"

#include "framework/core/Exceptions.h"
#include "framework/win/CWnd.h"
#include "framework/win/HandleMap.h"
#include "framework/win/TempMaps.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CMetaFileDC, CDC)

namespace {

using DCMap = CHandleMap<CDC, HDC, &CDC::m_hDC>;

DCMap& TheDCMap()
{
    static DCMap& map = *new DCMap; // outlives every global object (see HandleMap.h)
    return map;
}

// Every CDC object alive, so a GDI object being deleted can be unselected from them.
std::vector<CDC*>& LiveDCs()
{
    static auto& list = *new std::vector<CDC*>;
    return list;
}

int SlotOf(DWORD objectType)
{
    switch (objectType) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return 0;
    case OBJ_BRUSH:
        return 1;
    case OBJ_FONT:
        return 2;
    case OBJ_BITMAP:
        return 3;
    default:
        return -1;
    }
}

} // namespace

void AfxDeleteTempDCMap() { TheDCMap().DeleteTemp(); }

CDC::CDC() { LiveDCs().push_back(this); }

CDC::~CDC()
{
    if (TheDCMap().Owns(this))
        DeleteDC();
    auto& live = LiveDCs();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

CDC* CDC::FromHandle(HDC hDC) { return TheDCMap().FromHandle(hDC); }

BOOL CDC::Attach(HDC hDC) { return AttachAs(hDC, false); }

BOOL CDC::AttachAs(HDC hDC, bool shared)
{
    if (!TheDCMap().Attach(this, hDC, shared))
        return FALSE;
    m_hAttribDC = hDC;
    return TRUE;
}

BOOL CDC::AttachCreated(HDC hDC)
{
    if (Attach(hDC))
        return TRUE;
    if (hDC)
        ::DeleteDC(hDC);
    return FALSE;
}

HDC CDC::Detach()
{
    m_hAttribDC = nullptr;
    std::fill(std::begin(m_hOriginal), std::end(m_hOriginal), nullptr);
    return TheDCMap().Detach(this);
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    RestoreOriginalObjects();
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return AttachCreated(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const DEVMODEA* lpInitData)
{
    return AttachCreated(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData));
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(DrawingDC())); }

// ---- selection ------------------------------------------------------------------------------

void CDC::RememberOriginal(HGDIOBJ hOld, DWORD objectType)
{
    const int slot = SlotOf(objectType);
    if (slot >= 0 && !m_hOriginal[slot])
        m_hOriginal[slot] = hOld;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    ASSERT(m_hDC != nullptr);
    if (!m_hDC || !hObject)
        return nullptr;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hObject);
    if (hOld && hOld != HGDI_ERROR)
        RememberOriginal(hOld, ::GetObjectType(hObject));
    return hOld == HGDI_ERROR ? nullptr : hOld;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle(static_cast<HPEN>(SelectObject(pPen ? pPen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle(
        static_cast<HBRUSH>(SelectObject(pBrush ? pBrush->m_hObject : nullptr)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle(static_cast<HFONT>(SelectObject(pFont ? pFont->m_hObject : nullptr)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return CBitmap::FromHandle(
        static_cast<HBITMAP>(SelectObject(pBitmap ? pBitmap->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectObject(pObject ? pObject->m_hObject : nullptr));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex)));
}

void CDC::RestoreOriginalObjects()
{
    if (!m_hDC)
        return;
    for (HGDIOBJ& hOriginal : m_hOriginal) {
        if (hOriginal)
            ::SelectObject(m_hDC, hOriginal);
        hOriginal = nullptr;
    }
}

void CDC::UnselectEverywhere(HGDIOBJ hObject)
{
    const DWORD type = ::GetObjectType(hObject);
    const int slot = SlotOf(type);
    if (slot < 0)
        return;
    for (CDC* pDC : LiveDCs()) {
        if (!pDC->m_hDC ||
            ::GetCurrentObject(pDC->m_hDC, type == OBJ_EXTPEN ? OBJ_PEN : type) != hObject)
            continue;
        HGDIOBJ hOriginal = pDC->m_hOriginal[slot];
        if (!hOriginal) // selected by someone else: put a stock object in its place
            hOriginal = slot == 0   ? ::GetStockObject(BLACK_PEN)
                        : slot == 1 ? ::GetStockObject(WHITE_BRUSH)
                        : slot == 2 ? ::GetStockObject(SYSTEM_FONT)
                                    : nullptr;
        if (hOriginal)
            ::SelectObject(pDC->m_hDC, hOriginal);
    }
}

// ---- coordinates ----------------------------------------------------------------------------

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = {};
    ::SetViewportOrgEx(DrawingDC(), x, y, &old);
    return old;
}

CPoint CDC::GetViewportOrg() const
{
    POINT pt = {};
    ::GetViewportOrgEx(DrawingDC(), &pt);
    return pt;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = {};
    ::SetWindowOrgEx(DrawingDC(), x, y, &old);
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE old = {};
    ::SetViewportExtEx(DrawingDC(), cx, cy, &old);
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE old = {};
    ::SetWindowExtEx(DrawingDC(), cx, cy, &old);
    return old;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old = {};
    ::SetBrushOrgEx(DrawingDC(), x, y, &old);
    return old;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {};
    ::MoveToEx(DrawingDC(), x, y, &old);
    return old;
}

// ---- drawing --------------------------------------------------------------------------------

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // ETO_OPAQUE with the background colour fills without creating a brush.
    HDC hDC = DrawingDC();
    const COLORREF old = ::SetBkColor(hDC, clr);
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    const RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateA(DrawingDC(), hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x,
                        pt.y, size.cx, size.cy, nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateA(DrawingDC(), hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x,
                        pt.y, size.cx, size.cy, nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, HBITMAP(*pBitmap), nFlags, pBrush ? HBRUSH(*pBrush) : nullptr);
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, CBrush* pBrush)
{
    return ::DrawStateA(DrawingDC(), pBrush ? HBRUSH(*pBrush) : nullptr, nullptr,
                        reinterpret_cast<LPARAM>(lpszText), WPARAM(nTextLen), pt.x, pt.y, size.cx,
                        size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {};
    ::GetTextExtentPoint32A(DrawingDC(), lpszString, nCount, &size);
    return size;
}

// ---- DCs of a window ------------------------------------------------------------------------

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    if (!AttachAs(::BeginPaint(m_hWnd, &m_ps), true))
        throw CResourceException("paint DC");
}

CPaintDC::~CPaintDC()
{
    RestoreOriginalObjects();
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(AfxSafeHwnd(pWnd))
{
    if (!AttachAs(::GetDC(m_hWnd), true))
        throw CResourceException("client DC");
}

CClientDC::~CClientDC()
{
    RestoreOriginalObjects();
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(AfxSafeHwnd(pWnd))
{
    if (!AttachAs(::GetWindowDC(m_hWnd), true))
        throw CResourceException("window DC");
}

CWindowDC::~CWindowDC()
{
    RestoreOriginalObjects();
    ::ReleaseDC(m_hWnd, Detach());
}

BOOL CMetaFileDC::CreateEnhanced(CDC* pDCRef, LPCTSTR lpszFileName, LPCRECT lpBounds,
                                 LPCTSTR lpszDescription)
{
    HDC hDC = ::CreateEnhMetaFileA(pDCRef ? pDCRef->m_hDC : nullptr, lpszFileName, lpBounds,
                                   lpszDescription);
    if (Attach(hDC))
        return TRUE;
    if (hDC)
        ::DeleteEnhMetaFile(::CloseEnhMetaFile(hDC));
    return FALSE;
}

HENHMETAFILE CMetaFileDC::CloseEnhanced()
{
    if (!m_hDC)
        return nullptr;
    RestoreOriginalObjects();
    return ::CloseEnhMetaFile(Detach());
}

CMetaFileDC::~CMetaFileDC()
{
    if (m_hDC) // never closed: the recording is dropped
        ::DeleteEnhMetaFile(CloseEnhanced());
}
