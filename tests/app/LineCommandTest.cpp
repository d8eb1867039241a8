#include "app/LineCommand.h"

#include "app/ItemTypes.h"
#include "engine/CalcEngine.h"
#include "engine/EngineNames.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"
#include "plot/AnalysisResult.h"
#include "plot/FunctionPlot.h"
#include "plot/Plot2D.h"
#include "plot/SurfacePlot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Keeps what the line command hands to the project and describes it in one line.
class RecordingHost : public ILineCommandHost {
public:
    int GetSelectedKind() const override { return nSelectedKind; }
    void RefreshGrid() override { log += "[grid]"; }
    void AddResultItem(int kind, CObject* pObject) override
    {
        items.emplace_back(pObject);
        if (auto* graph = dynamic_cast<CFunctionPlot*>(pObject))
            log += "[" + std::to_string(kind) + " " + Describe(*graph) + "]";
        else if (auto* surface = dynamic_cast<CSurfacePlot*>(pObject))
            log += "[" + std::to_string(kind) + " " + Describe(*surface) + "]";
    }
    void ShowMessage(const CString& text) override
    {
        log += "[message " + std::string(text.GetString()) + "]";
    }

    static std::string Number(double x) { return numtext::Shortest(x, '.').GetString(); }
    static std::string Describe(const CFunctionPlot& g)
    {
        return std::string(g.GetLabel().GetString()) + " " + Number(g.m_dDomainMin) + ".." +
               Number(g.m_dDomainMax) + (g.m_bModified ? " modified" : "");
    }
    static std::string Describe(const CSurfacePlot& s)
    {
        return std::string(s.GetEquationText().GetString()) + " " + Number(s.m_dXMin) + ".." +
               Number(s.m_dXMax) + " " + Number(s.m_dYMin) + ".." + Number(s.m_dYMax) + " " +
               Number(s.m_dZMin) + ".." + Number(s.m_dZMax) + (s.m_bAutoSize ? " auto" : "");
    }

    int nSelectedKind = ItemNone;
    std::string log;
    std::vector<std::unique_ptr<CObject>> items;
};

struct LineCase {
    const char* line;
    int code;
    int position;
    int length;
    const char* answer;
    const char* project; // what reached the project
};

class LineCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeGlobalSymbolTables();
        ResetIndependentVariables();
        UseDotSeparators();
        functionPlot.m_dXMin = -4;
        functionPlot.m_dXMax = 6;
    }
    void TearDown() override
    {
        FreeGlobalSymbolTables();
        ResetIndependentVariables();
        UseDotSeparators();
    }

    void Expect(std::initializer_list<LineCase> cases)
    {
        for (const LineCase& c : cases) {
            host.log.clear();
            command.ExecuteLine(c.line);
            const LineError& e = command.GetError();
            EXPECT_EQ(e.nCode, c.code) << "line \"" << c.line << "\"";
            EXPECT_EQ(e.nPosition, c.position) << "line \"" << c.line << "\"";
            EXPECT_EQ(e.nLength, c.length) << "line \"" << c.line << "\"";
            EXPECT_STREQ(result.GetText(), c.answer) << "line \"" << c.line << "\"";
            EXPECT_EQ(host.log, c.project) << "line \"" << c.line << "\"";
        }
    }

    CCalcEngine engine;
    CAnalysisResult result;
    CPlot2D functionPlot;
    CFunctionPlot graphTemplate;
    CSurfacePlot surfaceTemplate;
    RecordingHost host;
    LineCommand command{engine, result, functionPlot, graphTemplate, surfaceTemplate, host};
};

TEST_F(LineCommandTest, BlankCommentAndEqualSignLines)
{
    Expect({
        {"", 0, -1, 0, "", ""},
        {"   \t ", 0, -1, 0, "", ""},
        {"' 2+3", 0, -1, 0, "", ""},
        {"   ' a = 5 -> b", 0, -1, 0, "", ""},
        {"=", 0, -1, 0, "", ""},
        {"  = ", 0, -1, 0, "", ""},
        {"2+3*4", 0, -1, 0, "14", ""},
        {"  2+3=", 0, -1, 0, "5", ""},
        // A blank after the "=" makes it a definition of the name "2+3".
        {"2+3= ", ErrInvalidName, -1, 0, "", ""},
        // Parse errors count from the text handed in, leading blanks included.
        {"1+", ErrDanglingOperator, 1, 1, "", ""},
        {"   1+", ErrDanglingOperator, 4, 1, "", ""},
        {"\t2*(3", ErrUnbalancedParenthesis, 3, 1, "", ""},
        {"1/0", ErrDivisionByZero, -1, 0, "", ""},
    });
}

