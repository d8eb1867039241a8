// The project file: the fixed header, its check, and (below) the body with its refusals.
#include "app/ProjectHeader.h"
#include "app/ProjectModel.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "tests/engine/GoldenFile.h"
#include "tests/support/StoredBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// The 144 header bytes from the format's table: offset, text, field width.
stored::Bytes HeaderBytes()
{
    stored::Bytes bytes(144, 0);
    bytes[0] = 0x90;
    struct Field {
        int offset;
        const char* text;
    };
    const Field fields[] = {{4, "Zivra"},        {24, "1.00"},  {44, "2002"}, {64, "Quellmarch"},
                            {84, "Velmorandix"}, {104, "1.00"}, {124, "zvp"}, {129, "zvp"}};
    for (const Field& f : fields)
        std::memcpy(bytes.data() + f.offset, f.text, std::strlen(f.text));
    bytes[136] = 1;
    return bytes;
}

ProjectHeader HeaderFrom(const stored::Bytes& bytes)
{
    ProjectHeader header = GetConstantProjectHeader();
    stored::Load(bytes, [&](CArchive& ar) { ReadProjectHeader(ar, header); });
    return header;
}

TEST(ProjectHeader, BytesOfTheConstantHeader)
{
    const stored::Bytes bytes =
        stored::Store([](CArchive& ar) { WriteProjectHeader(ar, GetConstantProjectHeader()); });
    EXPECT_EQ(bytes, HeaderBytes());
    EXPECT_TRUE(IsValidProjectHeader(HeaderFrom(bytes)));
}

TEST(ProjectHeader, OnlyProductMakerAndAuthorAreChecked)
{
    struct Case {
        const char* what;
        int offset;
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"product in capitals", 4, "ZIVRA", true},
        {"another version and year", 24, "9.99", true},
        {"another author", 84, "Someone", false},
        {"another maker", 64, "Quellmarsh", false},
        {"product running on to 20 bytes", 4, "ZivraZivraZivraZivra", false},
        {"author with more text", 84, "Velmorandix2", false},
    };
    for (const Case& c : cases) {
        stored::Bytes bytes = HeaderBytes();
        std::memset(bytes.data() + c.offset, 0, 20);
        std::memcpy(bytes.data() + c.offset, c.text, std::strlen(c.text));
        EXPECT_EQ(IsValidProjectHeader(HeaderFrom(bytes)) != FALSE, c.valid) << c.what;
    }
}

TEST(ProjectHeader, AShortFileIsReportedAndKeepsTheEarlierBytes)
{
    stored::Bytes bytes = HeaderBytes();
    bytes.resize(100);
    ProjectHeader header = GetConstantProjectHeader();
    BOOL complete = TRUE;
    stored::Load(bytes, [&](CArchive& ar) { complete = ReadProjectHeader(ar, header); });
    EXPECT_FALSE(complete);
    EXPECT_STREQ(header.szAuthor, "Velmorandix");
}

} // namespace

// --- the body ---------------------------------------------------------------------------------

