// Each stored section of the engine's tables over any bytes, from a file or from a stream
// without a length, under either decimal convention. A section is either refused with the
// archive's exception, leaving the table as it was, or read; what was read writes back and
// reads again to the same bytes. Any other exception, a crash or a hang is a fault.
#include "engine/CalcEngine.h"
#include "engine/EngineNames.h"
#include "engine/EngineStartup.h"
#include "engine/EngineTablesArchive.h"
#include "engine/LocaleSeparators.h"
#include "engine/SolverModel.h"
#include "engine/UnitRegistry.h"
#include "framework/core/CArchive.h"
#include "tests/fuzz/FuzzArchive.h"
#include "tests/fuzz/FuzzTargets.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// The program-wide tables in a known state with one record each, so that a refused section
// that changes them shows.
void ResetTables()
{
    static bool started = (InitCalcEngine(), true);
    (void)started;
    while (GetUserFunctionCount() > 0)
        DeleteUserFunction(GetUserFunctionCount() - 1);
    ClearUnloadedUserFunctions();
    CCalcEngine().DefineUserFunction("keep(a) = a+1", false);
    GetUserConstants().clear();
    AddUserConstant("kept", "m", "kc", 3);
    ResetUnitRegistry();
    AddUserUnit("keepunit", "m", 2);
    // Registered after the tables exist, so it runs before their own statics go at exit.
    static bool freed = (std::atexit(FreeGlobalSymbolTables), true);
    (void)freed;
}

// The first byte chooses the stream (bit 0) and the comma convention (bit 1); the rest is the
// section. afterLoad is what the program does with a section it has read; checkWritten compares
// the section as read with the section as then written.
int RunSection(const std::uint8_t* data, std::size_t size, const stored::Section& section,
               const std::function<void()>& afterLoad = {},
               const std::function<void(const Bytes&, const Bytes&)>& checkWritten = {})
{
    if (size < 1 || size > (1 << 20))
        return 0;
    ResetTables();
    if (data[0] & 2)
        UseCommaSeparators();
    else
        UseDotSeparators();
    const Bytes before = stored::Store(section);
    if (!FuzzLoad(data + 1, size - 1, section, data[0] & 1)) {
        if (stored::Store(section) != before)
            FuzzFault("a refused section changed the table");
        return 0;
    }
    if (afterLoad)
        afterLoad();
    const Bytes once = stored::Store(section);
    if (checkWritten)
        checkWritten(Bytes(data + 1, data + size), once);
    if (!FuzzLoad(once.data(), once.size(), section))
        FuzzFault("a section as written is refused");
    if (afterLoad)
        afterLoad();
    if (stored::Store(section) != once)
        FuzzFault("a section read back writes differently");
    return 0;
}

} // namespace

int FuzzStoredVariables(const std::uint8_t* data, std::size_t size)
{
    CCalcEngine engine;
    engine.AppendVariable("keep", 1);
    return RunSection(data, size, [&](CArchive& ar) { engine.SerializeVariables(ar); });
}

int FuzzStoredExpressionVariables(const std::uint8_t* data, std::size_t size)
{
    CCalcEngine engine;
    engine.AddExpressionVariable("keep", "2*x");
    return RunSection(data, size, [&](CArchive& ar) { engine.SerializeExpressionVariables(ar); });
}

namespace {

// A user-function record as it stands in the file.
struct StoredFunction {
    CString name, body, description;
    std::vector<CString> params;
    auto Key() const { return std::tie(name, params, description, body); }
};

std::vector<StoredFunction> ReadStoredFunctions(const Bytes& bytes, std::int32_t& flag)
{
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    std::int32_t count = 0;
    ar >> flag >> count;
    std::vector<StoredFunction> functions(static_cast<std::size_t>(count));
    for (StoredFunction& function : functions) {
        std::int32_t params = 0;
        ar >> function.name >> function.body >> function.description >> params;
        function.params.resize(static_cast<std::size_t>(params));
        for (CString& param : function.params)
            ar >> param;
    }
    return functions;
}

// Every stored function is written back: defined under its own name and parameters, or kept
// aside as it was; only one whose name a function written back holds may be left out (a second
// record of one name). Nothing is written that was not stored. A body stored under the other
// convention may change (re-encoded).
void CheckEveryFunctionWrittenBack(const Bytes& read, const Bytes& written)
{
    std::int32_t readFlag = 0, writtenFlag = 0;
    std::vector<StoredFunction> before = ReadStoredFunctions(read, readFlag);
    std::vector<StoredFunction> after = ReadStoredFunctions(written, writtenFlag);
    if (readFlag != writtenFlag)
        for (std::vector<StoredFunction>* list : {&before, &after})
            for (StoredFunction& function : *list)
                function.body.Empty();
    std::vector<StoredFunction> unmatched = after;
    for (const StoredFunction& stored : before) {
        const auto same =
            std::find_if(unmatched.begin(), unmatched.end(),
                         [&](const StoredFunction& f) { return f.Key() == stored.Key(); });
        if (same != unmatched.end()) {
            unmatched.erase(same);
            continue;
        }
        const bool nameHeld = std::any_of(after.begin(), after.end(), [&](const StoredFunction& f) {
            return f.name.CompareNoCase(stored.name) == 0;
        });
        if (!nameHeld)
            FuzzFault("a stored user function is lost or written back as something else");
    }
    if (!unmatched.empty())
        FuzzFault("a user function is written back that was not stored");
}

} // namespace

int FuzzStoredUserFunctions(const std::uint8_t* data, std::size_t size)
{
    return RunSection(data, size, CCalcEngine::SerializeUserFunctions, {},
                      CheckEveryFunctionWrittenBack);
}

int FuzzStoredUserConstants(const std::uint8_t* data, std::size_t size)
{
    return RunSection(data, size, CCalcEngine::SerializeUserConstants);
}

int FuzzStoredUserUnits(const std::uint8_t* data, std::size_t size)
{
    return RunSection(data, size, CCalcEngine::SerializeUserUnits);
}

int FuzzSolverModel(const std::uint8_t* data, std::size_t size)
{
    CSolverModel model;
    model.SetEquation("a*b = 2");
    // A model read from a file has its equation set again, as the document does.
    return RunSection(
        data, size, [&](CArchive& ar) { model.Serialize(ar); },
        [&] { model.SetEquation(model.m_strEquation); });
}
