// Menu templates read into trees, accelerator texts lined up, mnemonics found.
#include "ui/MenuTemplate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Writes a template: Popup opens a level after its item, Cmd adds an item, End closes the
// current level (its last item gets the end flag).
class CTemplateWriter {
public:
    CTemplateWriter() { Words({0, 0}); }
    CTemplateWriter& Popup(const char* text)
    {
        Item(MenuTemplateItem::kPopup, -1, text);
        m_levels.push_back(0);
        return *this;
    }
    CTemplateWriter& Cmd(int id, const char* text) { return Item(0, id, text); }
    CTemplateWriter& End()
    {
        m_bytes[m_levels.back()] |= BYTE(MenuTemplateItem::kEnd);
        m_levels.pop_back();
        return *this;
    }
    std::vector<BYTE> m_bytes;

private:
    CTemplateWriter& Item(UINT flags, int id, const char* text)
    {
        m_levels.back() = m_bytes.size();
        Words({int(flags)});
        if (id >= 0)
            Words({id});
        for (const char* p = text; *p; ++p)
            Words({*p});
        Words({0});
        return *this;
    }
    void Words(std::initializer_list<int> words)
    {
        for (int w : words) {
            m_bytes.push_back(BYTE(w & 0xFF));
            m_bytes.push_back(BYTE((w >> 8) & 0xFF));
        }
    }
    std::vector<std::size_t> m_levels{0}; // where the last item of each open level starts
};

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

// The tree as text: "File(New Open Recent(One Two)) Help(About)".
std::string Shape(const std::vector<MenuTemplateItem>& items)
{
    std::string shape;
    for (const MenuTemplateItem& item : items) {
        if (!shape.empty())
            shape += ' ';
        shape += item.IsSeparator() ? "-" : Narrow(item.text);
        if (item.IsPopup())
            shape += "(" + Shape(item.children) + ")";
    }
    return shape;
}

TEST(MenuTemplate, LevelsCloseAtTheirEndFlagsWhateverTheLastItemIs)
{
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        const char* shape;
    };
    const Case cases[] = {
        {"flat", CTemplateWriter().Cmd(1, "A").Cmd(2, "B").End().m_bytes, "A B"},
        {"a pop-up last at every level",
         CTemplateWriter()
             .Popup("File")
             .Cmd(1, "New")
             .Popup("Recent")
             .Cmd(2, "One")
             .Cmd(3, "Two")
             .End()
             .End()
             .Popup("Help")
             .Cmd(4, "About")
             .End()
             .End()
             .m_bytes,
         "File(New Recent(One Two)) Help(About)"},
        {"a separator", CTemplateWriter().Cmd(1, "A").Cmd(0, "").Cmd(2, "B").End().m_bytes,
         "A - B"},
    };
    for (const Case& c : cases) {
        std::vector<MenuTemplateItem> items;
        ASSERT_TRUE(ParseMenuTemplate(c.bytes.data(), c.bytes.size(), items)) << c.what;
        EXPECT_EQ(Shape(items), c.shape) << c.what;
    }
}

TEST(MenuTemplate, DamagedTemplatesAreRefused)
{
    const std::vector<BYTE> good =
        CTemplateWriter().Popup("File").Cmd(1, "New").End().End().m_bytes;
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
    };
    std::vector<BYTE> unterminated = good;
    unterminated.resize(good.size() - 2); // the last text loses its end
    std::vector<BYTE> otherVersion = good;
    otherVersion[0] = 1;
    const Case cases[] = {
        {"cut short", std::vector<BYTE>(good.begin(), good.begin() + 9)},
        {"a text without its end", unterminated},
        {"a level never closed", CTemplateWriter().Popup("File").Cmd(1, "New").End().m_bytes},
        {"another version", otherVersion},
        {"no header", {0}},
    };
    for (const Case& c : cases) {
        std::vector<MenuTemplateItem> items(1);
        EXPECT_FALSE(ParseMenuTemplate(c.bytes.data(), c.bytes.size(), items)) << c.what;
        EXPECT_EQ(items.size(), 1u) << c.what;
    }
}

