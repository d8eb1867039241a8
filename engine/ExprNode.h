#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "framework/core/Collections.h"

#include <string_view>
#include <vector>

class CCalcEngine;

// What a node of an expression tree stands for.
// clang-format off
enum ExprNodeKind : int {
    NodeSymbol = 1,        // unresolved name accepted in symbolic mode
    NodeNumber = 2,        // literal, reserved constant or folded value
    NodeVariable = 3,      // engine variable (index) or, in unit mode, a unit name
    NodeIndependent = 4,   // x, y, z or t (slot index)
    NodePredefined = 5,    // pre-defined constant (index)
    NodeOperator = 7,      // operator or function call (op id)
    NodeUserConstant = 8,  // user-defined constant (index)
    NodeList = 9,          // argument list: left = first element, right = the rest
    NodeString = 10,       // string literal; the source holds its contents
};
// clang-format on

// Operation of an operator or function node. 1-6, 17 and 23 come from operator characters
// and reserved names, the rest from the built-in catalogue; 128 calls a user function.
// clang-format off
enum ExprOpId : int {
    OpNone = 0,
    OpAdd = 1, OpSubtract = 2, OpMultiply = 3, OpDivide = 4, OpPower = 5, OpPercent = 6,
    OpExp = 7, OpLn = 8, OpLog = 9,
    OpSin = 10, OpCos = 11, OpTan = 12, OpSec = 13, OpCsc = 14, OpCot = 15,
    OpAbs = 16, OpRand = 17, OpSqrt = 18, OpSqr = 19, OpInt = 20, OpCeil = 21, OpFloor = 22,
    OpFact = 23, OpDeg = 24, OpRad = 25,
    OpAsin = 26, OpAcos = 27, OpAtan = 28, OpAsec = 29, OpAcsc = 30, OpAcot = 31,
    OpSinh = 32, OpCosh = 33, OpTanh = 34, OpSech = 35, OpCsch = 36, OpCoth = 37,
    OpAsinh = 38, OpAcosh = 39, OpAtanh = 40, OpAsech = 41, OpAcsch = 42, OpAcoth = 43,
    OpLogN = 44, OpMod = 45,
    OpPV = 46, OpFV = 47, OpPMT = 48, OpNPER = 49, OpRate = 50, OpIPMT = 51, OpPPMT = 52,
    OpEffectiveRate = 53, OpNominalRate = 54,
    OpAiryAi = 55, OpAiryBi = 56, OpBico = 57, OpBeta = 58, OpBetaI = 59,
    OpBesselJ = 60, OpBesselY = 61, OpBesselK = 62, OpBesselI = 63,
    OpBesselJs = 64, OpBesselYs = 65,
    OpEllipticRF = 66, OpEllipticRD = 67, OpEllipticRJ = 68, OpEllipticRC = 69,
    OpClausen = 70, OpDawson = 71, OpDebye1 = 72, OpDebye2 = 73, OpDebye3 = 74, OpDebye4 = 75,
    OpDilog = 76, OpEllipticF = 77, OpEllipticE = 78, OpEllipticP = 79,
    OpEllipticSn = 80, OpEllipticCn = 81, OpEllipticDn = 82,
    OpErf = 83, OpErfc = 84, OpExpIntEn = 85, OpExpEi = 86, OpFactLn = 87,
    OpFresnelS = 88, OpFresnelC = 89, OpGamma = 90, OpGammaLn = 91, OpGammaP = 92, OpGammaQ = 93,
    OpPsi = 94, OpPsiN = 95, OpZeta = 96, OpEta = 97, OpHZeta = 98,
    OpCosInt = 99, OpSinInt = 100, OpShi = 101, OpChi = 102,
    OpConvert = 103, OpConvertBase = 104, OpBin = 105, OpOct = 106, OpDec = 107, OpHex = 108,
    OpFInt = 109, OpFDiff = 110, OpFZero = 111, OpFMin = 112, OpTextResult = 114, OpFSum = 115,
    OpSum = 116, OpAve = 117, OpMin = 118, OpMax = 119,
    OpAnd = 120, OpOr = 121, OpXor = 122, OpNot = 123, OpLShift = 124, OpRShift = 125,
    OpUserFunction = 128,
    OpInf = 131, OpNInf = 132, OpPi = 133, OpAns = 134, OpPlot = 135,
    OpBetaDist = 136, OpNormDist = 155, OpTDist = 165, OpTInv = 166,
};
// clang-format on

// How many characters the last parse error covers, starting at the error position of the
// failing root. One value for the whole program: only one expression is parsed at a time.
extern int ErrorSpanLength;

// Deepest nesting a parse accepts: brackets, calls, postfix operators, signs and each change of
// operator level count; the members of a chain of one operator level or of one argument list
// do not.
// Deeper text is error 12 "Overflow", so neither parsing nor any later walk of the tree, all of
// which recurse only where the text nests, can exhaust the stack.
constexpr int MaxParseDepth = 500;
// Most nodes one outermost parse may create, or one symbolic derivative may hold.
constexpr int MaxParseNodes = 200000;
// Most characters of expression-variable text one outermost parse may expand; more is error 12.
constexpr int MaxExpandedText = 1 << 20;
// Most node evaluations one outermost evaluation may make, nested calculus and user functions
// included (a few seconds); more ends the evaluation with error 35. Tests lower it.
constexpr long long MaxEvaluationWork = 100000000;
extern long long EvaluationWorkLimit;

