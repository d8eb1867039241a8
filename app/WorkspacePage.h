#pragma once
#include "app/WorkspaceSettings.h"
#include "framework/core/ProfileStore.h"
#include "framework/win/CPropertySheet.h"
#include "framework/win/RegistryProfileStore.h"
#include "ui/ColourPicker.h"

class CRichWorkspace;

// The "Workspace" page of the options sheet: the workspace's eight colours, its default font
// and which kinds of name raise a tip while typing. OK applies them to the workspace at once
// (colours already in the text stay) and writes the "Workspace" settings section.
class CWorkspacePage : public CPropertyPage {
    DECLARE_DYNCREATE(CWorkspacePage)
public:
    CWorkspacePage();

    BOOL OnInitDialog() override;
    void OnOK() override;

    CRichWorkspace* m_pView = nullptr; // set by the sheet's builder
    CProfileStore* m_pStore = nullptr; // where the page reads and OK writes; the registry when null
    LOGFONTA m_font{};
    // In the order of their controls: variable, user function, user constant, default,
    // comment, built-in function, built-in constant, background.
    CPageColourPicker m_Colours[8];
    // Tips for built-in functions, built-in constants, user functions, user constants and
    // variables.
    int m_bPopup[5] = {};
    // 0 "Always", 1 "Only when more than one argument".
    int m_nFunctionSyntax = -1;
    // What the page opened with: the view's settings, or the stored ones when there is no view.
    WorkspaceSettings m_settings;

protected:
    CProfileStore& Store();
    void DoDataExchange(CDataExchange* pDX) override;
    void OnFont();
    DECLARE_MESSAGE_MAP()

private:
    CRegistryProfileStore m_registry;
};
