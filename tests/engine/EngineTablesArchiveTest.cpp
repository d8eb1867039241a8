// Stored sections of the engine's tables: byte-exact golden files under both decimal
// conventions, reading them back, and refusal of truncated and hostile bytes.
#include "engine/EngineTablesArchive.h"
#include "engine/CalcEngine.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "engine/UnitRegistry.h"
#include "engine/UserFunction.h"
#include "framework/core/CArchive.h"
#include "tests/engine/GoldenFile.h"
#include "tests/support/StoredBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using stored::Bytes;
using stored::Load;
using stored::Section;
using stored::Store;

void RemoveUserFunctions()
{
    while (GetUserFunctionCount() > 0)
        DeleteUserFunction(GetUserFunctionCount() - 1);
    ClearUnloadedUserFunctions();
}

class EngineTablesArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseDotSeparators();
        ResetIndependentVariables();
        ResetUnitRegistry();
        RemoveUserFunctions();
        GetUserConstants().clear();
    }
    void TearDown() override { SetUp(); }

    static void FillVariables(CCalcEngine& engine)
    {
        engine.AppendVariable("a", 2.5);
        engine.AppendVariable("Speed", -1e300);
    }
    static void FillExpressionVariables(CCalcEngine& engine)
    {
        engine.AddExpressionVariable("area", "r^2*PI");
        engine.AddExpressionVariable("half",
                                     GetLocaleSeparators().chDecimal == '.' ? "r/2.5" : "r/2,5");
    }
    static void FillUserFunctions()
    {
        CCalcEngine engine;
        ASSERT_EQ(engine.DefineUserFunction(GetLocaleSeparators().chList == ',' ? "f(a,b) = a*b+1"
                                                                                : "f(a;b) = a*b+1",
                                            false),
                  0);
        ASSERT_EQ(engine.DefineUserFunction("g(u) = sqrt(u)/2", false), 0);
        SetUserFunctionDescription(0, "product plus one");
    }
    static void FillUserConstants()
    {
        ASSERT_EQ(AddUserConstant("Answer", "m/s", "k42", 42), 0);
        GetUserConstants()[0].dUncertainty = 0.5;
        ASSERT_EQ(AddUserConstant("no symbol", "kg", "", 1), 0);
    }
    static void FillUserUnits()
    {
        ASSERT_EQ(AddUserUnit("smoot", "cm", 170.18), 0);
        ASSERT_EQ(AddUserUnit("double furlong", "m", 402.336), 0);
    }
};

TEST_F(EngineTablesArchiveTest, SectionsMatchTheirGoldenFilesUnderBothConventions)
{
    for (int comma = 0; comma < 2; ++comma) {
        SetUp();
        if (comma)
            UseCommaSeparators();
        const std::string suffix = comma ? "_comma.bin" : "_dot.bin";
        SCOPED_TRACE(suffix);
        CCalcEngine engine;
        FillVariables(engine);
        FillExpressionVariables(engine);
        FillUserFunctions();
        FillUserConstants();
        FillUserUnits();
        golden::Expect(("variables" + suffix).c_str(),
                       Store([&](CArchive& ar) { engine.SerializeVariables(ar); }));
        golden::Expect(("expression_variables" + suffix).c_str(),
                       Store([&](CArchive& ar) { engine.SerializeExpressionVariables(ar); }));
        golden::Expect(("user_functions" + suffix).c_str(),
                       Store(CCalcEngine::SerializeUserFunctions));
        golden::Expect(("user_constants" + suffix).c_str(),
                       Store(CCalcEngine::SerializeUserConstants));
        golden::Expect(("user_units" + suffix).c_str(), Store(CCalcEngine::SerializeUserUnits));
    }
}

TEST_F(EngineTablesArchiveTest, EmptySectionsAreFlagAndCountOnly)
{
    CCalcEngine engine;
    const Bytes empty = {1, 0, 0, 0, 0, 0, 0, 0};
    const Section sections[] = {
        [&](CArchive& ar) { engine.SerializeVariables(ar); },
        [&](CArchive& ar) { engine.SerializeExpressionVariables(ar); },
        CCalcEngine::SerializeUserFunctions,
        CCalcEngine::SerializeUserConstants,
        CCalcEngine::SerializeUserUnits,
    };
    for (const Section& section : sections)
        EXPECT_EQ(Store(section), empty);
    golden::Expect("empty_section.bin", Store(sections[0]));
}

