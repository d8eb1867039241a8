// The regression-model dialog as the user drives it: what each selection offers and previews,
// the editing of the user's library in the tree, and how the dialog ends.
#include "analysis/RegressionModelDlg.h"
#include "analysis/NonlinearFit.h"
#include "engine/EngineNames.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "res/resource.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MenuWatcher.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

class RegressionModelDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeGlobalSymbolTables();
        InitCalcEngine();
        UseDotSeparators();
        predefined.LoadDefaults();
        // A model the fit refuses though it reads: only the fit checks pre-defined models.
        predefined.AddModel("Odd", "Bad", "a*x+y", "", "");
        user.AddModel("Mine", "Line", "a+b*x", "A line", "");
        user.AddModel("Mine", "Slope", "b*x", "", "");
    }
    void TearDown() override { FreeGlobalSymbolTables(); }

    // Runs the dialog with one step per idle round of whichever dialog is up; its result.
    INT_PTR Run(std::vector<std::function<void(CWnd*)>> steps)
    {
        hook.steps = std::move(steps);
        CRegressionModelDlg dialog(predefined, user, favorites, fit);
        return dialog.DoModal();
    }
    static CRegressionModelDlg& Dlg(CWnd* pDialog)
    {
        return *dynamic_cast<CRegressionModelDlg*>(pDialog);
    }
    // The tree item at a path of labels from a root ("User-defined", "Mine", "Line").
    static HTREEITEM Find(CRegressionModelDlg& d, std::initializer_list<const char*> path)
    {
        CTreeCtrl& tree = d.GetTree();
        HTREEITEM hItem = nullptr;
        for (const char* label : path) {
            hItem = hItem ? tree.GetChildItem(hItem) : tree.GetRootItem();
            while (hItem && tree.GetItemText(hItem) != label)
                hItem = tree.GetNextSiblingItem(hItem);
            if (!hItem)
                return nullptr;
        }
        return hItem;
    }
    static void Select(CRegressionModelDlg& d, std::initializer_list<const char*> path)
    {
        HTREEITEM hItem = Find(d, path);
        ASSERT_NE(hItem, nullptr);
        d.GetTree().SelectItem(hItem);
    }
    static bool Enabled(CWnd& d, int nID) { return d.GetDlgItem(nID)->IsWindowEnabled() != FALSE; }
    // Types a label into the open editor and ends the edit as Enter would.
    static void EndLabelEdit(CRegressionModelDlg& d, const char* text)
    {
        CEdit* pEdit = d.GetTree().GetEditControl();
        ASSERT_NE(pEdit, nullptr);
        pEdit->SetWindowText(text);
        d.GetTree().SendMessage(TVM_ENDEDITLABELNOW, FALSE);
    }
    std::string LastMessage() const
    {
        return hook.messages.empty() ? "" : hook.messages.back().GetString();
    }

    CModelLibrary predefined, user;
    CModelCategory favorites;
    CNonlinearFit fit;
    ScriptedModalHook hook;
};

