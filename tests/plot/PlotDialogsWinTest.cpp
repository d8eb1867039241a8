// The plot pages and graph dialogs driven as a user drives them (typing, clicking, choosing
// from lists) through the modal test hook: messages and focus of refused values, what OK
// hands back, and what "Set As Default" leaves in the plots' defaults and the registry.
#include "engine/EngineStartup.h"
#include "framework/win/CPropertySheet.h"
#include "framework/win/CWinApp.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/RegistryProfileStore.h"
#include "plot/Graph2DDialogs.h"
#include "plot/Plot3DPages.h"
#include "plot/PlotDefaults.h"
#include "res/resource.h"
#include "tests/plot/PlotViewTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <cmath>
#include <functional>

extern CWinApp thePlotTestApp;

namespace {

const char kTestCompany[] = "Zivra Plot Dialog Test";

void Type(CWnd* pDialog, int nID, const char* text)
{
    ::SetDlgItemTextA(pDialog->m_hWnd, nID, text);
}

BOOL Visible(CWnd* pDialog, int nID)
{
    return ::IsWindowVisible(::GetDlgItem(pDialog->m_hWnd, nID));
}
BOOL Enabled(CWnd* pDialog, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(pDialog->m_hWnd, nID));
}
// The dialog's control that has the focus (a combo box's for its edit).
int FocusId()
{
    HWND hFocus = ::GetFocus();
    HWND hParent = ::GetParent(hFocus);
    char name[16] = "";
    ::GetClassNameA(hParent, name, sizeof name);
    return ::GetDlgCtrlID(lstrcmpiA(name, "ComboBox") == 0 ? hParent : hFocus);
}

// Picks a row of a drop-down list as a click on it would.
void PickRow(CWnd* pDialog, int nID, int row)
{
    HWND hCombo = ::GetDlgItem(pDialog->m_hWnd, nID);
    ::SendMessageA(hCombo, CB_SETCURSEL, WPARAM(row), 0);
    pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), LPARAM(hCombo));
}

// The registry's settings under a test company key, removed again at the end.
class RegistryDoc : public CPlotTestDoc {
public:
    RegistryDoc() { thePlotTestApp.SetRegistryKey(kTestCompany); }
    ~RegistryDoc() override
    {
        HKEY hSoftware = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &hSoftware) ==
            ERROR_SUCCESS) {
            ::RegDeleteTreeA(hSoftware, kTestCompany);
            ::RegCloseKey(hSoftware);
        }
    }
    CProfileStore& GetSettingsStore() override { return m_registry; }
    CRegistryProfileStore m_registry{&thePlotTestApp};
};

class PlotDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitCalcEngine(); }
    void AddGraph(const char* expression, int form = 0)
    {
        auto graph = std::make_unique<CFunctionPlot>();
        graph->SetDefinition(expression, CString(), form, -3, 3);
        m_doc.m_function.AddItem(graph.release());
    }
    RegistryDoc m_doc;
    ScriptedModalHook m_hook;
};

