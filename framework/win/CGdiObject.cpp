#include "framework/win/CGdiObject.h"

#include "framework/core/CString.h"
#include "framework/win/CDC.h"
#include "framework/win/HandleMap.h"
#include "framework/win/TempMaps.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

template <class T> using GdiMap = CHandleMap<T, HGDIOBJ, &CGdiObject::m_hObject>;

// Permanent objects of every kind, and one map of temporary wrappers per wrapper class.
GdiMap<CGdiObject>& ThePermanentMap()
{
    static auto& map = *new GdiMap<CGdiObject>; // outlives every global object
    return map;
}

template <class T> GdiMap<T>& TheTempMap()
{
    static auto& map = *new GdiMap<T>;
    return map;
}

} // namespace

template <class T> T* AfxGdiFromHandle(HGDIOBJ h)
{
    if (!h)
        return nullptr;
    if (auto* p = dynamic_cast<T*>(ThePermanentMap().LookupPermanent(h)))
        return p;
    return TheTempMap<T>().FromHandle(h);
}

template CGdiObject* AfxGdiFromHandle<CGdiObject>(HGDIOBJ);
template CPen* AfxGdiFromHandle<CPen>(HGDIOBJ);
template CBrush* AfxGdiFromHandle<CBrush>(HGDIOBJ);
template CFont* AfxGdiFromHandle<CFont>(HGDIOBJ);
template CBitmap* AfxGdiFromHandle<CBitmap>(HGDIOBJ);
template CRgn* AfxGdiFromHandle<CRgn>(HGDIOBJ);

void AfxDeleteTempGdiMaps()
{
    TheTempMap<CGdiObject>().DeleteTemp();
    TheTempMap<CPen>().DeleteTemp();
    TheTempMap<CBrush>().DeleteTemp();
    TheTempMap<CFont>().DeleteTemp();
    TheTempMap<CBitmap>().DeleteTemp();
    TheTempMap<CRgn>().DeleteTemp();
}

CGdiObject::~CGdiObject()
{
    if (ThePermanentMap().Owns(this))
        DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return AfxGdiFromHandle<CGdiObject>(hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) { return ThePermanentMap().Attach(this, hObject); }

BOOL CGdiObject::AttachShared(HGDIOBJ hObject)
{
    return ThePermanentMap().Attach(this, hObject, true);
}

BOOL CGdiObject::AttachCreated(HGDIOBJ hObject)
{
    if (Attach(hObject))
        return TRUE;
    if (hObject)
        ::DeleteObject(hObject);
    return FALSE;
}

HGDIOBJ CGdiObject::Detach() { return ThePermanentMap().Detach(this); }

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    CDC::UnselectEverywhere(m_hObject);
    return ::DeleteObject(Detach());
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return AttachCreated(::CreatePatternBrush(*pBitmap));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    return AttachCreated(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return AttachCreated(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCTSTR lpszFacename)
{
    return AttachCreated(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                       bUnderline, cStrikeOut, nCharSet, nOutPrecision,
                                       nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName)
        ::lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC)
{
    HDC hDC = pDC ? pDC->m_hDC : ::GetDC(nullptr);
    LOGFONTA logFont = *lpLogFont;
    // lfHeight is in tenths of a point: 720 per inch, converted to the DC's logical units.
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), logFont.lfHeight, 720)};
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = {0, 0};
    ::DPtoLP(hDC, &ptOrg, 1);
    logFont.lfHeight = -std::abs(int(pt.y - ptOrg.y));
    if (!pDC)
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&logFont);
}
