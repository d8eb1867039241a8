#include "framework/core/CArchive.h"
#include "framework/core/Collections.h"
#include "tests/framework/ArchiveTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

namespace {

TEST(CArchive, StringFormsAreByteExact)
{
    struct Case {
        int length;
        std::vector<BYTE> prefix;
    };
    const Case cases[] = {
        {0, Hex({0x00})},
        {1, Hex({0x01})},
        {254, Hex({0xFE})},
        {255, Hex({0xFF, 0xFF, 0x00})},
        {256, Hex({0xFF, 0x00, 0x01})},
        {65533, Hex({0xFF, 0xFD, 0xFF})},
        {65534, Hex({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {65535, Hex({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Hex({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        std::string text(std::size_t(c.length), 'a');
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = char('a' + i % 26);
        const CString s(text);
        const std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { ar << s; });
        ASSERT_EQ(bytes.size(), c.prefix.size() + text.size()) << "length " << c.length;
        EXPECT_EQ(Head(bytes, c.prefix.size()), c.prefix) << "length " << c.length;
        EXPECT_EQ(std::string(bytes.begin() + std::ptrdiff_t(c.prefix.size()), bytes.end()), text)
            << "length " << c.length;

        CString back("old");
        LoadBytes(bytes, [&](CArchive& ar) { ar >> back; });
        EXPECT_TRUE(back == s) << "length " << c.length;
    }
}

TEST(CArchive, StringsKeepEveryByte)
{
    const CString s(std::string_view("a\0\xff\x80z", 5));
    CString back;
    LoadBytes(StoreBytes([&](CArchive& ar) { ar << s << "lit"; }), [&](CArchive& ar) {
        ar >> back;
        EXPECT_TRUE(back == s);
        ar >> back;
        EXPECT_STREQ(back, "lit");
    });
}

TEST(CArchive, CountFormsAreByteExact)
{
    struct Case {
        DWORD count;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {0, Hex({0x00, 0x00})},
        {1, Hex({0x01, 0x00})},
        {65534, Hex({0xFE, 0xFF})},
        {65535, Hex({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Hex({0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        const std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { ar.WriteCount(c.count); });
        EXPECT_EQ(bytes, c.bytes) << "count " << c.count;
        // A count is read back only when the file can hold that many elements.
        std::vector<BYTE> withPayload = bytes;
        withPayload.resize(bytes.size() + c.count);
        DWORD_PTR back = 12345;
        LoadBytes(withPayload, [&](CArchive& ar) { back = ar.ReadCount(); });
        EXPECT_EQ(back, c.count);
    }
}

TEST(CArchive, ScalarsAreLittleEndianAtFixedWidths)
{
    const std::vector<BYTE> bytes = StoreBytes([](CArchive& ar) {
        ar << BYTE(0xAB) << WORD(0x1234) << short(-2) << int(-2) << LONG(0x01020304)
           << DWORD(0xA1B2C3D4) << 1.0f << 1.0 << -0.0;
    });
    const std::vector<BYTE> expected = Hex({
        0xAB,                                           // BYTE
        0x34, 0x12,                                     // WORD
        0xFE, 0xFF,                                     // short
        0xFE, 0xFF, 0xFF, 0xFF,                         // int
        0x04, 0x03, 0x02, 0x01,                         // LONG
        0xD4, 0xC3, 0xB2, 0xA1,                         // DWORD
        0x00, 0x00, 0x80, 0x3F,                         // float 1
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F, // double 1
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, // double -0
    });
    EXPECT_EQ(bytes, expected);

    const double values[] = {0.0, -1.5, 1e-310, 1.7976931348623157e308,
                             std::numeric_limits<double>::infinity()};
    for (double v : values) {
        double back = 0;
        int i = 0;
        LoadBytes(StoreBytes([&](CArchive& ar) { ar << v << int(-7); }),
                  [&](CArchive& ar) { ar >> back >> i; });
        EXPECT_EQ(back, v);
        EXPECT_EQ(i, -7);
    }
    double nan = 0;
    LoadBytes(StoreBytes([](CArchive& ar) { ar << std::numeric_limits<double>::quiet_NaN(); }),
              [&](CArchive& ar) { ar >> nan; });
    EXPECT_TRUE(std::isnan(nan));
}

TEST(CArchive, ArraysStoreElementCountThenElements)
{
    // A column of values: element count, then the doubles.
    CArray<double, double> values;
    values.Add(0.0);
    values.Add(2.5);
    const std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { values.Serialize(ar); });
    EXPECT_EQ(bytes, Hex({0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x04, 0x40}));
    CArray<double, double> back;
    back.Add(9);
    LoadBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); });
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[1], 2.5);

    CStringArray names;
    names.Add("x");
    names.Add("");
    CStringArray namesBack;
    LoadBytes(StoreBytes([&](CArchive& ar) { names.Serialize(ar); }),
              [&](CArchive& ar) { namesBack.Serialize(ar); });
    ASSERT_EQ(namesBack.GetSize(), 2);
    EXPECT_STREQ(namesBack[0], "x");
}

TEST(CArchive, CollectionCountsMustFitTheFile)
{
    struct Case {
        std::int32_t count;
        std::size_t following; // bytes after the count
        bool accepted;
    };
    const Case cases[] = {{3, 12, true}, {3, 11, false}, {-1, 100, false}, {0, 0, true}};
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { ar << c.count; });
        bytes.resize(bytes.size() + c.following);
        bool accepted = true;
        try {
            LoadBytes(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCollectionCount(4), c.count); });
        } catch (const CArchiveException&) {
            accepted = false;
        }
        EXPECT_EQ(accepted, c.accepted) << c.count << " with " << c.following << " bytes";
    }
}

TEST(CArchive, ScalarArraysMatchElementByElementForms)
{
    const double values[] = {1.5, -0.0, 1e300, 2.5e-310};
    const std::vector<BYTE> block = StoreBytes([&](CArchive& ar) { ar.WriteArray(values, 4); });
    const std::vector<BYTE> single = StoreBytes([&](CArchive& ar) {
        for (double v : values)
            ar << v;
    });
    EXPECT_EQ(block, single);
    double back[4] = {};
    LoadBytes(block, [&](CArchive& ar) { ar.ReadArray(back, 4); });
    EXPECT_EQ(std::memcmp(back, values, sizeof values), 0);
    // One element short: refused before anything is written into the destination.
    double untouched[4] = {7, 7, 7, 7};
    EXPECT_THROW(LoadBytes(Head(block, 31), [&](CArchive& ar) { ar.ReadArray(untouched, 4); }),
                 CArchiveException);
    EXPECT_EQ(untouched[0], 7);
}

TEST(CArchive, RawReadStopsAtTheEndWithoutThrowing)
{
    // A short header is read as far as it goes; the rest of the caller's buffer is untouched.
    char header[16];
    std::memset(header, '#', sizeof header);
    UINT got = 0;
    LoadBytes(Hex({'Z', 'i', 'v'}), [&](CArchive& ar) { got = ar.Read(header, sizeof header); });
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(std::string(header, 5), "Ziv##");
}

TEST(CArchive, BigWritesAndReadsCrossTheBuffer)
{
    std::vector<BYTE> blob(10000);
    for (std::size_t i = 0; i < blob.size(); ++i)
        blob[i] = BYTE(i * 7);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 128);
        ar << int(1);
        ar.Write(blob.data(), UINT(blob.size()));
        ar << int(2);
        ar.Close();
    }
    EXPECT_EQ(file.GetLength(), blob.size() + 8);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 128);
    int a = 0, b = 0;
    std::vector<BYTE> back(blob.size());
    ar >> a;
    EXPECT_EQ(ar.Read(back.data(), UINT(back.size())), back.size());
    ar >> b;
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(back, blob);
    EXPECT_EQ(ar.GetBytesLeft(), 0u);
}

