// Painting the folder bar, always through an off-screen bitmap, and the slide of its folder
// buttons when another folder opens.
#include "ui/GfxOutBarCtrl.h"

#include "framework/win/CDC.h"
#include "framework/win/CImageList.h"

#include <algorithm>

namespace {

CFont* GuiFont() { return CFont::FromHandle(HFONT(::GetStockObject(DEFAULT_GUI_FONT))); }

// A memory device context holding a bitmap of a window's client size.
class CBufferDC : public CDC {
public:
    CBufferDC(CDC* pScreenDC, CSize size)
    {
        CreateCompatibleDC(pScreenDC);
        m_bitmap.CreateCompatibleBitmap(pScreenDC, std::max(int(size.cx), 1),
                                        std::max(int(size.cy), 1));
        m_pOldBitmap = SelectObject(&m_bitmap);
    }
    ~CBufferDC() override { SelectObject(m_pOldBitmap); }

private:
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};

} // namespace

BOOL CGfxOutBarCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CGfxOutBarCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CBufferDC buffer(&dc, client.Size());
    PaintBar(&buffer, client);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &buffer, 0, 0, SRCCOPY);
}

void CGfxOutBarCtrl::RepaintItemArea()
{
    const CRect area = GetItemAreaRect();
    InvalidateRect(&area, FALSE);
}

void CGfxOutBarCtrl::PaintBar(CDC* pDC, const CRect& client)
{
    pDC->FillSolidRect(&client, m_crBackground);
    CFont* pOldFont = pDC->SelectObject(GuiFont());
    for (int i = 0; i < GetFolderCount(); ++i)
        DrawFolder(pDC, i, GetFolderRect(i));
    const COutBarLayout& layout = GetLayout();
    DrawItemArea(pDC, layout, m_nOpenFolder);
    pDC->SelectObject(pOldFont);
}

