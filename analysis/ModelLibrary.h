#pragma once
#include "analysis/ModelRecord.h"
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

#include <memory>
#include <vector>

class CArchive;

// A named list of models; names are unique within it without regard to case.
class CModelCategory : public CObject {
public:
    void SetName(const CString& name) { m_strName = name; }
    const CString& GetName() const { return m_strName; }
    int GetModelCount() const { return int(m_models.size()); }
    const ModelRecord& GetModel(int i) const { return m_models[std::size_t(i)]; }
    CString GetModelName(int i) const { return m_models[std::size_t(i)].strName; }

    // Overwrites the model of that name in place, else appends one.
    void AddModel(const CString& category, const CString& name, const CString& formula,
                  const CString& description, const CString& preview);
    // Appends a record as it is (lists such as the recent fits may repeat a name).
    void AppendModel(const ModelRecord& record) { m_models.push_back(record); }
    // Puts a record before record i (0..count), as it is.
    void InsertModel(int i, const ModelRecord& record);
    void ReplaceModel(int i, const ModelRecord& record) { m_models[std::size_t(i)] = record; }
    // Index of the model with that name, -1 when none.
    int FindModel(const CString& name) const;
    BOOL HasModel(const CString& name) const { return FindModel(name) >= 0; }
    // "<base> <n>" with the first n from 1 that no model bears.
    CString MakeUniqueModelName(const CString& base) const;
    // FALSE (nothing changed) when another model bears the name; a change of case is allowed.
    BOOL RenameModel(int i, const CString& name);
    void SetFormula(int i, const CString& text) { m_models[std::size_t(i)].strFormula = text; }
    void SetDescription(int i, const CString& text)
    {
        m_models[std::size_t(i)].strDescription = text;
    }
    void RemoveModel(int i);
    void RemoveAll() { m_models.clear(); }

    // Name, record count, then each record (decimal flag and five texts). Loading replaces the
    // category only after the whole of it has been read.
    void Serialize(CArchive& ar) override;

private:
    CString m_strName;
    std::vector<ModelRecord> m_models;
};

// The favourite models: the model replaces one of its name, else it is appended after the
// oldest record went when more than ten were held.
void AddFavoriteModel(CModelCategory& list, const ModelRecord& model);

// Categories of models in display order; category names are unique without regard to case.
class CModelLibrary : public CObject {
public:
    int GetCategoryCount() const { return int(m_categories.size()); }
    CModelCategory* GetCategory(int i) { return m_categories[std::size_t(i)].get(); }
    const CModelCategory* GetCategory(int i) const { return m_categories[std::size_t(i)].get(); }

    // Into the category of that name, which is appended when missing.
    void AddModel(const CString& category, const CString& name, const CString& formula,
                  const CString& description, const CString& preview);
    // Appends an empty category (the caller chose a free name).
    void AddCategory(const CString& name);
    BOOL FindCategory(const CString& name, int& index) const;
    BOOL HasCategory(const CString& name) const;
    BOOL FindModel(const CString& category, const CString& name, int& categoryIndex,
                   int& modelIndex) const;
    CString MakeUniqueCategoryName(const CString& base) const;
    // FALSE (nothing changed) when another category bears the name.
    BOOL RenameCategory(int i, const CString& name);
    void RemoveCategory(int i);
    // AddModel on category i with its own name as the category field.
    void SetModel(int i, const CString& name, const CString& formula, const CString& description,
                  const CString& preview);
    BOOL RenameModel(int i, int model, const CString& name)
    {
        return GetCategory(i)->RenameModel(model, name);
    }
    void SetFormula(int i, int model, const CString& text)
    {
        GetCategory(i)->SetFormula(model, text);
    }
    void SetDescription(int i, int model, const CString& text)
    {
        GetCategory(i)->SetDescription(model, text);
    }
    // The built-in models, in their fixed order.
    void LoadDefaults();
    void RemoveAll() { m_categories.clear(); }

    // Category count, then each category; loading replaces the library only when all of it
    // has been read, and reads categories whose names differ only in case as the first of
    // them, holding the models of all once each.
    void Serialize(CArchive& ar) override;

private:
    std::vector<std::unique_ptr<CModelCategory>> m_categories;
};
