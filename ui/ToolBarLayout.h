#pragma once
#include "framework/core/Geometry.h"

#include <vector>

// Row layout of a flat tool bar whose buttons may differ in width (text buttons of a menu bar
// among them): where the rows break for a given width or length, and how big the bar is.

// The button states and styles the layout reads (the tool-bar control's values).
constexpr unsigned kButtonWrap = 0x20;      // state: the row ends after this button
constexpr unsigned kButtonHidden = 0x08;    // state
constexpr unsigned kButtonSeparator = 0x01; // style; with a command id, a custom control
constexpr unsigned kButtonDropDown = 0x08;  // style

// The common-controls version (major << 16 | minor) from which separators lie flat.
constexpr int kComCtl471 = 0x40047;

struct ToolButton {
    int idCommand = 0;
    unsigned state = 0;
    unsigned style = 0;
    CSize size; // the control's item rectangle
};

struct ToolLayoutOptions {
    int comCtlVersion = kComCtl471;
    bool hideWrappedDropDowns = false;
};

class CToolBarLayout {
public:
    explicit CToolBarLayout(ToolLayoutOptions options = {}) : m_options(options) {}
    virtual ~CToolBarLayout() = default;

    // The room button index takes: its item rectangle, except that a button ending a row
    // gives no width (a separator then lies across, its height depending on the control's
    // version).
    virtual CSize MeasureButton(const std::vector<ToolButton>& buttons, std::size_t index) const;
    // Breaks the rows so that none is wider than width where that can be: at the nearest
    // separator before the overflow, else after the nearest ordinary button; never at a
    // hidden button or a custom control. Answers the number of rows.
    int WrapToWidth(std::vector<ToolButton>& buttons, int width) const;
    // The size of the bar as wrapped; a separator ending a row adds its height once more.
    CSize MeasureWrapped(const std::vector<ToolButton>& buttons) const;
    // Wraps to fit length: a width (the narrowest with as many rows as at that width), or with
    // bVertical a height (the width whose height matches, else the narrowest that fits).
    void FitToLength(std::vector<ToolButton>& buttons, int length, bool bVertical) const;

    // The vertical fit gives up after this many halvings and takes the narrowest fitting
    // width.
    static constexpr int kMaxFitRounds = 32;

private:
    ToolLayoutOptions m_options;
};