TEST(CArchive, FlushWhileLoadingHandsThePositionBackToTheFile)
{
    // The last section of a project runs to the end of the file and is read from the file itself.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << int(42) << CString("x");
        ar.Write("tail", 4);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    int n = 0;
    CString s;
    ar >> n >> s;
    ar.Flush();
    char tail[8] = {};
    EXPECT_EQ(ar.GetFile()->Read(tail, sizeof tail), 4u);
    EXPECT_STREQ(tail, "tail");
}

TEST(CArchive, WrongDirectionIsRefused)
{
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    int x = 0;
    try {
        storing >> x;
        FAIL() << "read from a storing archive";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::writeOnly);
    }
    CArchive loading(&file, CArchive::load);
    try {
        loading << x;
        FAIL() << "write to a loading archive";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::readOnly);
    }
}

TEST(CArchive, RoundTripThroughARealFile)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "zivra-archive-test.bin";
    const std::string pathText = path.string();
    const CString longText(std::string(70000, 'L'));
    {
        CFile file(pathText.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store, 4096);
        ar << int(1) << 3.25 << CString("name") << longText;
        ar.WriteCount(70000);
        ar.Close();
        file.Close();
    }
    EXPECT_EQ(std::filesystem::file_size(path), 4u + 8u + 5u + 7u + 70000u + 6u);
    {
        CFile file(pathText.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load, 4096);
        int i = 0;
        double d = 0;
        CString name, text;
        ar >> i >> d >> name >> text;
        EXPECT_EQ(i, 1);
        EXPECT_EQ(d, 3.25);
        EXPECT_STREQ(name, "name");
        EXPECT_TRUE(text == longText);
        // The count's 70000 elements are not in the file.
        EXPECT_THROW(ar.ReadCount(), CArchiveException);
    }
    std::filesystem::remove(path);
}

} // namespace
