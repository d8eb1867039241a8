// The project file: the fixed header, its check, and (below) the body with its refusals.
#include "app/ProjectHeader.h"
#include "tests/analysis/StoredBytes.h"

#include <gtest/gtest.h>

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
