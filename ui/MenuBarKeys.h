#pragma once
#include "framework/core/Platform.h"

// The keyboard rules of a menu bar, apart from any window: Alt or F10 alone enters and leaves
// button mode (one button hot, the arrows move it), Space, Up or Down opens the hot button's
// pop-up, a mnemonic with Alt (or alone in button mode) opens its button's pop-up, any other
// key or a click elsewhere ends button mode.
enum class MenuBarMode { Idle = 0, Buttons = 1, PopupOpen = 2 };

// Virtual keys the rules read (the Windows values).
namespace menukey {
constexpr UINT kBack = 0x08, kReturn = 0x0D, kMenu = 0x12, kEscape = 0x1B, kSpace = 0x20;
constexpr UINT kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kF10 = 0x79;
} // namespace menukey

struct MenuBarInput {
    enum Kind { MouseButton, KeyDown, SysKeyDown, SysKeyUp, Other } kind = Other;
    bool bOnBar = false; // a mouse message for the bar's own window
    UINT key = 0;        // virtual key
    bool bAlt = false;   // Alt held (the key message's context bit)
    bool bShift = false;
    bool bCtrl = false;
    int nMnemonicButton = -1; // the button whose mnemonic the key is, -1 for none
};

struct MenuBarAction {
    bool bConsumed = false;
    int nHot = -2;  // the button to make hot (-1 none), -2 to leave as it is
    int nOpen = -1; // the button whose pop-up to open
    bool bBeep = false;
};

class CMenuBarKeys {
public:
    // What input does, given the bar's count of buttons and its hot button; the mode
    // changes with it.
    MenuBarAction Filter(const MenuBarInput& input, int nButtons, int nHot);

    MenuBarMode GetMode() const { return m_mode; }
    void SetMode(MenuBarMode mode) { m_mode = mode; }

private:
    MenuBarMode m_mode = MenuBarMode::Idle;
    bool m_bAltAlone = false; // Alt went down and nothing else came before it went up
};
