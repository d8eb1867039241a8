// Saving and opening a project of 100 data tables of 10,000 rows through the document (atomic
// save, staged open), under Wine; target one second each. Plain timing, median of the runs.
#include "app/MyDocument.h"
#include "bench/BenchProject.h"
#include "bench/PlainTiming.h"
#include "engine/EngineNames.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kTables = 100;
constexpr int kRows = 10000;
constexpr int kRuns = 7;
constexpr double kTargetMs = 1000;

} // namespace

int main()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const CString folder = CString(temp);
    const CString path = folder + "zivra-bench-document.zvp";
    CMyDocument::SetUserDataPath(folder + "zivra-bench-users.dat");
    BOOL ok = TRUE;
    {
        CMyDocument document;
        document.OnNewDocument();
        ProjectModel& model = document.GetModel();
        AddBenchTables(model, kTables, kRows);
        const double saveMs = MedianMs(kRuns, [&] { ok &= document.OnSaveDocument(path); });
        const double openMs = MedianMs(kRuns, [&] { ok &= document.OnOpenDocument(path); });
        std::printf("project of %d tables x %d rows\n", kTables, kRows);
        PrintAgainstTarget("save (document)", saveMs, kTargetMs);
        PrintAgainstTarget("open (document)", openMs, kTargetMs);
        ok &= model.m_DataTables.size() == std::size_t(kTables);
    }
    ::DeleteFileA(path);
    ::DeleteFileA(folder + "zivra-bench-users.dat");
    return ok ? 0 : 1;
}