TEST_F(PlotDialogs, AddGraphRefusesWhatCannotBeDrawnAndHandsBackTheTrimmedGraph)
{
    CAdd2DGraphDlg dialog(&m_doc, &m_doc.m_defaultGraph);
    dialog.m_dMin = -3;
    dialog.m_dMax = 3;
    dialog.m_style.SetLineStyle(PS_DOT);
    dialog.m_width.SetLineStyle(-1);
    m_hook.steps = {
        [](CWnd* p) {
            EXPECT_EQ(DlgItemText(p, IDC_GRAPH2D_EXPRLABEL), "y = ");
            EXPECT_FALSE(Visible(p, IDC_GRAPH2D_XT));
            ClickButton(p, IDOK);
            EXPECT_EQ(FocusId(), IDC_GRAPH2D_EXPR);
        },
        [](CWnd* p) {
            Type(p, IDC_GRAPH2D_EXPR, "sin(");
            ClickButton(p, IDOK);
            EXPECT_EQ(FocusId(), IDC_GRAPH2D_EXPR);
        },
        [](CWnd* p) {
            Type(p, IDC_GRAPH2D_EXPR, "  sin(x) ");
            Type(p, IDC_GRAPH2D_MIN, "5");
            Type(p, IDC_GRAPH2D_MAX, "5");
            ClickButton(p, IDOK);
            EXPECT_EQ(FocusId(), IDC_GRAPH2D_MIN);
        },
        [](CWnd* p) {
            ClickButton(p, IDC_GRAPH2D_POLAR);
            EXPECT_EQ(DlgItemText(p, IDC_GRAPH2D_EXPRLABEL), "r(t) = ");
            EXPECT_EQ(DlgItemText(p, IDC_GRAPH2D_EXPR), "  sin(x) ") << "the text is kept";
            ClickButton(p, IDC_GRAPH2D_PARAMETRIC);
            EXPECT_FALSE(Visible(p, IDC_GRAPH2D_EXPR));
            EXPECT_TRUE(Visible(p, IDC_GRAPH2D_XT) && Visible(p, IDC_GRAPH2D_YTLABEL));
            ClickButton(p, IDC_GRAPH2D_RECTANGULAR);
            ::CheckRadioButton(p->m_hWnd, IDC_GRAPH2D_RECTANGULAR, IDC_GRAPH2D_PARAMETRIC,
                               IDC_GRAPH2D_RECTANGULAR);
            PickRow(p, IDC_GRAPH2D_WIDTH, 2);
            Type(p, IDC_GRAPH2D_MAX, "6");
            ClickButton(p, IDC_PLOT_HELP);
            ClickButton(p, IDOK);
        },
    };
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(m_hook.messages.size(), 3u);
    EXPECT_STREQ(m_hook.messages[0], "Please enter an expression of x");
    EXPECT_FALSE(m_hook.messages[1].IsEmpty()) << "the engine's text";
    EXPECT_STREQ(m_hook.messages[2], "The domain you've entered is invalid");
    EXPECT_EQ(m_hook.types[2], UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_STREQ(dialog.m_strExpression, "sin(x)");
    EXPECT_EQ(dialog.m_nForm, 0);
    EXPECT_EQ(dialog.m_dMax, 6);
    EXPECT_EQ(dialog.m_style.GetLineStyle(), PS_DOT);
    EXPECT_EQ(dialog.m_width.GetLineStyle(), 3);
    EXPECT_EQ(dialog.m_crColour, 0xFF0000u);
    EXPECT_EQ(m_doc.m_log.back(), "help Add2DGraph.htm");
}

TEST_F(PlotDialogs, LineStyleListsShowTheValueAndAutomatic)
{
    struct Case {
        int mode, value, row, back;
    } cases[] = {
        {0, -1, 5, -1},       {0, PS_DASHDOT, 3, PS_DASHDOT},
        {0, 42, 0, PS_SOLID}, {1, 5, 4, 5},
        {1, -1, 5, -1},       {1, 9, 0, 1},
    };
    for (const Case& c : cases) {
        CAdd2DGraphDlg dialog(&m_doc);
        CLineStyleCombo& combo = c.mode == 0 ? dialog.m_style : dialog.m_width;
        combo.SetLineStyle(c.value);
        int row = -99;
        m_hook.next = 0;
        m_hook.steps = {[&](CWnd* p) {
            const int nID = c.mode == 0 ? IDC_GRAPH2D_STYLE : IDC_GRAPH2D_WIDTH;
            row = int(::SendDlgItemMessageA(p->m_hWnd, nID, CB_GETCURSEL, 0, 0));
            EXPECT_EQ(::SendDlgItemMessageA(p->m_hWnd, nID, CB_GETCOUNT, 0, 0), 6);
            PickRow(p, nID, row); // a pick of the shown row gives the row's value back
            ClickButton(p, IDCANCEL);
        }};
        dialog.DoModal();
        EXPECT_EQ(row, c.row) << "mode " << c.mode << " value " << c.value;
        EXPECT_EQ(combo.GetLineStyle(), c.back) << "mode " << c.mode << " value " << c.value;
    }
}

TEST_F(PlotDialogs, AGraphThatIsNotEditableKeepsAllButItsLook)
{
    CAdd2DGraphDlg dialog(&m_doc, &m_doc.m_defaultGraph);
    dialog.m_bProperties = TRUE;
    dialog.m_bEditable = FALSE;
    dialog.m_nForm = 2;
    m_hook.steps = {[](CWnd* p) {
        CString caption;
        p->GetWindowText(caption);
        EXPECT_STREQ(caption, "Graph Properties");
        for (int nID : {IDC_GRAPH2D_XT, IDC_GRAPH2D_YT, IDC_GRAPH2D_MIN, IDC_GRAPH2D_ANALYZE,
                        IDC_GRAPH2D_POLAR})
            EXPECT_FALSE(Enabled(p, nID)) << nID;
        EXPECT_TRUE(Visible(p, IDC_GRAPH2D_XT)) << "parametric shows x(t)";
        EXPECT_TRUE(Enabled(p, IDC_GRAPH2D_COLOR) && Enabled(p, IDC_GRAPH2D_STYLE));
        ClickButton(p, IDCANCEL);
    }};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(PlotDialogs, SetAsDefaultWritesTheGraphSectionOrNothing)
{
    struct Case {
        BOOL bDataGraph;
        const char* min;
        const char* section;
    } cases[] = {{FALSE, "5", nullptr},
                 {FALSE, "-2", kGraph2DDefSection},
                 {TRUE, "1", kDataGraphDefSection}};
    for (const Case& c : cases) {
        CFunctionPlot& target = m_doc.GetDefaultGraph(c.bDataGraph);
        CAdd2DGraphDlg dialog(&m_doc, &target);
        dialog.m_strExpression = "x^2";
        dialog.m_nForm = 1;
        dialog.m_dMax = 5;
        dialog.m_style.SetLineStyle(PS_DASH);
        dialog.m_width.SetLineStyle(2);
        m_hook.next = 0;
        m_hook.messages.clear();
        m_hook.steps = {[&](CWnd* p) {
            Type(p, IDC_GRAPH2D_MIN, c.min);
            ClickButton(p, IDC_PLOT_SET_AS_DEFAULT);
            ClickButton(p, IDCANCEL);
        }};
        dialog.DoModal();
        CProfileStore& store = m_doc.GetSettingsStore();
        const char* probe = c.section ? c.section : kGraph2DDefSection;
        const std::string row = std::string("min ") + c.min;
        EXPECT_EQ(m_hook.messages.size(), c.section ? 0u : 1u) << row;
        EXPECT_EQ(store.GetDouble(probe, "Max", -99), c.section ? 5 : -99) << row;
        if (!c.section)
            continue;
        EXPECT_EQ(store.GetDouble(c.section, "Min", -99), atof(c.min)) << row;
        EXPECT_EQ(store.GetInt(c.section, "Type", -99), 1) << row;
        EXPECT_EQ(store.GetInt(c.section, "Style", -99), PS_DASH) << row;
        EXPECT_EQ(store.GetInt(c.section, "Width", -99), 2) << row;
        EXPECT_EQ(store.GetInt(c.section, "Color", -99), 0xFF0000) << row;
        EXPECT_TRUE(target.GetExpression().IsEmpty()) << row;
        EXPECT_EQ(target.m_dDomainMax, 5) << row;
    }
}

TEST_F(PlotDialogs, ValueTableNameFollowsTheExpression)
{
    AddGraph("sin(x)");
    AddGraph("1+cos(t)", 1);
    AddGraph("x^2");
    CFunctionAnalysisDlg dialog(&m_doc, AnalysisValueTable);
    dialog.m_strExpression = "sin(x)";
    dialog.m_dMin = -4;
    dialog.m_dMax = 4;
    dialog.m_dSteps = 1;
    m_hook.steps = {
        [](CWnd* p) {
            CString caption;
            p->GetWindowText(caption);
            EXPECT_STREQ(caption, "Generate value table");
            EXPECT_EQ(DlgItemText(p, IDC_ANALYSIS_TABLENAME), "Value table of y = sin(x)");
            EXPECT_EQ(::SendDlgItemMessageA(p->m_hWnd, IDC_ANALYSIS_EXPR, CB_GETCOUNT, 0, 0), 2)
                << "the y = f(x) graphs only";
            EXPECT_FALSE(Visible(p, IDC_ANALYSIS_ACCURACY) || Visible(p, IDC_ANALYSIS_OPTIONS));
            EXPECT_TRUE(Visible(p, IDC_ANALYSIS_TABLENAME));
            PickRow(p, IDC_ANALYSIS_EXPR, 1);
            EXPECT_EQ(DlgItemText(p, IDC_ANALYSIS_TABLENAME), "Value table of y = x^2");
            HWND hCombo = ::GetDlgItem(p->m_hWnd, IDC_ANALYSIS_EXPR);
            ::SetWindowTextA(hCombo, "tan(x)");
            p->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ANALYSIS_EXPR, CBN_EDITCHANGE),
                           LPARAM(hCombo));
            EXPECT_EQ(DlgItemText(p, IDC_ANALYSIS_TABLENAME), "Value table of y = tan(x)");
            ClickButton(p, IDOK);
            EXPECT_EQ(FocusId(), IDC_ANALYSIS_STEPS) << "one row is no table";
        },
        [](CWnd* p) {
            Type(p, IDC_ANALYSIS_STEPS, "20");
            Type(p, IDC_ANALYSIS_TABLENAME, "  ");
            ClickButton(p, IDOK);
            EXPECT_EQ(FocusId(), IDC_ANALYSIS_TABLENAME);
        },
        [](CWnd* p) {
            Type(p, IDC_ANALYSIS_TABLENAME, " Tan ");
            ClickButton(p, IDOK);
        },
    };
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(m_hook.messages.size(), 2u);
    EXPECT_STREQ(m_hook.messages[0], "Invalid parameter");
    EXPECT_STREQ(m_hook.messages[1], "Required field missing");
    EXPECT_STREQ(dialog.m_strExpression, "tan(x)");
    EXPECT_STREQ(dialog.m_strTableName, "Tan");
    EXPECT_EQ(dialog.m_dSteps, 20);
}

