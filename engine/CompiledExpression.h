#pragma once
#include "engine/EngineNames.h"
#include "engine/ExprNode.h"
#include "engine/NumericCalculus.h"

#include <memory>

namespace compiled {
struct Program;
}

// A parsed tree as a flat program, for callers that evaluate one tree many times with only
// x, y, z, t or variables changing. Evaluate gives what the tree's own Evaluate gives, bit for
// bit: value, code, the root's fields and the work charged; leaves are read at each run, and
// only the root receives value and code. The program reads the tree it was built from: build it
// again once that tree, the user functions or the engine's settings change.
class CCompiledExpression {
public:
    CCompiledExpression();
    // Compile(root).
    explicit CCompiledExpression(CExprNode& root);
    ~CCompiledExpression();
    CCompiledExpression(const CCompiledExpression&) = delete;
    CCompiledExpression& operator=(const CCompiledExpression&) = delete;

    // Builds the program of the parsed tree under root; constant parts are computed once here.
    void Compile(CExprNode& root);
    // root.Evaluate(value) through the program: 0 or the code, both also left in the root.
    int Evaluate(double& value)
    {
        value = Run();
        return m_pRoot->m_nErrorCode;
    }
    // The value; the code stays in the root.
    double Evaluate() { return Run(); }
    // Writes x into the x slot, evaluates, returns the value (the code stays in the root).
    double EvaluateAt(double x)
    {
        g_IndependentVariables[0].dValue = x;
        return Run();
    }
    // The same, returning the code; value receives the value.
    int EvaluateAt(double x, double& value)
    {
        g_IndependentVariables[0].dValue = x;
        return Evaluate(value);
    }

    // Instructions that hand a subtree to the tree walk.
    int GetTreeWalkCount() const;
    // While on, programs compiled from then on hand their whole tree to the tree walk: the
    // reference the compiled form is compared with, nested sums and integrals included.
    static void SetTreeWalkOnly(bool on);

private:
    // One evaluation: the value, with the code left in the root.
    double Run();

    std::unique_ptr<compiled::Program> m_pProgram;
    CExprNode* m_pRoot = nullptr;
};

// The program as f(x) for the calculus routines; the program must outlive the function.
CalculusFunction FunctionOfX(CCompiledExpression& program);
