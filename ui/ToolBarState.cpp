#include "ui/ToolBarState.h"

#include <algorithm>
#include <set>

namespace {

constexpr DWORD kStateVersion = 1;
constexpr DWORD kFlagHidden = 1;

void PutWord(std::vector<BYTE>& out, DWORD value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(BYTE(value >> shift));
}

DWORD GetWord(const BYTE* p)
{
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

} // namespace

std::vector<BYTE> EncodeToolBarState(const std::vector<SavedToolButton>& buttons)
{
    std::vector<BYTE> out;
    out.reserve(8 + 8 * buttons.size());
    PutWord(out, kStateVersion);
    PutWord(out, DWORD(buttons.size()));
    for (const SavedToolButton& button : buttons) {
        PutWord(out, button.idCommand);
        PutWord(out, button.bHidden ? kFlagHidden : 0);
    }
    return out;
}

std::optional<std::vector<SavedToolButton>> DecodeToolBarState(const BYTE* data, std::size_t size,
                                                               const std::vector<UINT>& available)
{
    if (!data || size < 8 || GetWord(data) != kStateVersion)
        return std::nullopt;
    const DWORD count = GetWord(data + 4);
    if (count > (size - 8) / 8 || size != 8 + 8 * std::size_t(count))
        return std::nullopt;
    std::vector<SavedToolButton> buttons;
    std::set<UINT> seen;
    for (DWORD i = 0; i < count; ++i) {
        const BYTE* p = data + 8 + 8 * std::size_t(i);
        const UINT id = GetWord(p);
        const DWORD flags = GetWord(p + 4);
        if (flags & ~kFlagHidden)
            return std::nullopt;
        // Separators may repeat; a command appears once, and only one the bar offers.
        if (id != 0 && (std::find(available.begin(), available.end(), id) == available.end() ||
                        !seen.insert(id).second))
            return std::nullopt;
        buttons.push_back({id, (flags & kFlagHidden) != 0});
    }
    return buttons;
}
