#pragma once
#include "framework/win/CGdiObject.h"
#include "grid/CGridCell.h"

// The defaults of one region of a grid (ordinary cells, fixed columns, fixed rows, the
// corner): the size new rows and columns take, the format, colours, font and margin that
// cells left at their defaults use. Its font comes from the system's message-box font; the
// size and margin are measured from it. A default cell always reports itself read-only.
class CGridDefaultCell : public CGridCell {
    DECLARE_DYNCREATE(CGridDefaultCell)
public:
    CGridDefaultCell();

    void SetData(LPARAM) override {}
    void SetState(DWORD) override {}
    DWORD GetState() const override { return CGridCell::GetState() | CellState::kReadOnly; }
    DWORD GetFormat() const override { return m_nFormat; }
    UINT GetMargin() const override { return m_nMargin; }
    const LOGFONTA* GetFont() const override { return m_plfFont.get(); }
    CFont* GetFontObject() const override;
    // Makes the font and measures margin (one blank) and size (14 characters, 1.5 lines) with
    // it; a null font is ignored.
    void SetFont(const LOGFONTA* plf) override;

    virtual DWORD GetStyle() const { return m_dwStyle; }
    virtual void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    virtual int GetWidth() const { return m_Size.cx; }
    virtual int GetHeight() const { return m_Size.cy; }
    virtual void SetWidth(int nWidth) { m_Size.cx = nWidth; }
    virtual void SetHeight(int nHeight) { m_Size.cy = nHeight; }

protected:
    CSize m_Size;
    mutable CFont m_Font;
    DWORD m_dwStyle = 0;
};