TEST_F(RegressionModelDlgTest, EachSelectionOffersItsButtonsAndPreview)
{
    const int editing[] = {IDC_MODEL_ADD, IDC_MODEL_RENAME, IDC_MODEL_REMOVE};
    Run({[&](CWnd* p) {
        CRegressionModelDlg& d = Dlg(p);
        EXPECT_FALSE(Enabled(d, IDC_MODEL_SELECT));
        Select(d, {"Pre-defined"});
        for (int nID : {IDC_MODEL_SELECT, IDC_MODEL_INITIAL_VALUES, IDC_MODEL_ADD, IDC_MODEL_RENAME,
                        IDC_MODEL_REMOVE, IDC_MODEL_EQUATION, IDC_MODEL_DESCRIPTION})
            EXPECT_FALSE(Enabled(d, nID)) << nID;
        EXPECT_TRUE(Enabled(d, IDC_MODEL_NEW_CATEGORY));
        EXPECT_TRUE(Enabled(d, IDC_MODEL_HELP));

        Select(d, {"Pre-defined", "Classic equations", "Exponential curve"});
        EXPECT_EQ(DlgItemText(&d, IDC_MODEL_EQUATION), "a*exp(b*x)");
        EXPECT_EQ(DlgItemText(&d, IDC_MODEL_DESCRIPTION), "Exponential equation");
        EXPECT_TRUE(Enabled(d, IDC_MODEL_SELECT));
        EXPECT_FALSE(Enabled(d, IDC_MODEL_EQUATION));
        for (int nID : editing)
            EXPECT_FALSE(Enabled(d, nID)) << nID;
        EXPECT_EQ(DlgItemText(&d, IDC_MODEL_PREVIEW_LABEL), "Preview:");
        EXPECT_TRUE(d.GetPreview().IsWindowVisible());
        const CFunctionPlot& curve = *d.GetPreviewPlot().GetItem(0);
        EXPECT_STREQ(curve.GetExpression(), "exp(x)");
        EXPECT_EQ(curve.m_dDomainMax, 10);
        // The curve is drawn: the preview holds more than its background.
        const CDibImage image = AfxPrintClientToDib(&d.GetPreview());
        int inked = 0;
        for (DWORD pixel : image.pixels)
            inked += (pixel & 0xFFFFFF) != 0xFFFFFF;
        EXPECT_GT(inked, 20);
        // A failed graph's notice from the preview does not move the default button.
        d.SendMessage(DM_SETDEFID, IDC_MODEL_PREVIEW);
        EXPECT_EQ(LOWORD(d.GetDefID()), IDC_MODEL_SELECT);

        Select(d, {"Pre-defined", "Classic equations", "Two site binding (hyperbola)"});
        EXPECT_EQ(DlgItemText(&d, IDC_MODEL_PREVIEW_LABEL), "Preview not available");
        EXPECT_FALSE(d.GetPreview().IsWindowVisible());

        Select(d, {"User-defined", "Mine", "Line"});
        EXPECT_TRUE(Enabled(d, IDC_MODEL_EQUATION));
        for (int nID : editing)
            EXPECT_TRUE(Enabled(d, nID)) << nID;
        EXPECT_FALSE(d.GetPreview().IsWindowVisible());
        Select(d, {"User-defined", "Mine"});
        EXPECT_FALSE(Enabled(d, IDC_MODEL_SELECT));
        EXPECT_TRUE(Enabled(d, IDC_MODEL_ADD));
        EXPECT_EQ(DlgItemText(&d, IDC_MODEL_EQUATION), "");
        ClickButton(&d, IDCANCEL);
    }});
    EXPECT_TRUE(hook.messages.empty());
}

