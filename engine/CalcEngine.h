#pragma once
#include "engine/EngineErrors.h"
#include "engine/EngineNames.h"
#include "engine/ExprNode.h"
#include "engine/NumberFormat.h"
#include "engine/ScanReach.h"

#include <string>
#include <vector>

class CArchive;

// Angle modes of CCalcEngine::m_nAngleMode; any other value means gradians.
enum AngleMode : int { AngleDegrees = 0, AngleRadians = 1, AngleGradians = 2 };

// Radians in one unit of the angle mode, and units of the angle mode in one radian.
constexpr double RadiansPerAngleUnit(int angleMode)
{
    return angleMode == AngleDegrees   ? 0.017453292519943295
           : angleMode == AngleRadians ? 1.0
                                       : 0.015707963267948967;
}
constexpr double AngleUnitsPerRadian(int angleMode)
{
    return angleMode == AngleDegrees   ? 57.29577951308232
           : angleMode == AngleRadians ? 1.0
                                       : 63.66197723675813;
}

// DescribeName kinds.
enum NameKind : int {
    NameUnknown = 0,
    NameBuiltinFunction = 1,
    NamePhysicalConstant = 2,
    NameUserFunction = 3,
    NameUserConstant = 4,
    NameVariable = 5,
    NameExpressionVariable = 6,
};

// The context in which one expression text is parsed, evaluated and printed: the root node,
// this engine's variables and expression variables, and the settings the parser and the
// evaluator read. Program-wide names live in EngineNames.h. Sources are split by concern
// (CalcEngine.cpp, CalcEngineNames.cpp, CalcEngineStore.cpp, ...).
class CCalcEngine : public CObject {
public:
    CCalcEngine();
    ~CCalcEngine() override;
    CCalcEngine(const CCalcEngine&) = delete;
    CCalcEngine& operator=(const CCalcEngine&) = delete;

    // --- expression ---------------------------------------------------------------------
    // The text becomes the root's source; the root is cleared (error 0, errno 0); no parse.
    void SetExpression(const CString& text);
    CString GetExpressionText() const { return m_Root.GetSource(); }
    // Resets the one-shot base and the expansion path, parses the root; the code stays there.
    int Parse();
    // The root printed back to expression text.
    CString GetText() const;
    // Lenient mode on, user functions and x, y, z, t off, then Parse.
    int ParseLenient();
    // Value of the parsed root; the error code is left in the root (GetErrorCode).
    double Evaluate();
    // Stores x in variable i, then Evaluate.
    double EvaluateWithVariable(int i, double x);
    int GetErrorCode() const { return m_Root.m_nErrorCode; }
    // Character index of the last parse error in the expression text.
    int GetErrorPosition() const { return m_Root.m_nErrorPos; }
    // Raises the one-shot display base to base when base is greater.
    void RaiseOneShotBase(int base);
    // Empties this engine's variables and expression variables.
    void ClearTables();
    // What the value of the parsed expression depends on besides x, y, z and t, as bytes to
    // compare: the tree as the parse resolved it (literals in the number base, ANS, expression
    // variables expanded), the values of the variables and constants it names, the bodies of
    // the user functions it calls, the angle mode, and the solver's accuracy and the user units
    // where it uses them. Empty when the expression did not parse.
    std::string DescribeInputs() const;
    // Sets and parses text, then appends to inputs what its value depends on (DescribeInputs),
    // or "!" and the parse error when it does not parse; 0 or that error.
    int ParseDescribingInputs(const CString& text, std::string& inputs);
    // Whether the parsed expression calls a circular function or its inverse, whose values
    // depend on the angle mode.
    bool ReadsAngles() const;

    // --- display ------------------------------------------------------------------------
    CString FormatNumber(double x) { return m_ResultFormat.Format(x); }
    CString FormatPoint(double x, double y) { return m_ResultFormat.FormatPoint(x, y); }
    CString FormatSolverPoint(double x, double y) { return m_SolverFormat.FormatPoint(x, y); }
    // The root's value in the one-shot base, else the number base; a value outside 32 bits
    // in a base other than 10 gives "Number out of range" and leaves 46 in the root.
    CString FormatResultInBase();

    // --- variables of this engine --------------------------------------------------------
    int FindVariable(const char* name) const;
    bool VariableExists(const char* name) const { return FindVariable(name) >= 0; }
    int GetVariableCount() const { return int(m_Variables.size()); }
    CString GetVariableName(int i) const;
    double GetVariableValue(int i) const;
    // Defines or (when allowed) overwrites a variable; 22 or a name-check code on refusal.
    int DefineVariable(const char* name, double value, bool allowOverwrite);
    // Parses and evaluates text and stores the value under name; parse or evaluation error.
    int SetVariableFromExpression(const char* name, const CString& text, bool allowOverwrite);
    // New name for variable i (a change of letter case only is not applied).
    int RenameVariable(int i, const char* newName);
    // Overwrites record i without checks.
    void SetVariable(int i, const char* name, double value);
    // Appends without checks; returns the new index.
    int AppendVariable(const char* name, double value);
    void DeleteVariable(int i);
    // n records, all {empty name, 0}.
    void SetVariableCount(int n);

