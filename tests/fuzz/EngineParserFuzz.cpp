// Random text through the engine's language: parse under every mode and separator
// convention, print what parsed and parse the print, differentiate it, evaluate it by the tree
// walk and through its compiled form, copy the tree, format values, split the text as a call.
// Any crash, sanitizer report or hang is a fault.
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/EngineStartup.h"
#include "engine/EvaluatorOperations.h"
#include "engine/FunctionCatalogue.h"
#include "engine/LocaleSeparators.h"
#include "engine/UserFunction.h"
#include "tests/fuzz/FuzzTargets.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Names of every kind, so that random text reaches each resolution step.
void DefineNames(CCalcEngine& engine)
{
    InitCalcEngine();
    UseDotSeparators();
    auto* f = new CUserFunction;
    f->SetName("uf");
    f->AppendVariable("a", 0);
    f->AppendVariable("b", 0);
    f->SetExpression("a*b+1");
    GetUserFunctions().push_back(f);
    AddUserConstant("constant", "m", "uc", 2);
    engine.AppendVariable("v", 1);
    engine.AppendVariable("a1e", 2);
    engine.AddExpressionVariable("ev", "v+1");
    engine.AddExpressionVariable("loop", "1+loop");
    engine.AddExpressionVariable("p", "q*2");
    engine.AddExpressionVariable("q", "p-ev");
    engine.AddExpressionVariable("bad", "(1+");
    // The tables outlive every input; free them before their own statics go at exit.
    std::atexit(FreeGlobalSymbolTables);
}

// A tree read back from a print prints the same text again: printing is a fixed point.
void CheckPrintIsStable(CCalcEngine& reread)
{
    const CString printed = reread.GetText();
    CCalcEngine third;
    third.m_bLenient = 1;
    third.m_bSymbolic = reread.m_bSymbolic;
    third.m_bUnitMode = reread.m_bUnitMode;
    third.m_bIndependentOn = reread.m_bIndependentOn;
    third.m_ResultFormat.m_nMode = reread.m_ResultFormat.m_nMode;
    third.m_Variables = reread.m_Variables;
    third.SetExpression(printed);
    const int code = third.Parse();
    if (code == ErrOverflow)
        return;
    if (code != 0 || third.GetText() != printed)
        FuzzFault("a printed tree prints differently when read back");
}

// The derivative of what parsed is either refused with a code or printed as text that parses.
void CheckDerivative(const CString& text)
{
    CCalcEngine engine;
    engine.SetExpression(text);
    if (engine.DeriveSymbolic("x") != 0)
        return;
    CCalcEngine derivative;
    derivative.m_bSymbolic = 1;
    derivative.SetExpression(engine.GetText());
    const int code = derivative.Parse();
    if (code != 0 && code != ErrOverflow)
        FuzzFault("a printed derivative does not parse");
}

// Two copies of what parsed, one evaluated by the tree walk and one through its compiled form,
// under a small work budget: the same code, the same value to the bit, the same work.
void CheckCompiledForm(const CExprNode& root, std::uint8_t mode)
{
    struct Run {
        int code;
        double value;
        long long work;
    };
    auto evaluate = [mode](const CExprNode& tree, bool compiled) {
        CExprNode copy;
        copy.CopyFrom(tree);
        ResetRandomGenerator();
        g_IndependentVariables[0].dValue = 0.25 * (mode % 9) - 1;
        CCompiledExpression::SetTreeWalkOnly(!compiled);
        CCompiledExpression program(copy);
        Run run{0, 0, 0};
        run.code = compiled ? program.Evaluate(run.value) : copy.Evaluate(run.value);
        run.work = EvaluationWork::Done();
        CCompiledExpression::SetTreeWalkOnly(false);
        return run;
    };
    EvaluationWorkLimit = 20000;
    const Run walked = evaluate(root, false);
    const Run compiled = evaluate(root, true);
    EvaluationWorkLimit = MaxEvaluationWork;
    if (walked.code != compiled.code || walked.work != compiled.work ||
        std::memcmp(&walked.value, &compiled.value, sizeof walked.value) != 0)
        FuzzFault("the compiled form differs from the tree walk");
}

} // namespace

int FuzzEngineParser(const std::uint8_t* data, std::size_t size)
{
    static CCalcEngine names;
    static bool ready = (DefineNames(names), true);
    (void)ready;
    if (size < 1 || size > 8192)
        return 0;
    const std::uint8_t mode = data[0];
    CString text(reinterpret_cast<const char*>(data + 1), int(size - 1));

    if (mode & 1)
        UseCommaSeparators();
    else
        UseDotSeparators();
    names.m_bLenient = (mode >> 1) & 1;
    names.m_bSymbolic = (mode >> 2) & 1;
    names.m_bUnitMode = (mode >> 3) & 1;
    names.m_bIndependentOn = !((mode >> 4) & 1);
    static constexpr int Bases[4] = {10, 16, 2, 8};
    names.m_nNumberBase = Bases[(mode >> 5) & 3];
    names.m_ResultFormat.m_nMode = (mode >> 7) ? FormatModeCurrency : FormatModeGeneral;
    const int variables = names.GetVariableCount();

    names.SetExpression(text);
    int code = names.Parse();
    int length = text.GetLength();
    if (names.GetErrorPosition() < 0 || names.GetErrorPosition() > length + 1 ||
        ErrorSpanLength < 1)
        FuzzFault("an error position outside the text");
    if (code == 0) {
        // What parses prints, and the printed text parses again.
        CString printed = names.GetText();
        CCalcEngine again;
        again.m_bLenient = 1;
        again.m_bSymbolic = names.m_bSymbolic;
        again.m_bUnitMode = names.m_bUnitMode;
        again.m_bIndependentOn = names.m_bIndependentOn;
        again.m_nNumberBase = 10; // numbers print in decimal
        again.m_ResultFormat.m_nMode = names.m_ResultFormat.m_nMode;
        again.m_ExprVariables = names.m_ExprVariables;
        again.m_Variables = names.m_Variables;
        again.SetExpression(printed);
        // Printing adds parentheses, so a text near the depth limit may print beyond it.
        int reparse = again.Parse();
        if (reparse != 0 && reparse != ErrOverflow)
            FuzzFault("printed text does not parse");
        if (reparse == 0) {
            CheckPrintIsStable(again);
            CheckDerivative(printed);
        }
        CheckCompiledForm(names.m_Root, mode);
        CExprNode copy;
        copy.CopyFrom(names.m_Root);
        if (copy.m_pLeft)
            copy.ReplaceWith(copy.m_pLeft);
        names.m_Root.m_dValue = names.m_Root.m_nKind == NodeNumber ? names.m_Root.m_dValue : 1.5;
        for (int m = 0; m <= 5; ++m) {
            names.m_ResultFormat.m_nMode = m;
            names.m_ResultFormat.SetDecimals(int(mode % 20) - 2);
            names.FormatNumber(names.m_Root.m_dValue);
        }
        names.m_nOneShotBase = Bases[mode & 3] == 10 ? 36 : Bases[mode & 3];
        names.FormatResultInBase();
    }
    CString name;
    CStringArray args;
    SplitFunctionCall(text, name, args, 0);
    names.SetVariableCount(variables);
    names.SetVariable(0, "v", 1);
    names.SetVariable(1, "a1e", 2);
    return 0;
}
