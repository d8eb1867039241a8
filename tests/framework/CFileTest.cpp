#include "framework/core/CFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

TEST(CFile, WriteSeekReadAndLength)
{
    const std::string path = TempPath("zivra-cfile-test.bin");
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        f.Write("hello world", 11);
        EXPECT_EQ(f.GetPosition(), 11u);
        EXPECT_EQ(f.GetLength(), 11u);
        f.Seek(6, CFile::begin);
        f.Write("WORLD", 5);
        f.Close();
        EXPECT_FALSE(f.IsOpen());
    }
    {
        CFile f(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
        EXPECT_EQ(f.GetLength(), 11u);
        char buf[32] = {};
        EXPECT_EQ(f.Read(buf, 5), 5u);
        EXPECT_STREQ(buf, "hello");
        EXPECT_EQ(f.Seek(-5, CFile::end), 6u);
        EXPECT_EQ(f.Read(buf, sizeof buf), 5u); // short read at the end, no error
        EXPECT_EQ(std::string(buf, 5), "WORLD");
        EXPECT_EQ(f.Read(buf, sizeof buf), 0u);
        EXPECT_STREQ(f.GetFileName(), "zivra-cfile-test.bin");
    }
    {
        // No-truncate keeps the contents; plain create empties the file.
        CFile keep(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(keep.GetLength(), 11u);
    }
    {
        CFile empty(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
        EXPECT_EQ(empty.GetLength(), 0u);
        // Writing, reading and writing again without a seek between them.
        empty.Write("ab", 2);
        char c = 0;
        EXPECT_EQ(empty.Read(&c, 1), 0u);
        empty.Write("c", 1);
        empty.SeekToBegin();
        char all[4] = {};
        EXPECT_EQ(empty.Read(all, 3), 3u);
        EXPECT_STREQ(all, "abc");
    }
    CFile::Remove(path.c_str());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(CFile, FailuresCarryCauseAndPath)
{
    const std::string missing = TempPath("zivra-no-such-dir/none.zvp");
    const std::string folder = std::filesystem::temp_directory_path().string();
    struct Case {
        std::string path;
        UINT flags;
        int cause;
    };
    const Case cases[] = {
        {TempPath("zivra-no-such-file.zvp"), CFile::modeRead, CFileException::fileNotFound},
        {missing, CFile::modeCreate | CFile::modeWrite, CFileException::fileNotFound},
        {folder, CFile::modeRead, CFileException::accessDenied},
        {"", CFile::modeRead, CFileException::fileNotFound},
    };
    for (const Case& c : cases) {
        try {
            CFile f(c.path.c_str(), c.flags);
            ADD_FAILURE() << "opened " << c.path;
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, c.cause) << c.path;
            EXPECT_STREQ(e.m_strFileName, c.path.c_str());
            char text[256];
            EXPECT_TRUE(e.GetErrorMessage(text, sizeof text));
            if (!c.path.empty()) {
                EXPECT_NE(std::string(text).find(c.path), std::string::npos) << text;
            }
        }
        CFile f;
        CFileException error;
        EXPECT_FALSE(f.Open(c.path.c_str(), c.flags, &error)) << c.path;
        EXPECT_EQ(error.m_cause, c.cause) << c.path;
    }
    EXPECT_THROW(CFile::Remove(TempPath("zivra-no-such-file.zvp").c_str()), CFileException);
    EXPECT_THROW(CFile::Rename(TempPath("zivra-no-such-file.zvp").c_str(), TempPath("x").c_str()),
                 CFileException);
}

TEST(CFile, ErrorTextIsCutToTheCallersBuffer)
{
    const CFileException e(CFileException::diskFull, 28, "c:\\data\\project.zvp");
    char small[8];
    EXPECT_TRUE(e.GetErrorMessage(small, sizeof small));
    EXPECT_EQ(std::string(small).size(), 7u);
    EXPECT_FALSE(e.GetErrorMessage(small, 0));
    EXPECT_STREQ(e.what(), e.GetErrorMessage());
}

TEST(CMemFile, GrowsAndReadsBack)
{
    CMemFile f;
    f.Write("abc", 3);
    f.Seek(5, CFile::begin);
    f.Write("z", 1); // a gap reads as zero bytes
    EXPECT_EQ(f.GetLength(), 6u);
    f.SeekToBegin();
    char buf[8] = {};
    EXPECT_EQ(f.Read(buf, 8), 6u);
    EXPECT_EQ(std::string(buf, 6), std::string("abc\0\0z", 6));
    EXPECT_THROW(f.Seek(-1, CFile::begin), CFileException);
    f.SetLength(2);
    EXPECT_EQ(f.GetPosition(), 2u);
    const std::vector<BYTE> bytes = f.Detach();
    EXPECT_EQ(bytes, (std::vector<BYTE>{'a', 'b'}));
    EXPECT_EQ(f.GetLength(), 0u);

    const BYTE init[] = {1, 2, 3};
    CMemFile g(init, 3);
    EXPECT_EQ(g.GetPosition(), 0u);
    EXPECT_EQ(g.Read(buf, 2), 2u);
    EXPECT_EQ(buf[1], 2);
}

} // namespace
