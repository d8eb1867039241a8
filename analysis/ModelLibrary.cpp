#include "analysis/ModelLibrary.h"

#include "analysis/DefaultModels.h"
#include "engine/LocaleSeparators.h"
#include "engine/ReencodeExpression.h"
#include "framework/core/AsciiText.h"
#include "framework/core/CArchive.h"

#include <algorithm>
#include <cstdint>

namespace {

// Fewest bytes of a stored record (flag and five empty texts) and category (name and count).
constexpr ULONGLONG kRecordBytes = 4 + 5;
constexpr ULONGLONG kCategoryBytes = 1 + 4;

// "<base> <n>" for the first n from 1 that taken() refuses.
template <class Taken> CString FirstFreeName(const CString& base, Taken taken)
{
    for (int n = 1;; ++n) {
        CString name;
        name.Format("%s %d", base.GetString(), n);
        if (!taken(name))
            return name;
    }
}

// An exact copy of one of the category's models, whatever its category field says.
bool HoldsCopy(const CModelCategory& category, const ModelRecord& record)
{
    for (int m = 0; m < category.GetModelCount(); ++m) {
        const ModelRecord& held = category.GetModel(m);
        if (held.strName == record.strName && held.strFormula == record.strFormula &&
            held.strDescription == record.strDescription && held.strPreview == record.strPreview)
            return true;
    }
    return false;
}

// Categories whose names differ only in case (a file edited by hand or written elsewhere) are
// one category: the first keeps its place and takes the models of the others, each model once.
void MergeTwinCategories(std::vector<std::unique_ptr<CModelCategory>>& categories)
{
    for (std::size_t i = 0; i < categories.size(); ++i) {
        CModelCategory& kept = *categories[i];
        std::vector<ModelRecord> models;
        for (int m = 0; m < kept.GetModelCount(); ++m)
            models.push_back(kept.GetModel(m));
        bool bTwins = false;
        for (std::size_t j = i + 1; j < categories.size();) {
            const CModelCategory& twin = *categories[j];
            if (!ascii::EqualNoCase(twin.GetName(), kept.GetName())) {
                ++j;
                continue;
            }
            for (int m = 0; m < twin.GetModelCount(); ++m)
                models.push_back(twin.GetModel(m));
            categories.erase(categories.begin() + std::ptrdiff_t(j));
            bTwins = true;
        }
        if (!bTwins)
            continue;
        kept.RemoveAll();
        for (ModelRecord& model : models) {
            if (HoldsCopy(kept, model))
                continue;
            model.strCategory = kept.GetName();
            kept.AppendModel(model);
        }
    }
}

} // namespace

// --- CModelCategory -------------------------------------------------------------------------

void CModelCategory::AddModel(const CString& category, const CString& name, const CString& formula,
                              const CString& description, const CString& preview)
{
    const ModelRecord record{category, name, formula, description, preview};
    const int i = FindModel(name);
    if (i >= 0)
        m_models[std::size_t(i)] = record;
    else
        m_models.push_back(record);
}

int CModelCategory::FindModel(const CString& name) const
{
    for (std::size_t i = 0; i < m_models.size(); ++i)
        if (ascii::EqualNoCase(m_models[i].strName, name))
            return int(i);
    return -1;
}

CString CModelCategory::MakeUniqueModelName(const CString& base) const
{
    return FirstFreeName(base, [this](const CString& name) { return HasModel(name); });
}

BOOL CModelCategory::RenameModel(int i, const CString& name)
{
    const int other = FindModel(name);
    if (other >= 0 && other != i)
        return FALSE;
    m_models[std::size_t(i)].strName = name;
    return TRUE;
}

void CModelCategory::InsertModel(int i, const ModelRecord& record)
{
    m_models.insert(m_models.begin() + std::clamp(i, 0, GetModelCount()), record);
}

void AddFavoriteModel(CModelCategory& list, const ModelRecord& model)
{
    if (list.GetModelCount() > 10)
        list.RemoveModel(0);
    list.AddModel(model.strCategory, model.strName, model.strFormula, model.strDescription,
                  model.strPreview);
}