namespace {

class ProjectBodyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeGlobalSymbolTables();
        model.Initialize();
        UseDotSeparators();
        model.OnNewDocument();
        model.m_WorkspaceRtf.assign(kRtf, kRtf + std::strlen(kRtf));
    }
    void TearDown() override
    {
        model.ReleaseUserDefinitions();
        ResetIndependentVariables();
    }

    static stored::Bytes Save(ProjectModel& project)
    {
        return stored::Store([&](CArchive& ar) { project.SerializeProject(ar); });
    }
    // The model's own bytes, or empty when the archive refused the file; accepted tells how
    // the header was judged.
    static bool Open(ProjectModel& project, const stored::Bytes& bytes, bool* accepted = nullptr)
    {
        bool ok = false;
        const bool read =
            stored::Load(bytes, [&](CArchive& ar) { ok = project.SerializeProject(ar); });
        if (accepted)
            *accepted = ok;
        return read && ok;
    }
    void FillOneOfEach()
    {
        auto* table = new CDataTable;
        table->Create(TableLayoutXY, 0, 2);
        table->SetName("Table1");
        table->SetCell(0, 0, 1);
        table->SetCell(0, 1, 2);
        table->SetCell(1, 0, 3);
        table->SetCell(1, 1, NAN);
        model.AddResultItem(ItemDataTable, table);
        auto* list = new CDataColumn;
        list->SetName("L1");
        list->Append(1.5);
        list->Append(-INFINITY);
        model.AddResultItem(ItemList, list);
        auto* matrix = new CMatrixObject;
        matrix->SetName("M1");
        matrix->Resize(2, 2, FALSE);
        matrix->SetAt(1, 1, 4);
        matrix->SetAt(2, 2, -0.5);
        model.AddResultItem(ItemMatrix, matrix);
        auto* graph = new CFunctionPlot;
        graph->SetDefinition("x^2", "", GraphRectangular, -2, 2);
        model.AddResultItem(Item2DGraph, graph);
        auto* dataGraph = new CFunctionPlot;
        dataGraph->SetName("Points");
        dataGraph->AttachDataTable(table);
        model.AddResultItem(ItemDataGraph, dataGraph);
        auto* surface = new CSurfacePlot;
        surface->SetExpression("x*y");
        model.AddResultItem(Item3DGraph, surface);
        model.m_Engine.AppendVariable("a", 2.5);
        model.m_Engine.AddExpressionVariable("twice", "a*2");
    }

    static constexpr const char* kRtf = "{\\rtf1\\ansi 2+3 =\\par 5\\par}";
    ProjectModel model;
};

TEST_F(ProjectBodyTest, AnEmptyProjectIsTheHeaderCountsPlotsAndText)
{
    const stored::Bytes plots = stored::Store([&](CArchive& ar) {
        model.m_DataPlot.Serialize(ar);
        model.m_FunctionPlot.Serialize(ar);
        model.m_Scene.Serialize(ar);
    });
    const stored::Bytes expected = stored::Builder()
                                       .Raw(HeaderBytes())
                                       .I32(0)
                                       .Raw(plots)
                                       .I32(0)
                                       .I32(0)
                                       .I32(1)
                                       .I32(0)
                                       .I32(1)
                                       .I32(0)
                                       .Raw(stored::Bytes(kRtf, kRtf + std::strlen(kRtf)))
                                       .Get();
    const stored::Bytes bytes = Save(model);
    EXPECT_EQ(bytes, expected);
    golden::Expect("project_empty.zvp", bytes);
}

TEST_F(ProjectBodyTest, OneItemOfEachKindRoundTripsByteForByte)
{
    FillOneOfEach();
    const stored::Bytes bytes = Save(model);
    golden::Expect("project_items.zvp", bytes);
    // The tables section comes first after the header, in the data objects' own forms.
    const stored::Bytes tables = stored::Builder()
                                     .I32(1)
                                     .DataObject("Table1", 0)
                                     .I32(1)
                                     .I32(2)
                                     .DataObject("X", 2)
                                     .Count(3)
                                     .F64(0)
                                     .F64(1)
                                     .F64(2)
                                     .DataObject("Y", 2)
                                     .Count(3)
                                     .F64(0)
                                     .F64(3)
                                     .F64(NAN)
                                     .Get();
    ASSERT_GT(bytes.size(), 144 + tables.size());
    EXPECT_TRUE(std::equal(tables.begin(), tables.end(), bytes.begin() + 144));

    ProjectModel loaded;
    ASSERT_TRUE(Open(loaded, bytes));
    EXPECT_EQ(Save(loaded), bytes);
    EXPECT_EQ(loaded.m_DataPlot.GetItem(0)->GetDataTable(), loaded.m_DataTables[0].get());
    EXPECT_STREQ(loaded.m_Engine.GetExpressionVariableText(0), "a*2");
    EXPECT_FALSE(loaded.IsModified());
}

