#include "framework/core/PathNames.h"

#include <string_view>

namespace {

constexpr std::string_view kLongPathPrefix = "\\\\?\\";
constexpr const char* kUsableNames =
    "uses only characters of the system's language for non-Unicode programs";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string_view WithoutLongPathPrefix(std::string_view path)
{
    return path.substr(0, kLongPathPrefix.size()) == kLongPathPrefix
               ? path.substr(kLongPathPrefix.size())
               : path;
}

// Where the file's own name begins.
std::size_t FileNameStart(std::string_view path)
{
    std::size_t n = path.size();
    while (n > 0 && !IsSeparator(path[n - 1]))
        --n;
    return n;
}

} // namespace

BOOL HasUnusableName(const char* lpszPath)
{
    return lpszPath && WithoutLongPathPrefix(lpszPath).find('?') != std::string_view::npos;
}

CString UnusableNameMessage(const char* lpszPath, BOOL bSaving, const char* lpszShort)
{
    const std::string_view whole = lpszPath ? lpszPath : "";
    const std::string_view path = WithoutLongPathPrefix(whole);
    const std::size_t nName = FileNameStart(path);
    const std::size_t nFirst = path.find('?');
    const bool bFolder = nFirst < nName;
    const bool bFile = path.find('?', nName) != std::string_view::npos;

    CString strText = CString(bSaving ? "Cannot save " : "Cannot open ") + lpszPath + ": ";
    if (bFolder) {
        // The folder named as far as its own name: the user sees which one to rename or leave.
        std::size_t nEnd = nFirst;
        while (nEnd < path.size() && !IsSeparator(path[nEnd]))
            ++nEnd;
        const std::string folder(whole.substr(0, whole.size() - path.size() + nEnd));
        strText += CString("the name of the folder ") + folder.c_str() +
                   (bFile ? " and the file name hold" : " holds");
    } else {
        strText += "the file name holds";
    }
    strText += " characters that this program cannot use (they show as '?'). ";
    if (bSaving && bFolder)
        strText += CString("Save it in a folder whose name ") + kUsableNames +
                   (bFile ? ", under a name that does too." : ".");
    else if (bSaving)
        strText += CString("Save it under a name that ") + kUsableNames + ".";
    else if (bFolder)
        strText += CString("Move the file to a folder whose name ") + kUsableNames +
                   (bFile ? ", under a name that does too," : ",") + " and open it there.";
    else
        strText +=
            CString("Rename the file so that its name ") + kUsableNames + ", and open it again.";
    if (lpszShort && *lpszShort)
        strText += CString(bSaving ? " Or save it" : " Or open it") + " under its short name, " +
                   lpszShort + ".";
    return strText;
}
