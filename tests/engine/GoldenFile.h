#pragma once
// Byte-exact golden files under tests/data. Setting ZIVRA_UPDATE_GOLDEN=1 rewrites them from
// what the code writes now (then look at the bytes before committing).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace golden {

inline std::string PathOf(const char* name)
{
    return std::string(ZIVRA_TEST_DATA_DIR) + "/" + name;
}

inline std::vector<unsigned char> Read(const char* name)
{
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>());
}

// Compares bytes with the golden file name (or rewrites it on request).
inline void Expect(const char* name, const std::vector<unsigned char>& bytes)
{
    const char* update = std::getenv("ZIVRA_UPDATE_GOLDEN");
    if (update && update[0] == '1') {
        std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return;
    }
    const std::vector<unsigned char> expected = Read(name);
    ASSERT_FALSE(expected.empty()) << "missing golden file " << name;
    EXPECT_EQ(bytes, expected) << "bytes differ from " << name;
}

} // namespace golden
