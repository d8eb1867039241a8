// The menu bar's keyboard rules, as sequences of keys and what each one does.
#include "ui/MenuBarKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace menukey;

struct Key {
    MenuBarInput::Kind kind;
    UINT key;
    bool bAlt;
    int nMnemonic;
    // What it should do.
    bool bConsumed;
    int nHot, nOpen;
    bool bBeep;
    MenuBarMode mode;
};

constexpr auto D = MenuBarInput::KeyDown, SD = MenuBarInput::SysKeyDown,
               SU = MenuBarInput::SysKeyUp, M = MenuBarInput::MouseButton;
constexpr auto Idle = MenuBarMode::Idle, Buttons = MenuBarMode::Buttons;

void Play(const char* what, std::vector<Key> keys, int nButtons = 5)
{
    CMenuBarKeys rules;
    int hot = -1;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Key& k = keys[i];
        MenuBarInput input;
        input.kind = k.kind;
        input.key = k.key;
        input.bAlt = k.bAlt;
        input.nMnemonicButton = k.nMnemonic;
        const MenuBarAction action = rules.Filter(input, nButtons, hot);
        const std::string where = std::string(what) + ", key " + std::to_string(i);
        EXPECT_EQ(action.bConsumed, k.bConsumed) << where;
        EXPECT_EQ(action.nHot, k.nHot) << where;
        EXPECT_EQ(action.nOpen, k.nOpen) << where;
        EXPECT_EQ(action.bBeep, k.bBeep) << where;
        EXPECT_EQ(rules.GetMode(), k.mode) << where;
        if (action.nHot != -2)
            hot = action.nHot;
    }
}

TEST(MenuBarKeys, AltAloneTogglesButtonModeAndTheArrowsMoveTheHotButton)
{
    Play("Alt, arrows, Alt", {
                                 {SD, kMenu, true, -1, true, -2, -1, false, Idle},
                                 {SU, kMenu, false, -1, true, 0, -1, false, Buttons},
                                 {D, kLeft, false, -1, true, 4, -1, false, Buttons}, // wraps
                                 {D, kRight, false, -1, true, 0, -1, false, Buttons},
                                 {D, kDown, false, -1, true, -2, 0, false, Buttons},
                                 {SD, kMenu, true, -1, true, -2, -1, false, Buttons},
                                 {SU, kMenu, false, -1, true, -1, -1, false, Idle},
                             });
    Play("F10 then Escape", {
                                {SD, kF10, false, -1, true, -2, -1, false, Idle},
                                {SU, kF10, false, -1, true, 0, -1, false, Buttons},
                                {D, kEscape, false, -1, true, -1, -1, false, Idle},
                            });
}

TEST(MenuBarKeys, AltWithAnotherKeyLeavesTheBarAlone)
{
    // Alt+Backspace is Undo: releasing Alt afterwards must not take the keyboard.
    Play("Alt+Backspace", {
                              {SD, kMenu, true, -1, true, -2, -1, false, Idle},
                              {SD, kBack, true, -1, false, -2, -1, false, Idle},
                              {SU, kMenu, false, -1, true, -2, -1, false, Idle},
                              {D, 'F', false, -1, false, -2, -1, false, Idle},
                          });
}

TEST(MenuBarKeys, MnemonicsOpenTheirButtonAndAMissBeepsOnlyInButtonMode)
{
    Play("Alt+F", {{SD, kMenu, true, -1, true, -2, -1, false, Idle},
                   {SD, 'F', true, 0, true, -2, 0, false, Idle}});
    Play("Alt+Z without a button", {{SD, 'Z', true, -1, false, -2, -1, false, Idle}});
    Play("Z in button mode", {{SU, kMenu, false, -1, true, -2, -1, false, Idle},
                              {SD, kMenu, true, -1, true, -2, -1, false, Idle},
                              {SU, kMenu, false, -1, true, 0, -1, false, Buttons},
                              {D, 'Z', false, -1, true, -2, -1, true, Buttons},
                              {D, 'O', false, 3, true, -2, 3, false, Buttons}});
    Play("another key ends button mode", {{SD, kMenu, true, -1, true, -2, -1, false, Idle},
                                          {SU, kMenu, false, -1, true, 0, -1, false, Buttons},
                                          {D, kReturn, false, -1, false, -1, -1, false, Idle}});
    Play("a click elsewhere ends it", {{SD, kMenu, true, -1, true, -2, -1, false, Idle},
                                       {SU, kMenu, false, -1, true, 0, -1, false, Buttons},
                                       {M, 0, false, -1, false, -1, -1, false, Idle}});
}

} // namespace
