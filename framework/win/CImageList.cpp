#include "framework/win/CImageList.h"

#include "framework/win/CDC.h"
#include "framework/win/HandleMap.h"
#include "framework/win/TempMaps.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

using ImageListMap = CHandleMap<CImageList, HIMAGELIST, &CImageList::m_hImageList>;

ImageListMap& TheImageListMap()
{
    static ImageListMap& map = *new ImageListMap; // outlives every global object
    return map;
}

} // namespace

void AfxDeleteTempImageListMap() { TheImageListMap().DeleteTemp(); }

CImageList::~CImageList()
{
    if (m_hImageList && TheImageListMap().LookupPermanent(m_hImageList) == this)
        DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return TheImageListMap().FromHandle(hImageList);
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (!hImageList)
        return FALSE;
    m_hImageList = hImageList;
    TheImageListMap().SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    if (h && TheImageListMap().LookupPermanent(h) == this)
        TheImageListMap().RemoveHandle(h);
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ::ImageList_Destroy(Detach());
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(::ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), cx,
                                         nGrow, crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ::ImageList_Add(m_hImageList, *pbmImage, pbmMask ? HBITMAP(*pbmMask) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ::ImageList_AddMasked(m_hImageList, *pbmImage, crMask);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ::ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}
