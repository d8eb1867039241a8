// Every dialog template of the program, opened as the dialog or page it makes: each label,
// button and group caption fits in the dialog's font, no mnemonic underlines a blank, and no
// control lies hidden under a group box.
#include "tests/support/DialogLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

BOOL CALLBACK CollectDialog(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(param)->push_back(UINT(UINT_PTR(name)));
    return TRUE;
}

std::vector<BYTE> Wide(const char* text)
{
    std::vector<BYTE> bytes;
    for (const char* p = text;; ++p) {
        bytes.insert(bytes.end(), {BYTE(*p), 0});
        if (!*p)
            return bytes;
    }
}

// A template's bytes; with a typeface given, the dialog font "MS Shell Dlg" becomes that one
// (a name shorter by a multiple of four bytes keeps the controls after it aligned).
std::vector<BYTE> TemplateBytes(UINT id, const char* typeface)
{
    HRSRC hResource = ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, hResource)));
    std::vector<BYTE> bytes(data, data + ::SizeofResource(nullptr, hResource));
    if (!typeface)
        return bytes;
    const std::vector<BYTE> shell = Wide("MS Shell Dlg"), other = Wide(typeface);
    const auto at = std::search(bytes.begin(), bytes.end(), shell.begin(), shell.end());
    EXPECT_EQ((shell.size() - other.size()) % 4, 0u) << typeface;
    if (at != bytes.end())
        bytes.insert(bytes.erase(at, at + std::ptrdiff_t(shell.size())), other.begin(),
                     other.end());
    return bytes;
}

// Every fault of every dialog template, each line naming its template.
std::vector<std::string> TemplateFaults(const std::vector<UINT>& ids, const char* typeface)
{
    // Pages are child windows: their host stands for the sheet.
    HWND hHost = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                   nullptr, nullptr);
    std::vector<std::string> faults;
    for (UINT id : ids) {
        const std::string name = "dialog " + std::to_string(id) +
                                 (typeface ? std::string(" in ") + typeface : std::string());
        const std::vector<BYTE> bytes = TemplateBytes(id, typeface);
        HWND hDialog = ::CreateDialogIndirectParamA(
            nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), hHost, PlainDialogProc, 0);
        if (!hDialog) {
            faults.push_back(name + " does not open");
            continue;
        }
        for (const auto& found : {ClippedTexts(hDialog), HiddenUnderGroupBoxes(hDialog)})
            for (const std::string& fault : found)
                faults.push_back(name + ", " + fault);
        ::DestroyWindow(hDialog);
    }
    ::DestroyWindow(hHost);
    return faults;
}

// The dialogs' font where Wine's own fonts are installed (and about as a Windows dialog font
// measures), lent to this process: the test prefix has only the system's fonts, in which the
// dialog font falls back to a wider face with larger dialog units.
class WineDialogFont {
public:
    WineDialogFont()
    {
        for (const char* path :
             {"C:\\windows\\Fonts\\tahoma.ttf", "Z:\\usr\\share\\wine\\fonts\\tahoma.ttf"})
            if (::AddFontResourceExA(path, FR_PRIVATE, nullptr) > 0) {
                m_path = path;
                break;
            }
    }
    ~WineDialogFont()
    {
        if (!m_path.empty())
            ::RemoveFontResourceExA(m_path.c_str(), FR_PRIVATE, nullptr);
    }
    WineDialogFont(const WineDialogFont&) = delete;
    WineDialogFont& operator=(const WineDialogFont&) = delete;
    bool Loaded() const { return !m_path.empty(); }

private:
    std::string m_path;
};

TEST(DialogTemplates, TextsFitAndNothingLiesUnderAGroupBox)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    std::vector<UINT> ids;
    ::EnumResourceNamesA(nullptr, MAKEINTRESOURCEA(5) /*RT_DIALOG*/, CollectDialog, LONG_PTR(&ids));
    EXPECT_GE(ids.size(), 30u);
    std::vector<std::string> faults = TemplateFaults(ids, nullptr);
    {
        const WineDialogFont font;
        EXPECT_TRUE(font.Loaded()) << "measured in the prefix's font only";
        const std::vector<std::string> inTahoma = TemplateFaults(ids, "Tahoma");
        faults.insert(faults.end(), inTahoma.begin(), inTahoma.end());
    }
    std::string report;
    for (const std::string& fault : faults)
        report += fault + "\n";
    EXPECT_TRUE(faults.empty()) << report;
}

} // namespace