TEST_F(PlotDialogs, ZerosNeedAnOrderedIntervalAndTwoCurvesTwoEquations)
{
    AddGraph("sin(x)");
    CFunctionAnalysisDlg zeros(&m_doc, AnalysisZeros);
    zeros.m_strExpression = "sin(x)";
    zeros.m_dMin = 4;
    zeros.m_dMax = -4;
    zeros.m_dSteps = 100;
    m_hook.steps = {
        [](CWnd* p) {
            EXPECT_FALSE(Visible(p, IDC_ANALYSIS_TABLENAME));
            EXPECT_TRUE(Visible(p, IDC_ANALYSIS_ACCURACY));
            ClickButton(p, IDOK);
            EXPECT_EQ(FocusId(), IDC_ANALYSIS_MIN);
            Type(p, IDC_ANALYSIS_MIN, "-4");
            Type(p, IDC_ANALYSIS_MAX, "4");
            ClickButton(p, IDOK);
        },
    };
    ASSERT_EQ(zeros.DoModal(), IDOK);
    EXPECT_EQ(zeros.m_dMin, -4);

    CTwoCurveAnalysisDlg two(&m_doc, AnalysisIntersections);
    two.m_dMax = 1;
    two.m_dSteps = 10;
    m_hook.next = 0;
    m_hook.messages.clear();
    m_hook.steps = {[](CWnd* p) {
        EXPECT_EQ(::SendDlgItemMessageA(p->m_hWnd, IDC_ANALYSIS_EXPR2, CB_GETCOUNT, 0, 0), 2);
        PickRow(p, IDC_ANALYSIS_EXPR, 0);
        ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_EXPR2, "SIN(x)");
        ClickButton(p, IDOK);
        EXPECT_EQ(FocusId(), IDC_ANALYSIS_EXPR);
        ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_EXPR2, "X-Axis");
        ClickButton(p, IDC_PLOT_HELP);
        ClickButton(p, IDOK);
    }};
    ASSERT_EQ(two.DoModal(), IDOK);
    ASSERT_EQ(m_hook.messages.size(), 1u);
    EXPECT_STREQ(m_hook.messages[0], "The two equations must be different");
    EXPECT_STREQ(two.m_strExpression2, "X-Axis");
    EXPECT_EQ(m_doc.m_log.back(), "help Analyze2DGraph.htm");

    CDifferentiateDlg tangent(&m_doc, AnalysisTangent);
    m_hook.next = 0;
    m_hook.steps = {[](CWnd* p) {
        CString caption;
        p->GetWindowText(caption);
        EXPECT_STREQ(caption, "Draw tangent of function");
        ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_EXPR, " x^3 ");
        Type(p, IDC_ANALYSIS_X, "2");
        ClickButton(p, IDOK);
    }};
    ASSERT_EQ(tangent.DoModal(), IDOK);
    EXPECT_STREQ(tangent.m_strExpression, "x^3");
    EXPECT_EQ(tangent.m_dX, 2);
}

