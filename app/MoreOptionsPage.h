#pragma once
#include "app/ViewLayout.h"
#include "framework/win/CPropertySheet.h"

#include <map>

class CProfileStore;
struct DocumentSettings;

// The "Options" page of the options sheet: which kinds of item are confirmed before they are
// deleted or overwritten, and which panes each category of item shows. A pane choice goes into
// the category's layouts at once (Cancel puts the old masks back); OK stores the confirmations
// in the settings and writes them with the plot-copy values.
class CMoreOptionsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CMoreOptionsPage)
public:
    CMoreOptionsPage();
    CMoreOptionsPage(DocumentSettings* pSettings, ViewLayouts* pLayouts, CProfileStore* pStore);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    int m_bConfirm[12] = {}; // in the order of the confirmation boxes

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCategoryChange();
    void OnViewBox(UINT nID);
    // Ticks the pane boxes for the chosen category's mask.
    void ShowCategoryMask();
    int SelectedCategory() const;
    DECLARE_MESSAGE_MAP()

private:
    DocumentSettings* m_pSettings = nullptr;
    ViewLayouts* m_pLayouts = nullptr;
    CProfileStore* m_pStore = nullptr;
    std::map<int, DWORD> m_OldMasks; // by record, as they were before this page changed them
};
