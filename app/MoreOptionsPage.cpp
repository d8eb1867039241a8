#include "app/MoreOptionsPage.h"

#include "app/DocumentSettings.h"
#include "app/GeneralDialogs.h"
#include "app/MessageBoxes.h"
#include "framework/core/ProfileStore.h"
#include "framework/win/Controls.h"
#include "framework/win/DataExchange.h"
#include "framework/win/MessageCrackers.h"
#include "res/AppIds.h"

IMPLEMENT_DYNCREATE(CMoreOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CMoreOptionsPage, CPropertyPage)
ON_CBN_SELCHANGE(IDC_OPTIONS_CATEGORY, &CMoreOptionsPage::OnCategoryChange)
ON_CONTROL_RANGE(BN_CLICKED, IDC_VIEW_WORKSPACE, IDC_VIEW_GRID, &CMoreOptionsPage::OnViewBox)
END_MESSAGE_MAP()

CMoreOptionsPage::CMoreOptionsPage() : CPropertyPage(IDD_MORE_OPTIONS_PAGE) {}

CMoreOptionsPage::CMoreOptionsPage(DocumentSettings* pSettings, ViewLayouts* pLayouts,
                                   CProfileStore* pStore)
    : CPropertyPage(IDD_MORE_OPTIONS_PAGE), m_pSettings(pSettings), m_pLayouts(pLayouts),
      m_pStore(pStore)
{
}

BOOL CMoreOptionsPage::OnInitDialog()
{
    if (m_pSettings) {
        for (int i = 0; i < 12; ++i) {
            const ConfirmBox& box = kConfirmBoxes[i];
            const int mask =
                box.bOverwrite ? m_pSettings->nConfirmOverwrite : m_pSettings->nConfirmDelete;
            m_bConfirm[i] = (unsigned(mask) & box.bit) ? 1 : 0;
        }
    }
    auto* pCategories = static_cast<CComboBox*>(GetDlgItem(IDC_OPTIONS_CATEGORY));
    for (const ViewCategory& category : kViewCategories)
        pCategories->AddString(category.pszName);
    pCategories->SetCurSel(0);
    CPropertyPage::OnInitDialog();
    ShowCategoryMask();
    return TRUE;
}

void CMoreOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    for (int i = 0; i < 12; ++i)
        DDX_Check(pDX, kConfirmBoxes[i].nControl, m_bConfirm[i]);
}

int CMoreOptionsPage::SelectedCategory() const
{
    const int i = int(GetDlgItem(IDC_OPTIONS_CATEGORY)->SendMessage(CB_GETCURSEL));
    return i >= 0 && i < kViewCategoryCount ? i : 0;
}

void CMoreOptionsPage::ShowCategoryMask()
{
    const DWORD mask =
        m_pLayouts ? (*m_pLayouts)[kViewCategories[SelectedCategory()].nShown][ViewLayout::Mask]
                   : 0;
    for (const ViewBox& box : kViewBoxes)
        CheckDlgButton(box.nControl, (mask & box.bit) ? BST_CHECKED : BST_UNCHECKED);
}

void CMoreOptionsPage::OnCategoryChange() { ShowCategoryMask(); }

void CMoreOptionsPage::OnViewBox(UINT)
{
    unsigned ticked = 0;
    for (const ViewBox& box : kViewBoxes)
        if (IsDlgButtonChecked(box.nControl) == BST_CHECKED)
            ticked |= box.bit;
    const unsigned mask = ViewMaskOfTicks(ticked);
    if (mask == 0) {
        MessageBoxText(this, "One or more views must be specified");
    } else if (m_pLayouts) {
        const ViewCategory& category = kViewCategories[SelectedCategory()];
        for (int i = 0; i < category.nRecords; ++i) {
            DWORD& word = (*m_pLayouts)[category.records[i]][ViewLayout::Mask];
            m_OldMasks.try_emplace(category.records[i], word);
            word = mask;
        }
    }
    // The boxes show what is stored: the last pane comes back, three panes show as four.
    ShowCategoryMask();
}

void CMoreOptionsPage::OnOK()
{
    if (m_pSettings) {
        int deleteMask = 0, overwriteMask = 0;
        for (int i = 0; i < 12; ++i)
            if (m_bConfirm[i])
                (kConfirmBoxes[i].bOverwrite ? overwriteMask : deleteMask) |=
                    int(kConfirmBoxes[i].bit);
        m_pSettings->nConfirmDelete = deleteMask;
        m_pSettings->nConfirmOverwrite = overwriteMask;
        if (m_pStore)
            WriteConfirmAndPlotCopySettings(*m_pStore, *m_pSettings);
    }
    m_OldMasks.clear();
    CPropertyPage::OnOK();
}

void CMoreOptionsPage::OnCancel()
{
    if (m_pLayouts)
        for (const auto& [record, mask] : m_OldMasks)
            (*m_pLayouts)[record][ViewLayout::Mask] = mask;
    m_OldMasks.clear();
    CPropertyPage::OnCancel();
}
