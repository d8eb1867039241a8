// Solver models: equations, solving for one variable, transactional edits and the stored form.
#include "engine/SolverModel.h"
#include "engine/LocaleSeparators.h"
#include "framework/core/CArchive.h"
#include "tests/engine/GoldenFile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class SolverModelTest : public ::testing::Test {
protected:
    void SetUp() override { UseDotSeparators(); }
    void TearDown() override { UseDotSeparators(); }
};

std::vector<unsigned char> Store(CSolverModel& model)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        model.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> data = file.Detach();
    return std::vector<unsigned char>(data.begin(), data.end());
}

bool Load(const std::vector<unsigned char>& bytes, CSolverModel& model)
{
    CMemFile file(bytes.data(), UINT(bytes.size()));
    try {
        CArchive ar(&file, CArchive::load);
        model.Serialize(ar);
        ar.Close();
    } catch (const CArchiveException&) {
        return false;
    }
    return true;
}

TEST_F(SolverModelTest, SolvesForEachVariable)
{
    CSolverModel model;
    ASSERT_EQ(model.SetEquation("  x^2 = 2 "), 0);
    EXPECT_STREQ(model.m_strEquation, "x^2 = 2");
    EXPECT_STREQ(model.GetExpressionText(), "x^2-(2)");
    ASSERT_EQ(model.GetVariableCount(), 1);
    model.m_dMinimum = -10;
    model.m_dMaximum = 10;
    std::vector<double> roots;
    ASSERT_EQ(model.Solve(0, roots), 0);
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_NEAR(roots[0], -1.41421356, 1e-5);
    EXPECT_NEAR(roots[1], 1.41421356, 1e-5);

    ASSERT_EQ(model.SetEquation("a*b = 6"), 0);
    ASSERT_EQ(model.GetVariableCount(), 2);
    EXPECT_STREQ(model.GetVariableName(0), "a");
    EXPECT_STREQ(model.GetVariableName(1), "b");
    model.SetVariable(0, "a", 2);
    roots.clear();
    ASSERT_EQ(model.Solve(1, roots), 0);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_NEAR(roots[0], 3, 1e-5);
}

