#pragma once
// What a dialog shows its user, checked control by control (pages of a property sheet too):
// each fault is one line naming the control by its id and text.
#include "framework/core/Platform.h"

#include <functional>
#include <string>
#include <vector>

// Visible labels, buttons, check boxes, radio buttons and group captions whose text, in the
// control's own font and as the control lays it out (wrapping or not, beside its check glyph),
// does not fit the control; and mnemonics whose underline falls where nothing is drawn.
std::vector<std::string> ClippedTexts(HWND hDialog);

// Visible children that clip their siblings and lie under a group box above them in the
// z-order, which hides them wherever the box covers them.
std::vector<std::string> HiddenUnderGroupBoxes(HWND hDialog);

// Mnemonics that two visible controls share, or that a control shares with one of the
// characters taken (by the sheet around a page, say); and labels without a mnemonic before a
// field that the keyboard reaches with Tab.
std::vector<std::string> MnemonicFaults(HWND hDialog, const std::string& taken = "");

// Opens every dialog template of the program hidden (pages inside a stand-in for their sheet)
// with a dialog procedure that does nothing, hands each to visit with its resource id, and
// closes it again. With a typeface, the templates' "MS Shell Dlg" is replaced by it. The
// number of templates visited.
int ForEachDialogTemplate(const std::function<void(UINT nID, HWND hDialog)>& visit,
                          const char* typeface = nullptr);
