// Hostile counts and lengths read over a stream without a length (a pipe), where the archive
// cannot compare them with the bytes left in advance. Each case prints its time and the largest
// single memory request beside their bounds: memory follows the bytes that arrive, never the
// stored number.
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "framework/core/CArchive.h"
#include "framework/core/Collections.h"
#include "tests/support/LargestRequest.h"
#include "tests/support/StreamFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <vector>

namespace {

std::vector<BYTE> Bytes(std::initializer_list<int> head, std::size_t fill = 0)
{
    std::vector<BYTE> bytes(head.begin(), head.end());
    bytes.resize(bytes.size() + fill, 'a');
    return bytes;
}

void Run(const char* what, const std::vector<BYTE>& bytes, double boundMs, std::size_t boundBytes,
         const std::function<void(CArchive&)>& read)
{
    CStreamFile pipe(bytes);
    g_largestRequest = 0;
    const char* outcome = "read";
    const auto start = std::chrono::steady_clock::now();
    try {
        CArchive ar(&pipe, CArchive::load);
        read(ar);
    } catch (const CArchiveException&) {
        outcome = "refused";
    } catch (const std::bad_alloc&) {
        outcome = "OUT OF MEMORY";
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("  %-46s %8.1f ms (bound %5.0f, ratio %5.2f)  %9.1f MB (bound %5.0f, ratio %5.2f)  "
                "%s\n",
                what, ms, boundMs, ms / boundMs, g_largestRequest / 1e6, boundBytes / 1e6,
                double(g_largestRequest) / double(boundBytes), outcome);
}

} // namespace

int main()
{
    InitCalcEngine();
    constexpr std::size_t kHundredMB = 100'000'000;
    std::printf("Archive over a stream without a length: time and largest request\n");
    CCalcEngine engine;
    Run("variables: count 0x7FFFFFFF, 8 bytes follow",
        Bytes({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}, 8), 50, 1 << 20,
        [&](CArchive& ar) { engine.SerializeVariables(ar); });
    Run("string: length 2^31-1, 1 byte follows",
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, 1), 50, 1 << 20, [](CArchive& ar) {
            CString s;
            ar >> s;
        });
    Run("string: length 2^31-1, 100 MB follow",
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, kHundredMB), 1000, 4 * kHundredMB,
        [](CArchive& ar) {
            CString s;
            ar >> s;
        });
    Run("doubles: count 2^32-1, 100 MB follow",
        Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, kHundredMB), 1000, 4 * kHundredMB,
        [](CArchive& ar) {
            CArray<double, double> values;
            values.Serialize(ar);
        });
    Run("string: 100 MB, all there", Bytes({0xFF, 0xFF, 0xFF, 0x00, 0xE1, 0xF5, 0x05}, kHundredMB),
        1000, 4 * kHundredMB, [](CArchive& ar) {
            CString s;
            ar >> s;
        });
    return 0;
}
