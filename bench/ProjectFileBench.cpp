// Saving and opening a project of 100 data tables of 10,000 rows (two columns each) through
// the project model, against a target of one second each. Plain timing, median of the runs.
#include "app/ProjectModel.h"
#include "engine/EngineNames.h"
#include "framework/core/AtomicFile.h"
#include "framework/core/CArchive.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

constexpr int kTables = 100;
constexpr int kRows = 10000;
constexpr int kRuns = 7;
constexpr double kTargetMs = 1000;

void Fill(ProjectModel& model)
{
    for (int t = 0; t < kTables; ++t) {
        auto* table = new CDataTable;
        table->Create(TableLayoutXY, 0, kRows);
        for (int r = 0; r < kRows; ++r) {
            table->GetColumn(0)->SetValue(r + 1, r * 0.5);
            table->GetColumn(1)->SetValue(r + 1, std::sin(r * 0.001 + t));
        }
        table->SetName(model.MakeDefaultName(ItemDataTable));
        model.AddResultItem(ItemDataTable, table);
    }
}

template <class F> double MedianMs(F&& run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* what, double ms)
{
    std::printf("%-34s %9.1f ms   target %6.0f ms   ratio %.3f\n", what, ms, kTargetMs,
                ms / kTargetMs);
}

} // namespace

int main()
{
    ProjectModel model;
    model.Initialize();
    model.OnNewDocument();
    Fill(model);
    const std::string path =
        (std::filesystem::temp_directory_path() / "zivra-bench-project.zvp").string();

    const double saveMs = MedianMs([&] {
        ReplaceFileAtomically(path.c_str(), [&](CFile& file) {
            CArchive ar(&file, CArchive::store);
            model.SerializeProject(ar);
            ar.Close();
        });
    });
    ProjectModel opened;
    opened.Initialize();
    const double openMs = MedianMs([&] {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        opened.SerializeProject(ar);
    });
    std::printf("project of %d tables x %d rows, %.1f MB\n", kTables, kRows,
                double(std::filesystem::file_size(path)) / 1e6);
    Report("save (project model)", saveMs);
    Report("open (project model)", openMs);
    std::filesystem::remove(path);
    FreeGlobalSymbolTables();
    return opened.m_DataTables.size() == std::size_t(kTables) ? 0 : 1;
}
