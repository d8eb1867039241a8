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
#include "tests/fuzz/FuzzTargets.h"
#include "tests/support/StreamFile.h"

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;
using Section = std::function<void(CArchive&)>;

Bytes Store(const Section& section)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        section(ar);
        ar.Close();
    }
    return file.Detach();
}

// True when the section was read; false when the archive refused the bytes.
bool Load(const Bytes& bytes, bool stream, const Section& section)
{
    try {
        CStreamFile pipe(bytes);
        CMemFile file(bytes.data(), UINT(bytes.size()));
        CArchive ar(stream ? static_cast<CFile*>(&pipe) : &file, CArchive::load);
        section(ar);
        ar.Close();
        return true;
    } catch (const CArchiveException&) {
        return false;
    } catch (const std::exception& e) {
        FuzzFault(e.what());
    }
}

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
// section. afterLoad is what the program does with a section it has read.
int RunSection(const std::uint8_t* data, std::size_t size, const Section& section,
               const std::function<void()>& afterLoad = {})
{
    if (size < 1 || size > (1 << 20))
        return 0;
    ResetTables();
    if (data[0] & 2)
        UseCommaSeparators();
    else
        UseDotSeparators();
    const Bytes before = Store(section);
    if (!Load(Bytes(data + 1, data + size), data[0] & 1, section)) {
        if (Store(section) != before)
            FuzzFault("a refused section changed the table");
        return 0;
    }
    if (afterLoad)
        afterLoad();
    const Bytes once = Store(section);
    if (!Load(once, false, section))
        FuzzFault("a section as written is refused");
    if (afterLoad)
        afterLoad();
    if (Store(section) != once)
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

int FuzzStoredUserFunctions(const std::uint8_t* data, std::size_t size)
{
    return RunSection(data, size, CCalcEngine::SerializeUserFunctions);
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