TEST_F(LineCommandTest, PlotCommands)
{
    Expect({
        {"plot(x^2)", 0, -1, 0, "", "[3 y = x^2 -4..6 modified]"},
        {"PLOT(x^2)", 0, -1, 0, "", "[3 y = x^2 -4..6 modified]"},
        {"Plot(x^2, 5, 1)", 0, -1, 0, "", "[3 y = x^2 1..5 modified]"},
        {"plot(x^2, 2, 2)", 0, -1, 0, "", "[3 y = x^2 1..2 modified]"},
        {"plot(x^2, 2*pi, 0)=", 0, -1, 0, "", "[3 y = x^2 0..6.283185307179586 modified]"},
        {"plot(r=4*sin(5*t))", 0, -1, 0, "", "[3 r = 4*sin(5*t) -4..6 modified]"},
        {"plot(x = cos(t); y = sin(t), 0, 1)", 0, -1, 0, "",
         "[3 x = cos(t); y = sin(t) 0..1 modified]"},
        {"plot(x^2, 1)", ErrWrongArgumentCount, -1, 0, "", ""},
        {"plot(x^2, 1, 2, 3)", ErrWrongArgumentCount, -1, 0, "", ""},
        {"plot(y = )", ErrInvalidEquation, -1, 0, "", ""},
        {"plot(x^2+, 1, 2)", ErrDanglingOperator, -1, 0, "", ""},
        // Bounds: no value, no finite value, or a pair that stays equal add nothing.
        {"plot(x^2, 2*, 1)", ErrDanglingOperator, -1, 0, "", ""},
        {"plot(x^2, 1e308*10, 1)", ErrRange, -1, 0, "", ""},
        {"plot(x^2, 1, -1e308*10)", ErrRange, -1, 0, "", ""},
        {"plot(x^2, 1e999, 1)", ErrBadNumber, -1, 0, "", ""},
        {"plot(x^2, inf, 1)", ErrPositiveInfinity, -1, 0, "", ""},
        {"plot(x^2, 0x1p3, 1)", ErrBadNumber, -1, 0, "", ""},
        {"plot(x^2, 0x10, 1)", 0, -1, 0, "", "[3 y = x^2 1..16 modified]"},
        {"plot(x^2, 1e17, 1e17)", ErrInvalidRange, -1, 0, "", ""},
        {"plot(x^2, 9007199254740990, 9007199254740990)", 0, -1, 0, "",
         "[3 y = x^2 9.007199254740989e+015..9.00719925474099e+015 modified]"},
        // Not a command: the engine's own plot() wants its arguments.
        {"plot()", ErrWrongArgumentCount, 5, 1, "", ""},
        {"fzeros(x)", 0, -1, 0, "", ""},
        {"FZeros(x^2-1, 1, 2)", 0, -1, 0, "", ""},
    });
}

TEST_F(LineCommandTest, SurfaceCommands)
{
    Expect({
        {"plot3d(x*y)", 0, -1, 0, "", "[15 z = x*y -3..3 -3..3 -3..3 auto]"},
        {"PLOT3D(x*y, 2, 1, 3, 4)", 0, -1, 0, "", "[15 z = x*y 1..2 3..4 -3..3 auto]"},
        {"plot3d(x*y, 1, 2, 3, 4, 6, 5)", 0, -1, 0, "", "[15 z = x*y 1..2 3..4 5..6]"},
        {"plot3d(x*y, 1, 1, 3, 3)", 0, -1, 0, "", "[15 z = x*y 0..1 2..3 -3..3 auto]"},
        {"plot3d(x*y, 1, 2, 3)", ErrWrongArgumentCount, -1, 0, "", ""},
        {"plot3d(x*y, 1, 2, 3, 4, 5)", ErrWrongArgumentCount, -1, 0, "", ""},
        {"plot3d(x*y*, 1, 2, 3, 4)", ErrDanglingOperator, -1, 0, "", ""},
        {"plot3d(x*y, 1, 2, 3, 1/0)", ErrDivisionByZero, -1, 0, "", ""},
    });
}