// Runs a sheet of pages through the hook: one step per idle round.
void RunSheet(std::initializer_list<CPropertyPage*> pages,
              std::vector<std::function<void(CPropertySheet&)>> steps, ScriptedModalHook& hook)
{
    CPropertySheet sheet("Plot Options");
    for (CPropertyPage* page : pages)
        sheet.AddPage(page);
    hook.next = 0;
    hook.steps.clear();
    for (auto& step : steps)
        hook.steps.push_back([&sheet, step](CWnd*) { step(sheet); });
    sheet.DoModal();
}

TEST_F(PlotDialogs, PlotPageRefusesBadRangesAndAppliesToTheFunctionPlot)
{
    CPlot2D& plot = m_doc.m_function;
    plot.m_dZoomFactor = 1.9;
    plot.m_nSteps = 400;
    plot.m_crBackColor = 0x00FFFF;
    CPlotPage page(&plot, &m_doc);
    RunSheet({&page},
             {[](CPropertySheet& sheet) {
                  CWnd* p = sheet.GetActivePage();
                  EXPECT_EQ(DlgItemText(p, IDC_PLOTPAGE_ZOOM), "1") << "1.9 shows as 1";
                  Type(p, IDC_PLOTPAGE_XMIN, "2");
                  Type(p, IDC_PLOTPAGE_XMAX, "2");
                  sheet.PressButton(PSBTN_OK);
                  EXPECT_EQ(FocusId(), IDC_PLOTPAGE_XMIN);
              },
              [](CPropertySheet& sheet) {
                  CWnd* p = sheet.GetActivePage();
                  Type(p, IDC_PLOTPAGE_XMAX, "6");
                  Type(p, IDC_PLOTPAGE_STEPS, "5");
                  sheet.PressButton(PSBTN_OK);
                  EXPECT_EQ(FocusId(), IDC_PLOTPAGE_STEPS);
              },
              [](CPropertySheet& sheet) {
                  Type(sheet.GetActivePage(), IDC_PLOTPAGE_STEPS, "250");
                  sheet.PressButton(PSBTN_OK);
              }},
             m_hook);
    ASSERT_EQ(m_hook.messages.size(), 2u);
    EXPECT_STREQ(m_hook.messages[0], "The interval you've entered is invalid");
    EXPECT_STREQ(m_hook.messages[1], "Invalid parameter");
    EXPECT_EQ(plot.m_dXMin, 2);
    EXPECT_EQ(plot.m_dXMax, 6);
    EXPECT_EQ(plot.m_nSteps, 250);
    EXPECT_EQ(plot.m_dZoomFactor, 1.0);
    EXPECT_EQ(plot.m_crBackColor, 0x00FFFFu);
    EXPECT_GT(m_doc.m_nModified, 0);
}

