// Every fuzz target over its corpus, one file at a time: the seeds and each input that once
// found a fault. Each file's name is printed before it runs, so a crash names its input.
#include "tests/fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class FuzzReplay : public testing::TestWithParam<FuzzTarget> {};

TEST_P(FuzzReplay, CorpusRunsClean)
{
    const FuzzTarget& target = GetParam();
    const fs::path folder = fs::path(ZIVRA_FUZZ_CORPUS) / target.name;
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no corpus in " << folder.string();
    for (const fs::path& file : files) {
        std::printf("%s: %s\n", target.name, file.filename().string().c_str());
        std::fflush(stdout);
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>()};
        target.entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, FuzzReplay, testing::ValuesIn(kFuzzTargets),
                         [](const testing::TestParamInfo<FuzzTarget>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
