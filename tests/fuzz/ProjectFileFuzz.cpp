// Random bytes as a project file: read into a project that already holds items. A refused file
// must leave the project exactly as it was (its stored bytes are compared); an accepted one
// must store again and read back to the same bytes. Any crash, sanitizer report or hang is a
// fault. Seeds: the project goldens.
#include "app/ProjectModel.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "framework/core/CArchive.h"
#include "tests/fuzz/FuzzArchive.h"
#include "tests/fuzz/FuzzTargets.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<BYTE> Store(ProjectModel& model)
{
    return stored::Store([&](CArchive& ar) { model.SerializeProject(ar); });
}

bool Load(ProjectModel& model, const std::uint8_t* data, std::size_t size)
{
    BOOL read = FALSE;
    return FuzzLoad(data, size, [&](CArchive& ar) { read = model.SerializeProject(ar); }) && read;
}

ProjectModel& Project()
{
    static ProjectModel* model = [] {
        auto* m = new ProjectModel;
        m->Initialize();
        UseDotSeparators();
        m->OnNewDocument();
        auto* list = new CDataColumn;
        list->SetName("Kept");
        list->Append(1);
        m->AddResultItem(ItemList, list);
        return m;
    }();
    return *model;
}

} // namespace

int FuzzProjectFile(const std::uint8_t* data, std::size_t size)
{
    ProjectModel& model = Project();
    const std::vector<BYTE> before = Store(model);
    if (!Load(model, data, size)) {
        if (Store(model) != before)
            FuzzFault("a refused project file changed the project");
        return 0;
    }
    const std::vector<BYTE> stored = Store(model);
    ProjectModel again;
    again.Initialize();
    if (!Load(again, stored.data(), stored.size()) || Store(again) != stored)
        FuzzFault("an accepted project does not read back as itself");
    // Back to the seed project for the next input.
    Load(model, before.data(), before.size());
    return 0;
}
