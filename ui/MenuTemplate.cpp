#include "ui/MenuTemplate.h"

#include "framework/core/AsciiText.h"

#include <algorithm>

namespace {

class CTemplateReader {
public:
    CTemplateReader(const BYTE* data, std::size_t size) : m_data(data), m_size(size) {}

    bool Word(UINT& value)
    {
        if (m_pos + 2 > m_size)
            return false;
        value = UINT(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return true;
    }
    bool Text(std::u16string& text)
    {
        for (UINT ch = 0; Word(ch);) {
            if (ch == 0)
                return true;
            text.push_back(char16_t(ch));
        }
        return false;
    }
    bool Skip(std::size_t bytes)
    {
        if (m_pos + bytes > m_size)
            return false;
        m_pos += bytes;
        return true;
    }
    // One level: items up to the one with the end flag.
    bool Level(std::vector<MenuTemplateItem>& items, int depth)
    {
        if (depth > 32) // deeper than any menu anybody could use: a damaged template
            return false;
        for (;;) {
            MenuTemplateItem item;
            if (!Word(item.flags))
                return false;
            const bool bLast = (item.flags & MenuTemplateItem::kEnd) != 0;
            item.flags &= ~MenuTemplateItem::kEnd;
            if (!item.IsPopup() && !Word(item.id))
                return false;
            if (!Text(item.text))
                return false;
            if (item.IsPopup() && !Level(item.children, depth + 1))
                return false;
            items.push_back(std::move(item));
            if (bLast)
                return true;
        }
    }

private:
    const BYTE* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace

bool ParseMenuTemplate(const void* data, std::size_t size, std::vector<MenuTemplateItem>& items)
{
    if (!data)
        return false;
    CTemplateReader reader(static_cast<const BYTE*>(data), size);
    UINT version = 0, offset = 0;
    if (!reader.Word(version) || !reader.Word(offset) || version != 0 || !reader.Skip(offset))
        return false;
    std::vector<MenuTemplateItem> parsed;
    if (!reader.Level(parsed, 0))
        return false;
    items = std::move(parsed);
    return true;
}

void AlignAcceleratorTexts(std::vector<std::u16string>& texts,
                           const std::function<int(const std::u16string&)>& width)
{
    int widest = 0;
    for (const std::u16string& text : texts)
        widest = std::max(widest, width(text.substr(0, text.find(u'\t')) + u' '));
    for (std::u16string& text : texts) {
        const std::size_t tab = text.find(u'\t');
        if (tab == std::u16string::npos)
            continue;
        std::u16string label = text.substr(0, tab);
        // A space that measures nothing would never get there: stop when one adds nothing.
        for (int w = width(label); w < widest;) {
            label += u' ';
            const int wider = width(label);
            if (wider <= w)
                break;
            w = wider;
        }
        text = label + text.substr(tab);
    }
}

int StripMnemonic(const std::u16string& text, std::u16string& shown)
{
    shown.clear();
    int nMnemonic = -1;
    for (std::size_t j = 0; j < text.size(); ++j) {
        if (text[j] != u'&') {
            shown.push_back(text[j]);
            continue;
        }
        if (j + 1 == text.size()) // an ampersand ending the text marks nothing
            break;
        if (text[j + 1] != u'&' && nMnemonic < 0)
            nMnemonic = int(shown.size());
        shown.push_back(text[++j]);
    }
    return nMnemonic;
}

int FindMnemonic(const std::vector<std::u16string>& texts, char ch)
{
    const char16_t key = char16_t(static_cast<unsigned char>(ascii::ToLower(ch)));
    std::u16string shown;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int at = StripMnemonic(texts[i], shown);
        if (at < 0)
            continue;
        const char16_t letter = shown[std::size_t(at)];
        if ((letter < 128 ? char16_t(ascii::ToLower(char(letter))) : letter) == key)
            return int(i);
    }
    return -1;
}

std::vector<std::string> MarkMnemonics(const std::vector<std::string>& labels)
{
    std::string claimed;
    std::vector<std::string> texts;
    for (const std::string& label : labels) {
        // A byte after a non-ASCII one may be the second half of a double-byte character.
        const auto isKey = [&label](std::size_t i) {
            const char c = ascii::ToLower(label[i]);
            return ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) &&
                   (i == 0 || static_cast<unsigned char>(label[i - 1]) < 0x80);
        };
        const auto fits = [&](std::size_t i, int pass) {
            if (!isKey(i) || claimed.find(ascii::ToLower(label[i])) != std::string::npos)
                return false;
            const bool bInside = i + 1 < label.size() && isKey(i + 1);
            const bool bFirst = i == 0 || !isKey(i - 1);
            return pass == 2 || (bInside && (pass == 1 || bFirst));
        };
        std::size_t at = std::string::npos;
        for (int pass = 0; pass < 3 && at == std::string::npos; ++pass)
            for (std::size_t i = 0; i < label.size() && at == std::string::npos; ++i)
                if (fits(i, pass))
                    at = i;
        std::string text;
        for (std::size_t i = 0; i < label.size(); ++i) {
            if (i == at || label[i] == '&')
                text += '&';
            text += label[i];
        }
        if (at != std::string::npos)
            claimed += ascii::ToLower(label[at]);
        texts.push_back(std::move(text));
    }
    return texts;
}
