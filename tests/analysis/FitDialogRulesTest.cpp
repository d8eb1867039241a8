// The checks and texts of the fit and matrix dialogs, without windows.
#include "analysis/FitDialogRules.h"
#include "analysis/MatrixObject.h"
#include "tests/analysis/FitTestSupport.h"

namespace {

using FitDialogRulesTest = FitTest;

TEST_F(FitDialogRulesTest, UserEquationsMustBeUsableModels)
{
    const struct {
        const char* equation;
        const char* message;
    } cases[] = {
        {"  ", "Please enter an equation."},
        {"a*x+y", "Reserved name"},
        {"2*x", "At least one fit parameter is required"},
        {"a*(x", "Unbalanced parenthesis"},
        {" a*exp(b*x) ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckModelEquation(c.equation, 1022).strMessage, c.message) << c.equation;
    }
}

TEST_F(FitDialogRulesTest, PreviewsNeedThreeBarSeparatedParts)
{
    const struct {
        const char* preview;
        BOOL bRead;
        const char* expression;
        double xMin, xMax;
    } cases[] = {
        {"exp(x)|0|10", TRUE, "exp(x)", 0, 10}, {"sin(X)|-6.3|6.3", TRUE, "sin(X)", -6.3, 6.3},
        {"x^2| -10 |ten", TRUE, "x^2", -10, 0}, {"x^2|1", FALSE, "", 0, 0},
        {"x|1|2|3", FALSE, "", 0, 0},           {"", FALSE, "", 0, 0},
    };
    for (const auto& c : cases) {
        CString expression;
        double xMin = 0, xMax = 0;
        ASSERT_EQ(ReadModelPreview(c.preview, expression, xMin, xMax), c.bRead) << c.preview;
        if (!c.bRead)
            continue;
        EXPECT_EQ(expression, c.expression) << c.preview;
        EXPECT_EQ(xMin, c.xMin) << c.preview;
        EXPECT_EQ(xMax, c.xMax) << c.preview;
    }
}

TEST_F(FitDialogRulesTest, IterationLimitsOutsideOneToTenThousandKeepTheOldOne)
{
    const struct {
        const char* text;
        int limit;
    } cases[] = {{"50", 50},   {" 10000 ", 10000}, {"1", 1}, {"0", 7},
                 {"20000", 7}, {"abc", 7},         {"", 7},  {"2.5", 7}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadIterationLimit(c.text, 7), c.limit) << c.text;
}

TEST_F(FitDialogRulesTest, MatrixOperationsNameTheirResultAndCheckShapes)
{
    EXPECT_EQ(MatrixOperationName(MatrixAdd, "A", "B"), "Sum of A and B");
    EXPECT_EQ(MatrixOperationName(MatrixSubtract, "A", "B"), "Difference of A and B");
    EXPECT_EQ(MatrixOperationName(MatrixMultiply, "A", "A"), "Product of A and A");
    const char* kSame = "The matrices must be of the same dimensions for this operation.";
    const char* kInner = "The number of columns in the first matrix must be the same as the "
                         "number of rows in the second matrix for this operation.";
    const struct {
        const char* name;
        int operation, r1, c1, r2, c2;
        const char* message;
    } cases[] = {
        {" ", MatrixAdd, 2, 2, 2, 2, "Please enter a name for the result matrix."},
        {"S", MatrixAdd, 2, 2, 2, 2, ""},
        {"S", MatrixSubtract, 2, 3, 3, 2, kSame},
        {"P", MatrixMultiply, 2, 3, 3, 2, ""},
        {"P", MatrixMultiply, 2, 3, 2, 3, kInner},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            CheckMatrixOperation(c.name, c.operation, c.r1, c.c1, c.r2, c.c2, 1281).strMessage,
            c.message)
            << c.name << " " << c.operation;
    EXPECT_EQ(RenameRefusedText(TRUE, "Mine"),
              "Category Mine already exists.  Please provide a different name.");
}

} // namespace