// From position, moves by step (+1 or -1) while inside text and returns the first character
// that is not a blank, updating position; 0 when it runs out.
char PeekNonBlank(std::string_view text, int& position, int step);

// One node of an expression tree. A node owns its two children and the text it stands for where
// that is its own (the root's expression, a string's contents); the owner engine supplies tables
// and settings. Evaluation, differentiation and printing walk the tree built by Parse.
class CExprNode : public CObject {
public:
    CExprNode();
    ~CExprNode() override;
    CExprNode(const CExprNode&) = delete;
    CExprNode& operator=(const CExprNode&) = delete;

    // Frees the children and resets every field to "number 0, not parsed" (source, owner and
    // expansion path stay); ErrorSpanLength becomes 1 and errno 0.
    void Clear();
    // New source text; the node is cleared.
    void SetSource(const CString& text);
    void SetOwner(CCalcEngine* pEngine) { m_pOwner = pEngine; }
    CString GetSource() const { return m_strSource; }
    // Moves the scan position to the next non-blank character of the source (0 at the end).
    void NextChar();
    // This node becomes a deep copy of node (children, source, owner, path included).
    void CopyFrom(const CExprNode& node);
    // This node becomes a deep copy of pChild, which may be one of its own descendants.
    void ReplaceWith(const CExprNode* pChild);

    // --- parsing ------------------------------------------------------------------------
    // Turns the source into a tree; 0 or an EngineErrorCode with m_nErrorPos set.
    int Parse();

    // --- evaluation (built with the evaluator) -----------------------------------------
    // Value of the parsed tree into value; 0 or an error code, also left in the node.
    int Evaluate(double& value);
    // Writes x into the x slot, evaluates, returns the value (error code stays here).
    double EvaluateAt(double x);

    // --- printing and symbolic differentiation -----------------------------------------
    // The tree as expression text that parses back to it, numbers with every digit; parent is
    // the node this one is a child of (none for the root), isLeft whether it is its left child
    // or argument.
    CString Print(const CExprNode* pParent, bool bIsLeft) const;
    CString PrintOperator(const CExprNode* pParent, bool bIsLeft) const;
    // Replaces the tree by its simplified derivative with respect to the x slot (the other
    // independent variables are constants); in degrees or gradians the circular functions and
    // their inverses carry the angle factor. 0, 29 where no rule applies, 12 past the node
    // cap, or the code of a numeric exponent that does not evaluate.
    int Derive();
    int DeriveOperator();
    // Folds constant operators and drops the neutral elements 0 and 1, bottom-up.
    void Simplify();
    bool IsZero() const;
    bool IsOne() const;
    bool IsNumericConstant() const;
    bool IsConstant() const;

    // --- numerical calculus on this node as a function of x --------------------------------
    // Each leaves its code (0, an evaluation error, 13, 35 or 36) in the node as well.
    // Definite integral over [a, b] (ends may be infinite) to the solver rounding unit.
    int Integrate(double a, double b, double& result);
    // Derivative at x; tol is the relative accuracy wanted and receives the error estimate.
    int NumericDerivative(double x, double& result, double& tol);
    // A zero in [a, b] (tol below 1e-15 means 1e-5); 0 on failure.
    double FindZero(double a, double b, double tol);
    // Appends the zeros found scanning [a, b] in n steps.
    int FindZerosInRange(double a, double b, int n, double tol, std::vector<double>& zeros);
    // A local minimum near [a, b]: returns f(xmin).
    double FindMinimum(double a, double b, double tol, double& xmin);

    // Fields, in the order of the tree's data model; public for the engine's tree walkers.
    int m_nKind = NodeNumber;
    double m_dValue = 0;
    CString m_strName;
    int m_nOpId = OpNone;
    CExprNode* m_pLeft = nullptr;
    CExprNode* m_pRight = nullptr;
    int m_nIndex = 0;
    CString m_strSource;
    int m_bParsed = 0;
    char m_chCurrent = 0;
    int m_nScanPos = -1;
    int m_nErrorPos = 0;
    int m_nErrorCode = 0;
    CCalcEngine* m_pOwner = nullptr;
    int m_bInList = 0;
    int m_bTextResult = 0;
    CWordArray m_ExpansionPath;

private:
    void TakeOver(CExprNode* pChild);
};

// Whether pred holds for a node of the tree under root (root included), walked without
// recursion since a chain of one operator may be as long as the text.
template <class Pred> bool AnyNode(const CExprNode& root, Pred pred)
{
    std::vector<const CExprNode*> pending{&root};
    while (!pending.empty()) {
        const CExprNode* node = pending.back();
        pending.pop_back();
        if (!node)
            continue;
        if (pred(*node))
            return true;
        pending.push_back(node->m_pLeft);
        pending.push_back(node->m_pRight);
    }
    return false;
}
