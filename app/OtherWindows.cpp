#include "app/OtherWindows.h"

#include "framework/win/FileIdentity.h"

#include <cstring>
#include <vector>

namespace {

const char kProgramWindowProperty[] = "Zivra.ProgramWindow";
// What a WM_COPYDATA to a main frame asks about the path it carries.
constexpr ULONG_PTR kHoldsProject = 0x5A565001;
constexpr ULONG_PTR kShowProject = 0x5A565002;
// A window that does not answer within this time (milliseconds) is taken not to hold it.
constexpr UINT kAnswerTimeout = 3000;

std::vector<HWND> OtherProgramWindows()
{
    struct Search {
        DWORD dwSelf;
        std::vector<HWND> found;
    } search{::GetCurrentProcessId(), {}};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD dwProcess = 0;
            ::GetWindowThreadProcessId(hWnd, &dwProcess);
            if (dwProcess != s->dwSelf && ::GetPropA(hWnd, kProgramWindowProperty))
                s->found.push_back(hWnd);
            return TRUE;
        },
        LPARAM(&search));
    return search.found;
}

} // namespace

void MarkProgramWindow(HWND hWnd) { ::SetPropA(hWnd, kProgramWindowProperty, HANDLE(1)); }

void UnmarkProgramWindow(HWND hWnd) { ::RemovePropA(hWnd, kProgramWindowProperty); }

LRESULT AnswerProjectQuestion(HWND hFrame, const COPYDATASTRUCT* pData, const CString& projectPath)
{
    if (!pData || (pData->dwData != kHoldsProject && pData->dwData != kShowProject) ||
        !pData->lpData || pData->cbData == 0)
        return 0;
    const char* lpszPath = static_cast<const char*>(pData->lpData);
    if (std::memchr(lpszPath, 0, pData->cbData) == nullptr || !IsSameFile(lpszPath, projectPath))
        return 0;
    if (pData->dwData == kShowProject) {
        if (::IsIconic(hFrame))
            ::ShowWindow(hFrame, SW_RESTORE);
        ::SetForegroundWindow(hFrame);
    }
    return 1;
}

BOOL OtherWindowHoldsProject(const char* lpszPath, BOOL bShow)
{
    if (!lpszPath || !*lpszPath)
        return FALSE;
    const CString path = FullPathName(lpszPath);
    // The run the user started may give the foreground to the window it asks to come forward.
    if (bShow)
        ::AllowSetForegroundWindow(ASFW_ANY);
    COPYDATASTRUCT data{bShow ? kShowProject : kHoldsProject, DWORD(path.GetLength() + 1),
                        const_cast<char*>(path.GetString())};
    for (HWND hWnd : OtherProgramWindows()) {
        DWORD_PTR dwAnswer = 0;
        if (::SendMessageTimeoutA(hWnd, WM_COPYDATA, 0, LPARAM(&data), SMTO_ABORTIFHUNG,
                                  kAnswerTimeout, &dwAnswer) &&
            dwAnswer == 1)
            return TRUE;
    }
    return FALSE;
}