TEST_F(ProjectBodyTest, EveryTruncationAndForeignHeaderLeavesTheProjectAlone)
{
    FillOneOfEach();
    const stored::Bytes file = Save(model);
    // Cut inside the workspace's text, a file opens with the text it holds.
    const std::size_t textStart = file.size() - std::strlen(kRtf);

    ProjectModel target;
    target.Initialize();
    auto* kept = new CDataColumn;
    kept->SetName("Kept");
    kept->Append(7);
    target.AddResultItem(ItemList, kept);
    target.SetModified(TRUE);
    const stored::Bytes before = Save(target);
    for (std::size_t n = 0; n < textStart + 5; ++n) {
        const stored::Bytes prefix(file.begin(), file.begin() + std::ptrdiff_t(n));
        ASSERT_FALSE(Open(target, prefix)) << "prefix " << n;
        ASSERT_EQ(Save(target), before) << "prefix " << n;
    }
    EXPECT_TRUE(target.IsModified());
    ProjectModel cut;
    cut.Initialize();
    const stored::Bytes prefix(file.begin(), file.end() - 3);
    ASSERT_TRUE(Open(cut, prefix));
    EXPECT_EQ(cut.m_Lists.size(), model.m_Lists.size());
    EXPECT_EQ(std::string(cut.m_WorkspaceRtf.begin(), cut.m_WorkspaceRtf.end()),
              std::string(kRtf, std::strlen(kRtf) - 3));

    struct Case {
        const char* what;
        int offset;
        const char* text;
    };
    const Case cases[] = {{"another author", 84, "Someone"}, {"another product", 4, "Other"}};
    for (const Case& c : cases) {
        stored::Bytes foreign = file;
        std::memset(foreign.data() + c.offset, 0, 20);
        std::memcpy(foreign.data() + c.offset, c.text, std::strlen(c.text));
        bool accepted = true;
        EXPECT_FALSE(Open(target, foreign, &accepted)) << c.what;
        EXPECT_FALSE(accepted) << c.what;
        EXPECT_EQ(Save(target), before) << c.what;
    }

    // Counts the file cannot hold, and negative ones.
    for (std::int64_t count : {-1, 0x7FFFFFFF}) {
        stored::Bytes hostile = file;
        const stored::Bytes field = stored::Builder().I32(count).Get();
        std::copy(field.begin(), field.end(), hostile.begin() + 144);
        EXPECT_FALSE(Open(target, hostile)) << count;
    }
    EXPECT_EQ(Save(target), before);

    // Text that is no rich text, or none at all, is damage too.
    stored::Bytes noRtf(file.begin(), file.end() - std::ptrdiff_t(std::strlen(kRtf)));
    EXPECT_FALSE(Open(target, noRtf));
    noRtf.push_back('x');
    EXPECT_FALSE(Open(target, noRtf));
    EXPECT_EQ(Save(target), before);
}

TEST_F(ProjectBodyTest, DataGraphsWithoutTheirTableAreDroppedInOrder)
{
    FillOneOfEach();
    CDataTable gone;
    gone.SetName("Gone");
    auto* orphan = new CFunctionPlot;
    orphan->SetName("Orphan");
    orphan->AttachDataTable(&gone);
    model.AddResultItem(ItemDataGraph, orphan);
    auto* last = new CFunctionPlot;
    last->SetName("Last");
    last->AttachDataTable(model.m_DataTables[0].get());
    model.AddResultItem(ItemDataGraph, last);
    const stored::Bytes bytes = Save(model);
    model.m_DataPlot.DeleteAll(); // before the local table goes

    ProjectModel loaded;
    ASSERT_TRUE(Open(loaded, bytes));
    ASSERT_EQ(loaded.m_DataPlot.GetItemCount(), 2);
    EXPECT_STREQ(loaded.m_DataPlot.GetItem(0)->GetLabel(), "Points");
    EXPECT_STREQ(loaded.m_DataPlot.GetItem(1)->GetLabel(), "Last");
}

} // namespace
