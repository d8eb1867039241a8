#pragma once
#include "framework/win/CDC.h"

// Stands in for a paint DC during one paint: drawing goes into a memory bitmap the size of the
// clip box (prefilled with the DC's background colour) and is copied back at once when the
// object goes, so the window never shows a half-drawn state. For a printing DC, an empty clip
// box or a bitmap that cannot be had, IsMemDC is FALSE and the caller draws on the DC itself.
class COffscreenDC : public CDC {
public:
    explicit COffscreenDC(CDC* pDC);
    ~COffscreenDC() override;

    BOOL IsMemDC() const { return m_bMemDC; }
    // The DC to draw on: this one, or the wrapped one when there is no bitmap.
    CDC* GetDrawDC() { return m_bMemDC ? this : m_pDC; }

private:
    CDC* m_pDC;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CRect m_rect;
    BOOL m_bMemDC = FALSE;
};