void CModelCategory::RemoveModel(int i)
{
    if (i >= 0 && i < GetModelCount())
        m_models.erase(m_models.begin() + i);
}

void CModelCategory::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strName << std::int32_t(m_models.size());
        for (const ModelRecord& record : m_models)
            ar << std::int32_t(GetDecimalPointFlag()) << record.strCategory << record.strName
               << record.strFormula << record.strDescription << record.strPreview;
        return;
    }
    CString name;
    ar >> name;
    std::vector<ModelRecord> models(std::size_t(ar.ReadCollectionCount(kRecordBytes)));
    for (ModelRecord& record : models) {
        std::int32_t flag = 0;
        ar >> flag >> record.strCategory >> record.strName >> record.strFormula >>
            record.strDescription >> record.strPreview;
        // A formula written under the other decimal convention reads in this one.
        if ((flag != 0) != (GetDecimalPointFlag() != 0))
            record.strFormula = ReencodeExpression(record.strFormula, flag != 0);
        if (record.strCategory != name)
            record.strCategory = name;
    }
    m_strName = name;
    m_models.swap(models);
}

// --- CModelLibrary --------------------------------------------------------------------------

void CModelLibrary::AddModel(const CString& category, const CString& name, const CString& formula,
                             const CString& description, const CString& preview)
{
    int i = -1;
    if (!FindCategory(category, i)) {
        AddCategory(category);
        i = GetCategoryCount() - 1;
    }
    GetCategory(i)->AddModel(category, name, formula, description, preview);
}

void CModelLibrary::AddCategory(const CString& name)
{
    auto category = std::make_unique<CModelCategory>();
    category->SetName(name);
    m_categories.push_back(std::move(category));
}

BOOL CModelLibrary::FindCategory(const CString& name, int& index) const
{
    for (std::size_t i = 0; i < m_categories.size(); ++i) {
        if (ascii::EqualNoCase(m_categories[i]->GetName(), name)) {
            index = int(i);
            return TRUE;
        }
    }
    index = -1;
    return FALSE;
}

BOOL CModelLibrary::HasCategory(const CString& name) const
{
    int index = -1;
    return FindCategory(name, index);
}

BOOL CModelLibrary::FindModel(const CString& category, const CString& name, int& categoryIndex,
                              int& modelIndex) const
{
    modelIndex = -1;
    if (!FindCategory(category, categoryIndex))
        return FALSE;
    modelIndex = GetCategory(categoryIndex)->FindModel(name);
    return modelIndex >= 0;
}

CString CModelLibrary::MakeUniqueCategoryName(const CString& base) const
{
    return FirstFreeName(base, [this](const CString& name) { return HasCategory(name); });
}

BOOL CModelLibrary::RenameCategory(int i, const CString& name)
{
    int other = -1;
    if (FindCategory(name, other) && other != i)
        return FALSE;
    GetCategory(i)->SetName(name);
    return TRUE;
}

void CModelLibrary::RemoveCategory(int i)
{
    if (i >= 0 && i < GetCategoryCount())
        m_categories.erase(m_categories.begin() + i);
}

void CModelLibrary::SetModel(int i, const CString& name, const CString& formula,
                             const CString& description, const CString& preview)
{
    CModelCategory* category = GetCategory(i);
    category->AddModel(category->GetName(), name, formula, description, preview);
}

void CModelLibrary::LoadDefaults()
{
    for (const ModelRecord& record : BuiltinModels())
        AddModel(record.strCategory, record.strName, record.strFormula, record.strDescription,
                 record.strPreview);
}

void CModelLibrary::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(m_categories.size());
        for (auto& category : m_categories)
            category->Serialize(ar);
        return;
    }
    std::vector<std::unique_ptr<CModelCategory>> categories;
    const int count = ar.ReadCollectionCount(kCategoryBytes);
    for (int i = 0; i < count; ++i) {
        auto category = std::make_unique<CModelCategory>();
        category->Serialize(ar);
        categories.push_back(std::move(category));
    }
    MergeTwinCategories(categories);
    m_categories.swap(categories);
}
