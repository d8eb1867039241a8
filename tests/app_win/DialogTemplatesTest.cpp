// Every dialog template of the program, opened as the dialog or page it makes: each label,
// button and group caption fits in the dialog's font, no mnemonic underlines a blank, and no
// control lies hidden under a group box.
#include "res/resource.h"
#include "tests/support/DialogLayout.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every fault of every dialog template, each line naming its template.
std::vector<std::string> TemplateFaults(const char* typeface, int& count)
{
    std::vector<std::string> faults;
    count = ForEachDialogTemplate(
        [&](UINT nID, HWND hDialog) {
            const std::string name =
                "dialog " + std::to_string(nID) + (typeface ? std::string(" in ") + typeface : "");
            if (!hDialog)
                faults.push_back(name + " does not open");
            for (const auto& found : {ClippedTexts(hDialog), HiddenUnderGroupBoxes(hDialog)})
                for (const std::string& fault : found)
                    faults.push_back(name + ", " + fault);
        },
        typeface);
    return faults;
}

TEST(DialogTemplates, TextsFitAndNothingLiesUnderAGroupBox)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    int count = 0;
    std::vector<std::string> faults = TemplateFaults(nullptr, count);
    EXPECT_GE(count, 30);
    {
        const WineTahoma font;
        EXPECT_TRUE(font.Loaded()) << "measured in the prefix's font only";
        const std::vector<std::string> inTahoma = TemplateFaults("Tahoma", count);
        faults.insert(faults.end(), inTahoma.begin(), inTahoma.end());
    }
    std::string report;
    for (const std::string& fault : faults)
        report += fault + "\n";
    EXPECT_TRUE(faults.empty()) << report;
}

// The keyboard reaches each field of an options page with Alt and a letter of its own; the
// pages of the plot sheets leave the A of the sheet's Apply to it.
TEST(DialogTemplates, EachFieldOfAPageHasAMnemonicOfItsOwn)
{
    std::string report;
    int pages = 0;
    ForEachDialogTemplate([&](UINT nID, HWND hDialog) {
        if (!hDialog || !(::GetWindowLongPtrA(hDialog, GWL_STYLE) & WS_CHILD))
            return;
        ++pages;
        const bool bApply = nID == IDD_PLOT_PAGE || nID == IDD_AXIS_PAGE || nID == IDD_PLOT3D_PAGE;
        for (const std::string& fault : MnemonicFaults(hDialog, bApply ? "a" : ""))
            report += "page " + std::to_string(nID) + ", " + fault + "\n";
    });
    EXPECT_EQ(pages, 9);
    EXPECT_TRUE(report.empty()) << report;
}

} // namespace