TEST_F(EngineTablesArchiveTest, GoldenSectionsReadBack)
{
    CCalcEngine engine;
    ASSERT_TRUE(Load(golden::Read("variables_dot.bin"),
                     [&](CArchive& ar) { engine.SerializeVariables(ar); }));
    ASSERT_EQ(engine.GetVariableCount(), 2);
    EXPECT_STREQ(engine.GetVariableName(1), "Speed");
    EXPECT_EQ(engine.GetVariableValue(1), -1e300);

    ASSERT_TRUE(Load(golden::Read("user_functions_dot.bin"), CCalcEngine::SerializeUserFunctions));
    ASSERT_EQ(GetUserFunctionCount(), 2);
    EXPECT_STREQ(GetUserFunctionDefinition(0), "f(a,b) = a*b+1");
    EXPECT_STREQ(GetUserFunctionDescription(0), "product plus one");
    EXPECT_TRUE(GetUnloadedUserFunctions().empty());

    ASSERT_TRUE(Load(golden::Read("user_constants_dot.bin"), CCalcEngine::SerializeUserConstants));
    ASSERT_EQ(GetUserConstantCount(), 2);
    EXPECT_STREQ(GetUserConstants()[0].strSymbol, "k42");
    EXPECT_STREQ(GetUserConstants()[0].strUnit, "m/s");
    EXPECT_EQ(GetUserConstants()[0].dUncertainty, 0.5);

    ASSERT_TRUE(Load(golden::Read("user_units_dot.bin"), CCalcEngine::SerializeUserUnits));
    ASSERT_EQ(GetUserUnitCount(), 2);
    EXPECT_EQ(GetUserUnitName(1), "double furlong");
    EXPECT_EQ(GetUserUnitFactor(0), 170.18);
}

TEST_F(EngineTablesArchiveTest, ExpressionsWrittenUnderTheOtherConventionAreReencoded)
{
    // Written under the comma convention, read under the dot one.
    CCalcEngine engine;
    ASSERT_TRUE(Load(golden::Read("expression_variables_comma.bin"),
                     [&](CArchive& ar) { engine.SerializeExpressionVariables(ar); }));
    ASSERT_EQ(engine.GetExpressionVariableCount(), 2);
    EXPECT_STREQ(engine.GetExpressionVariableText(1), "r/2.5");

    ASSERT_TRUE(
        Load(golden::Read("user_functions_comma.bin"), CCalcEngine::SerializeUserFunctions));
    ASSERT_EQ(GetUserFunctionCount(), 2);
    EXPECT_STREQ(GetUserFunctionDefinition(0), "f(a,b) = a*b+1");

    // And the other way round.
    UseCommaSeparators();
    ASSERT_TRUE(Load(golden::Read("expression_variables_dot.bin"),
                     [&](CArchive& ar) { engine.SerializeExpressionVariables(ar); }));
    EXPECT_STREQ(engine.GetExpressionVariableText(1), "r/2,5");
}

TEST_F(EngineTablesArchiveTest, AUserFunctionThatNoLongerDefinesIsKeptAndWrittenBack)
{
    // g's body names h, which is not one of its parameters: the definition fails with 37.
    Bytes bytes = {1, 0, 0, 0, 2, 0, 0, 0};
    auto text = [&](const char* s) {
        bytes.push_back((unsigned char)std::strlen(s));
        bytes.insert(bytes.end(), s, s + std::strlen(s));
    };
    auto i32 = [&](int v) {
        for (int k = 0; k < 4; ++k)
            bytes.push_back((unsigned char)(unsigned(v) >> (8 * k)));
    };
    text("g"), text("u*h"), text("broken"), i32(1), text("u");
    text("k"), text("2*v"), text(""), i32(1), text("v");

    ASSERT_TRUE(Load(bytes, CCalcEngine::SerializeUserFunctions));
    ASSERT_EQ(GetUserFunctionCount(), 1);
    EXPECT_STREQ(GetUserFunctionName(0), "k");
    ASSERT_EQ(GetUnloadedUserFunctions().size(), 1u);
    EXPECT_EQ(GetUnloadedUserFunctions()[0].nErrorCode, ErrArgumentsNotMatching);
    EXPECT_STREQ(DescribeUnloadedUserFunction(GetUnloadedUserFunctions()[0]), "g(u) = u*h");

    // Written back: the defined one first, then the kept one, byte for byte as stored.
    Bytes expected = {1, 0, 0, 0, 2, 0, 0, 0};
    bytes.swap(expected);
    text("k"), text("2*v"), text(""), i32(1), text("v");
    text("g"), text("u*h"), text("broken"), i32(1), text("u");
    bytes.swap(expected);
    EXPECT_EQ(Store(CCalcEngine::SerializeUserFunctions), expected);

    // Once the user defines a g of their own, the kept one is not written again.
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineUserFunction("g(w) = w+1", false), 0);
    Load(Store(CCalcEngine::SerializeUserFunctions), CCalcEngine::SerializeUserFunctions);
    EXPECT_EQ(GetUserFunctionCount(), 2);
    EXPECT_TRUE(GetUnloadedUserFunctions().empty());
}

