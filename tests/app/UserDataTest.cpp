// The user-data file: the run's definitions kept from one start to the next, a missing folder,
// a damaged file set aside, a failed write that keeps the old file, definitions that no longer
// load written back unchanged, two windows that each keep their own changes, a file deleted
// during a run, and model categories whose names differ only in case.
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
#include <cstdio>
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

    void Tell(const UserDataNotices& notices)
    {
        for (const CString& text : notices)
            prompts.ShowMessage(text);
    }

    fs::path folder, path;
    RecordingPrompts prompts;
};

TEST_F(UserDataTest, DefinitionsComeBackAndTheMissingFolderIsMade)
{
    UserDefinitions first;
    first.SetPath(path.string().c_str());
    Tell(first.Read()); // neither file nor folder: silent, nothing loaded
    EXPECT_EQ(Summary(first), "0 functions, 0 constants, 0 units, 0 models, 0 categories");
    Define(first);
    Tell(first.Write());
    EXPECT_TRUE(fs::exists(path));
    first.Clear();

    UserDefinitions second;
    second.SetPath(path.string().c_str());
    Tell(second.Read());
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
    Tell(writer.Write());
    writer.Clear();
    stored::Bytes bytes = ReadFile(path);
    bytes.resize(bytes.size() - 3);
    WriteFile(path, bytes);
    WriteFile(path.string() + ".bad", {1}); // taken: the next free name is used

    UserDefinitions data;
    data.SetPath(path.string().c_str());
    Tell(data.Read());
    EXPECT_EQ(Summary(data), "0 functions, 0 constants, 0 units, 0 models, 0 categories");
    EXPECT_EQ(prompts.CountOf("[message]"), 1);
    EXPECT_NE(prompts.log.find("users.dat.bad2"), std::string::npos) << prompts.log;
    EXPECT_EQ(ReadFile(path.string() + ".bad2"), bytes);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(data.WillWrite());

    // Damaged again when the run ends: kept aside too, and the run's definitions are saved.
    WriteFile(path, {1});
    Define(data);
    Tell(data.Write());
    data.Clear();
    EXPECT_EQ(prompts.CountOf("[message]"), 2);
    EXPECT_NE(prompts.log.find("users.dat.bad3"), std::string::npos) << prompts.log;
    UserDefinitions reader;
    reader.SetPath(path.string().c_str());
    Tell(reader.Read());
    EXPECT_EQ(Summary(reader), "1 functions, 1 constants, 1 units, 1 models, 1 categories");
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
    Tell(data.Read());
    ::CloseHandle(hold);
    EXPECT_EQ(prompts.CountOf("[message]"), 1);
    EXPECT_FALSE(data.WillWrite());
    Tell(data.Write());
    EXPECT_EQ(ReadFile(path), (stored::Bytes{1, 0, 0}));
}
#endif

TEST_F(UserDataTest, AFailedWriteNamesThePathAndWhatWasNotSavedAndKeepsTheOldFile)
{
    UserDefinitions first;
    first.SetPath(path.string().c_str());
    Define(first);
    Tell(first.Write());
    first.Clear();
    const stored::Bytes old = ReadFile(path);
    fs::permissions(path, fs::perms::owner_read);

    UserDefinitions data;
    data.SetPath(path.string().c_str());
    Tell(data.Read());
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineUserFunction("cube(u) = u^3", false), 0);
    DeleteUserUnit(0);
    Tell(data.Write());
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(prompts.CountOf("[message]"), 1);
    EXPECT_NE(prompts.log.find(path.string()), std::string::npos) << prompts.log;
    EXPECT_NE(prompts.log.find("denied"), std::string::npos) << prompts.log;
    EXPECT_NE(prompts.log.find("Not saved:\nuser function cube\nremoval of unit span in m"),
              std::string::npos)
        << prompts.log;
}

