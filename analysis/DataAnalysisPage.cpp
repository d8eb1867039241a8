#include "analysis/DataAnalysisPage.h"

#include "analysis/DialogWarning.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CDataAnalysisPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CDataAnalysisPage, CPropertyPage)
ON_BN_CLICKED(IDC_ANALYSIS_MODELS, &CDataAnalysisPage::OnEditModels)
END_MESSAGE_MAP()

namespace {

// The statistics boxes in the order of their mask bits.
constexpr int kStatisticsBoxes[kStatisticsBoxCount] = {
    IDC_ANALYSIS_COUNT,    IDC_ANALYSIS_MINIMUM,  IDC_ANALYSIS_MAXIMUM,
    IDC_ANALYSIS_MEAN,     IDC_ANALYSIS_STDDEV,   IDC_ANALYSIS_AVGDEV,
    IDC_ANALYSIS_SKEWNESS, IDC_ANALYSIS_KURTOSIS, IDC_ANALYSIS_VARIANCE,
};

} // namespace

CDataAnalysisPage::CDataAnalysisPage() : CPropertyPage(IDD_DATA_ANALYSIS) {}

CDataAnalysisPage::CDataAnalysisPage(DataAnalysisOptions* pOptions)
    : CPropertyPage(IDD_DATA_ANALYSIS), m_pOptions(pOptions)
{
    if (pOptions) {
        StatisticsBoxesFromMask(pOptions->nStatisticsMask, m_Statistics);
        m_bAutoPlot = pOptions->nAutoPlot;
        m_bPrompt = pOptions->nPrompt;
        m_nMaxIterations = pOptions->nMaxIterations;
    }
}

BOOL CDataAnalysisPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (CWnd* pModels = GetDlgItem(IDC_ANALYSIS_MODELS))
        pModels->EnableWindow(m_ModelEditor != nullptr);
    return TRUE;
}

void CDataAnalysisPage::DoDataExchange(CDataExchange* pDX)
{
    for (int i = 0; i < kStatisticsBoxCount; ++i)
        DDX_Check(pDX, kStatisticsBoxes[i], m_Statistics[i]);
    DDX_Check(pDX, IDC_ANALYSIS_AUTOPLOT, m_bAutoPlot);
    DDX_Check(pDX, IDC_ANALYSIS_PROMPT, m_bPrompt);
    DDX_Text(pDX, IDC_ANALYSIS_ITERATIONS, m_nMaxIterations);
    if (pDX->m_bSaveAndValidate &&
        !AcceptOrWarn(*this, CheckIterationLimit(m_nMaxIterations, IDC_ANALYSIS_ITERATIONS)))
        pDX->Fail();
}

void CDataAnalysisPage::OnEditModels()
{
    if (m_ModelEditor)
        m_ModelEditor(this);
}

void CDataAnalysisPage::OnOK()
{
    CPropertyPage::OnOK();
    if (!m_pOptions)
        return;
    m_pOptions->nStatisticsMask =
        StatisticsMaskFromBoxes(m_Statistics, m_pOptions->nStatisticsMask);
    m_pOptions->nAutoPlot = m_bAutoPlot;
    m_pOptions->nPrompt = m_bPrompt;
    m_pOptions->nMaxIterations = m_nMaxIterations;
}