// Records whose name or parameters a typed definition would refuse: none may load as some other
// function (a parameter "a,b" as two, a trimmed or cut-off name as another); each is kept aside
// and written back byte for byte.
TEST_F(EngineTablesArchiveTest, StoredNamesPassTheChecksOfATypedDefinition)
{
    using namespace std::string_literals;
    struct Record {
        const char* what;
        std::string name, body;
        std::vector<std::string> params;
    };
    const Record records[] = {
        {"empty parameter", "f", "a", {"a", ""}},
        {"parameter holding a separator", "f", "a+b", {"a,b"}},
        {"parameter with a blank", "f", "a", {"a "}},
        {"name with a control character", "f\x01", "a", {"a"}},
        {"name with a blank", " f", "a", {"a"}},
        {"name cut by a NUL", "f\0g"s, "a", {"a"}},
        {"parameter cut by a NUL", "f", "a", {"a\0b"s}},
        {"body cut by a NUL", "f", "a\0+1"s, {"a"}},
        {"name holding a call", "f(b)", "a", {"a"}},
    };
    for (const Record& r : records) {
        SCOPED_TRACE(r.what);
        Bytes bytes = {1, 0, 0, 0, 1, 0, 0, 0};
        auto text = [&](const std::string& t) {
            bytes.push_back((unsigned char)t.size());
            bytes.insert(bytes.end(), t.begin(), t.end());
        };
        text(r.name), text(r.body), text("");
        bytes.push_back((unsigned char)r.params.size());
        bytes.insert(bytes.end(), 3, 0);
        for (const std::string& param : r.params)
            text(param);
        ASSERT_TRUE(Load(bytes, CCalcEngine::SerializeUserFunctions));
        EXPECT_EQ(GetUserFunctionCount(), 0);
        EXPECT_EQ(GetUnloadedUserFunctions().size(), 1u);
        EXPECT_EQ(Store(CCalcEngine::SerializeUserFunctions), bytes);
        RemoveUserFunctions();
    }
}

TEST_F(EngineTablesArchiveTest, ZeroUserConversionsLeaveTheBuiltInUnits)
{
    FillUserUnits();
    const int all = GetUnitRecordCount();
    ASSERT_TRUE(Load({1, 0, 0, 0, 0, 0, 0, 0}, CCalcEngine::SerializeUserUnits));
    EXPECT_EQ(GetUserUnitCount(), 0);
    EXPECT_EQ(GetUnitRecordCount(), all - 2);
}

struct GoldenReader {
    const char* file;
    Section read;
};

TEST_F(EngineTablesArchiveTest, TruncatedSectionsAreRefusedAndChangeNothing)
{
    CCalcEngine engine;
    const GoldenReader readers[] = {
        {"variables_dot.bin", [&](CArchive& ar) { engine.SerializeVariables(ar); }},
        {"expression_variables_dot.bin",
         [&](CArchive& ar) { engine.SerializeExpressionVariables(ar); }},
        {"user_functions_dot.bin", CCalcEngine::SerializeUserFunctions},
        {"user_constants_dot.bin", CCalcEngine::SerializeUserConstants},
        {"user_units_dot.bin", CCalcEngine::SerializeUserUnits},
    };
    for (const GoldenReader& reader : readers) {
        SCOPED_TRACE(reader.file);
        const Bytes whole = golden::Read(reader.file);
        ASSERT_FALSE(whole.empty());
        engine.AppendVariable("keep", 1);
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const Bytes part(whole.begin(), whole.begin() + std::ptrdiff_t(length));
            EXPECT_FALSE(Load(part, reader.read)) << "length " << length;
        }
        EXPECT_EQ(engine.GetVariableCount(), 1);
        EXPECT_EQ(engine.GetExpressionVariableCount(), 0);
        EXPECT_EQ(GetUserFunctionCount(), 0);
        EXPECT_EQ(GetUserConstantCount(), 0);
        EXPECT_EQ(GetUserUnitCount(), 0);
        engine.ClearTables();
    }
}

TEST_F(EngineTablesArchiveTest, HostileCountsAndLengthsAreRefused)
{
    const Bytes cases[] = {
        {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}, // two thousand million records
        {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, // a negative count
        {1, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, // a 4 GB name
        {1, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0x10, 0x27},                         // a 10000-byte name
    };
    CCalcEngine engine;
    const Section sections[] = {
        [&](CArchive& ar) { engine.SerializeVariables(ar); },
        [&](CArchive& ar) { engine.SerializeExpressionVariables(ar); },
        CCalcEngine::SerializeUserFunctions,
        CCalcEngine::SerializeUserConstants,
        CCalcEngine::SerializeUserUnits,
    };
    for (const bool stream : {false, true})
        for (std::size_t c = 0; c < std::size(cases); ++c)
            for (std::size_t s = 0; s < std::size(sections); ++s)
                EXPECT_FALSE(Load(cases[c], sections[s], stream))
                    << "case " << c << ", section " << s << (stream ? ", stream" : "");

    // A parameter count beyond the bytes left in a user function.
    const Bytes parameters = {1, 0,   0, 0,    1,    0,    0,    0, 1,  'g',
                              1, 'u', 0, 0xFF, 0xFF, 0xFF, 0x7F, 1, 'u'};
    EXPECT_FALSE(Load(parameters, CCalcEngine::SerializeUserFunctions));
    EXPECT_FALSE(Load(parameters, CCalcEngine::SerializeUserFunctions, true));
}

} // namespace
