#pragma once
#include "analysis/FitSample.h"
#include "analysis/HeldPoints.h"
#include "analysis/Marquardt.h"
#include "analysis/OneBasedMatrix.h"
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

#include <memory>
#include <vector>

class CAnalysisResult;
class CDataTable;

// Least-squares fit of a model typed as an expression in x (for example "a*exp(b*x)") by the
// Levenberg-Marquardt method. The model's other unknown names are its parameters, in order of
// first appearance; each has a derivative engine holding the model's symbolic derivative by it.
// Parameter indices are 0-based unless a function says 1-based.
class CNonlinearFit : public CObject, private IFitModel {
public:
    CNonlinearFit();
    ~CNonlinearFit() override;
    CNonlinearFit(const CNonlinearFit&) = delete;
    CNonlinearFit& operator=(const CNonlinearFit&) = delete;

    // 0 when text is a usable model: it parses with unknown names as parameters, names x, has
    // at least one parameter and can be differentiated by each; else the parse or derivative
    // code, 47 without x, 48 for y, z or t, 49 without a parameter.
    static int CheckModel(const CString& text);

    // New model (trimmed): parameters with start value 1, Auto on, Constant off. The current
    // model again (in any case) changes nothing; a refused model (CheckModel) changes nothing.
    int SetModel(const CString& text);
    CString GetModel() const { return m_strModel; }
    // The angle mode (AngleMode) in which the model and its derivatives are evaluated: the
    // project's, so that the fitted curve is drawn as it was fitted. A model already set is
    // differentiated again in it, keeping its start values and flags; 0 or the code that
    // stopped that (the model is then dropped). Radians until set.
    int SetAngleMode(int mode);
    int GetAngleMode() const { return m_ModelEngine.m_nAngleMode; }
    void SetModelName(const CString& name) { m_strModelName = name; }
    CString GetModelName() const { return m_strModelName; }

    int GetParameterCount() const { return m_ModelEngine.GetVariableCount(); }
    CString GetParameterName(int i) const { return m_ModelEngine.GetVariableName(i); }
    double GetInitialValue(int i) const { return m_InitialValues[std::size_t(i) + 1]; }
    void SetInitialValue(int i, double value) { m_InitialValues[std::size_t(i) + 1] = value; }
    BOOL GetAuto(int i) const { return m_Auto[std::size_t(i)]; }
    void SetAuto(int i, BOOL on) { m_Auto[std::size_t(i)] = WORD(on ? 1 : 0); }
    BOOL GetConstant(int i) const { return m_Constant[std::size_t(i)]; }
    void SetConstant(int i, BOOL on) { m_Constant[std::size_t(i)] = WORD(on ? 1 : 0); }
    // Fitted value of parameter j, 1-based.
    double GetValue(int j) const { return m_Values[std::size_t(j)]; }
    // Covariance of parameters i and j, 1-based (after a successful fit).
    double GetCovariance(int i, int j) const { return m_Covariance[i][j]; }

    int GetMaxIterations() const { return m_nMaxIterations; }
    // Limits from 1 to kMaxIterationLimit are taken (true); others leave the limit (false).
    bool SetMaxIterations(int limit);
    int GetIterations() const { return m_nIterations; }
    // True when the last fit ended by 35 before its limit: no step lowered chi-square any more
    // (or the damping reached its cap) and the result had not settled.
    bool StoppedImproving() const { return m_bStalled; }
    double GetChiSquare() const { return m_dChiSquare; }
    // Points and fitted parameters of the last fit; their difference (at least 1) is the
    // degrees of freedom of the confidence intervals.
    int GetPointCount() const { return m_nPoints; }
    int GetFittedCount() const;

    // y and the derivatives dyda[1..m] at x for the values a[1..m]; 0 or the first evaluation
    // code, 17 for an overflow.
    int EvaluateModel(double x, const double* a, double& y, double* dyda);

    // The table whose columns x, y (and the deviation of y) are fitted; not owned.
    void SetTable(const CDataTable* table) { m_pTable = table; }
    const CDataTable* GetTable() const { return m_pTable; }

    // Fits the model to the table: 0 for no model; 15 without a table or for a layout other than
    // x, y (1) or x, y, deviation (2); 52 under 3 rows; otherwise the codes of FitPoints.
    int Fit();
    // The report of the last successful fit: text and title, the table, model and equation,
    // weighting, values, uncertainties, 95 % confidence intervals, start values, chi-square,
    // iterations.
    void Report(CAnalysisResult& record) const;
    // What a fit ended by 35 reached, under the reason it stopped (it stopped improving, or the
    // limit was exceeded): the values, the weighting, chi-square and iterations, so that the
    // user can start again from there.
    void ReportUnfinished(CAnalysisResult& record) const;

    // Fits the model to the points (deviations already weighted, see ApplyDefaultDeviations)
    // from the start values, its curve through the held points: Auto parameters start at
    // 1.5 + 0.32 i, Constant ones are held. 0 for no model; 52 under 3 points or fewer points
    // than fitted parameters; 49 when every parameter is Constant; 13 for a point that is not
    // finite; the model's codes; 34; 35 when the iteration limit ends the fit; the held points'
    // failure (GetHeldPoints). The program-wide x keeps its value.
    int FitPoints(const FitSample& sample);
    // What the held points did to the last fit.
    const HeldPointsOutcome& GetHeldPoints() const { return m_Held; }
    // The message for a code of Fit: the code's text, or what the held points did wrong.
    CString GetFailureText(int code) const;

    // The model with every parameter written as its fitted value, as the engine prints numbers.
    CString GetFittedEquation() const;

    static constexpr int kMaxIterationLimit = 10000;

private:
    int SetParameters(const double* a) override;
    int Evaluate(double x, double& y, double* dyda) override;
    void SetParameterCount(int m);
    int BuildDerivatives();
    // Forgets the model after a failure to build it: no parameters, nothing half-built.
    void DropModel();
    // Compiles the model and its derivatives, which every fit evaluates at each point.
    void CompileModel();

    const CDataTable* m_pTable = nullptr;
    int m_nMaxIterations = 100;
    int m_nIterations = 0;
    bool m_bStalled = false;
    std::vector<double> m_InitialValues{0.0};
    std::vector<double> m_Values{0.0};
    OneBasedMatrix m_Covariance;
    OneBasedMatrix m_Curvature;
    std::vector<int> m_Fitted{0};
    double m_dChiSquare = 0.0;
    std::vector<WORD> m_Auto;
    std::vector<WORD> m_Constant;
    CString m_strModel;
    CString m_strModelName;
    std::vector<std::unique_ptr<CCalcEngine>> m_Derivatives;
    CCalcEngine m_ModelEngine;
    // The model's root, then each derivative's, compiled.
    std::vector<std::unique_ptr<CCompiledExpression>> m_Programs;
    int m_nPoints = 0;
    HeldPointsOutcome m_Held;
};
