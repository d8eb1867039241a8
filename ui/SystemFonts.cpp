#include "ui/SystemFonts.h"

BOOL CreateSystemFont(CFont& font, SystemFont which)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return FALSE;
    const LOGFONTA* pLogFont =
        which == SystemFont::Menu ? &metrics.lfMenuFont : &metrics.lfMessageFont;
    font.DeleteObject();
    return font.CreateFontIndirect(pLogFont);
}
