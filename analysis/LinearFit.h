#pragma once
#include "analysis/FitSample.h"
#include "analysis/HeldPoints.h"
#include "analysis/OneBasedMatrix.h"
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

#include <vector>

class CAnalysisResult;
class CDataTable;

// Weighted linear least-squares fit of one of seven fixed models (straight line, logarithmic,
// exponential, power, quadratic, cubic, quartic). The exponential and power models are fitted
// as straight lines through logarithms of the data; their constant (and the exponential's base)
// are turned back from the fitted logarithms afterwards. Parameters are 1-based.
class CLinearFit : public CObject {
public:
    using Function = double (*)(double);

    CLinearFit();

    static constexpr int kModelCount = 7;
    // Model 0..6; another index only clears the transforms.
    void SetModel(int index);
    // The model's name ("Straight line" ...); an empty text for another index.
    static CString GetModelName(int index);

    // The table whose columns x, y (and the deviation of y) are fitted; not owned.
    void SetTable(const CDataTable* table) { m_pTable = table; }
    const CDataTable* GetTable() const { return m_pTable; }

    // Fits the model to the table and, when report is given, fills it (title, equation,
    // weighting, values, uncertainties and 95 % confidence intervals). 15 without a table or for
    // a layout other than x, y (1) or x, y, deviation (2); otherwise the codes of FitPoints. The
    // report is filled only on success.
    int Fit(CAnalysisResult* report);

    // Fits the model to the points (deviations already weighted, see ApplyDefaultDeviations),
    // its curve through the held ones: 0; 52 under 3 points or fewer points than parameters;
    // 13 for a point that is not finite or outside the model's logarithms (x or y not
    // positive); 17 when a value or the normal matrix overflows; 34 when the points cannot tell
    // the terms apart; the held points' failure (GetHeldPoints).
    int FitPoints(const FitSample& sample);
    // What the held points did to the last fit.
    const HeldPointsOutcome& GetHeldPoints() const { return m_Held; }
    // The message for a code of Fit: the code's text, what the held points did wrong, or which
    // rows hold an x or y that the model's logarithms cannot take.
    CString GetFailureText(int code) const;

    // The template with each parameter written as its value in brackets, in the engine's number
    // form, for example (1.5)+(2)*x: the fitted curve as an expression in x.
    CString GetEquationWithValues() const;

    int GetParameterCount() const { return int(m_Names.size()) - 1; }
    CString GetEquation() const { return m_strEquation; }
    CString GetParameterName(int j) const { return m_Names[std::size_t(j)]; }
    double GetValue(int j) const { return m_Values[std::size_t(j)]; }
    // True when value j was turned back from a fitted logarithm: its uncertainty is that of the
    // logarithm.
    bool IsBackTransformed(int j) const { return m_BackTransforms[std::size_t(j)] != nullptr; }
    double GetCovariance(int i, int j) const { return m_Covariance[i][j]; }
    // Points of the last fit.
    int GetPointCount() const { return m_nPoints; }

    // Sizes the parameters for count terms: values 0, no functions, every term fitted.
    void SetParameterCount(int count);
    void SetParameter(int j, const char* name, Function basis, Function backTransform);

private:
    void FillReport(CAnalysisResult& report) const;

    const CDataTable* m_pTable = nullptr;
    OneBasedMatrix m_Covariance;
    CString m_strEquation;
    CString m_strTemplate;
    std::vector<Function> m_Basis;
    std::vector<Function> m_BackTransforms;
    std::vector<double> m_Values;
    std::vector<double> m_SolvedValues; // before turning logarithms back
    std::vector<int> m_Fitted;
    std::vector<CString> m_Names;
    Function m_XTransform = nullptr;
    Function m_YTransform = nullptr;
    int m_nPoints = 0;
    HeldPointsOutcome m_Held;
    int m_nModel = -1;
    // Of which values the model takes logarithms, and the points (1-based) of the last fit
    // whose value was not above 0.
    struct LogDomain {
        bool bX = false;
        bool bY = false;
        std::vector<int> points;
    } m_LogDomain;
};