TEST_F(PlotDialogs, AxesPageKeepsNoTypeAndAutomaticLines)
{
    CPlot2D& plot = m_doc.m_data;
    plot.m_axes.m_nAxisType = 4;
    plot.m_axes.m_axisLine.m_nPenStyle = PS_DASH;
    CAxisPage page(&plot, &m_doc);
    RunSheet({&page}, {[](CPropertySheet& sheet) {
                 CWnd* p = sheet.GetActivePage();
                 EXPECT_FALSE(p->IsDlgButtonChecked(IDC_AXIS_NORMAL) ||
                              p->IsDlgButtonChecked(IDC_AXIS_FRAME));
                 EXPECT_EQ(::SendDlgItemMessageA(p->m_hWnd, IDC_AXIS_AXISSTYLE, CB_GETCURSEL, 0, 0),
                           1);
                 PickRow(p, IDC_AXIS_AXISSTYLE, 5); // "Automatic"
                 Type(p, IDC_AXIS_YINTERVAL, "0");
                 sheet.PressButton(PSBTN_OK);
                 EXPECT_EQ(FocusId(), IDC_AXIS_YINTERVAL);
                 Type(p, IDC_AXIS_YINTERVAL, "0.5");
                 ClickButton(p, IDC_PLOT_SET_AS_DEFAULT);
                 sheet.PressButton(PSBTN_OK);
             }},
             m_hook);
    ASSERT_EQ(m_hook.messages.size(), 1u);
    EXPECT_STREQ(m_hook.messages[0], "Invalid parameter");
    EXPECT_EQ(plot.m_axes.m_nAxisType, 4) << "neither radio checked: still no axes";
    EXPECT_EQ(plot.m_axes.m_axisLine.m_nPenStyle, -1);
    EXPECT_EQ(plot.m_axes.m_dYTickInterval, 0.5);
    EXPECT_EQ(m_doc.m_preview.m_axes.m_dYTickInterval, 0.5) << "the preview follows the data plot";
    CProfileStore& store = m_doc.GetSettingsStore();
    EXPECT_EQ(store.GetDouble(kPlotDataDefSection, "YTickInterval", -9), 0.5);
    EXPECT_EQ(store.GetInt(kPlotDataDefSection, "AxisLineStyle", -9), -1);
    EXPECT_EQ(store.GetInt(kPlotDataDefSection, "AxisType", -9), 4);
    EXPECT_EQ(store.GetDouble(kPlot2DDefSection, "YTickInterval", -9), -9);
}

