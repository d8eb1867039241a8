// Settings the user leaves alone stay as stored: on a fresh profile and on a used one (other
// fonts and colours, every value a page shows away from its default), each page of every
// options sheet and each defaults dialog, confirmed untouched, and each restart of the main
// frame leave every value under the program's key as it was.
#include "app/MyDocument.h"
#include "framework/win/CPropertySheet.h"
#include "framework/win/RegistryProfileStore.h"
#include "plot/AnalysisResult.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <vector>

namespace {

// Every value under the tests' settings key: "Key\Section\Entry" to its type and bytes.
using Settings = std::map<std::string, std::pair<DWORD, std::vector<BYTE>>>;

void ReadKey(HKEY hKey, const std::string& path, Settings& settings)
{
    char name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name, type = 0, size = sizeof data;
        if (::RegEnumValueA(hKey, i, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS)
            break;
        settings[path + name] = {type, std::vector<BYTE>(data, data + size)};
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name;
        if (::RegEnumKeyExA(hKey, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY hSub = nullptr;
        if (::RegOpenKeyExA(hKey, name, 0, KEY_READ, &hSub) == ERROR_SUCCESS) {
            ReadKey(hSub, path + name + "\\", settings);
            ::RegCloseKey(hSub);
        }
    }
}

Settings StoredSettings()
{
    Settings settings;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kTestSettingsKey, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        ReadKey(hKey, "", settings);
        ::RegCloseKey(hKey);
    }
    return settings;
}

std::string Shown(const std::pair<DWORD, std::vector<BYTE>>& value)
{
    std::ostringstream out;
    out.precision(17);
    const BYTE* data = value.second.data();
    if (value.first == REG_DWORD)
        out << *reinterpret_cast<const int*>(data);
    else if (value.first == REG_SZ)
        out << '"' << reinterpret_cast<const char*>(data) << '"';
    else if (value.second.size() == 8)
        out << *reinterpret_cast<const double*>(data);
    else
        out << value.second.size() << " bytes";
    return out.str();
}

// One line per value changed or gone, and per value added unless bAddedAllowed. The tool
// bars' layouts are named by the bars built in the process so far, which a restart inside one
// process keeps counting: the tool bar's own tests compare them.
std::string Changes(const Settings& before, const Settings& after, bool bAddedAllowed)
{
    const auto compared = [](const std::string& name) {
        return name.find("\\Settings\\KxToolBar ") == std::string::npos;
    };
    std::string changes;
    for (const auto& [name, value] : before) {
        const auto found = after.find(name);
        if (!compared(name) || (found != after.end() && found->second == value))
            continue;
        changes += name + ": " + Shown(value) +
                   (found == after.end() ? " gone" : " -> " + Shown(found->second)) + "\n";
    }
    for (const auto& [name, value] : after)
        if (!bAddedAllowed && !before.count(name) && compared(name))
            changes += name + ": added " + Shown(value) + "\n";
    return changes;
}

// A used profile: another font and colours in the workspace, the grid and the plots, and
// every value a page shows away from its default (a user's choices, as the pages store them).
constexpr double kDegree = 0.017453292519943295;
// clang-format off
template <class T>
struct Stored {
    const char* section;
    const char* entry;
    T value;
};
const Stored<int> kUsedInts[] = {
    {"Workspace", "DefaultColor", 0x102030}, {"Workspace", "CommentColor", 0x808000},
    {"Workspace", "PFColor", 0x800080}, {"Workspace", "PCColor", 0x008080},
    {"Workspace", "UFColor", 0x404040}, {"Workspace", "UCColor", 0x0000FF},
    {"Workspace", "VarColor", 0x00FF00}, {"Workspace", "BackColor", 0xF0F0E0},
    {"Workspace", "PopupFunction", 1}, {"Workspace", "PopupOptions", 0x15},
    {"Workspace", "FontSize", -20}, {"Grid", "Editable", 0}, {"Grid", "BackColor", 0xE0E0FF},
    {"Grid", "EditableColor", 0xD0FFD0}, {"Grid", "TextColor", 0x200000},
    {"Calculation", "NumberFormat", 3}, {"Calculation", "DecimalPlaces", 7},
    {"Calculation", "AngleMode", 0}, {"Calculation", "NumberBase", 16},
    {"Calculation", "SolverSteps", 300}, {"Calculation", "SolverDecimalPlaces", 4},
    {"SolverModel", "Steps", 250}, {"SolverModel", "DecimalPlaces", 6},
    {"DataAnalysis", "Options", 2000 + 2 + 8}, {"DataAnalysis", "AutoPlot", 0},
    {"DataAnalysis", "Prompt", 1}, {"DataAnalysis", "MaxIters", 250},
    {"DataAnalysis", "LogOutput", 0}, {"Options", "ConfirmDelete", 5},
    {"Options", "ConfirmOverwrite", 58}, {"PlotCopy", "Format", 1}, {"PlotCopy", "Width", 800},
    {"PlotCopy", "Height", 600}, {"Graph2DDef", "Color", 0x00A000}, {"Graph2DDef", "Type", 1},
    {"Graph2DDef", "Style", 1}, {"Graph2DDef", "Width", 2}, {"Graph3DDef", "AutoSize", 0},
    {"Graph3DDef", "LineColor", 0x303030}, {"Graph3DDef", "FillColor", 0x00C0C0},
    {"Graph3DDef", "LightColor", 0xE0E0E0}, {"Graph3DDef", "GridFillStyle", 2},
    {"Graph3DDef", "GridResolution", 40}, {"Plot3DDef", "AxisType", 2}, {"Plot3DDef", "Boxed", 1},
    {"Plot3DDef", "ShowTicks", 0}, {"Plot3DDef", "ShowTickLabels", 0},
    {"Plot3DDef", "ShowAxisLabels", 0}, {"Plot3DDef", "AxisLineStyle", 1},
    {"Plot3DDef", "AxisLineColor", 0x0000C0}, {"Plot3DDef", "AxisLineWidth", 2},
    {"Plot3DDef", "BackColor", 0xFFF0F0}, {"Plot3DDef", "ViewportSize", 70},
    {"Plot3DDef", "AmbientLight", 35}, {"Plot3DDef", "Views", 4},
    {"Converter", "StartupCategory", 2}, {"Converter", "LastCategory", 5},
    {"Converter", "IsBig", 1}, {"Converter", "LogResults", 0},
    {"Converter", "Left", 20}, {"Converter", "Top", 10},
    {"FinanceBox", "Left", 30}, {"FinanceBox", "Top", 20},
};
// The function plot's and the data plot's defaults.
const Stored<int> kUsedPlotInts[] = {
    {"", "BackColor", 0xF0FFF0}, {"", "Steps", 500}, {"", "ZoomFactor", 3}, {"", "AutoTicks", 0},
    {"", "ShowTicks", 0}, {"", "Boxed", 1}, {"", "ShowGrid", 0}, {"", "ShowArrows", 0},
    {"", "ShowLabels", 0}, {"", "AxisLineColor", 0x000080}, {"", "AxisLineWidth", 2},
    {"", "AxisLineStyle", 1}, {"", "GridLineColor", 0xC0C0C0}, {"", "GridLineWidth", 3},
    {"", "GridLineStyle", 1},
};
const Stored<double> kUsedDoubles[] = {
    {"SolverModel", "Min", -5.5}, {"SolverModel", "Max", 12.25}, {"Plot3DDef", "DeltaMu", 500},
    {"Plot3DDef", "DeltaPhi", 5 * kDegree}, {"Plot3DDef", "DeltaTheta", 10 * kDegree},
    {"Graph3DDef", "xmin", -2}, {"Graph3DDef", "xmax", 2.5}, {"Graph3DDef", "ymin", -1.5},
    {"Graph3DDef", "ymax", 1}, {"Graph3DDef", "zmin", -4}, {"Graph3DDef", "zmax", 4},
    {"Graph3DDef", "ViewTheta", 45 * kDegree}, {"Graph3DDef", "ViewPhi", 30 * kDegree},
    {"Graph3DDef", "ViewMu", 800}, {"Graph3DDef", "LightTheta", 20 * kDegree},
    {"Graph3DDef", "LightPhi", 70 * kDegree}, {"Graph3DDef", "LightMu", 1200},
    {"Graph2DDef", "Min", -2.5}, {"Graph2DDef", "Max", 7.75},
};
const Stored<double> kUsedPlotDoubles[] = {
    {"", "xmin", -4.5}, {"", "xmax", 7.25}, {"", "ymin", -3}, {"", "ymax", 3.5},
    {"", "XTickInterval", 0.5}, {"", "YTickInterval", 2},
};

// clang-format on

void StoreUsedProfile()
{
    CRegistryProfileStore store(&TestApp());
    for (const auto& s : kUsedInts)
        store.WriteInt(s.section, s.entry, s.value);
    for (const auto& s : kUsedDoubles)
        store.WriteDouble(s.section, s.entry, s.value);
    for (const char* section : {"Plot2DDef", "PlotDataDef"}) {
        for (const auto& s : kUsedPlotInts)
            store.WriteInt(section, s.entry, s.value);
        for (const auto& s : kUsedPlotDoubles)
            store.WriteDouble(section, s.entry, s.value);
    }
    // Framed axes on the function plot; none (the menu's choice, no radio) on the data plot.
    store.WriteInt("Plot2DDef", "AxisType", 1);
    store.WriteInt("PlotDataDef", "AxisType", 4);
    store.WriteString("Workspace", "FontFaceName", "Courier New");
    store.WriteInt("Converter", "RecentCount", 2);
    store.WriteString("Converter", "Recent0", "foot");
    store.WriteString("Converter", "Recent1", "meter");
}

// The program ends and starts again on the stored settings.
void Restart()
{
    CloseMainFrame();
    ASSERT_NE(MainDocument(), nullptr);
}

using Step = std::function<void(CWnd*)>;

CPropertySheet* Sheet(CWnd* pWnd) { return dynamic_cast<CPropertySheet*>(pWnd); }

// OK or Cancel of a sheet or a dialog.
template <int nSheetButton, int nID> void Press(CWnd* pWnd)
{
    if (CPropertySheet* pSheet = Sheet(pWnd))
        pSheet->PressButton(nSheetButton);
    else
        ClickButton(pWnd, nID);
}
constexpr auto PressOK = Press<PSBTN_OK, IDOK>;
constexpr auto PressCancel = Press<PSBTN_CANCEL, IDCANCEL>;

// "Set As Default" on the sheet's page or the dialog.
void SetAsDefault(CWnd* pWnd)
{
    CPropertySheet* pSheet = Sheet(pWnd);
    ClickButton(pSheet ? pSheet->GetActivePage() : pWnd, IDC_PLOT_SET_AS_DEFAULT);
}

Step ShowPage(int index)
{
    return [index](CWnd* pWnd) { Sheet(pWnd)->SetActivePage(index); };
}

// A page or dialog as the user opens it, and what the user presses there.
struct Confirmation {
    const char* name;
    std::function<void()> open;
    std::vector<Step> presses;
};

std::function<void()> Command(UINT nID)
{
    return [nID] { MainFrame()->SendMessage(WM_COMMAND, nID); };
}

std::function<void()> OptionsAt(int page)
{
    return [page] { MainDocument()->DoOptionsSheet(page); };
}

// A tool window shown and hidden again.
std::function<void()> ShownAndHidden(UINT nID)
{
    return [nID] { Command(nID)(), Command(nID)(); };
}

const std::vector<Confirmation>& Confirmations()
{
    static const std::vector<Confirmation> confirmations{
        {"General page", Command(ID_TOOLS_OPTIONS), {PressOK}},
        {"Workspace page", Command(ID_WORKSPACE_OPTIONS), {PressOK}},
        {"Grid page", OptionsAt(CMyDocument::OptionsGrid), {PressOK}},
        {"Data Analysis page", Command(ID_DATA_ANALYSIS_OPTIONS), {PressOK}},
        {"Options page", OptionsAt(CMyDocument::OptionsMore), {PressOK}},
        {"Solve Options page", OptionsAt(CMyDocument::OptionsSolve), {PressOK}},
        {"every page of the options",
         Command(ID_TOOLS_OPTIONS),
         {ShowPage(1), ShowPage(2), ShowPage(3), ShowPage(4), ShowPage(5), PressOK}},
        {"function plot's pages",
         Command(ID_PLOT2D_OPTIONS),
         {SetAsDefault, ShowPage(1), SetAsDefault, PressOK}},
        {"data plot's pages",
         Command(ID_DATAPLOT_OPTIONS),
         {SetAsDefault, ShowPage(1), SetAsDefault, PressOK}},
        {"3-D plot page", Command(ID_PLOT3D_OPTIONS), {SetAsDefault, PressOK}},
        {"Add 2D Graph", Command(ID_PLOT2D_ADD_GRAPH), {SetAsDefault, PressCancel}},
        {"Add 3D Graph", Command(ID_PLOT3D_ADD_GRAPH), {SetAsDefault, PressCancel}},
        {"results dialog",
         [] {
             CAnalysisResult result;
             result.SetTitle("Statistics");
             result.AddNumber("Mean: ", 2.5);
             MainDocument()->ShowResults(result);
         },
         {PressOK}},
        // The tools keep their settings when they go, at the restart that follows.
        {"unit converter shown and hidden", ShownAndHidden(ID_TOOLS_UNIT_CONVERTER), {}},
        {"finance box shown and hidden", ShownAndHidden(ID_TOOLS_FINANCE_BOX), {}},
        {"plot copy size",
         [] {
             int width = 300, height = 200;
             MainDocument()->AskPlotCopySize(width, height);
         },
         {PressOK}},
    };
    return confirmations;
}

class SettingsRoundTrip : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        CloseMainFrame();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestSettingsKey);
        EnsureTestTemplate();
        if (GetParam())
            StoreUsedProfile();
    }
    void TearDown() override
    {
        CloseMainFrame();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestSettingsKey);
    }
    // Every confirmation, then a restart: nothing stored changes. A fresh profile may gain the
    // values it did not hold yet while bAddedAllowed.
    void ConfirmEverything(bool bAddedAllowed)
    {
        for (const Confirmation& c : Confirmations()) {
            const Settings before = StoredSettings();
            ScriptedModalHook hook;
            hook.steps = c.presses;
            // A page that stays open fails below instead of waiting for a person.
            hook.steps.insert(hook.steps.end(), 3, PressCancel);
            c.open();
            EXPECT_EQ(hook.next, c.presses.size()) << c.name;
            EXPECT_TRUE(hook.messages.empty()) << c.name << ": " << hook.messages[0];
            EXPECT_EQ(Changes(before, StoredSettings(), bAddedAllowed), "") << c.name;
        }
        const Settings before = StoredSettings();
        Restart();
        EXPECT_EQ(Changes(before, StoredSettings(), bAddedAllowed), "") << "restart";
    }
};

TEST_P(SettingsRoundTrip, PagesConfirmedUntouchedAndRestartsChangeNoStoredValue)
{
    // A first run keeps what was stored and adds what it keeps of its own (window places).
    const Settings stored = StoredSettings();
    Restart();
    Restart();
    EXPECT_EQ(Changes(stored, StoredSettings(), true), "") << "first run";
    const bool bFresh = !GetParam();
    ConfirmEverything(bFresh);
    if (bFresh)
        ConfirmEverything(false);
}

INSTANTIATE_TEST_SUITE_P(Profiles, SettingsRoundTrip, ::testing::Values(false, true),
                         [](const auto& profile) { return profile.param ? "Used" : "Fresh"; });

} // namespace
