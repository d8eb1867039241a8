#include "ui/MenuBarKeys.h"

namespace {

bool IsLetterOrDigit(UINT key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'); }

} // namespace

MenuBarAction CMenuBarKeys::Filter(const MenuBarInput& input, int nButtons, int nHot)
{
    MenuBarAction action;
    auto leaveButtonMode = [&] {
        if (m_mode != MenuBarMode::Idle) {
            m_mode = MenuBarMode::Idle;
            action.nHot = -1;
        }
    };
    if (input.kind == MenuBarInput::MouseButton) {
        if (!input.bOnBar)
            leaveButtonMode();
        return action;
    }
    if (input.kind != MenuBarInput::KeyDown && input.kind != MenuBarInput::SysKeyDown &&
        input.kind != MenuBarInput::SysKeyUp)
        return action;
    using namespace menukey;
    const bool bAltKey =
        input.key == kMenu || (input.key == kF10 && !input.bShift && !input.bCtrl && !input.bAlt);
    if (bAltKey) {
        // Alt (or F10) on its own toggles button mode when it goes up; Alt with another key
        // (Alt+Backspace, a shortcut) leaves the mode alone.
        if (input.kind != MenuBarInput::SysKeyUp) {
            m_bAltAlone = true;
        } else if (m_bAltAlone) {
            m_bAltAlone = false;
            if (m_mode == MenuBarMode::Idle && nButtons > 0) {
                m_mode = MenuBarMode::Buttons;
                action.nHot = 0;
            } else if (m_mode == MenuBarMode::Buttons) {
                leaveButtonMode();
            }
        }
        action.bConsumed = true;
        return action;
    }
    if (input.kind == MenuBarInput::SysKeyUp)
        return action;
    m_bAltAlone = false;
    if (m_mode == MenuBarMode::Buttons && nButtons > 0) {
        switch (input.key) {
        case kEscape:
            leaveButtonMode();
            action.bConsumed = true;
            return action;
        case kSpace:
        case kUp:
        case kDown:
            action.nOpen = nHot;
            action.bConsumed = true;
            return action;
        case kLeft:
        case kRight:
            action.nHot =
                ((nHot < 0 ? 0 : nHot) + (input.key == kLeft ? nButtons - 1 : 1)) % nButtons;
            action.bConsumed = true;
            return action;
        default:
            break;
        }
    }
    if ((input.bAlt || m_mode == MenuBarMode::Buttons) && IsLetterOrDigit(input.key)) {
        if (input.nMnemonicButton >= 0) {
            action.nOpen = input.nMnemonicButton;
            action.bConsumed = true;
            return action;
        }
        if (m_mode == MenuBarMode::Buttons && !input.bAlt) {
            action.bBeep = true;
            action.bConsumed = true;
            return action;
        }
    }
    leaveButtonMode();
    return action;
}