// The pixels of a plot drawn at 300 x 200 whose colour is clearly green.
int GreenPixels(CPlot2D& plot)
{
    const CDibImage image = AfxDrawToDib(300, 200, [&](CDC& dc) { plot.Draw(&dc); });
    int n = 0;
    for (DWORD pixel : image.pixels) {
        const int r = int(pixel >> 16 & 0xFF), g = int(pixel >> 8 & 0xFF), b = int(pixel & 0xFF);
        n += g > r + 60 && g > b + 60;
    }
    return n;
}

TEST_F(PlotDialogs, AxesPageFontIsTheOneTheTickLabelsAreDrawnWith)
{
    m_hook.onStart = [this](CWnd* pDialog) {
        auto* pFont = dynamic_cast<CFontDialog*>(pDialog);
        m_hook.startAnswer = pFont ? IDOK : 0;
        if (pFont) {
            pFont->m_lf.lfItalic = TRUE;
            pFont->m_cf.rgbColors = RGB(0, 160, 0);
        }
    };
    for (CPlot2D* plot : {&m_doc.m_function, &m_doc.m_data, &m_doc.m_preview}) {
        plot->SetRanges(-10, 10, -10, 10);
        ASSERT_EQ(GreenPixels(*plot), 0);
    }
    CAxisPage page(&m_doc.m_data, &m_doc);
    RunSheet({&page}, {[](CPropertySheet& sheet) {
                 ClickButton(sheet.GetActivePage(), IDC_AXIS_FONT);
                 sheet.PressButton(PSBTN_CANCEL);
             }},
             m_hook);
    m_hook.onStart = nullptr;
    m_hook.startAnswer = 0;
    // The data plot's labels, and the table preview's that follows it, are drawn in green.
    for (CPlot2D* plot : {&m_doc.m_data, &m_doc.m_preview}) {
        EXPECT_TRUE(plot->m_axes.m_fonts[0].m_logFont.lfItalic);
        EXPECT_GT(GreenPixels(*plot), 20);
    }
    EXPECT_EQ(GreenPixels(m_doc.m_function), 0) << "the function plot keeps its font";
    EXPECT_GT(m_doc.m_nModified, 0);
}

