#include "app/UnitConverterDlg.h"

#include "app/ConverterTables.h"
#include "app/MessageBoxes.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CUnitConverterDlg, CDialog)

BEGIN_MESSAGE_MAP(CUnitConverterDlg, CDialog)
ON_BN_CLICKED(IDC_CONVERTER_CONVERT, &CUnitConverterDlg::OnConvert)
ON_BN_CLICKED(IDC_CONVERTER_HELP, &CUnitConverterDlg::OnHelp)
ON_BN_CLICKED(IDC_CONVERTER_OPTIONS, &CUnitConverterDlg::OnSizeToggle)
ON_CBN_SELCHANGE(IDC_CONVERTER_CATEGORY, &CUnitConverterDlg::OnCategoryChange)
ON_CBN_SELCHANGE(IDC_CONVERTER_FROM_UNIT, &CUnitConverterDlg::OnFromUnitChange)
ON_CBN_SELCHANGE(IDC_CONVERTER_TO_UNIT, &CUnitConverterDlg::OnToUnitChange)
ON_WM_HELPINFO()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CUnitConverterDlg::CUnitConverterDlg()
{
    CRegistryProfileStore store;
    ReadConverterSettings(store, m_Settings);
    m_SettingsAtStart = m_Settings;
}

BOOL CUnitConverterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect window, client, marker;
    GetWindowRect(&window);
    GetClientRect(&client);
    GetDlgItem(IDC_CONVERTER_COLLAPSED)->GetWindowRect(&marker);
    ScreenToClient(&marker);
    m_FullSize = window.Size();
    m_CollapsedSize = CSize(window.Width(), marker.bottom + window.Height() - client.Height());
    ApplySize();
    m_place.Restore(*this, m_Settings.nLeft, m_Settings.nTop);

    for (const char* name : kConverterCategories)
        m_CategoryBox.AddString(name);
    m_CategoryBox.SetCurSel(
        StartupCategoryIndex(m_Settings.nStartupCategory, m_Settings.nLastCategory));
    FillUnitBoxes();
    m_bVisible = m_Settings.nVisible;
    if (m_bVisible)
        ShowTool(TRUE);
    return TRUE;
}

void CUnitConverterDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONVERTER_TO_UNIT, m_ToBox);
    DDX_Control(pDX, IDC_CONVERTER_FROM_UNIT, m_FromBox);
    DDX_Control(pDX, IDC_CONVERTER_CATEGORY, m_CategoryBox);
    DDX_Text(pDX, IDC_CONVERTER_FROM_VALUE, m_dFromValue);
    // The To field only shows results: it is never read.
    if (!pDX->m_bSaveAndValidate) {
        if (m_bToValueShown)
            DDX_Text(pDX, IDC_CONVERTER_TO_VALUE, m_dToValue);
        else
            SetDlgItemText(IDC_CONVERTER_TO_VALUE, "");
    }
    DDX_Radio(pDX, IDC_CONVERTER_STARTUP, m_Settings.nStartupCategory);
    DDX_Check(pDX, IDC_CONVERTER_LOG, m_Settings.nLogResults);
}

void CUnitConverterDlg::ApplySize()
{
    const CSize size = m_Settings.nIsBig ? m_FullSize : m_CollapsedSize;
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetDlgItemText(IDC_CONVERTER_OPTIONS, m_Settings.nIsBig ? "&Options <<<" : "&Options >>>");
}

void CUnitConverterDlg::OnSizeToggle()
{
    m_Settings.nIsBig = !m_Settings.nIsBig;
    ApplySize();
}

void CUnitConverterDlg::FillUnitBoxes()
{
    m_FromBox.ResetContent();
    m_ToBox.ResetContent();
    for (const CString& unit : ConverterUnitList(m_CategoryBox.GetCurSel(), m_Settings.recent)) {
        m_FromBox.AddString(unit);
        m_ToBox.AddString(unit);
    }
    m_FromBox.SetCurSel(0);
    m_ToBox.SetCurSel(0);
}

void CUnitConverterDlg::OnCategoryChange() { FillUnitBoxes(); }

