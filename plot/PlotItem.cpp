#include "plot/PlotItem.h"

#include "framework/core/CArchive.h"

#include <cmath>
#include <cstring>

void CPlotItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strName << m_nPenStyle << DWORD(m_crColour) << m_nPenWidth << m_dwSpareA
           << DWORD(m_crFillColour) << m_bVisible << m_dwSpareB;
        m_bModified = FALSE;
        return;
    }
    CString name;
    int style = 0, width = 0;
    DWORD colour = 0, spareA = 0, fill = 0, spareB = 0;
    BOOL visible = TRUE;
    ar >> name >> style >> colour >> width >> spareA >> fill >> visible >> spareB;
    m_strName = name;
    m_nPenStyle = style;
    m_crColour = colour;
    m_nPenWidth = width;
    m_dwSpareA = spareA;
    m_crFillColour = fill;
    m_bVisible = visible;
    m_dwSpareB = spareB;
}

BOOL CPlotItem::Draw(CPlotCanvas&) { return TRUE; }

void CPlotItem::CopyFrom(const CPlotItem& other)
{
    m_strName = other.m_strName;
    m_crFillColour = other.m_crFillColour;
    m_dwSpareA = other.m_dwSpareA;
    m_crColour = other.m_crColour;
    m_nPenStyle = other.m_nPenStyle;
    m_nPenWidth = other.m_nPenWidth;
    m_bVisible = other.m_bVisible;
}

template <class T> static void Change(T& field, T value, BOOL& modified, BOOL& redraw)
{
    if (field == value)
        return;
    field = value;
    modified = redraw = TRUE;
}

void CPlotItem::SetName(const CString& name)
{
    m_strName = name;
    m_bModified = m_bRedraw = TRUE;
}

void CPlotItem::SetColour(COLORREF colour) { Change(m_crColour, colour, m_bModified, m_bRedraw); }
void CPlotItem::SetPenStyle(int style) { Change(m_nPenStyle, style, m_bModified, m_bRedraw); }
void CPlotItem::SetPenWidth(int width) { Change(m_nPenWidth, width, m_bModified, m_bRedraw); }
void CPlotItem::SetVisible(BOOL visible)
{
    Change(m_bVisible, visible ? TRUE : FALSE, m_bModified, m_bRedraw);
}

PlotPen CPlotItem::GetPen(COLORREF autoColour, int autoStyle) const
{
    PlotPen pen;
    pen.crColour = m_crColour == kAutomaticColour ? autoColour : m_crColour & 0xFFFFFF;
    pen.nStyle = m_nPenStyle == kAutomatic ? autoStyle : m_nPenStyle;
    if (pen.nStyle < PlotPenSolid || pen.nStyle > PlotPenDashDotDot)
        pen.nStyle = PlotPenSolid;
    pen.nWidth = m_nPenWidth < 1 ? 1 : m_nPenWidth > 32 ? 32 : m_nPenWidth;
    pen.bFlatCaps = pen.nWidth > 1 && pen.nStyle != PlotPenSolid;
    return pen;
}

int TruncatePixel(double value)
{
    constexpr double kLimit = 134217728.0; // 2^27
    if (std::isnan(value))
        return 0;
    if (value > kLimit)
        value = kLimit;
    else if (value < -kLimit)
        value = -kLimit;
    return int(value);
}

// ---- font --------------------------------------------------------------------------------

PlotScreenMetrics& GetPlotScreenMetrics()
{
    static PlotScreenMetrics metrics;
    return metrics;
}

LOGFONTA CPlotFont::DefaultLogFont()
{
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof lf);
    // -MulDiv(8, dpi, 72): rounded to the nearest pixel
    const int dpi = GetPlotScreenMetrics().nDpiY;
    lf.lfHeight = -LONG((8LL * dpi + 36) / 72);
    lf.lfWeight = 400;
    lf.lfCharSet = 1; // DEFAULT_CHARSET
    std::strcpy(lf.lfFaceName, "Times New Roman");
    return lf;
}

CPlotFont::CPlotFont() : m_logFont(DefaultLogFont()) {}

static void StoreLogFont(CArchive& ar, const LOGFONTA& lf)
{
    ar << lf.lfHeight << lf.lfWidth << lf.lfEscapement << lf.lfOrientation << lf.lfWeight;
    const BYTE bytes[8] = {lf.lfItalic,  lf.lfUnderline,     lf.lfStrikeOut,
                           lf.lfCharSet, lf.lfOutPrecision,  lf.lfClipPrecision,
                           lf.lfQuality, lf.lfPitchAndFamily};
    ar.Write(bytes, sizeof bytes);
    ar.Write(lf.lfFaceName, LF_FACESIZE);
}

static void LoadLogFont(CArchive& ar, LOGFONTA& lf)
{
    ar >> lf.lfHeight >> lf.lfWidth >> lf.lfEscapement >> lf.lfOrientation >> lf.lfWeight;
    ar >> lf.lfItalic >> lf.lfUnderline >> lf.lfStrikeOut >> lf.lfCharSet >> lf.lfOutPrecision >>
        lf.lfClipPrecision >> lf.lfQuality >> lf.lfPitchAndFamily;
    if (ar.Read(lf.lfFaceName, LF_FACESIZE) != LF_FACESIZE)
        throw CArchiveException(CArchiveException::endOfFile);
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    if (lf.lfHeight > 200 || lf.lfHeight < -200)
        lf.lfHeight = CPlotFont::DefaultLogFont().lfHeight;
}

void CPlotFont::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CPlotItem::Serialize(ar);
        ar << m_strText << m_rect.left << m_rect.top << m_rect.right << m_rect.bottom << m_dwWord1
           << m_dwWord2 << DWORD(m_crTextColour);
        StoreLogFont(ar, m_logFont);
        return;
    }
    CPlotFont loaded;
    loaded.CPlotItem::Serialize(ar);
    DWORD colour = 0;
    ar >> loaded.m_strText >> loaded.m_rect.left >> loaded.m_rect.top >> loaded.m_rect.right >>
        loaded.m_rect.bottom >> loaded.m_dwWord1 >> loaded.m_dwWord2 >> colour;
    loaded.m_crTextColour = colour;
    LoadLogFont(ar, loaded.m_logFont);
    CopyFrom(loaded);
    m_dwSpareB = loaded.m_dwSpareB;
}

void CPlotFont::CopyFrom(const CPlotFont& other)
{
    CPlotItem::CopyFrom(other);
    m_dwWord1 = other.m_dwWord1;
    m_dwWord2 = other.m_dwWord2;
    m_logFont = other.m_logFont;
    m_rect = other.m_rect;
    m_strText = other.m_strText;
    m_crTextColour = other.m_crTextColour;
}