// Two windows of the program are two processes with one user-data file. Here their runs take
// turns in one process: each gets back the engine's program-wide tables it had when the other
// took over, constants and conversions with the identities the run gave them. Window B ends
// first, then window A; the file is then read by a third run.
class TwoWindowsTest : public UserDataTest {
protected:
    // The engine's user tables while the other run has the turn.
    struct Tables {
        stored::Bytes functions;
        std::vector<UserConstantRecord> constants;
        std::vector<UnitRecord> units;
    };
    struct Run {
        UserDefinitions data;
        Tables tables;
    };
    using Step = void (*)(UserDefinitions&);

    static Tables SaveTables()
    {
        Tables tables{stored::Store([](CArchive& ar) { CCalcEngine::SerializeUserFunctions(ar); }),
                      GetUserConstants(),
                      {}};
        for (int i = 0; i < GetUserUnitCount(); ++i)
            tables.units.push_back(GetUserUnit(i));
        return tables;
    }
    static void RestoreTables(const Tables& tables)
    {
        ASSERT_TRUE(stored::Load(tables.functions,
                                 [](CArchive& ar) { CCalcEngine::SerializeUserFunctions(ar); }));
        GetUserConstants() = tables.constants;
        TruncateUnitRegistry();
        for (const UnitRecord& unit : tables.units)
            ASSERT_EQ(AddUserUnit(unit), 0);
    }
    void Start(Run& run)
    {
        run.data.SetPath(path.string().c_str());
        Tell(run.data.Read());
        run.tables = SaveTables();
    }
    static void Act(Run& run, Step step)
    {
        RestoreTables(run.tables);
        step(run.data);
        run.tables = SaveTables();
    }
    void Exit(Run& run)
    {
        RestoreTables(run.tables);
        Tell(run.data.Write());
        run.data.Clear();
    }
    // A file left by a run that did seed, then windows A and B started on it, which each act
    // and end, B first unless A is to. The file is read-only for the one that ends last when it
    // must leave the file alone.
    void Play(Step seed, Step a, Step b, bool bAEndsFirst, bool bLastLeavesTheFile = false)
    {
        fs::remove_all(folder);
        Run first, windowA, windowB;
        Start(first);
        Act(first, seed);
        Exit(first);
        Start(windowA);
        Start(windowB);
        Act(windowA, a);
        Act(windowB, b);
        Exit(bAEndsFirst ? windowA : windowB);
        if (bLastLeavesTheFile) // a write would be refused and reported
            fs::permissions(path, fs::perms::owner_read);
        Exit(bAEndsFirst ? windowB : windowA);
        fs::permissions(path, fs::perms::owner_all);
    }
    static std::string Number(double value)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        return text;
    }
    // What a run reading the file now starts with, section by section; a constant without a
    // symbol shows its description in quotes.
    std::string Contents()
    {
        UserDefinitions reader;
        reader.SetPath(path.string().c_str());
        Tell(reader.Read());
        std::string text = "f:";
        for (int i = 0; i < GetUserFunctionCount(); ++i)
            text += std::string(" ") + GetUserFunctionDefinition(i).GetString();
        text += " c:";
        for (const UserConstantRecord& constant : GetUserConstants())
            text += " " +
                    (constant.strSymbol.IsEmpty() ? "'" + std::string(constant.strDescription) + "'"
                                                  : std::string(constant.strSymbol)) +
                    "=" + Number(constant.dValue);
        text += " u:";
        for (int i = 0; i < GetUserUnitCount(); ++i)
            text += " " + GetUserUnitName(i) + "/" + GetUserUnitBase(i) + "=" +
                    Number(GetUserUnitFactor(i));
        text += " s:";
        for (int i = 0; i < reader.GetSolverModelCount(); ++i)
            text += std::string(" ") + reader.GetSolverModel(i)->m_strEquation.GetString();
        text += " r:";
        CModelLibrary& library = reader.GetUserModels();
        for (int i = 0; i < library.GetCategoryCount(); ++i)
            for (int m = 0; m < library.GetCategory(i)->GetModelCount(); ++m)
                text += std::string(" ") + library.GetCategory(i)->GetName().GetString() + "/" +
                        library.GetCategory(i)->GetModel(m).strName.GetString();
        reader.Clear();
        return text;
    }
};

void Nothing(UserDefinitions&) {}

void Function(const char* definition)
{
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineUserFunction(definition, true), 0) << definition;
}

