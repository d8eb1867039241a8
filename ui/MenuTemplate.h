#pragma once
#include "framework/core/Platform.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// A menu resource read into a tree: the standard template (version 0): each item a 16-bit
// flags word, a 16-bit command id unless it opens a pop-up, then its zero-terminated UTF-16
// text; the last item of each level carries the end flag.
struct MenuTemplateItem {
    UINT flags = 0; // the item's menu flags, the end flag removed
    UINT id = 0;    // 0 for a pop-up
    std::u16string text;
    std::vector<MenuTemplateItem> children; // a pop-up's items

    static constexpr UINT kPopup = 0x10;
    static constexpr UINT kEnd = 0x80;
    static constexpr UINT kSeparator = 0x800;
    bool IsPopup() const { return (flags & kPopup) != 0; }
    // A separator is written with its flag, or as an item with neither id nor text.
    bool IsSeparator() const
    {
        return (flags & kSeparator) || (!IsPopup() && id == 0 && text.empty());
    }
};

// The top-level items of the template in data; false (items untouched) when it is cut short,
// a text has no end, a level is never closed or another version is used.
bool ParseMenuTemplate(const void* data, std::size_t size, std::vector<MenuTemplateItem>& items);

// Pads the labels of texts "label\taccelerator" so that the accelerators line up: each label
// gets spaces until it is as wide as the widest label with one space more. width measures a
// text as drawn. Texts without a tab stay as they are.
void AlignAcceleratorTexts(std::vector<std::u16string>& texts,
                           const std::function<int(const std::u16string&)>& width);

// The text as a menu item shows it, its ampersands taken out ("&&" shows one), and the index
// there of the character its mnemonic underlines (the one FindMnemonic answers to); -1 for none.
int StripMnemonic(const std::u16string& text, std::u16string& shown);

// The first text whose mnemonic ("&" then the letter; "&&" is a plain ampersand) is ch in
// either case; -1 when none.
int FindMnemonic(const std::vector<std::u16string>& texts, char ch);

// Menu texts for labels that carry no mnemonic of their own (names the user gave): ampersands
// doubled, and in each label the first letter or digit that no label before it claims marked,
// a word's first before one inside a word; with all of those claimed, one ending a word; with
// none left, the label shows without a mnemonic.
std::vector<std::string> MarkMnemonics(const std::vector<std::string>& labels);
