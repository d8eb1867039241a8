#pragma once
#include "analysis/DataDialogRules.h"

class CDialog;

// TRUE for an accepted field; otherwise the message (exclamation icon) and the refused field
// focused with its text selected, and FALSE: the dialog stays open.
BOOL AcceptOrWarn(CDialog& dialog, const DialogVerdict& verdict);
