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
    if (TheImageListMap().Owns(this))
        DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return TheImageListMap().FromHandle(hImageList);
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    return TheImageListMap().Attach(this, hImageList);
}

BOOL CImageList::AttachCreated(HIMAGELIST hImageList)
{
    if (Attach(hImageList))
        return TRUE;
    if (hImageList)
        ::ImageList_Destroy(hImageList);
    return FALSE;
}

HIMAGELIST CImageList::Detach() { return TheImageListMap().Detach(this); }

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ::ImageList_Destroy(Detach());
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return AttachCreated(::ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID),
                                                cx, nGrow, crMask, IMAGE_BITMAP,
                                                LR_CREATEDIBSECTION));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ::ImageList_Add(LiveHimagelist(), *pbmImage, pbmMask ? HBITMAP(*pbmMask) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ::ImageList_AddMasked(LiveHimagelist(), *pbmImage, crMask);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ::ImageList_Draw(LiveHimagelist(), nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}
