#include "grid/COffscreenDC.h"

COffscreenDC::COffscreenDC(CDC* pDC) : m_pDC(pDC)
{
    pDC->GetClipBox(m_rect);
    if (pDC->IsPrinting() || m_rect.IsRectEmpty() || !CreateCompatibleDC(pDC))
        return;
    if (!m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
        DeleteDC();
        return;
    }
    m_bMemDC = TRUE;
    m_pOldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(m_rect, pDC->GetBkColor());
}

COffscreenDC::~COffscreenDC()
{
    if (!m_bMemDC)
        return;
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                  m_rect.top, SRCCOPY);
    SelectObject(m_pOldBitmap);
}
