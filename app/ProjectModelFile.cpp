// The project file: the fixed header and the body. Opening reads into fresh items and takes
// them over only when the whole file was read, so a damaged file never costs the open project.
#include "app/ProjectModel.h"

#include "framework/core/AsciiText.h"
#include "framework/core/CArchive.h"

#include <cstdint>
#include <cstring>

namespace {

// Fewest stored bytes of a table (base form, layout and column count), a list (base form and
// element count) and a matrix (base form, rows and columns).
constexpr ULONGLONG kTableBytes = 1 + 4 + 4 + 4 + 4;
constexpr ULONGLONG kListBytes = 1 + 4 + 4 + 2;
constexpr ULONGLONG kMatrixBytes = 1 + 4 + 4 + 4 + 4;

constexpr char kRtfStart[] = "{\\rtf";

// The workspace part must at least start as rich text; text cut short after that start shows
// as far as it goes.
bool StartsAsRtf(const std::vector<BYTE>& rtf)
{
    const std::size_t start = sizeof kRtfStart - 1;
    return rtf.size() >= start && std::memcmp(rtf.data(), kRtfStart, start) == 0;
}

template <class T> void StoreCollection(CArchive& ar, std::vector<std::unique_ptr<T>>& items)
{
    ar << std::int32_t(items.size());
    for (auto& item : items)
        item->Serialize(ar);
}

template <class T>
std::vector<std::unique_ptr<T>> LoadCollection(CArchive& ar, ULONGLONG elementBytes)
{
    std::vector<std::unique_ptr<T>> items;
    const int count = ar.ReadCollectionCount(elementBytes);
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<T>();
        item->Serialize(ar);
        items.push_back(std::move(item));
    }
    return items;
}

// What a project file holds, read apart from the open project.
struct StagedBody {
    std::vector<std::unique_ptr<CDataTable>> tables;
    std::vector<std::unique_ptr<CDataColumn>> lists;
    std::vector<std::unique_ptr<CMatrixObject>> matrices;
    CPlot2D dataPlot, functionPlot;
    CPlot3DScene scene;
    CCalcEngine engine; // its variables and expression variables
    std::vector<BYTE> rtf;
};

// Another object's contents through their stored form: plots keep their identity (windows
// hold them) and take over everything a file holds of them.
template <class T> void CopyStoredForm(T& from, T& to)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        from.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    to.Serialize(ar);
}

} // namespace

BOOL ProjectModel::SerializeProjectHeader(CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteProjectHeader(ar, GetConstantProjectHeader());
        return TRUE;
    }
    return ReadProjectHeader(ar, m_Header);
}

BOOL ProjectModel::SerializeProject(CArchive& ar)
{
    if (ar.IsStoring()) {
        SerializeProjectHeader(ar);
        SerializeProjectBody(ar);
        return TRUE;
    }
    ProjectHeader header = GetConstantProjectHeader();
    if (!ReadProjectHeader(ar, header) || !IsValidProjectHeader(header))
        return FALSE;
    SerializeProjectBody(ar);
    m_Header = header;
    return TRUE;
}

void ProjectModel::SerializeProjectBody(CArchive& ar)
{
    if (!ar.IsStoring()) {
        ReadProjectBody(ar);
        return;
    }
    StoreCollection(ar, m_DataTables);
    m_DataPlot.Serialize(ar);
    m_FunctionPlot.Serialize(ar);
    m_Scene.Serialize(ar);
    StoreCollection(ar, m_Lists);
    StoreCollection(ar, m_Matrices);
    m_Engine.SerializeVariables(ar);
    m_Engine.SerializeExpressionVariables(ar);
    if (m_WorkspaceRtf.empty())
        ar.Write(kEmptyWorkspaceRtf, UINT(std::strlen(kEmptyWorkspaceRtf)));
    else
        ar.Write(m_WorkspaceRtf.data(), UINT(m_WorkspaceRtf.size()));
}

void ProjectModel::RelinkDataGraphs(CPlot2D& plot,
                                    const std::vector<std::unique_ptr<CDataTable>>& tables)
{
    for (int i = plot.GetItemCount() - 1; i >= 0; --i) {
        CFunctionPlot* graph = plot.GetItem(i);
        const CString name = graph->GetTableName();
        CDataTable* table = nullptr;
        for (const auto& candidate : tables)
            if (ascii::EqualNoCase(candidate->GetName(), name)) {
                table = candidate.get();
                break;
            }
        if (table)
            graph->AttachDataTable(table);
        else
            plot.RemoveItem(i);
    }
}

void ProjectModel::ReadProjectBody(CArchive& ar)
{
    auto staged = std::make_unique<StagedBody>();
    staged->tables = LoadCollection<CDataTable>(ar, kTableBytes);
    staged->dataPlot.Serialize(ar);
    RelinkDataGraphs(staged->dataPlot, staged->tables);
    staged->functionPlot.Serialize(ar);
    staged->scene.Serialize(ar);
    staged->lists = LoadCollection<CDataColumn>(ar, kListBytes);
    staged->matrices = LoadCollection<CMatrixObject>(ar, kMatrixBytes);
    staged->engine.SerializeVariables(ar);
    staged->engine.SerializeExpressionVariables(ar);
    // The workspace runs to the end of the file and must be rich text.
    BYTE chunk[1 << 16];
    for (UINT got = sizeof chunk; got == sizeof chunk;) {
        got = ar.Read(chunk, sizeof chunk);
        staged->rtf.insert(staged->rtf.end(), chunk, chunk + got);
    }
    if (!StartsAsRtf(staged->rtf))
        throw CArchiveException(CArchiveException::genericException);

    // Everything was read: the project's items are replaced.
    DeleteContents();
    m_DataTables.swap(staged->tables);
    m_Lists.swap(staged->lists);
    m_Matrices.swap(staged->matrices);
    m_Engine.m_Variables.swap(staged->engine.m_Variables);
    m_Engine.m_ExprVariables.swap(staged->engine.m_ExprVariables);
    m_WorkspaceRtf.swap(staged->rtf);
    TakeStagedPlots(staged->dataPlot, staged->functionPlot, staged->scene);
    RelinkDataGraphs(m_DataPlot, m_DataTables);
    m_bModified = FALSE;
}

void ProjectModel::TakeStagedPlots(CPlot2D& dataPlot, CPlot2D& functionPlot, CPlot3DScene& scene)
{
    CopyStoredForm(dataPlot, m_DataPlot);
    CopyStoredForm(functionPlot, m_FunctionPlot);
    CopyStoredForm(scene, m_Scene);
    m_DataPlot.m_pEngine = m_FunctionPlot.m_pEngine = &m_Engine;
    m_Scene.m_pEngine = &m_Engine;
}
