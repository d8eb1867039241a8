#include "grid/GridPrintColours.h"

namespace {

// The luminance grey of a colour, as a two-colour printer best shows it.
COLORREF GreyOf(COLORREF colour)
{
    const int r = BYTE(colour), g = BYTE(colour >> 8), b = BYTE(colour >> 16);
    const auto grey = BYTE(r * 30 / 100 + g * 59 / 100 + b * 11 / 100);
    return RGB(grey, grey, grey);
}

} // namespace

PrintedCellColours ChoosePrintedCellColours(const PrintedCellInput& in)
{
    if (!in.bShaded)
        return {CLR_DEFAULT, RGB(0, 0, 0)};
    COLORREF back = CLR_DEFAULT, text = CLR_DEFAULT;
    if (in.bFixed) {
        back = in.cellBack != CLR_DEFAULT ? in.cellBack : in.defaultBack;
        text = back != CLR_DEFAULT ? in.cellText : in.defaultText;
    } else {
        if (in.cellBack != CLR_DEFAULT && in.cellBack != in.defaultBack)
            back = in.cellBack;
        if (back != CLR_DEFAULT || (in.cellText != CLR_DEFAULT && in.cellText != in.defaultText))
            text = in.cellText;
    }
    // Left to the region: the region's colour, else black.
    if (text == CLR_DEFAULT)
        text = in.defaultText != CLR_DEFAULT ? in.defaultText : RGB(0, 0, 0);
    if (in.bTwoColourPrinter && back == CLR_DEFAULT)
        text = GreyOf(text);
    return {back, text};
}