TEST_F(LineCommandTest, DerivativesStoresAndDefinitions)
{
    host.nSelectedKind = ItemVariables;
    Expect({
        {"sdiff(x^3)", 0, -1, 0, "3*x^2", ""},
        {"SDiff(t^2, t)", 0, -1, 0, "2*t", ""},
        {"sdiff(x^2, 2)", ErrInvalidName, -1, 0, "", ""},
        // Without arguments it is no command but an unknown function.
        {"sdiff()", ErrUnrecognizedFunction, 0, 5, "", ""},
        {"sin(3)+cos(3) -> a", 0, -1, 0, "", "[grid]"},
        {"1 -> 2", ErrInvalidName, -1, 0, "", ""},
        {"->", ErrInvalidName, -1, 0, "", ""},
        {"-> 5", ErrInvalidName, -1, 0, "", ""},
        // "->" is looked for before "=": the expression "b = 1" does not parse.
        {"b = 1 -> c", ErrUnrecognizedFunction, -1, 0, "", ""},
        // Definitions answer in the result format, never in the display base.
        {"b = 0x1f", 0, -1, 0, "31", ""},
        {"0x1f", 0, -1, 0, "0X1F", ""},
        {"f(q) = q^2", 0, -1, 0, "", ""},
        {"f(x) = x^2", ErrArgumentsNotMatching, -1, 0, "", ""},
        {"x = 5", ErrPredefinedName, -1, 0, "", ""},
        {"c = 1/0", ErrDivisionByZero, -1, 0, "", ""},
    });
    EXPECT_EQ(engine.GetVariableCount(), 1);
    EXPECT_EQ(engine.FindExpressionVariable("b"), 0);
    EXPECT_EQ(engine.FindExpressionVariable("x"), -1);

    // The grid refreshes only for the kind of name the selection shows.
    host.nSelectedKind = ItemExpressionVariables;
    Expect({{"e = 2", 0, -1, 0, "2", "[grid]"}, {"3 -> v", 0, -1, 0, "", ""}});
    host.nSelectedKind = ItemUserFunctions;
    Expect({{"g(q) = q+1", 0, -1, 0, "", "[grid]"}, {"e = 3", 0, -1, 0, "3", ""}});
}

TEST_F(LineCommandTest, OnlyPlainEvaluationSetsTheLastAnswer)
{
    command.ExecuteLine("2+3");
    for (const char* line : {"a = 7", "9 -> v", "sdiff(x^3)", "plot(x^2)", "plot3d(x*y)",
                             "fzeros(x)", "' 1", "1+", "f(q) = q", "ANS*0 -> w"}) {
        command.ExecuteLine(line);
        EXPECT_EQ(engine.m_dLastAnswer, 5) << line;
    }
    Expect({{"*2", ErrDanglingOperator, 0, 1, "", ""}, {"ANS*2", 0, -1, 0, "10", ""}});
    EXPECT_EQ(engine.m_dLastAnswer, 10);
}

TEST_F(LineCommandTest, LongestLinesEvaluate)
{
    std::string nested = std::string(499, '(') + "1" + std::string(499, ')');
    std::string chain = "1";
    for (int i = 0; i < 499; ++i)
        chain += "+1";
    Expect({{nested.c_str(), 0, -1, 0, "1", ""}, {chain.c_str(), 0, -1, 0, "500", ""}});
}

TEST_F(LineCommandTest, GraphsFromTheAddGraphDialog)
{
    EXPECT_FALSE(command.CreateFunctionGraph("x^", "", GraphRectangular, 0, 1, -1, -1, -1));
    EXPECT_FALSE(command.CreateFunctionGraph("x^2", "", GraphRectangular, 1, 1, -1, -1, -1));
    EXPECT_FALSE(command.CreateFunctionGraph("x^2", "", GraphRectangular, 0, 1e308 * 10, 0, 0, 1));
    EXPECT_TRUE(command.CreateFunctionGraph("sin(t)", "", GraphPolar, -1, 2, 0xFF, 2, 3));
    EXPECT_EQ(host.log, "[message Dangling operator]"
                        "[message The domain you've entered is invalid]"
                        "[message The domain you've entered is invalid]"
                        "[3 r = sin(t) -1..2 modified]");
    auto* graph = dynamic_cast<CFunctionPlot*>(host.items.back().get());
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->m_crColour, COLORREF(0xFF));
    EXPECT_EQ(graph->m_nPenStyle, 2);
    EXPECT_EQ(graph->m_nPenWidth, 3);
}

TEST_F(LineCommandTest, NumbersOfBoundsAndCells)
{
    struct Case {
        const char* text;
        double value;
        int code;
    };
    auto check = [this](std::initializer_list<Case> cases) {
        for (const Case& c : cases) {
            int code = -1;
            EXPECT_EQ(ParseNumber(engine, c.text, &code), c.value) << c.text;
            EXPECT_EQ(code, c.code) << c.text;
            EXPECT_EQ(ParseNumber(engine, c.text), c.value) << c.text;
        }
    };
    check({
        {"1.5", 1.5, 0},
        {" -2e3 ", -2000, 0},
        {"2*3", 6, 0},
        {"", 0, 0},
        {"0x10", 16, 0},
        {"2*", 0, ErrDanglingOperator},
        {"inf", 0, ErrPositiveInfinity},
        {"nan", 0, ErrUnrecognizedFunction},
        {"0x1p3", 0, ErrBadNumber},
    });
    UseCommaSeparators();
    check({{"1,5", 1.5, 0}, {"1.5", 0, ErrBadNumber}});
}

} // namespace