    // --- expression variables of this engine ---------------------------------------------
    int FindExpressionVariable(const char* name) const;
    bool ExpressionVariableExists(const char* name) const
    {
        return FindExpressionVariable(name) >= 0;
    }
    int GetExpressionVariableCount() const { return int(m_ExprVariables.size()); }
    CString GetExpressionVariableName(int i) const;
    CString GetExpressionVariableText(int i) const;
    int DefineExpressionVariable(const char* name, const CString& text, bool allowOverwrite);
    // New text for record i, kept only when it parses (replaces the current expression).
    int SetExpressionVariableText(int i, const CString& text);
    int RenameExpressionVariable(int i, const char* newName);
    // Parses and evaluates record i's text; the value is cached even on failure.
    int EvaluateExpressionVariable(int i);
    // Appends {name, text, 0, not evaluated} without checks; returns the new index.
    int AddExpressionVariable(const char* name, const CString& text);
    void DeleteExpressionVariable(int i);

    // --- name checks against this engine's tables and the program-wide ones --------------
    int CheckVariableName(const char* name) const;
    int CheckExpressionVariableName(const char* name) const;
    int CheckUserFunctionName(const char* name) const;
    int CheckUserConstantName(const char* name) const;

    // --- zeros in one variable of the whole engine (solver models) -----------------------
    // Scans [a, b] in n steps varying variable i, searching again the steps whose end values say
    // nothing (BlindSteps::Search); variable i keeps its value. 13 unless a < b, 35 when the
    // running command's time ran out (zeros holding what was found), 36 when nothing was found.
    int FindZerosInVariable(double a, double b, int n, int i, double tol,
                            std::vector<double>& zeros);
    // A zero in [a, b] varying variable i; the code stays in the root (13 for one sign).
    double FindZeroInVariable(double a, double b, int i, double tol);
    // FindZerosInVariable with the engine's solver steps and rounding unit.
    int FindRootsInVariable(double a, double b, int i, std::vector<double>& zeros);
    // Where the last scan of FindZerosInVariable, FindRoots, FindExtrema or FindIntersections
    // got to: the part of its interval that its zeros come from when its time cut it short.
    const ScanReach& GetLastScanReach() const { return m_LastScanReach; }
    // Where the last such scan met a sign change that is no zero: a pole, a jump or a gap.
    const std::vector<double>& GetLastScanRefusals() const { return m_LastScanNotes.refused; }
    // Where the last such scan did not look inside a step that may hold roots its points do not
    // show, its evaluations for looking being spent.
    const std::vector<double>& GetLastScanUnlooked() const { return m_LastScanNotes.unlooked; }

    // --- user functions ------------------------------------------------------------------
    int DefineUserFunction(const CString& definition, bool allowOverwrite);
    int ReplaceUserFunction(int i, const CString& definition);

    // What a name is, for pop-up tips: a NameKind, with its text and argument count.
    int DescribeName(const char* name, CString& text, int& argumentCount) const;

    // --- calculus front ends (x is the variable) -------------------------------------------
    // The root becomes its derivative with respect to name (20 for an invalid name); symbolic
    // mode stays on.
    int DeriveSymbolic(const char* name);
    // Zeros of the expression over [a, b], appended; 35 when the running command's time ran out
    // (CommandWork), the list holding what was found before.
    int FindRoots(double a, double b, std::vector<double>& roots);
    // Stationary points over [a, b] that are maxima or minima, appended; 35 likewise.
    int FindExtrema(double a, double b, std::vector<double>& maxima, std::vector<double>& minima);
    // y = slope x + intercept touches the expression at x0.
    int GetTangentLine(double x0, double& slope, double& intercept);
    int Integrate(double a, double b, double& result);
    int DifferentiateAt(double x, double& result);
    // Integrals of |f-g|, f-g and pi|f^2-g^2| over [a, b].
    int AreaBetween(const CString& f, const CString& g, double a, double b, double& result);
    int IntegrateBetween(const CString& f, const CString& g, double a, double b, double& result);
    int VolumeOfRevolution(const CString& f, const CString& g, double a, double b, double& result);
    // Of the expression's curve over [a, b].
    int ArcLength(double a, double b, double& result);
    int SurfaceOfRevolution(double a, double b, double& result);
    // Centroid of the region between f and g; 38 when it has no area.
    int CenterOfMass(const CString& f, const CString& g, double a, double b, double& xc,
                     double& yc);
    int FindIntersections(const CString& f, const CString& g, double a, double b,
                          std::vector<double>& xs);

    // --- stored forms of the tables -----------------------------------------------------
    void SerializeVariables(CArchive& ar);
    void SerializeExpressionVariables(CArchive& ar);
    static void SerializeUserFunctions(CArchive& ar);
    static void SerializeUserConstants(CArchive& ar);
    static void SerializeUserUnits(CArchive& ar);

    // Fields, in declaration order of the engine's data model.
    std::vector<VariableRecord> m_Variables;
    std::vector<ExprVariableRecord> m_ExprVariables;
    CExprNode m_Root;
    int m_nAngleMode = AngleRadians;
    int m_nNumberBase = 10;
    int m_nOneShotBase = -1;
    int m_bLenient = 0;
    int m_bSymbolic = 0;
    int m_bUnitMode = 0;
    CNumberFormat m_ResultFormat;
    CNumberFormat m_SolverFormat;
    int m_nSolverSteps = 200;
    double m_dLastAnswer = 0;
    int m_bUserFunctionsOn = 1;
    int m_bIndependentOn = 1;
    int m_bUsesUserFunction = 0;
    // A user function's body: its variables are the parameters, read before any program-wide
    // name, and a call of a user function is refused.
    int m_bParametersFirst = 0;
    // Set by each scan for zeros; not part of the stored engine.
    ScanReach m_LastScanReach;
    ScanNotes m_LastScanNotes;
};