void AddModels(UserDefinitions& data, const char* equation, const char* category, const char* model)
{
    ASSERT_EQ(data.AddSolverModel(equation, "", DocumentSettings()), 0) << equation;
    data.GetUserModels().AddModel(category, model, "a+b*x", "", "");
}

TEST_F(TwoWindowsTest, EachWindowKeepsItsOwnChangesAndTheOtherWindowsToo)
{
    struct Case {
        const char* what;
        Step seed, a, b;
        bool bALeavesTheFile;
        const char* contents;
    } const cases[] = {
        {"B defines, A does nothing", Nothing, Nothing,
         [](UserDefinitions&) { Function("hb(q) = q+2"); }, true, "f: hb(q) = q+2 c: u: s: r:"},
        {"both define other names of every kind", Nothing,
         [](UserDefinitions& data) {
             Function("fa(u) = u*2");
             AddUserConstant("", "", "ka", 1);
             AddUserUnit("spa", "m", 2);
             AddModels(data, "a = 1", "Mine", "La");
         },
         [](UserDefinitions& data) {
             Function("fb(u) = u*3");
             AddUserConstant("", "", "kb", 2);
             AddUserUnit("spb", "m", 3);
             AddModels(data, "b = 2", "Mine", "Lb");
         },
         false,
         "f: fb(u) = u*3 fa(u) = u*2 c: kb=2 ka=1 u: spb/m=3 spa/m=2 "
         "s: b = 2 a = 1 r: Mine/Lb Mine/La"},
        {"both change one name: the later exit wins it",
         [](UserDefinitions&) {
             Function("sq(u) = u*u");
             AddUserConstant("", "", "k", 1);
         },
         [](UserDefinitions&) {
             Function("sq(u) = u*u*2");
             GetUserConstants()[0].dValue = 3;
         },
         [](UserDefinitions&) {
             Function("sq(u) = u+1");
             GetUserConstants()[0].dValue = 2;
             Function("other(u) = u");
         },
         false, "f: sq(u) = u*u*2 other(u) = u c: k=3 u: s: r:"},
        {"one removes names, the other changes one of them",
         [](UserDefinitions& data) {
             Function("sq(u) = u*u");
             Function("cube(u) = u^3");
             AddUserUnit("span", "m", 0.2286);
             AddModels(data, "a*b = 6", "Mine", "Line");
         },
         [](UserDefinitions&) { Function("cube(u) = u^3+1"); },
         [](UserDefinitions& data) {
             DeleteUserFunction(FindUserFunction("sq"));
             DeleteUserFunction(FindUserFunction("cube"));
             DeleteUserUnit(0);
             data.DeleteSolverModel(0);
             data.GetUserModels().RemoveCategory(0);
         },
         false, "f: cube(u) = u^3+1 c: u: s: r:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Play(c.seed, c.a, c.b, false, c.bALeavesTheFile);
        EXPECT_EQ(Contents(), c.contents);
        EXPECT_TRUE(prompts.log.empty()) << prompts.log;
        prompts.log.clear();
    }
}

// Three constants without a symbol, as typed into the new row of the grid, and three
// conversions without a name: two of a hand-made file, one started in the grid without a base.
void WithoutNames(UserDefinitions&)
{
    AddUserConstant("Speed of sound", "m/s", "", 343);
    AddUserConstant("Density of water", "kg/m^3", "", 998);
    AddUserConstant("Standard gravity", "m/s^2", "", 9.81);
    AddUserUnit("", "m", 2);
    AddUserUnit("stride", "", 3);
    AddUserUnit("", "m", 4);
}

void Alike(UserDefinitions&)
{
    for (int i = 0; i < 2; ++i) {
        AddUserConstant("Alike", "", "", 1);
        AddUserUnit("", "m", 1);
    }
}

// What the grid does with a row of both tables.
void DeleteRow(int row)
{
    DeleteUserConstant(row - 1);
    DeleteUserUnit(row - 1);
}

void TypeValue(int row, double value)
{
    const UserConstantRecord r = GetUserConstants()[std::size_t(row - 1)];
    SetUserConstantRecord(row - 1, r.strDescription, r.strUnit, r.strSymbol, value);
    ASSERT_EQ(SetUserUnitFactor(row - 1, value), 0);
}

TEST_F(TwoWindowsTest, RecordsWithoutANameKeepEachWindowsChangesWhicheverEndsFirst)
{
    struct Case {
        const char* what;
        Step seed, a, b;
        const char* contents;           // B ends first
        const char* contentsAEndsFirst; // when not the same
    } const cases[] = {
        {"B deletes row 3, A row 1", WithoutNames, [](UserDefinitions&) { DeleteRow(1); },
         [](UserDefinitions&) { DeleteRow(3); }, "c: 'Density of water'=998 u: stride/=3", nullptr},
        {"B types 1000 into row 2, A deletes row 1", WithoutNames,
         [](UserDefinitions&) { DeleteRow(1); }, [](UserDefinitions&) { TypeValue(2, 1000); },
         "c: 'Density of water'=1000 'Standard gravity'=9.81 u: stride/=1000 /m=4", nullptr},
        {"no file: each starts one", Nothing,
         [](UserDefinitions&) {
             AddUserConstant("Planck constant", "", "", 0);
             AddUserUnit("stride", "", 1);
         },
         [](UserDefinitions&) {
             AddUserConstant("Speed of light", "", "", 0);
             AddUserUnit("stride", "", 2);
         },
         "c: 'Speed of light'=0 'Planck constant'=0 u: stride/=2 stride/=1",
         "c: 'Planck constant'=0 'Speed of light'=0 u: stride/=1 stride/=2"},
        {"A names row 1 and completes row 2, B deletes row 3", WithoutNames,
         [](UserDefinitions&) {
             ASSERT_EQ(RenameUserConstant(0, "vs"), 0);
             ASSERT_EQ(SetUserUnitBase(1, "m"), 0);
         },
         [](UserDefinitions&) { DeleteRow(3); },
         "c: vs=343 'Density of water'=998 u: /m=2 stride/m=3", nullptr},
        {"rows alike: B deletes row 1, A types 5 into row 2", Alike,
         [](UserDefinitions&) { TypeValue(2, 5); }, [](UserDefinitions&) { DeleteRow(1); },
         "c: 'Alike'=5 u: /m=5", nullptr},
        {"B types 340 into row 1, A deletes row 1: the change stays", WithoutNames,
         [](UserDefinitions&) { DeleteRow(1); }, [](UserDefinitions&) { TypeValue(1, 340); },
         "c: 'Speed of sound'=340 'Density of water'=998 'Standard gravity'=9.81 u: /m=340 "
         "stride/=3 /m=4",
         "c: 'Density of water'=998 'Standard gravity'=9.81 'Speed of sound'=340 u: stride/=3 "
         "/m=4 /m=340"},
    };
    for (const Case& c : cases)
        for (const bool bAEndsFirst : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (bAEndsFirst ? ", A ends first" : ""));
            Play(c.seed, c.a, c.b, bAEndsFirst);
            const std::string contents = Contents();
            EXPECT_EQ(
                contents.substr(contents.find("c:"), contents.find(" s:") - contents.find("c:")),
                bAEndsFirst && c.contentsAEndsFirst ? c.contentsAEndsFirst : c.contents);
            EXPECT_TRUE(prompts.log.empty()) << prompts.log;
            prompts.log.clear();
        }
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
    Tell(data.Read());
    EXPECT_EQ(Summary(data), "0 functions, 0 constants, 0 units, 0 models, 0 categories");
    EXPECT_EQ(data.GetKeptSolverModelCount(), 1);
    EXPECT_EQ(prompts.CountOf("[message]"), 1);
    EXPECT_NE(prompts.log.find("sin(x) = x*2"), std::string::npos) << prompts.log;
    EXPECT_NE(prompts.log.find("a ="), std::string::npos) << prompts.log;
    Tell(data.Write());
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

TEST_F(TwoWindowsTest, AFileDeletedDuringTheRunKeepsWhatTheRunStartedWith)
{
    Run seed, run;
    Start(seed);
    Act(seed, [](UserDefinitions& data) {
        Function("f1(u) = u+1");
        Function("f2(u) = u+2");
        AddModels(data, "a = 1", "Mine", "La");
    });
    Exit(seed);
    Start(run);
    fs::remove(path);
    Act(run, [](UserDefinitions&) {
        Function("f3(u) = u+3");
        DeleteUserFunction(FindUserFunction("f1"));
    });
    Exit(run);
    EXPECT_EQ(Contents(), "f: f2(u) = u+2 f3(u) = u+3 c: u: s: a = 1 r: Mine/La");
    EXPECT_TRUE(prompts.log.empty()) << prompts.log;
}

// Each category of a file as written by hand or by another program: its name and its models
// as "name=formula".
struct StoredCategory {
    std::string name;
    std::vector<std::string> models;
};

stored::Bytes UserDataFile(const std::vector<StoredCategory>& categories)
{
    stored::Builder file;
    file.I32(1).I32(0).I32(1).I32(0).I32(1).I32(0).I32(0).I32(std::int64_t(categories.size()));
    for (const StoredCategory& category : categories) {
        file.Text(category.name).I32(std::int64_t(category.models.size()));
        for (const std::string& model : category.models) {
            const std::size_t eq = model.find('=');
            file.I32(1).Text(category.name).Text(model.substr(0, eq)).Text(model.substr(eq + 1));
            file.Text("").Text("");
        }
    }
    return file.Get();
}

// "<category>: <model>=<formula> ..." per category; a model whose category field names another
// category shows that name in brackets.
std::string Library(UserDefinitions& data)
{
    std::string text;
    CModelLibrary& library = data.GetUserModels();
    for (int i = 0; i < library.GetCategoryCount(); ++i) {
        const CModelCategory& category = *library.GetCategory(i);
        text += (i ? " | " : "") + std::string(category.GetName()) + ":";
        for (int m = 0; m < category.GetModelCount(); ++m) {
            const ModelRecord& model = category.GetModel(m);
            text += " " + std::string(model.strName) + "=" + std::string(model.strFormula);
            if (model.strCategory != category.GetName())
                text += "[" + std::string(model.strCategory) + "]";
        }
    }
    return text;
}

TEST_F(UserDataTest, CategoriesNamedAlikeAreOneAndAreNeverWrittenTwice)
{
    struct Case {
        const char* what;
        std::vector<StoredCategory> file;
        const char* library;
    } const cases[] = {
        {"names differ in case", {{"M", {"A=a*x"}}, {"m", {"B=b*x"}}}, "M: A=a*x B=b*x"},
        {"two unnamed", {{"", {"A=a*x"}}, {"", {"B=b*x"}}}, ": A=a*x B=b*x"},
        {"another between them",
         {{"M", {"A=a*x"}}, {"N", {"C=c"}}, {"m", {"B=b*x"}}},
         "M: A=a*x B=b*x | N: C=c"},
        {"a twin without models", {{"M", {"A=a*x"}}, {"m", {}}}, "M: A=a*x"},
        {"one name, two formulas", {{"M", {"A=a*x"}}, {"m", {"A=b*x"}}}, "M: A=a*x A=b*x"},
        {"multiplied by earlier writes",
         {{"M", {"A=a*x", "B=b*x", "A=a*x", "B=b*x"}}, {"m", {"A=a*x", "B=b*x", "A=a*x", "B=b*x"}}},
         "M: A=a*x B=b*x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        fs::create_directories(path.parent_path());
        WriteFile(path, UserDataFile(c.file));
        // Four runs that each change something, then a run that reads what they left.
        for (int run = 1; run <= 5; ++run) {
            UserDefinitions data;
            data.SetPath(path.string().c_str());
            Tell(data.Read());
            EXPECT_EQ(Library(data), c.library) << "run " << run;
            const std::string function = "f" + std::to_string(run) + "(u) = u";
            Function(function.c_str());
            Tell(data.Write());
            data.Clear();
        }
        EXPECT_TRUE(prompts.log.empty()) << prompts.log;
    }
}

} // namespace
