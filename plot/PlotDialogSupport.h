#pragma once
#include "plot/PlotDialogChecks.h"

class CPlotFont;
class CWnd;

// TRUE when the verdict passed; otherwise tells the user its message (exclamation icon, owned
// by the dialog), puts the focus on its field (selecting an edit's text) and returns FALSE.
BOOL ShowFieldVerdict(CWnd* pDialog, const FieldVerdict& verdict);
// An information box owned by the dialog (the application's caption).
void ShowPlotInformation(CWnd* pDialog, LPCTSTR lpszText);
// The font dialog (screen fonts, effects) on a plot font and its colour; TRUE when the user
// chose one, which then is the font's, marked modified and to be redrawn.
BOOL EditPlotFont(CPlotFont& font, CWnd* pParent);
