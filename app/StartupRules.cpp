#include "app/StartupRules.h"

#include "framework/core/PathNames.h"
#include "framework/core/ProfileTable.h"

namespace {

const char kOptions[] = "Options";

// clang-format off
constexpr ProfileKey<StartupState> kStartupKeys[] = {
    IntProfileKey<&StartupState::nExitSuccess>("ExitSuccess", 1),
    StringProfileKey<&StartupState::strLastOpenFile>("LastOpenFile", ""),
    IntProfileKey<&StartupState::nAutoOpenLastProject>("AutoOpenLastProject", 1),
};
// clang-format on

// The record as the platform stores it: little-endian 32-bit fields.
constexpr UINT kPlacementBytes = 44;
constexpr UINT kShowMinimized = 2;
constexpr UINT kShowMaximized = 3;
constexpr UINT kShowMinimize = 6;
constexpr UINT kShowMinNoActive = 7;

LONG Field(const std::vector<BYTE>& bytes, int index)
{
    const std::size_t at = std::size_t(index) * 4;
    return LONG(DWORD(bytes[at]) | DWORD(bytes[at + 1]) << 8 | DWORD(bytes[at + 2]) << 16 |
                DWORD(bytes[at + 3]) << 24);
}

} // namespace

CString GetPathDirectory(const CString& path)
{
    const int nSlash = path.ReverseFind('\\');
    return nSlash < 0 ? CString() : path.Left(nSlash);
}

CString AppendPathComponent(const CString& directory, const CString& name)
{
    const bool bSlashAfter = !directory.IsEmpty() && directory[directory.GetLength() - 1] == '\\';
    const bool bSlashBefore = !name.IsEmpty() && name[0] == '\\';
    if (bSlashAfter || bSlashBefore)
        return directory + name;
    return directory + "\\" + name;
}

StartupState ReadStartupState(CProfileStore& store)
{
    StartupState state;
    ReadProfileSection(store, kOptions, kStartupKeys, state);
    return state;
}

void WriteExitSuccess(CProfileStore& store, BOOL bClean)
{
    store.WriteInt(kOptions, "ExitSuccess", bClean ? 1 : 0);
}

StartupProject ChooseStartupProject(BOOL bFileOnCommandLine, const StartupState& state)
{
    if (bFileOnCommandLine)
        return StartupProject::GivenFile;
    if (state.nAutoOpenLastProject != 0 && state.nExitSuccess != 0 &&
        !state.strLastOpenFile.IsEmpty())
        return StartupProject::LastProject;
    return StartupProject::NewProject;
}

BOOL StartEmptyWhenOpenFails(StartupProject project, const CString& strFile)
{
    return project == StartupProject::LastProject ||
           (project == StartupProject::GivenFile && HasUnusableName(strFile));
}

FramePlacement ChooseFramePlacement(const std::vector<BYTE>& stored, CSize screen)
{
    FramePlacement placement;
    if (stored.size() != kPlacementBytes || UINT(Field(stored, 0)) != kPlacementBytes)
        return placement;
    const UINT nShow = UINT(Field(stored, 2));
    if (nShow == kShowMinimized || nShow == kShowMinimize || nShow == kShowMinNoActive)
        return placement;
    const CRect rect(Field(stored, 7), Field(stored, 8), Field(stored, 9), Field(stored, 10));
    if (rect.IsRectEmpty() || rect.left < 0 || rect.top < 0 || rect.right > screen.cx ||
        rect.bottom > screen.cy)
        return placement;
    placement.bUseRect = TRUE;
    placement.rect = rect;
    placement.bMaximize = nShow == kShowMaximized;
    return placement;
}

int ChooseTreeWidth(int nStored, int cxScreen)
{
    return nStored < 0 || nStored > cxScreen / 2 ? kDefaultExplorerWidth : nStored;
}