TEST_F(SolverModelTest, RefusedEquations)
{
    const struct {
        const char* text;
        EngineErrorCode code;
    } cases[] = {
        {"", ErrInvalidEquation},
        {"   ", ErrInvalidEquation},
        {"= 5", ErrInvalidEquation},
        {"5 =", ErrInvalidEquation},
        {"2 = 2", ErrInvalidEquation},
        {"a*(b = 2", ErrUnbalancedParenthesis},
        {"a = b = c", ErrUnexpectedCharacter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CSolverModel model;
        EXPECT_EQ(model.SetEquation(c.text), c.code);
    }
}

void ExpectRoots(const std::vector<double>& roots, const std::vector<double>& expected)
{
    ASSERT_EQ(roots.size(), expected.size());
    std::size_t i = 0;
    for (double root : expected)
        EXPECT_NEAR(roots[i++], root, 1e-5);
}

TEST_F(SolverModelTest, SolveReportsWhatItCannotDo)
{
    CSolverModel model;
    ASSERT_EQ(model.SetEquation("x^2 = -1"), 0);
    model.m_dMinimum = -10;
    model.m_dMaximum = 10;
    std::vector<double> roots;
    EXPECT_EQ(model.Solve(0, roots), ErrNoSolutions);
    EXPECT_EQ(model.Solve(1, roots), ErrInvalidVariable);
    EXPECT_EQ(model.Solve(-1, roots), ErrInvalidVariable);
    model.m_dMinimum = 10;
    EXPECT_EQ(model.Solve(0, roots), ErrBadArgument);
    EXPECT_TRUE(roots.empty());

    // A plain expression is taken as equal to 0, also when it ends in a postfix operator.
    ASSERT_EQ(model.SetEquation("(x-3)%"), 0);
    model.m_dMinimum = -10;
    ASSERT_EQ(model.Solve(0, roots), 0);
    ASSERT_EQ(model.Solve(0, roots), 0);
    ExpectRoots(roots, {3, 3});
}

TEST_F(SolverModelTest, AFailedEditChangesNothing)
{
    CSolverModel model;
    ASSERT_EQ(model.SetEquation("a*b = 6"), 0);
    model.SetVariable(0, "a", 2);
    for (const char* bad : {"a*(b = 6", "= 6", "1 = 1", "a*b = sin("}) {
        SCOPED_TRACE(bad);
        EXPECT_NE(model.SetEquation(bad), 0);
        EXPECT_STREQ(model.m_strEquation, "a*b = 6");
        ASSERT_EQ(model.GetVariableCount(), 2);
        EXPECT_EQ(model.GetVariableValue(0), 2);
        model.m_dMinimum = -10;
        model.m_dMaximum = 10;
        std::vector<double> roots;
        ASSERT_EQ(model.Solve(1, roots), 0);
        EXPECT_NEAR(roots.at(0), 3, 1e-5);
    }
}

TEST_F(SolverModelTest, AnEditKeepsTheValuesOfNamesThatRemain)
{
    CSolverModel model;
    ASSERT_EQ(model.SetEquation("a*b = 6"), 0);
    model.SetVariable(0, "a", 2);
    model.SetVariable(1, "b", 7);
    ASSERT_EQ(model.SetEquation("c + A*d = 1"), 0);
    ASSERT_EQ(model.GetVariableCount(), 3);
    EXPECT_STREQ(model.GetVariableName(1), "A");
    EXPECT_EQ(model.GetVariableValue(0), 0); // c is new
    EXPECT_EQ(model.GetVariableValue(1), 2); // a, whatever its case now
    EXPECT_EQ(model.GetVariableValue(2), 0);
}

CSolverModel* ProductModel()
{
    auto* model = new CSolverModel;
    EXPECT_EQ(model->SetEquation("a*b = 6"), 0);
    model->SetVariable(0, "a", 2);
    model->m_strLabel = "Model 1";
    model->m_strNote = "area of a rectangle";
    model->m_dMinimum = -10;
    model->m_dMaximum = 10;
    model->m_dValue = 3;
    model->m_SolverFormat.SetDecimals(5);
    return model;
}

TEST_F(SolverModelTest, StoredFormMatchesItsGoldenFileAndReloadsWithItsValues)
{
    std::unique_ptr<CSolverModel> model(ProductModel());
    const auto bytes = Store(*model);
    golden::Expect("solver_model_dot.bin", bytes);

    CSolverModel loaded;
    ASSERT_TRUE(Load(golden::Read("solver_model_dot.bin"), loaded));
    EXPECT_STREQ(loaded.m_strLabel, "Model 1");
    EXPECT_STREQ(loaded.m_strNote, "area of a rectangle");
    EXPECT_STREQ(loaded.m_strEquation, "a*b = 6"); // same convention: the text as stored
    EXPECT_EQ(loaded.m_dMinimum, -10);
    EXPECT_EQ(loaded.m_dValue, 3);
    EXPECT_EQ(loaded.m_SolverFormat.m_nDecimals, 5);
    EXPECT_DOUBLE_EQ(loaded.m_SolverFormat.m_dRoundingUnit, 1e-5);
    // The reader of the model list sets the equation again; the stored values stay.
    ASSERT_EQ(loaded.SetEquation(loaded.m_strEquation), 0);
    ASSERT_EQ(loaded.GetVariableCount(), 2);
    EXPECT_EQ(loaded.GetVariableValue(0), 2);
    std::vector<double> roots;
    ASSERT_EQ(loaded.Solve(1, roots), 0);
    EXPECT_NEAR(roots.at(0), 3, 1e-5);
}

TEST_F(SolverModelTest, AnEquationStoredUnderTheCommaConventionReadsUnderTheDotOne)
{
    UseCommaSeparators();
    CSolverModel model;
    ASSERT_EQ(model.SetEquation("x = 2,5"), 0);
    const auto bytes = Store(model);
    golden::Expect("solver_model_comma.bin", bytes);
    UseDotSeparators();
    CSolverModel loaded;
    ASSERT_TRUE(Load(bytes, loaded));
    EXPECT_STREQ(loaded.m_strEquation, "x=2.5");
}

TEST_F(SolverModelTest, DamagedDecimalsReadAsTwo)
{
    std::unique_ptr<CSolverModel> model(ProductModel());
    for (int decimals : {20, -1, 17}) {
        model->m_SolverFormat.m_nDecimals = decimals;
        CSolverModel loaded;
        ASSERT_TRUE(Load(Store(*model), loaded));
        EXPECT_EQ(loaded.m_SolverFormat.m_nDecimals, 2) << decimals;
        EXPECT_DOUBLE_EQ(loaded.m_SolverFormat.m_dRoundingUnit, 0.01);
    }
}

TEST_F(SolverModelTest, TruncatedModelsAreRefusedAndChangeNothing)
{
    std::unique_ptr<CSolverModel> model(ProductModel());
    const auto bytes = Store(*model);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        CSolverModel loaded;
        ASSERT_EQ(loaded.SetEquation("q = 1"), 0);
        const std::vector<unsigned char> part(bytes.begin(),
                                              bytes.begin() + std::ptrdiff_t(length));
        EXPECT_FALSE(Load(part, loaded)) << "length " << length;
        EXPECT_STREQ(loaded.m_strEquation, "q = 1");
        EXPECT_EQ(loaded.GetVariableCount(), 1);
    }
}

} // namespace
