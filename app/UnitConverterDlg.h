#pragma once
#include "app/ConverterRules.h"
#include "app/ToolWindows.h"
#include "framework/win/CDialog.h"
#include "framework/win/Controls.h"

class CMyDocument;

// The unit converter: a modeless tool window of the main frame, made hidden. The user picks a
// category, a From and a To unit and a value; Convert (or Enter, or choosing another unit)
// converts through the engine. It keeps its place, size, start-up category and the recently
// used units in the "Converter" settings section, read when it is made and written when it
// goes.
class CUnitConverterDlg : public CDialog {
    DECLARE_DYNAMIC(CUnitConverterDlg)
public:
    CUnitConverterDlg();

    // Tools/Unit Converter: the last answer into the From value, then shown when hidden and
    // hidden when shown.
    void Toggle(double lastAnswer);
    BOOL IsShown() const { return m_bVisible; }

    BOOL OnInitDialog() override;
    void OnOK() override;     // Enter converts
    void OnCancel() override; // Escape and the close box hide

    CMyDocument* m_pDocument = nullptr;
    CString m_strFromUnit;
    CString m_strToUnit;
    double m_dFromValue = 0;
    double m_dToValue = 0;
    BOOL m_bToValueShown = TRUE; // a failed conversion empties the To field
    ConverterSettings m_Settings;
    ConverterSettings m_SettingsAtStart; // only what differs from it is written back
    BOOL m_bVisible = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnConvert();
    void OnFromUnitChange();
    void OnToUnitChange();
    void OnHelp();
    void OnSizeToggle();
    void OnCategoryChange();
    BOOL OnHelpInfo(HELPINFO* pInfo);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Converts the units' texts; only the Convert button reports a failure.
    BOOL Convert(BOOL bReport);
    void FillUnitBoxes();
    void ApplySize();
    void ShowTool(BOOL bShow);
    CString SelectedText(CComboBox& box) const;

    CComboBox m_ToBox;
    CComboBox m_FromBox;
    CComboBox m_CategoryBox;
    CSize m_FullSize;
    CSize m_CollapsedSize;
    ToolWindowPlace m_place;
};
