#pragma once
#include "framework/core/CObject.h"
#include "framework/win/AfxState.h"

class CBitmap;
class CDC;

// An image list of the common controls; owns its handle unless borrowed through FromHandle.
class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    // The list of a member that works on it: calling one on an object without a list is the
    // caller's error (asserted).
    HIMAGELIST LiveHimagelist() const
    {
        ASSERT(m_hImageList != nullptr);
        return m_hImageList;
    }
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST hImageList);
    // Makes this object the owner of hImageList. It must hold no list, and hImageList must have
    // no other owner (both asserted; refused with FALSE).
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
    {
        return AttachCreated(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
    }
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    int GetImageCount() const { return ::ImageList_GetImageCount(LiveHimagelist()); }
    int Add(HICON hIcon) { return ::ImageList_AddIcon(LiveHimagelist(), hIcon); }
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Replace(int nImage, HICON hIcon)
    {
        return ::ImageList_ReplaceIcon(LiveHimagelist(), nImage, hIcon);
    }
    BOOL Remove(int nImage) { return ::ImageList_Remove(LiveHimagelist(), nImage); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    HICON ExtractIcon(int nImage)
    {
        return ::ImageList_ExtractIcon(nullptr, LiveHimagelist(), nImage);
    }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
    {
        return ::ImageList_GetImageInfo(LiveHimagelist(), nImage, pImageInfo);
    }
    COLORREF SetBkColor(COLORREF cr) { return ::ImageList_SetBkColor(LiveHimagelist(), cr); }

protected:
    // Attaches a list just made for this object; when refused, the list is destroyed again.
    BOOL AttachCreated(HIMAGELIST hImageList);
};
