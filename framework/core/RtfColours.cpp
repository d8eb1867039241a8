#include "framework/core/RtfColours.h"

#include <cctype>
#include <cstdlib>

namespace {

// What a group takes over from the group around it.
struct GroupState {
    int nColour = 0;
    bool bSkip = false;
    bool bColourTable = false;
};

// Groups that hold no text of the document.
constexpr const char* kSkippedGroups[] = {"fonttbl", "stylesheet", "info",   "pict",
                                          "object",  "header",     "footer", "listtable"};

class RtfColourReader {
public:
    explicit RtfColourReader(const std::string& rtf) : m_rtf(rtf) { m_lines.emplace_back(); }
    std::vector<RichPrintLine> Read();

private:
    // A control word or symbol at m_at, after its backslash.
    void Control(bool bGroupStart);
    void Word(const std::string& word, bool bHasValue, long nValue, bool bGroupStart);
    void Character(char ch);

    const std::string& m_rtf;
    std::size_t m_at = 0;
    std::vector<RichPrintLine> m_lines;
    std::vector<GroupState> m_stack;
    GroupState m_state;
    std::vector<COLORREF> m_colours; // the colour table, entry 0 first (auto as black)
    COLORREF m_next = 0;             // the colour table's entry being read
};

std::vector<RichPrintLine> RtfColourReader::Read()
{
    bool bGroupStart = false;
    while (m_at < m_rtf.size()) {
        const char ch = m_rtf[m_at++];
        if (ch == '{') {
            m_stack.push_back(m_state);
            bGroupStart = true;
            continue;
        }
        if (ch == '}') {
            if (!m_stack.empty()) {
                m_state = m_stack.back();
                m_stack.pop_back();
            }
        } else if (ch == '\\') {
            Control(bGroupStart);
        } else if (static_cast<unsigned char>(ch) >= 0x20) {
            Character(ch); // line ends and the writer's closing NUL are no text
        }
        bGroupStart = false;
    }
    // The break that ends the last line starts no line of its own.
    if (m_lines.size() > 1 && m_lines.back().text.IsEmpty())
        m_lines.pop_back();
    return std::move(m_lines);
}

void RtfColourReader::Control(bool bGroupStart)
{
    if (m_at >= m_rtf.size())
        return;
    const char ch = m_rtf[m_at];
    if (!std::isalpha(static_cast<unsigned char>(ch))) {
        ++m_at;
        if (ch == '\'' && m_at + 2 <= m_rtf.size()) {
            Character(char(std::strtol(m_rtf.substr(m_at, 2).c_str(), nullptr, 16)));
            m_at += 2;
        } else if (ch == '*') {
            m_state.bSkip = true;
        } else if (ch == '~') {
            Character(' ');
        } else if (ch == '_') {
            Character('-');
        } else if (ch == '\\' || ch == '{' || ch == '}') {
            Character(ch);
        }
        return;
    }
    const std::size_t start = m_at;
    while (m_at < m_rtf.size() && std::isalpha(static_cast<unsigned char>(m_rtf[m_at])))
        ++m_at;
    const std::string word = m_rtf.substr(start, m_at - start);
    const std::size_t digits = m_at;
    if (m_at < m_rtf.size() && m_rtf[m_at] == '-')
        ++m_at;
    while (m_at < m_rtf.size() && std::isdigit(static_cast<unsigned char>(m_rtf[m_at])))
        ++m_at;
    const bool bHasValue = m_at > digits;
    const long nValue = bHasValue ? std::strtol(m_rtf.c_str() + digits, nullptr, 10) : 0;
    if (m_at < m_rtf.size() && m_rtf[m_at] == ' ')
        ++m_at; // the delimiter belongs to the word
    Word(word, bHasValue, nValue, bGroupStart);
}

void RtfColourReader::Word(const std::string& word, bool bHasValue, long nValue, bool bGroupStart)
{
    if (bGroupStart) {
        for (const char* skipped : kSkippedGroups)
            if (word == skipped)
                m_state.bSkip = true;
        if (word == "colortbl")
            m_state.bColourTable = true;
    }
    if (m_state.bColourTable) {
        const int shift = word == "red" ? 0 : word == "green" ? 8 : word == "blue" ? 16 : -1;
        if (shift >= 0)
            m_next |= COLORREF(nValue & 0xFF) << shift;
    } else if (word == "cf") {
        m_state.nColour = bHasValue ? int(nValue) : 0;
    } else if (word == "plain") {
        m_state.nColour = 0;
    } else if (word == "par" || word == "line" || word == "sect" || word == "page") {
        if (!m_state.bSkip)
            m_lines.emplace_back();
    } else if (word == "tab") {
        Character('\t');
    } else if (word == "emdash" || word == "endash") {
        Character('-');
    } else if (word == "bin" && bHasValue && nValue > 0) {
        m_at += std::size_t(nValue);
    }
    // \u: the stand-in in the code page that follows is what the line holds.
}

void RtfColourReader::Character(char ch)
{
    if (m_state.bSkip)
        return;
    if (m_state.bColourTable) {
        if (ch == ';') {
            m_colours.push_back(m_next);
            m_next = 0;
        }
        return;
    }
    const std::size_t index = std::size_t(m_state.nColour);
    const COLORREF cr = index < m_colours.size() ? m_colours[index] : RGB(0, 0, 0);
    RichPrintLine& line = m_lines.back();
    line.text += ch;
    if (!line.runs.empty() && line.runs.back().cr == cr)
        ++line.runs.back().nLength;
    else
        line.runs.push_back({1, cr});
}

} // namespace

std::vector<RichPrintLine> ReadRtfColouredLines(const std::string& rtf)
{
    return RtfColourReader(rtf).Read();
}
