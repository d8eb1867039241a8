#pragma once
// The "Grid" settings section: whether data tables may be edited and the colours of the data
// view's grid. The data view reads it when it is made; the Grid options page writes it.
#include "framework/core/ProfileTable.h"

struct GridSettings {
    int nEditable = 1;
    int nBackColor = 0xFFFFFF;     // background
    int nEditableColor = 0xF2FFFF; // editable cells
    int nTextColor = 0;            // text
};

constexpr const char* kGridSettingsSection = "Grid";

inline constexpr ProfileKey<GridSettings> kGridSettingsKeys[] = {
    IntProfileKey<&GridSettings::nEditable>("Editable", 1),
    IntProfileKey<&GridSettings::nBackColor>("BackColor", 0xFFFFFF),
    IntProfileKey<&GridSettings::nEditableColor>("EditableColor", 0xF2FFFF),
    IntProfileKey<&GridSettings::nTextColor>("TextColor", 0),
};

inline void ReadGridSettings(CProfileStore& store, GridSettings& settings)
{
    ReadProfileSection(store, kGridSettingsSection, kGridSettingsKeys, settings);
}

inline BOOL WriteGridSettings(CProfileStore& store, const GridSettings& settings)
{
    return WriteProfileSection(store, kGridSettingsSection, kGridSettingsKeys, settings);
}

// A colour the page's buttons show for a stored one: 0xFFFFFFFF is shown as "Automatic".
inline COLORREF GridColourForButton(COLORREF crStored)
{
    return crStored == 0xFFFFFFFF ? COLORREF(0xFF000000) : crStored;
}

// The colour a button's choice stores: "Automatic" (or 0xFFFFFFFF) is the key's default.
inline COLORREF GridColourToStore(COLORREF crChosen, COLORREF crDefault)
{
    return crChosen == 0xFF000000 || crChosen == 0xFFFFFFFF ? crDefault : crChosen;
}