TEST(MenuTemplate, AcceleratorsLineUpAfterTheWidestLabel)
{
    std::vector<std::u16string> texts = {u"&New\tCtrl+N", u"Save &As...", u"&Open\tCtrl+O"};
    // Every character 1 wide, as a fixed-pitch font.
    AlignAcceleratorTexts(texts, [](const std::u16string& s) { return int(s.size()); });
    EXPECT_EQ(texts[0], u"&New        \tCtrl+N"); // as wide as "Save &As..." and a space
    EXPECT_EQ(texts[1], u"Save &As...");
    EXPECT_EQ(texts[2], u"&Open       \tCtrl+O");
    // A font whose space measures nothing does not hang the alignment.
    std::vector<std::u16string> zero = {u"A\tX", u"Longer"};
    AlignAcceleratorTexts(zero, [](const std::u16string& s) {
        return int(s.size() - std::count(s.begin(), s.end(), u' '));
    });
    EXPECT_EQ(zero[0], u"A \tX");
}

TEST(MenuTemplate, MnemonicsAnswerEitherCase)
{
    const std::vector<std::u16string> texts = {u"&&Print", u"&Open", u"Save &As", u"&ord"};
    struct Case {
        char ch;
        int index;
    };
    for (const Case& c : {Case{'o', 1}, Case{'O', 1}, Case{'a', 2}, Case{'p', -1}, Case{'x', -1}})
        EXPECT_EQ(FindMnemonic(texts, c.ch), c.index) << c.ch;
}

TEST(MenuTemplate, AMenuShowsItsTextWithoutAmpersandsAndUnderlinesTheMnemonic)
{
    struct Case {
        const char16_t* text;
        const char16_t* shown;
        int index;
    };
    for (const Case& c :
         {Case{u"Toggle Vie&ws", u"Toggle Views", 10}, Case{u"&Open", u"Open", 0},
          Case{u"&&Print &Preview", u"&Print Preview", 7}, Case{u"&a &b", u"a b", 0},
          Case{u"No mnemonic", u"No mnemonic", -1}, Case{u"Fish && Chips", u"Fish & Chips", -1},
          Case{u"End&", u"End", -1}, Case{u"", u"", -1}}) {
        const std::u16string text = c.text;
        const std::string what(text.begin(), text.end()); // the cases are ASCII
        std::u16string shown;
        EXPECT_EQ(StripMnemonic(text, shown), c.index) << what;
        EXPECT_EQ(shown, c.shown) << what;
    }
}

TEST(MenuTemplate, NamesGetMnemonicsOfTheirOwn)
{
    using Texts = std::vector<std::string>;
    struct Case {
        Texts labels;
        Texts texts;
    };
    const Case cases[] = {
        {{"Exponential Growth", "Exponential Decay", "Power"},
         {"&Exponential Growth", "Exponential &Decay", "&Power"}},
        {{"Model 1", "Model 2", "Model 3"}, {"&Model 1", "M&odel 2", "Mo&del 3"}},
        {{"Line & offset", "&"}, {"&Line && offset", "&&"}},
        {{"ab", "ab", "ab"}, {"&ab", "a&b", "ab"}},
        {{"y = x", "x", "B2"}, {"&y = x", "&x", "&B2"}},
        {{"\xDC\x62ung", "\x93\x41\x61"},
         {"\xDC\x62&ung", "\x93\x41&a"}}, // never a double-byte half
        {{}, {}},
    };
    for (const Case& c : cases) {
        std::string what;
        for (const std::string& label : c.labels)
            what += label + "; ";
        EXPECT_EQ(MarkMnemonics(c.labels), c.texts) << what;
    }
}

} // namespace
