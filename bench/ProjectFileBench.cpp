// Saving and opening a project of 100 data tables of 10,000 rows (two columns each) through
// the project model, against a target of one second each. Plain timing, median of the runs.
#include "app/ProjectModel.h"
#include "bench/BenchProject.h"
#include "bench/PlainTiming.h"
#include "engine/EngineNames.h"
#include "framework/core/AtomicFile.h"
#include "framework/core/CArchive.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

constexpr int kTables = 100;
constexpr int kRows = 10000;
constexpr int kRuns = 7;
constexpr double kTargetMs = 1000;

} // namespace

int main()
{
    ProjectModel model;
    model.Initialize();
    model.OnNewDocument();
    AddBenchTables(model, kTables, kRows);
    const std::string path =
        (std::filesystem::temp_directory_path() / "zivra-bench-project.zvp").string();

    const double saveMs = MedianMs(kRuns, [&] {
        ReplaceFileAtomically(path.c_str(), [&](CFile& file) {
            CArchive ar(&file, CArchive::store);
            model.SerializeProject(ar);
            ar.Close();
        });
    });
    ProjectModel opened;
    opened.Initialize();
    const double openMs = MedianMs(kRuns, [&] {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        opened.SerializeProject(ar);
    });
    std::printf("project of %d tables x %d rows, %.1f MB\n", kTables, kRows,
                double(std::filesystem::file_size(path)) / 1e6);
    PrintAgainstTarget("save (project model)", saveMs, kTargetMs);
    PrintAgainstTarget("open (project model)", openMs, kTargetMs);
    std::filesystem::remove(path);
    FreeGlobalSymbolTables();
    return opened.m_DataTables.size() == std::size_t(kTables) ? 0 : 1;
}