TEST_F(RegressionModelDlgTest, UserModelsAreCheckedWhenLeftAndEditedInTheTree)
{
    Run({[&](CWnd* p) {
             CRegressionModelDlg& d = Dlg(p);
             Select(d, {"User-defined", "Mine", "Slope"});
             d.SetDlgItemText(IDC_MODEL_EQUATION, " ");
             Select(d, {"User-defined", "Mine", "Line"});
             EXPECT_EQ(LastMessage(), "Please enter an equation.");
             EXPECT_EQ(d.GetTree().GetItemText(d.GetTree().GetSelectedItem()), "Slope");
             d.SetDlgItemText(IDC_MODEL_EQUATION, "a*x+y");
             Select(d, {"User-defined", "Mine", "Line"});
             EXPECT_EQ(LastMessage(), "Reserved name");
             d.SetDlgItemText(IDC_MODEL_EQUATION, " c*x ");
             d.SetDlgItemText(IDC_MODEL_DESCRIPTION, "steeper");
             Select(d, {"User-defined", "Mine", "Line"});
             EXPECT_STREQ(user.GetCategory(0)->GetModel(1).strFormula, "c*x");
             EXPECT_STREQ(user.GetCategory(0)->GetModel(1).strDescription, "steeper");

             // Add beside the selected model: into its category, named, then renamed in place.
             ClickButton(&d, IDC_MODEL_ADD);
             EXPECT_EQ(user.GetCategory(0)->GetModelName(2), "New Equation 1");
             EXPECT_EQ(d.GetTree().GetParentItem(d.GetTree().GetSelectedItem()),
                       Find(d, {"User-defined", "Mine"}));
             EndLabelEdit(d, " Quad ");
             EXPECT_STREQ(user.GetCategory(0)->GetModelName(2), "Quad");
             d.SetDlgItemText(IDC_MODEL_EQUATION, "a*x^2");
             // A name another model has is refused, and the editor opens again.
             ClickButton(&d, IDC_MODEL_RENAME);
             EndLabelEdit(d, "line");
         },
         [&](CWnd* p) {
             CRegressionModelDlg& d = Dlg(p);
             EXPECT_EQ(LastMessage(),
                       "Equation line already exists.  Please provide a different name.");
             EXPECT_NE(hook.messages[hook.messages.size() - 2], hook.messages.back())
                 << "told once";
             EXPECT_NE(d.GetTree().GetEditControl(), nullptr) << "the editor opened again";
             d.GetTree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
             EXPECT_STREQ(user.GetCategory(0)->GetModelName(2), "Quad");

             ClickButton(&d, IDC_MODEL_NEW_CATEGORY);
             EndLabelEdit(d, "");
             ClickButton(&d, IDC_MODEL_NEW_CATEGORY);
             EXPECT_STREQ(user.GetCategory(1)->GetName(), "New Category  1");
             EXPECT_STREQ(user.GetCategory(2)->GetName(), "New Category  2");
             EndLabelEdit(d, "MINE");
         },
         [&](CWnd* p) {
             CRegressionModelDlg& d = Dlg(p);
             EXPECT_EQ(LastMessage(), "Category MINE already exists.  Please provide a different "
                                      "name.");
             d.GetTree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);

             // Removing a model whose equation was just emptied: no check of what is going.
             const std::size_t messages = hook.messages.size();
             Select(d, {"User-defined", "Mine", "Quad"});
             d.SetDlgItemText(IDC_MODEL_EQUATION, "");
             hook.boxAnswer = IDYES;
             ClickButton(&d, IDC_MODEL_REMOVE);
             ASSERT_EQ(hook.messages.size(), messages + 1);
             EXPECT_EQ(LastMessage(), "Delete equation Quad from the list?");
             EXPECT_STREQ(hook.captions.back(), "Delete equation");
             EXPECT_EQ(user.GetCategory(0)->GetModelCount(), 2);
             EXPECT_EQ(Find(d, {"User-defined", "Mine", "Quad"}), nullptr);

             Select(d, {"User-defined", "New Category  2"});
             hook.boxAnswer = IDNO;
             ClickButton(&d, IDC_MODEL_REMOVE);
             EXPECT_EQ(user.GetCategoryCount(), 3);
             hook.boxAnswer = IDYES;
             ClickButton(&d, IDC_MODEL_REMOVE);
             EXPECT_STREQ(hook.captions.back(), "Delete Category");
             EXPECT_EQ(user.GetCategoryCount(), 2);
             ClickButton(&d, IDCANCEL);
         }});
}

