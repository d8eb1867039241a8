// Huge counts and lengths in a small file must fail before any memory is asked for. This
// program replaces the global allocator to record the largest request.
#include "framework/core/Collections.h"
#include "tests/framework/ArchiveTestHelpers.h"
#include "tests/support/LargestRequest.h"
#include "tests/support/StreamFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr std::size_t kLimit = 1 << 20; // nothing here needs a megabyte

TEST(HostileCount, HugeCountsAndLengthsFailWithoutAllocating)
{
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        std::function<void(CArchive&)> read;
    };
    CString text("old");
    CArray<double, double> column;
    CStringArray names;
    const Case cases[] = {
        {"count 2^31", Hex({0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 1, 2, 3}),
         [](CArchive& ar) { ar.ReadCount(); }},
        {"count 2^32-1", Hex({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
         [](CArchive& ar) { ar.ReadCount(); }},
        {"string 2^31", Hex({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 'a'}),
         [&](CArchive& ar) { ar >> text; }},
        {"string 2^31-1", Hex({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),
         [&](CArchive& ar) { ar >> text; }},
        {"string 65533", Hex({0xFF, 0xFD, 0xFF, 'a'}), [&](CArchive& ar) { ar >> text; }},
        {"doubles 2^31", Hex({0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 1}),
         [&](CArchive& ar) { column.Serialize(ar); }},
        {"strings 2^31", Hex({0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0}),
         [&](CArchive& ar) { names.Serialize(ar); }},
        {"i32 count 2^31-1", Hex({0xFF, 0xFF, 0xFF, 0x7F, 0}),
         [](CArchive& ar) {
             int n = 0;
             ar >> n;
             ar.CheckCount(ULONGLONG(n), 8);
         }},
    };
    // Over a file with a length, and over a stream without one (a pipe), where the archive
    // can only learn that the bytes are missing by reading them.
    for (const bool stream : {false, true}) {
        for (const Case& c : cases) {
            g_largestRequest = 0;
            try {
                if (stream) {
                    CStreamFile file(c.bytes);
                    CArchive ar(&file, CArchive::load);
                    c.read(ar);
                } else {
                    LoadBytes(c.bytes, c.read);
                }
                ADD_FAILURE() << c.what << ": accepted";
            } catch (const CArchiveException& e) {
                EXPECT_EQ(e.m_cause, CArchiveException::endOfFile) << c.what;
            }
            EXPECT_LT(g_largestRequest.load(), kLimit) << c.what << (stream ? " (stream)" : "");
        }
    }
    EXPECT_STREQ(text, "old");
    EXPECT_TRUE(column.IsEmpty());
    EXPECT_TRUE(names.IsEmpty());
}

// Real contents over a stream load whole, however long: the buffer grows as bytes arrive.
TEST(HostileCount, AStreamWithoutALengthLoadsWhatIsThere)
{
    const CString longText(std::string(300000, 'z').c_str());
    CArray<double, double> column;
    for (int i = 0; i < 70000; ++i)
        column.Add(i * 0.5);
    const std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) {
        ar << longText << CString("short");
        column.Serialize(ar);
    });
    CStreamFile file(bytes);
    CArchive ar(&file, CArchive::load);
    CString a, b;
    CArray<double, double> back;
    ar >> a >> b;
    back.Serialize(ar);
    EXPECT_EQ(a, longText);
    EXPECT_STREQ(b, "short");
    ASSERT_EQ(back.GetSize(), 70000);
    EXPECT_EQ(back[69999], 69999 * 0.5);
    EXPECT_NO_THROW(ar.Close()) << "what cannot be given back to a stream is dropped";
}

} // namespace
