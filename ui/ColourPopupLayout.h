#pragma once
#include "framework/core/Geometry.h"

// The boxes of the colour pop-up: 0..39 a swatch of the colour table, or one of these.
constexpr int kAutomaticBox = -3; // the default ("Automatic") box above the swatches
constexpr int kCustomBox = -2;    // the custom ("More Colours...") box below them
constexpr int kNoBox = -1;

enum class PopupKey { Up, Down, Left, Right };

// Where the boxes of the colour pop-up lie (client coordinates) and how the arrow keys move
// between them. Swatches are 8 to a line; either text box may be missing.
class CColourPopupLayout {
public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 5;

    // margin: the system edge width; textExtent: the larger width and height of the two
    // texts as drawn (ignored when neither box exists).
    void Compute(int margin, bool hasDefault, bool hasCustom, CSize textExtent);

    int GetBoxSize() const { return m_nBoxSize; }
    int GetMargin() const { return m_nMargin; }
    bool HasDefault() const { return m_bHasDefault; }
    bool HasCustom() const { return m_bHasCustom; }
    CSize GetWindowSize() const { return m_sizeWindow; }
    const CRect& GetDefaultRect() const { return m_rectDefault; }
    const CRect& GetCustomRect() const { return m_rectCustom; }

    // The rectangle of a box; empty for kNoBox or a text box that does not exist.
    CRect GetCellRect(int box) const;
    // The box under a client point, kNoBox over the margins or outside.
    int BoxAt(CPoint point) const;
    // The box drawn as chosen for a colour: the automatic colour picks the default box, else
    // the first swatch of that exact colour, else the custom box (kNoBox without one).
    int ChosenBox(COLORREF colour) const;
    // The box an arrow key moves to from box; an index past the last swatch counts as the
    // custom box. The walk wraps through the text boxes at either end of the swatches.
    int NextBox(int box, PopupKey key) const;

private:
    int AfterLastSwatch() const;
    int BeforeFirstSwatch() const;

    int m_nMargin = 0;
    int m_nBoxSize = 18;
    bool m_bHasDefault = false;
    bool m_bHasCustom = false;
    CRect m_rectDefault;
    CRect m_rectCustom;
    CSize m_sizeWindow;
};

// The pop-up's screen rectangle: at origin (the button's bottom-left corner), shifted to stay
// within screen; with no room below it opens above the button instead.
CRect PlaceColourPopup(CPoint origin, CSize size, int buttonHeight, CSize screen);