void CGfxOutBarCtrl::DrawFolder(CDC* pDC, int nFolder, const CRect& rectFolder)
{
    CRect rect = rectFolder;
    pDC->FillSolidRect(&rect, m_crFace);
    pDC->Draw3dRect(&rect, m_crHilight, m_crDkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, m_crLight, m_crShadow);
    if (nFolder == m_nHotFolder)
        DrawFolderHover(pDC, nFolder);
    rect.DeflateRect(4, 0);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(GetFolderName(nFolder), &rect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CGfxOutBarCtrl::DrawFolderHover(CDC* pDC, int nFolder)
{
    CRect rect = GetFolderRect(nFolder);
    pDC->Draw3dRect(&rect, m_crHilight, m_crDkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, m_crHilight, m_crShadow);
}

void CGfxOutBarCtrl::DrawItemArea(CDC* pDC, const COutBarLayout& layout, int nFolder)
{
    const CRect area = layout.ItemArea();
    pDC->FillSolidRect(&area, m_crItemArea);
    if (!IsFolder(nFolder) || m_folders[std::size_t(nFolder)]->pChild)
        return;
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&area);
    DrawItems(pDC, layout, nFolder);
    if (layout.HasUpArrow())
        DrawArrow(pDC, TRUE, m_nArrowHeld == OutBarHit::UpArrow && m_bArrowPushed);
    if (layout.HasDownArrow())
        DrawArrow(pDC, FALSE, m_nArrowHeld == OutBarHit::DownArrow && m_bArrowPushed);
    pDC->RestoreDC(nSaved);
}

void CGfxOutBarCtrl::DrawItems(CDC* pDC, const COutBarLayout& layout, int nFolder)
{
    const std::vector<Item>& items = m_folders[std::size_t(nFolder)]->items;
    CImageList* pList = GetImageList(UsesSmallIcons());
    const BOOL bSmall = UsesSmallIcons();
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crText);
    for (const OutBarItemBox& box : layout.Items()) {
        const Item& item = items[std::size_t(box.index)];
        if (pList && pList->m_hImageList && item.image >= 0)
            pList->Draw(pDC, item.image, box.icon.TopLeft(), ILD_NORMAL);
        CRect rectLabel = box.label;
        pDC->DrawText(item.text, &rectLabel,
                      bSmall ? DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX
                             : DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        if (box.index == m_nPressedItem)
            DrawIconFrame(pDC, box.index, TRUE);
        else if (box.index == m_nHotItem && (m_dwFlags & OBF_HIGHLIGHT))
            DrawIconFrame(pDC, box.index, FALSE);
    }
    if (m_bDragging && m_nDragItem >= 0)
        DrawDropMark(pDC, layout);
}

void CGfxOutBarCtrl::DrawDropMark(CDC* pDC, const COutBarLayout& layout)
{
    if (m_nDropTarget < 0)
        return;
    const CRect area = layout.ItemArea();
    int y = area.top + m_spacing.itemMarginY / 2;
    if (const OutBarItemBox* pBox = layout.FindItem(m_nDropTarget))
        y = pBox->whole.top - 3;
    else if (!layout.Items().empty())
        y = layout.Items().back().whole.bottom + 3;
    CPen* pOldPen = pDC->SelectObject(&m_penBlack);
    for (int dy = 0; dy < 2; ++dy) {
        pDC->MoveTo(area.left + 4, y + dy);
        pDC->LineTo(area.right - 4, y + dy);
    }
    pDC->SelectObject(pOldPen);
}

void CGfxOutBarCtrl::DrawIconFrame(CDC* pDC, int nItem, BOOL bPressed)
{
    const OutBarItemBox* pBox = m_layout.FindItem(nItem);
    if (!pBox)
        return;
    CRect rect = pBox->icon;
    rect.InflateRect(2, 2);
    if (bPressed)
        pDC->Draw3dRect(&rect, m_crDkShadow, m_crHilight);
    else
        pDC->Draw3dRect(&rect, m_crHilight, m_crDkShadow);
}

void CGfxOutBarCtrl::DrawArrow(CDC* pDC, BOOL bUp, BOOL bPushed)
{
    CRect rect = bUp ? m_layout.UpArrowRect() : m_layout.DownArrowRect();
    pDC->DrawFrameControl(&rect, DFC_SCROLL,
                          (bUp ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | (bPushed ? DFCS_PUSHED : 0));
}

void CGfxOutBarCtrl::AnimateFolderChange(int nFrom, int nTo)
{
    CClientDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int nFolders = GetFolderCount();
    // The bar as it is and as it will be.
    CBufferDC before(&dc, client.Size()), after(&dc, client.Size());
    const int nFirst = m_nFirstItem, nHot = m_nHotItem;
    PaintBar(&before, client);
    m_nOpenFolder = nTo;
    m_nFirstItem = 0;
    m_nHotItem = -1;
    PaintBar(&after, client);
    m_nOpenFolder = nFrom;
    m_nFirstItem = nFirst;
    m_nHotItem = nHot;

    // The buttons between the two folders slide, with the item area that follows them, over
    // the item area they leave; the rest of the bar stays.
    const BOOL bUp = nTo > nFrom;
    const int nLow = std::min(nFrom, nTo), nHigh = std::max(nFrom, nTo);
    const int yTop = OutBarFolderRect(client, nFolders, nHigh, nLow + 1).top;
    const int yBottom = OutBarFolderRect(client, nFolders, nLow, nLow + 1).top;
    const int yEnd = OutBarFolderRect(client, nFolders, nLow, nHigh + 1).top;
    const int yStill = nHigh + 1 < nFolders ? yEnd : int(client.bottom);
    CDC* pMoving = bUp ? &after : &before;
    CDC* pLeft = bUp ? &before : &after;
    CBufferDC frame(&dc, client.Size());
    for (int d = kOutBarFolderHeight; d < yBottom - yTop; d += kOutBarFolderHeight) {
        const int yBlock = bUp ? yBottom - d : yTop + d;
        frame.BitBlt(0, 0, client.Width(), client.Height(), &before, 0, 0, SRCCOPY);
        frame.BitBlt(0, yTop, client.Width(), yBlock - yTop, pLeft, 0, yTop, SRCCOPY);
        frame.BitBlt(0, yBlock, client.Width(), yStill - yBlock, pMoving, 0, yTop, SRCCOPY);
        dc.BitBlt(0, 0, client.Width(), client.Height(), &frame, 0, 0, SRCCOPY);
        ::GdiFlush();
        if (m_nAnimationDelay > 0)
            ::Sleep(DWORD(m_nAnimationDelay));
    }
}
