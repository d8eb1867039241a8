// The user-data file: the run's definitions kept from one start to the next, a missing folder,
// a damaged file set aside, a failed write that keeps the old file, and definitions that no
// longer load written back unchanged.
#include "app/DocumentSettings.h"
#include "app/ProjectWindows.h"
#include "app/UserDefinitions.h"
#include "engine/CalcEngine.h"
#include "engine/EngineNames.h"
#include "engine/EngineStartup.h"
#include "engine/EngineTablesArchive.h"
#include "engine/LocaleSeparators.h"
#include "engine/SolverModel.h"
#include "engine/UnitRegistry.h"
#include "tests/app/RecordingWindows.h"
#include "tests/engine/GoldenFile.h"
#include "tests/support/StoredBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;

stored::Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return stored::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const stored::Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class UserDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeGlobalSymbolTables();
        InitCalcEngine();
        UseDotSeparators();
        folder = fs::temp_directory_path() /
                 ("zivra-users-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        path = folder / "sub" / "users.dat";
    }
    void TearDown() override
    {
        ClearUnloadedUserFunctions();
        FreeGlobalSymbolTables();
        ResetIndependentVariables();
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(folder, ec);
    }

    void Define(UserDefinitions& data)
    {
        CCalcEngine engine;
        ASSERT_EQ(engine.DefineUserFunction("sq(u) = u*u", false), 0);
        ASSERT_EQ(AddUserConstant("Answer", "m", "k42", 42), 0);
        ASSERT_EQ(AddUserUnit("span", "m", 0.2286), 0);
        DocumentSettings settings;
        ASSERT_EQ(data.AddSolverModel("a*b = 6", "area", settings), 0);
        data.GetUserModels().AddModel("Mine", "Line", "a+b*x", "", "");
    }
    static std::string Summary(UserDefinitions& data)
    {
        std::string s = std::to_string(GetUserFunctionCount()) + " functions, " +
                        std::to_string(GetUserConstantCount()) + " constants, " +
                        std::to_string(GetUserUnitCount()) + " units, " +
                        std::to_string(data.GetSolverModelCount()) + " models, " +
                        std::to_string(data.GetUserModels().GetCategoryCount()) + " categories";
        return s;
    }

    fs::path folder, path;
    RecordingPrompts prompts;
};

TEST_F(UserDataTest, DefinitionsComeBackAndTheMissingFolderIsMade)
{
    UserDefinitions first;
    first.SetPath(path.string().c_str());
    first.Read(prompts); // neither file nor folder: silent, nothing loaded
    EXPECT_EQ(Summary(first), "0 functions, 0 constants, 0 units, 0 models, 0 categories");
    Define(first);
    first.Write(prompts);
    EXPECT_TRUE(fs::exists(path));
    first.Clear();

    UserDefinitions second;
    second.SetPath(path.string().c_str());
    second.Read(prompts);
    EXPECT_EQ(Summary(second), "1 functions, 1 constants, 1 units, 1 models, 1 categories");
    EXPECT_STREQ(second.GetSolverModel(0)->m_strEquation, "a*b = 6");
    EXPECT_STREQ(second.GetSolverModel(0)->m_strLabel, "area");
    EXPECT_TRUE(prompts.log.empty()) << prompts.log;
}

