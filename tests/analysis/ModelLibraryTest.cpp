// The regression-model library: the built-in models, unique names and renames, and the stored
// form with its decimal flag and hostile counts.
#include "analysis/ModelLibrary.h"
#include "analysis/DefaultModels.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "tests/support/StoredBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Describe(const CModelLibrary& library)
{
    std::string text;
    for (int i = 0; i < library.GetCategoryCount(); ++i) {
        const CModelCategory* category = library.GetCategory(i);
        text += std::string("[") + category->GetName().GetString() + "]";
        for (int m = 0; m < category->GetModelCount(); ++m) {
            const ModelRecord& r = category->GetModel(m);
            for (const CString* field :
                 {&r.strCategory, &r.strName, &r.strFormula, &r.strDescription, &r.strPreview})
                text += std::string(field->GetString()) + "|";
        }
    }
    return text;
}

class ModelLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseDotSeparators();
        ResetIndependentVariables();
    }
    void TearDown() override { UseDotSeparators(); }
};

TEST_F(ModelLibraryTest, BuiltinModelsInOrder)
{
    CModelLibrary library;
    library.LoadDefaults();
    ASSERT_EQ(library.GetCategoryCount(), 3);
    EXPECT_STREQ(library.GetCategory(0)->GetName(), "Classic equations");
    EXPECT_EQ(library.GetCategory(0)->GetModelCount(), 14);
    EXPECT_EQ(library.GetCategory(1)->GetModelCount(), 18);
    EXPECT_EQ(library.GetCategory(2)->GetModelCount(), 2);
    struct Row {
        int category, model;
        const char* name;
        const char* formula;
        const char* preview;
    };
    const Row rows[] = {
        {0, 0, "Exponential curve", "a*exp(b*x)", "exp(x)|0|10"},
        {0, 11, "Sigmoidal dose-response", "Bottom + (Top-Bottom)/(1+10^((LogEC50-X)))",
         "0+(10-0)/(1+10^((5-x)))|3|6"},
        {1, 0, "1st order polynomial (line)", "a+b*x", ""},
        {1, 2, "3rd order polynomial (cubic)", "a+b*x+c*x^2+d*x^3", ""},
        {1, 3, "4th order polynomial", "a+b*x+c*x^2+d*x^3+f*x^4", ""},
        {1, 17, "18th order polynomial",
         "a+b*x+c*x^2+d*x^3+f*x^4+g*x^5+h*x^6+i*x^7+j*x^8+k*x^9+l*x^10+m*x^11+n*x^12+o*x^13+p*x^14+"
         "q*x^15+r*x^16+s*x^17+u*x^18",
         ""},
        {2, 1, "Gompertz", "N0+C*exp(-exp((2.718*mue/C)*(Lag-X)+1))", ""},
    };
    for (const Row& row : rows) {
        const ModelRecord& r = library.GetCategory(row.category)->GetModel(row.model);
        EXPECT_STREQ(r.strName, row.name);
        EXPECT_STREQ(r.strFormula, row.formula) << row.name;
        EXPECT_STREQ(r.strPreview, row.preview) << row.name;
        EXPECT_STREQ(r.strCategory, library.GetCategory(row.category)->GetName()) << row.name;
    }
}

