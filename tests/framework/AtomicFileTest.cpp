#include "framework/core/AtomicFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("zivra-atomic-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(folder / "target.bin", fs::perms::owner_all, ec);
        fs::remove_all(folder, ec);
    }

    static std::string Contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Put(const fs::path& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    static auto Writer(const char* text)
    {
        return [text](CFile& file) { file.Write(text, UINT(std::strlen(text))); };
    }
    std::size_t EntryCount() const
    {
        return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
};

TEST_F(AtomicFileTest, NewContentsReplaceTheOldAndNoTemporaryFileStays)
{
    const fs::path target = folder / "target.bin";
    Put(target, "old contents");
    ReplaceFileAtomically(target.string().c_str(), Writer("new"));
    EXPECT_EQ(Contents(target), "new");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, AFailingWriterLeavesTheOldFileAndRemovesTheTemporary)
{
    const fs::path target = folder / "target.bin";
    Put(target, "old contents");
    auto failing = [](CFile& file) {
        file.Write("partial", 7);
        throw CArchiveException(CArchiveException::genericException);
    };
    EXPECT_THROW(ReplaceFileAtomically(target.string().c_str(), failing), CArchiveException);
    EXPECT_EQ(Contents(target), "old contents");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, AMissingFolderIsAnErrorUnlessAskedToCreateIt)
{
    const fs::path target = folder / "a" / "b" / "target.bin";
    try {
        ReplaceFileAtomically(target.string().c_str(), Writer("x"));
        ADD_FAILURE() << "no exception for a missing folder";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_strFileName, CString(target.string().c_str()));
    }
    EXPECT_FALSE(fs::exists(folder / "a"));
    ReplaceFileAtomically(target.string().c_str(), Writer("x"), TRUE);
    EXPECT_EQ(Contents(target), "x");
}

TEST_F(AtomicFileTest, AReadOnlyTargetIsRefused)
{
    const fs::path target = folder / "target.bin";
    Put(target, "kept");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    try {
        ReplaceFileAtomically(target.string().c_str(), Writer("lost"));
        ADD_FAILURE() << "a read-only target was replaced";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::accessDenied);
    }
    EXPECT_EQ(Contents(target), "kept");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST(FolderOfPath, KeepsTheTrailingSeparator)
{
    struct Case {
        const char* path;
        const char* folder;
    };
    const Case cases[] = {
        {"dir/file.dat", "dir/"},
        {"/a/b/c", "/a/b/"},
        {"file.dat", ""},
        {"", ""},
#ifdef _WIN32
        {"c:\\1temp\\users.dat", "c:\\1temp\\"},
        {"c:\\x/y.dat", "c:\\x/"},
#endif
    };
    for (const Case& c : cases)
        EXPECT_STREQ(FolderOfPath(c.path), c.folder) << "path: " << c.path;
}

} // namespace