CString CUnitConverterDlg::SelectedText(CComboBox& box) const
{
    CString text;
    if (box.GetCurSel() >= 0)
        box.GetLBText(box.GetCurSel(), text);
    return text;
}

// While the list's selection changes, the box still shows the old text.
void CUnitConverterDlg::OnFromUnitChange()
{
    m_strFromUnit = SelectedText(m_FromBox);
    m_ToBox.GetWindowText(m_strToUnit);
    Convert(FALSE);
}

void CUnitConverterDlg::OnToUnitChange()
{
    m_FromBox.GetWindowText(m_strFromUnit);
    m_strToUnit = SelectedText(m_ToBox);
    Convert(FALSE);
}

void CUnitConverterDlg::OnConvert()
{
    m_FromBox.GetWindowText(m_strFromUnit);
    m_ToBox.GetWindowText(m_strToUnit);
    if (!Convert(TRUE) || !m_Settings.nLogResults || !m_pDocument)
        return;
    if (CRichWorkspace* pWorkspace = m_pDocument->GetWorkspaceView()) {
        CString fromText, toText;
        GetDlgItemText(IDC_CONVERTER_FROM_VALUE, fromText);
        GetDlgItemText(IDC_CONVERTER_TO_VALUE, toText);
        pWorkspace->PrintLine(ConversionLogLine(fromText, m_strFromUnit, toText, m_strToUnit));
    }
}

void CUnitConverterDlg::OnOK() { OnConvert(); }

BOOL CUnitConverterDlg::Convert(BOOL bReport)
{
    // A field that does not read has been refused with its message: nothing is converted.
    if (!UpdateData(TRUE))
        return FALSE;
    double value = m_dFromValue;
    const int code = ConvertBetweenUnits(value, m_strFromUnit, m_strToUnit);
    m_bToValueShown = code == 0;
    m_dToValue = code == 0 ? value : m_dFromValue;
    UpdateData(FALSE);
    if (code != 0) {
        if (bReport)
            MessageBoxId(this, IDS_UNITS_NOT_COMPATIBLE);
        return FALSE;
    }
    AddRecentUnit(m_Settings.recent, m_strFromUnit);
    AddRecentUnit(m_Settings.recent, m_strToUnit);
    return TRUE;
}

void CUnitConverterDlg::OnHelp() { WinHelp(IDD_UNIT_CONVERTER); }

BOOL CUnitConverterDlg::OnHelpInfo(HELPINFO*)
{
    OnHelp();
    return TRUE;
}

void CUnitConverterDlg::ShowTool(BOOL bShow)
{
    m_bVisible = bShow;
    if (bShow)
        m_place.BeforeShow(*this);
    ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    if (bShow)
        GotoDlgCtrl(GetDlgItem(IDC_CONVERTER_FROM_VALUE));
}

// Only the From value changes: the other fields keep what the user has set.
void CUnitConverterDlg::Toggle(double lastAnswer)
{
    m_dFromValue = lastAnswer;
    SetDlgItemText(IDC_CONVERTER_FROM_VALUE, AfxFormatDouble(lastAnswer));
    ShowTool(!IsWindowVisible());
}

void CUnitConverterDlg::OnCancel() { ShowTool(FALSE); }

// The fields are taken as they stand, without messages: the window is going.
void CUnitConverterDlg::OnDestroy()
{
    m_Settings.nVisible = m_bVisible;
    for (int i = 0; i < 3; ++i)
        if (IsDlgButtonChecked(IDC_CONVERTER_STARTUP + i) == BST_CHECKED)
            m_Settings.nStartupCategory = i;
    m_Settings.nLogResults = IsDlgButtonChecked(IDC_CONVERTER_LOG) == BST_CHECKED;
    m_Settings.nLastCategory = std::max(m_CategoryBox.GetCurSel(), 0);
    m_place.Save(*this, m_Settings.nLeft, m_Settings.nTop);
    CRegistryProfileStore store;
    WriteConverterChanges(store, m_SettingsAtStart, m_Settings);
    CDialog::OnDestroy();
}