TEST_F(RegressionModelDlgTest, SelectModelSetsTheFitAndLeavingChecksTheModel)
{
    const INT_PTR result =
        Run({[&](CWnd* p) {
                 CRegressionModelDlg& d = Dlg(p);
                 Select(d, {"User-defined", "Mine", "Line"});
                 d.SendMessage(WM_COMMAND, ID_MODEL_ADD_TO_FAVORITES);
                 d.SetDlgItemText(IDC_MODEL_EQUATION, "");
                 d.SendMessage(WM_COMMAND, IDCANCEL); // Escape
                 d.SendMessage(WM_CLOSE);
                 EXPECT_EQ(hook.messages.size(), 2u);
                 d.SetDlgItemText(IDC_MODEL_EQUATION, "a+b*x");
                 Select(d, {"Pre-defined", "Odd", "Bad"});
                 ClickButton(&d, IDC_MODEL_SELECT);
                 EXPECT_EQ(LastMessage(), "Reserved name");
                 Select(d, {"Pre-defined", "Classic equations", "Exponential curve"});
                 ClickButton(&d, IDC_MODEL_INITIAL_VALUES);
             },
             [&](CWnd* p) { // the start values' dialog
                 EXPECT_EQ(DlgItemText(p, IDC_INITIAL_LABEL_FIRST), "a");
                 ClickButton(p, IDOK);
             },
             [&](CWnd* p) { ClickButton(p, IDC_MODEL_SELECT); }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(hook.messages.size(), 3u);
    EXPECT_STREQ(fit.GetModel(), "a*exp(b*x)");
    EXPECT_STREQ(fit.GetModelName(), "Exponential curve");
    ASSERT_EQ(favorites.GetModelCount(), 1);
    EXPECT_STREQ(favorites.GetModel(0).strFormula, "a+b*x");
}

TEST_F(RegressionModelDlgTest, TheContextMenuOpensOnUserItemsOnly)
{
    struct Case {
        std::initializer_list<const char*> path; // the item right-clicked; empty: the menu key
        const char* selected;                    // the selection afterwards
        UINT firstCommand;                       // of the menu shown; 0 for none
    };
    const Case cases[] = {
        {{"Pre-defined", "Classic equations", "Exponential curve"}, "Mine", 0},
        {{"User-defined"}, "Mine", 0},
        {{"User-defined", "Mine", "Slope"}, "Slope", ID_MODEL_ADD_EQUATION},
        {{}, "Slope", ID_MODEL_ADD_EQUATION},
    };
    Run({[&](CWnd* p) {
        CRegressionModelDlg& d = Dlg(p);
        CTreeCtrl& tree = d.GetTree();
        Select(d, {"User-defined", "Mine"});
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            CPoint point(-1, -1);
            if (c.path.size()) {
                const HTREEITEM hItem = Find(d, c.path);
                tree.EnsureVisible(hItem);
                CRect rect;
                tree.GetItemRect(hItem, &rect, TRUE);
                point = rect.CenterPoint();
                tree.ClientToScreen(&point);
            }
            MenuWatcher watcher;
            watcher.AttachHook(d.m_hWnd);
            d.SendMessage(WM_CONTEXTMENU, WPARAM(tree.m_hWnd), MAKELPARAM(point.x, point.y));
            watcher.AttachHook(nullptr);
            EXPECT_EQ(watcher.firstCommand, c.firstCommand) << "case " << i;
            EXPECT_EQ(tree.GetItemText(tree.GetSelectedItem()), c.selected) << "case " << i;
        }
        ClickButton(&d, IDCANCEL);
    }});
}

// The model menu chooses by letter: the menu key on a user's model, then F for "Add to
// Favorites".
TEST_F(RegressionModelDlgTest, TheContextMenuChoosesByLetter)
{
    Run({[&](CWnd* p) {
        CRegressionModelDlg& d = Dlg(p);
        Select(d, {"User-defined", "Mine", "Slope"});
        MenuWatcher watcher;
        watcher.key = 'F';
        watcher.AttachHook(d.m_hWnd);
        d.SendMessage(WM_CONTEXTMENU, WPARAM(d.GetTree().m_hWnd), MAKELPARAM(-1, -1));
        watcher.AttachHook(nullptr);
        EXPECT_TRUE(watcher.bPressed);
        EXPECT_FALSE(watcher.bLeftOpen) << "F chose nothing";
        AfxPumpPendingMessages();
        ClickButton(&d, IDCANCEL);
    }});
    ASSERT_EQ(favorites.GetModelCount(), 1);
    EXPECT_STREQ(favorites.GetModel(0).strName, "Slope");
}

} // namespace