TEST_F(UserDataTest, OneOfEachDefinitionIsTheGoldenFile)
{
    UserDefinitions data;
    Define(data);
    const stored::Bytes bytes = stored::Store([&](CArchive& ar) { data.Serialize(ar); });
    golden::Expect("users_one_each.dat", bytes);
    // The sections follow one another: the last is the regression models, one category.
    const stored::Bytes library = stored::Builder()
                                      .I32(1)
                                      .Text("Mine")
                                      .I32(1)
                                      .I32(1)
                                      .Text("Mine")
                                      .Text("Line")
                                      .Text("a+b*x")
                                      .Text("")
                                      .Text("")
                                      .Get();
    ASSERT_GT(bytes.size(), library.size());
    EXPECT_TRUE(
        std::equal(library.begin(), library.end(), bytes.end() - std::ptrdiff_t(library.size())));
    data.Clear();

    UserDefinitions loaded;
    ASSERT_TRUE(stored::Load(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(Summary(loaded), "1 functions, 1 constants, 1 units, 1 models, 1 categories");
    EXPECT_EQ(stored::Store([&](CArchive& ar) { loaded.Serialize(ar); }), bytes);

    // Every shorter file, and counts the file cannot hold, are refused.
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        UserDefinitions cut;
        EXPECT_FALSE(stored::Load(stored::Bytes(bytes.begin(), bytes.begin() + std::ptrdiff_t(n)),
                                  [&](CArchive& ar) { cut.Serialize(ar); }))
            << "prefix " << n;
        cut.Clear();
    }
    for (std::int64_t count : {-1, 0x7FFFFFFF}) {
        const stored::Bytes models =
            stored::Builder().I32(1).I32(0).I32(1).I32(0).I32(1).I32(0).I32(count).Get();
        EXPECT_FALSE(stored::Load(models, [&](CArchive& ar) { loaded.Serialize(ar); })) << count;
    }
}

TEST_F(UserDataTest, ADamagedFileLoadsNothingAndIsKeptAside)
{
    UserDefinitions writer;
    writer.SetPath(path.string().c_str());
    Define(writer);
    writer.Write(prompts);
    writer.Clear();
    stored::Bytes bytes = ReadFile(path);
    bytes.resize(bytes.size() - 3);
    WriteFile(path, bytes);
    WriteFile(path.string() + ".bad", {1}); // taken: the next free name is used

    UserDefinitions data;
    data.SetPath(path.string().c_str());
    data.Read(prompts);
    EXPECT_EQ(Summary(data), "0 functions, 0 constants, 0 units, 0 models, 0 categories");
    EXPECT_EQ(prompts.CountOf("[message]"), 1);
    EXPECT_NE(prompts.log.find("users.dat.bad2"), std::string::npos) << prompts.log;
    EXPECT_EQ(ReadFile(path.string() + ".bad2"), bytes);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(data.WillWrite());
}

#ifdef _WIN32
TEST_F(UserDataTest, ADamagedFileThatCannotBeRenamedIsNeverOverwritten)
{
    fs::create_directories(path.parent_path());
    WriteFile(path, {1, 0, 0});
    // Held open without leave to delete or rename it.
    HANDLE hold = ::CreateFileA(path.string().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    UserDefinitions data;
    data.SetPath(path.string().c_str());
    data.Read(prompts);
    ::CloseHandle(hold);
    EXPECT_EQ(prompts.CountOf("[message]"), 1);
    EXPECT_FALSE(data.WillWrite());
    data.Write(prompts);
    EXPECT_EQ(ReadFile(path), (stored::Bytes{1, 0, 0}));
}
#endif

TEST_F(UserDataTest, AFailedWriteNamesThePathAndKeepsTheOldFile)
{
    UserDefinitions data;
    data.SetPath(path.string().c_str());
    Define(data);
    fs::create_directories(path.parent_path());
    WriteFile(path, {7, 7, 7});
    fs::permissions(path, fs::perms::owner_read);
    data.Write(prompts);
    EXPECT_EQ(ReadFile(path), (stored::Bytes{7, 7, 7}));
    EXPECT_EQ(prompts.CountOf("[message]"), 1);
    EXPECT_NE(prompts.log.find(path.string()), std::string::npos) << prompts.log;
    EXPECT_NE(prompts.log.find("denied"), std::string::npos) << prompts.log;
}

TEST_F(UserDataTest, DefinitionsThatNoLongerLoadAreReportedAndWrittenBackUnchanged)
{
    // A user function named like a built-in one, and a solver model with an empty side.
    const stored::Bytes file = stored::Builder()
                                   .I32(1)
                                   .I32(1)
                                   .Text("sin")
                                   .Text("x*2")
                                   .Text("")
                                   .I32(1)
                                   .Text("x")
                                   .I32(1)
                                   .I32(0) // constants
                                   .I32(1)
                                   .I32(0) // conversions
                                   .I32(1) // solver models
                                   .I32(1)
                                   .Text("")
                                   .Text("a =")
                                   .Text("")
                                   .F64(-1)
                                   .F64(1)
                                   .F64(0)
                                   .I32(5)
                                   .I32(1)
                                   .I32(0)
                                   .I32(0) // regression models
                                   .Get();
    fs::create_directories(path.parent_path());
    WriteFile(path, file);
    UserDefinitions data;
    data.SetPath(path.string().c_str());
    data.Read(prompts);
    EXPECT_EQ(Summary(data), "0 functions, 0 constants, 0 units, 0 models, 0 categories");
    EXPECT_EQ(data.GetKeptSolverModelCount(), 1);
    EXPECT_EQ(prompts.CountOf("[message]"), 1);
    EXPECT_NE(prompts.log.find("sin(x) = x*2"), std::string::npos) << prompts.log;
    EXPECT_NE(prompts.log.find("a ="), std::string::npos) << prompts.log;
    data.Write(prompts);
    EXPECT_EQ(ReadFile(path), file);
}

TEST_F(UserDataTest, SolverModelsTakeTheSettingsAndRefuseDuplicates)
{
    UserDefinitions data;
    DocumentSettings settings;
    settings.dSolverMin = 5;
    settings.dSolverMax = 1; // not an interval: the model keeps its own
    settings.nSolverSteps = 0;
    settings.nSolverDecimals = 17;
    EXPECT_EQ(data.AddSolverModel("  ", "", settings), 28);
    ASSERT_EQ(data.AddSolverModel("p*v = 8", "gas", settings), 0);
    EXPECT_EQ(data.AddSolverModel("P*V = 8", "", settings), 22);
    EXPECT_NE(data.AddSolverModel("p* = 8", "", settings), 0);
    EXPECT_EQ(data.GetSolverModelCount(), 1);
    const CSolverModel& model = *data.GetSolverModel(0);
    EXPECT_EQ(model.m_dMinimum, -1e300);
    EXPECT_EQ(model.m_nSolverSteps, 1);
    EXPECT_EQ(model.m_SolverFormat.m_nDecimals, 2);
    EXPECT_EQ(data.FindSolverModel("P*V = 8"), 0);
    data.DeleteSolverModel(0);
    EXPECT_EQ(data.GetSolverModelCount(), 0);
}

} // namespace
