#include "framework/core/Collections.h"
#include "tests/framework/ArchiveTestHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A little of everything a project file holds: section integers, named values, a text in the
// two-byte form, a value array and an element count.
struct Sample {
    int flag = 0;
    int count = 0;
    CString name1, name2;
    double value1 = 0, value2 = 0;
    CString longText;
    CArray<double, double> column;
    DWORD_PTR elements = 0;
    WORD word = 0;
    BYTE byte = 0;

    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring()) {
            ar << flag << count << name1 << value1 << name2 << value2 << longText;
            column.Serialize(ar);
            ar.WriteCount(elements);
            ar << word << byte;
        } else {
            ar >> flag >> count >> name1 >> value1 >> name2 >> value2 >> longText;
            column.Serialize(ar);
            elements = ar.ReadCount();
            ar >> word >> byte;
        }
    }
};

Sample Filled()
{
    Sample s;
    s.flag = 1;
    s.count = 2;
    s.name1 = "alpha";
    s.value1 = 1.25;
    s.name2 = "";
    s.value2 = -3e9;
    s.longText = CString(std::string(300, 'T'));
    s.column.Add(0);
    s.column.Add(7.5);
    s.column.Add(8.5);
    s.elements = 1;
    s.word = 0xBEEF;
    s.byte = 0x5A;
    return s;
}

Sample Sentinel()
{
    Sample s;
    s.flag = s.count = -99;
    s.name1 = s.name2 = s.longText = "old";
    s.value1 = s.value2 = -99;
    s.column.Add(-99);
    s.elements = 99;
    s.word = 99;
    s.byte = 99;
    return s;
}

// Every field holds either its complete new value or its old one: nothing half-read.
void ExpectWholeOrOld(const Sample& got, std::size_t prefix)
{
    const Sample full = Filled(), old = Sentinel();
    auto column = [](const CArray<double, double>& a) {
        return std::vector<double>(a.begin(), a.end());
    };
    EXPECT_TRUE(got.flag == full.flag || got.flag == old.flag) << "prefix " << prefix;
    EXPECT_TRUE(got.count == full.count || got.count == old.count) << "prefix " << prefix;
    EXPECT_TRUE(got.name1 == full.name1 || got.name1 == old.name1) << "prefix " << prefix;
    EXPECT_TRUE(got.value1 == full.value1 || got.value1 == old.value1) << "prefix " << prefix;
    EXPECT_TRUE(got.name2 == full.name2 || got.name2 == old.name2) << "prefix " << prefix;
    EXPECT_TRUE(got.value2 == full.value2 || got.value2 == old.value2) << "prefix " << prefix;
    EXPECT_TRUE(got.longText == full.longText || got.longText == old.longText)
        << "prefix " << prefix;
    EXPECT_TRUE(column(got.column) == column(full.column) ||
                column(got.column) == column(old.column))
        << "prefix " << prefix;
    EXPECT_TRUE(got.word == full.word || got.word == old.word) << "prefix " << prefix;
}

TEST(TruncatedArchive, EveryPrefixFailsCleanly)
{
    Sample full = Filled();
    const std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { full.Serialize(ar); });
    ASSERT_EQ(bytes.size(), 4u + 4 + 6 + 8 + 1 + 8 + 303 + 26 + 2 + 2 + 1);

    for (std::size_t n = 0; n < bytes.size(); ++n) {
        Sample got = Sentinel();
        try {
            LoadBytes(Head(bytes, n), [&](CArchive& ar) { got.Serialize(ar); });
            ADD_FAILURE() << "prefix " << n << " of " << bytes.size() << " was read without error";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::endOfFile) << "prefix " << n;
        }
        ExpectWholeOrOld(got, n);
    }

    Sample got = Sentinel();
    LoadBytes(bytes, [&](CArchive& ar) { got.Serialize(ar); });
    EXPECT_TRUE(got.longText == full.longText);
    EXPECT_EQ(got.word, 0xBEEF);
    EXPECT_EQ(got.byte, 0x5A);
}

TEST(TruncatedArchive, LongStringCutAnywhereFails)
{
    const CString text(std::string(70000, 'x'));
    const std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { ar << text; });
    const std::size_t cuts[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 4096, 65540, bytes.size() - 1};
    for (std::size_t n : cuts) {
        CString got("old");
        EXPECT_THROW(LoadBytes(Head(bytes, n), [&](CArchive& ar) { ar >> got; }), CArchiveException)
            << "cut " << n;
        EXPECT_STREQ(got, "old") << "cut " << n;
    }
}

TEST(TruncatedArchive, MalformedStringMarkerIsRefused)
{
    // 0xFF followed by 0xFFFE is no length form of ours.
    std::vector<BYTE> bytes = Hex({0xFF, 0xFE, 0xFF, 0x01, 'a'});
    CString got("old");
    try {
        LoadBytes(bytes, [&](CArchive& ar) { ar >> got; });
        FAIL() << "marker accepted";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::genericException);
        EXPECT_FALSE(e.GetErrorMessage().IsEmpty());
    }
    EXPECT_STREQ(got, "old");
}

TEST(TruncatedArchive, ArrayCountBeyondItsElementsIsRefused)
{
    // Ten doubles announced, only ten bytes present: the count fits the bytes, the doubles do not.
    std::vector<BYTE> bytes = Hex({0x0A, 0x00});
    bytes.resize(12);
    CArray<double, double> column;
    column.Add(1);
    EXPECT_THROW(LoadBytes(bytes, [&](CArchive& ar) { column.Serialize(ar); }), CArchiveException);
    ASSERT_EQ(column.GetSize(), 1);
    EXPECT_EQ(column[0], 1.0);
}

} // namespace
