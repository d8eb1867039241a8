#include "app/WorkspaceSettings.h"

#include "app/WorkspaceWords.h"
#include "engine/CalcEngine.h"
#include "framework/core/ProfileTable.h"

const char kWorkspaceSection[] = "Workspace";

namespace {

using Key = ProfileKey<WorkspaceSettings>;
using profile_rule::InRange;

double FiveBits(double value, double) { return double(unsigned(value) & 0x1F); }
double OneOrZero(double value, double) { return value != 0 ? 1 : 0; }
double FontHeight(double value, double) { return ClampWorkspaceFontSize(int(value)); }

// clang-format off
constexpr Key kWorkspaceKeys[] = {
    IntProfileKey<&WorkspaceSettings::DefaultColor>("DefaultColor", 0, InRange<0, 0xFFFFFF>),
    IntProfileKey<&WorkspaceSettings::CommentColor>("CommentColor", 0xC800, InRange<0, 0xFFFFFF>),
    IntProfileKey<&WorkspaceSettings::PFColor>("PFColor", 0xC80000, InRange<0, 0xFFFFFF>),
    IntProfileKey<&WorkspaceSettings::PCColor>("PCColor", 0xC8, InRange<0, 0xFFFFFF>),
    IntProfileKey<&WorkspaceSettings::UFColor>("UFColor", 0xC80000, InRange<0, 0xFFFFFF>),
    IntProfileKey<&WorkspaceSettings::UCColor>("UCColor", 0xC8, InRange<0, 0xFFFFFF>),
    IntProfileKey<&WorkspaceSettings::VarColor>("VarColor", 0xC8, InRange<0, 0xFFFFFF>),
    IntProfileKey<&WorkspaceSettings::BackColor>("BackColor", 0xFFFFFF, InRange<0, 0xFFFFFF>),
    IntProfileKey<&WorkspaceSettings::PopupFunction>("PopupFunction", 0, OneOrZero),
    IntProfileKey<&WorkspaceSettings::PopupOptions>("PopupOptions", 0x1F, FiveBits),
    IntProfileKey<&WorkspaceSettings::FontSize>("FontSize", 14, FontHeight),
    StringProfileKey<&WorkspaceSettings::FontFaceName>("FontFaceName", "Arial"),
};
// clang-format on

// A font face holds at most 31 characters and its terminating zero.
constexpr int kMaxFaceName = 31;

} // namespace

int ClampWorkspaceFontSize(int size)
{
    const int magnitude = size < 0 ? -size : size;
    const int clamped = magnitude < 6 ? 6 : magnitude > 96 ? 96 : magnitude;
    return size < 0 ? -clamped : clamped;
}

void ReadWorkspaceSettings(CProfileStore& store, WorkspaceSettings& settings)
{
    ReadProfileSection(store, kWorkspaceSection, kWorkspaceKeys, settings);
    if (settings.FontFaceName.IsEmpty() || settings.FontFaceName.GetLength() > kMaxFaceName)
        settings.FontFaceName = "Arial";
}

BOOL WriteWorkspaceSettings(CProfileStore& store, const WorkspaceSettings& settings)
{
    return WriteProfileSection(store, kWorkspaceSection, kWorkspaceKeys, settings);
}

COLORREF WorkspaceColourOfKind(const WorkspaceSettings& settings, int kind)
{
    switch (kind) {
    case kCommentLineKind:
        return settings.CommentColor;
    case NameBuiltinFunction:
        return settings.PFColor;
    case NamePhysicalConstant:
        return settings.PCColor;
    case NameUserFunction:
        return settings.UFColor;
    case NameUserConstant:
        return settings.UCColor;
    case NameVariable:
    case NameExpressionVariable:
        return settings.VarColor;
    default:
        return settings.DefaultColor;
    }
}