TEST_F(ModelLibraryTest, NamesStayUniqueWithoutRegardToCase)
{
    CModelLibrary library;
    library.AddModel("Mine", "Line", "a+b*x", "first", "");
    library.AddModel("Mine", "Wave", "a*sin(x)", "", "");
    library.AddModel("MINE", "LINE", "a*x", "second", "x|0|1");
    ASSERT_EQ(library.GetCategoryCount(), 1);
    CModelCategory& mine = *library.GetCategory(0);
    ASSERT_EQ(mine.GetModelCount(), 2);
    EXPECT_STREQ(mine.GetModel(0).strFormula, "a*x"); // replaced in place
    EXPECT_STREQ(mine.GetModel(0).strDescription, "second");

    EXPECT_TRUE(library.RenameModel(0, 0, "line"));
    EXPECT_STREQ(mine.GetModelName(0), "line");
    EXPECT_FALSE(library.RenameModel(0, 0, "wAVE"));
    EXPECT_STREQ(mine.GetModelName(0), "line");

    library.AddCategory(library.MakeUniqueCategoryName("New Category "));
    EXPECT_STREQ(library.GetCategory(1)->GetName(), "New Category  1");
    EXPECT_STREQ(library.MakeUniqueCategoryName("New Category "), "New Category  2");
    EXPECT_FALSE(library.RenameCategory(1, "mine"));
    EXPECT_TRUE(library.RenameCategory(1, "new category  1"));
    EXPECT_STREQ(mine.MakeUniqueModelName("New Equation"), "New Equation 1");

    int c = -1, m = -1;
    EXPECT_TRUE(library.FindModel("mine", "WAVE", c, m));
    EXPECT_EQ(c, 0);
    EXPECT_EQ(m, 1);
    EXPECT_FALSE(library.FindModel("Other", "Wave", c, m));
    EXPECT_EQ(m, -1);
}

TEST_F(ModelLibraryTest, StoredFormRoundTripsAndMendsCategoryFields)
{
    CModelLibrary library;
    library.AddModel("Mine", "Line", "a+b*x", "d", "x|0|1");
    const stored::Bytes expected = stored::Builder()
                                       .I32(1)
                                       .Text("Mine")
                                       .I32(1)
                                       .I32(1)
                                       .Text("Mine")
                                       .Text("Line")
                                       .Text("a+b*x")
                                       .Text("d")
                                       .Text("x|0|1")
                                       .Get();
    EXPECT_EQ(stored::Store([&](CArchive& ar) { library.Serialize(ar); }), expected);

    CModelLibrary loaded;
    loaded.LoadDefaults();
    ASSERT_TRUE(stored::Load(expected, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(Describe(loaded), Describe(library));

    // A record filed under another category's name comes back with its holder's name; a
    // formula of the comma convention is read in the current one.
    const stored::Bytes foreign = stored::Builder()
                                      .I32(1)
                                      .Text("Mine")
                                      .I32(1)
                                      .I32(0)
                                      .Text("Elsewhere")
                                      .Text("Pow")
                                      .Text("a*x^1,5")
                                      .Text("")
                                      .Text("")
                                      .Get();
    ASSERT_TRUE(stored::Load(foreign, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_STREQ(loaded.GetCategory(0)->GetModel(0).strCategory, "Mine");
    EXPECT_STREQ(loaded.GetCategory(0)->GetModel(0).strFormula, "a*x^1.5");
}

TEST_F(ModelLibraryTest, DamagedBytesLeaveTheLibraryAsItWas)
{
    CModelLibrary source;
    source.LoadDefaults();
    const stored::Bytes bytes = stored::Store([&](CArchive& ar) { source.Serialize(ar); });

    CModelLibrary target;
    target.AddModel("Kept", "Model", "a", "", "");
    auto read = [&](CArchive& ar) { target.Serialize(ar); };
    auto snapshot = [&] {
        const std::string s = Describe(target);
        return stored::Bytes(s.begin(), s.end());
    };
    // Every prefix of the first 600 bytes is a truncated library (all of it is long).
    const stored::Bytes head(bytes.begin(), bytes.begin() + 600);
    EXPECT_EQ(stored::FirstTruncationAccepted(head, read, snapshot), -1);
    const stored::Bytes hostile[] = {
        stored::Builder().I32(-1).Get(),
        stored::Builder().I32(1).Text("C").I32(-2).Get(),
        stored::Builder().I32(1).Text("C").I32(100000).Get(),
        stored::Builder().I32(50000000).Get(),
    };
    for (const stored::Bytes& b : hostile)
        EXPECT_FALSE(stored::Load(b, read));
    EXPECT_EQ(Describe(target), "[Kept]Kept|Model|a|||");
}

} // namespace
