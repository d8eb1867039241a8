#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "plot/PlotCanvas.h"

class CArchive;
#ifdef _WIN32
class CPen;
#endif

// Colour, pen-style and pen-width value meaning "automatic": resolved when a graph joins a plot.
constexpr int kAutomatic = -1;
constexpr COLORREF kAutomaticColour = COLORREF(-1);

// Something a plot draws: a named object with a pen, a fill colour and a visibility switch,
// which stores itself in the project file. Virtual slots: runtime class, destructor,
// Serialize, Draw.
class CPlotItem : public CObject {
public:
    CPlotItem() = default;
    CPlotItem(const CPlotItem&) = delete;
    CPlotItem& operator=(const CPlotItem&) = delete;

    // Name, pen style, colour, width, spare word A, fill colour, visibility, spare word B.
    // Storing clears the modified flag.
    void Serialize(CArchive& ar) override;
    // FALSE when the item failed to draw; the base draws nothing.
    virtual BOOL Draw(CPlotCanvas& canvas);

    // Name, fill colour, spare word A, colour, style, width and visibility; not the flags.
    void CopyFrom(const CPlotItem& other);
    void SetName(const CString& name);
    CString GetName() const { return m_strName; }
    // Each raises modified and redraw when the value changes.
    void SetColour(COLORREF colour);
    void SetPenStyle(int style);
    void SetPenWidth(int width);
    void SetVisible(BOOL visible);

    // The pen this item draws with: an automatic colour or style takes the given one, a width
    // outside 1..32 is brought into it and an unknown style draws solid.
    PlotPen GetPen(COLORREF autoColour = 0, int autoStyle = PlotPenSolid) const;
#ifdef _WIN32
    // The pen of GetPen() with black and solid for automatic values.
    BOOL CreatePen(CPen& pen) const;
#endif

    CString m_strName;
    int m_nPenStyle = PlotPenSolid;
    COLORREF m_crColour = 0;
    int m_nPenWidth = 1;
    DWORD m_dwSpareA = 0; // stored and copied, no meaning of its own
    COLORREF m_crFillColour = 0xFF0000;
    BOOL m_bVisible = TRUE;
    BOOL m_bModified = FALSE;
    BOOL m_bRedraw = FALSE;
    DWORD m_dwSpareB = 1; // stored; the document clears it on its table-preview graph
};

// A text label and the font the axes draw their texts with.
class CPlotFont : public CPlotItem {
public:
    // 8 points of "Times New Roman" at the screen's resolution, text colour 0xFF0000.
    CPlotFont();

    // The item's record, the text, the rectangle, the two words, the text colour and the
    // 60-byte font description. A loaded face name is cut to its 32 bytes and a height beyond
    // 200 pixels either way gives the default height.
    void Serialize(CArchive& ar) override;
    // The item's fields, the two words, the font, the rectangle, the text and the colour.
    void CopyFrom(const CPlotFont& other);

    // The font description of 8 points of "Times New Roman" on the screen.
    static LOGFONTA DefaultLogFont();

    CString m_strText;
    LOGFONTA m_logFont;
    COLORREF m_crTextColour = 0xFF0000;
    RECT m_rect = {0, 0, 0, 0};
    DWORD m_dwWord1 = 0;
    DWORD m_dwWord2 = 0;
};

// Pixel value of a world-derived coordinate: clamped to +-2^27 so that later sums cannot
// overflow, truncated toward zero, NaN as 0.
int TruncatePixel(double value);
