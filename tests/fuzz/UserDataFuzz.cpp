// Random bytes as the user-data file: every section read in order. A refused file leaves the
// tables as the reader then leaves them (empty); an accepted one stores and reads back to the
// same bytes. Any crash, sanitizer report or hang is a fault. Seeds: the user-data golden.
#include "app/UserDefinitions.h"
#include "engine/EngineNames.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "framework/core/CArchive.h"
#include "tests/fuzz/FuzzArchive.h"
#include "tests/fuzz/FuzzTargets.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<BYTE> Store(UserDefinitions& data)
{
    return stored::Store([&](CArchive& ar) { data.Serialize(ar); });
}

// A refused file leaves the tables empty.
bool Load(UserDefinitions& data, const std::uint8_t* bytes, std::size_t size)
{
    if (FuzzLoad(bytes, size, [&](CArchive& ar) { data.Serialize(ar); }))
        return true;
    data.Clear();
    return false;
}

} // namespace

int FuzzUserData(const std::uint8_t* bytes, std::size_t size)
{
    static const bool started = [] {
        InitCalcEngine();
        UseDotSeparators();
        return true;
    }();
    (void)started;
    UserDefinitions data;
    if (Load(data, bytes, size)) {
        const std::vector<BYTE> stored = Store(data);
        data.Clear();
        UserDefinitions again;
        if (!Load(again, stored.data(), stored.size()) || Store(again) != stored)
            FuzzFault("accepted user data does not read back as itself");
        again.Clear();
    }
    data.Clear();
    return 0;
}