TEST_F(PlotDialogs, ScenePageConvertsDegreesAndRefusesAnEmptyViewport)
{
    CPlot3DScene& scene = m_doc.m_scene;
    scene.m_dDeltaTheta = 0;
    C3DPlotPage page(&m_doc);
    RunSheet({&page}, {[](CPropertySheet& sheet) {
                 CWnd* p = sheet.GetActivePage();
                 Type(p, IDC_PLOT3D_VIEWPORT, "0.5");
                 sheet.PressButton(PSBTN_OK);
                 EXPECT_EQ(FocusId(), IDC_PLOT3D_VIEWPORT);
                 Type(p, IDC_PLOT3D_VIEWPORT, "100");
                 Type(p, IDC_PLOT3D_DTHETA, "15");
                 Type(p, IDC_PLOT3D_VIEWS, "4");
                 ::SendDlgItemMessageA(p->m_hWnd, IDC_PLOT3D_NONE, BM_CLICK, 0, 0);
                 ClickButton(p, IDC_PLOT_SET_AS_DEFAULT);
                 sheet.PressButton(PSBTN_OK);
             }},
             m_hook);
    ASSERT_EQ(m_hook.messages.size(), 1u);
    EXPECT_NEAR(scene.m_dDeltaTheta, M_PI / 12, 1e-15);
    EXPECT_EQ(scene.m_nViewportSize, 100);
    EXPECT_EQ(scene.m_nViews, 4);
    EXPECT_EQ(scene.m_nAxisType, SceneAxesNone);
    CProfileStore& store = m_doc.GetSettingsStore();
    EXPECT_NEAR(store.GetDouble(kPlot3DDefSection, "DeltaTheta", -9), M_PI / 12, 1e-15);
    EXPECT_EQ(store.GetInt(kPlot3DDefSection, "Views", -9), 4);
}

TEST_F(PlotDialogs, SurfaceDialogChecksAndWarnsOnceAboutHighResolutions)
{
    struct Run {
        const char* expression;
        int resolution;
        int messages;
    } runs[] = {{"x+z", 30, 1}, {"x*y", 75, 0}, {"x*y", 76, 1}, {"x*y", 90, 0}};
    for (const Run& r : runs) {
        CAdd3DGraphDlg dialog(&m_doc);
        dialog.m_nResolution = r.resolution;
        m_hook.next = 0;
        m_hook.messages.clear();
        m_hook.steps = {[&](CWnd* p) {
                            Type(p, IDC_GRAPH3D_EXPR, r.expression);
                            ClickButton(p, IDOK);
                        },
                        [](CWnd* p) { ClickButton(p, IDCANCEL); }};
        const INT_PTR result = dialog.DoModal();
        EXPECT_EQ(int(m_hook.messages.size()), r.messages) << r.expression << " " << r.resolution;
        EXPECT_EQ(result, r.messages && r.resolution < 75 ? IDCANCEL : IDOK) << r.expression;
    }
    EXPECT_EQ(m_doc.GetSettingsStore().GetInt(kPlot3DSection, kResConfirmKey, 0), 1);

    CAdd3DGraphDlg dialog(&m_doc);
    m_hook.next = 0;
    m_hook.steps = {[](CWnd* p) {
        Type(p, IDC_GRAPH3D_XMAX, "-3");
        ClickButton(p, IDC_PLOT_SET_AS_DEFAULT);
        EXPECT_EQ(FocusId(), IDC_GRAPH3D_XMIN);
        Type(p, IDC_GRAPH3D_XMAX, "4");
        Type(p, IDC_GRAPH3D_VIEWTHETA, "30");
        ClickButton(p, IDC_PLOT_SET_AS_DEFAULT);
        ClickButton(p, IDCANCEL);
    }};
    dialog.DoModal();
    CSurfacePlot& graph = m_doc.m_default3DGraph;
    EXPECT_EQ(graph.m_dXMax, 4);
    EXPECT_NEAR(graph.m_dViewTheta, M_PI / 6, 1e-15);
    EXPECT_EQ(m_doc.GetSettingsStore().GetDouble(kGraph3DDefSection, "xmax", -9), 4);
    EXPECT_EQ(m_doc.GetSettingsStore().GetInt(kGraph3DDefSection, "LineColor", -9), 0x0000FF);
}

} // namespace
