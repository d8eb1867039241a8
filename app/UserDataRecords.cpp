#include "app/UserDataRecords.h"

#include "analysis/ModelLibrary.h"
#include "engine/LocaleSeparators.h"
#include "engine/ReencodeExpression.h"
#include "engine/SolverModel.h"
#include "framework/core/AsciiText.h"
#include "framework/core/CArchive.h"

#include <cstdint>
#include <string>

namespace {

// Fewest bytes one record of each section takes (empty texts).
constexpr ULONGLONG kFunctionBytes = 1 + 1 + 1 + 4;
constexpr ULONGLONG kConstantBytes = 1 + 1 + 1 + 8 + 8;
constexpr ULONGLONG kUnitBytes = 1 + 1 + 8;
constexpr ULONGLONG kSolverModelBytes = 4 + 3 + 24 + 4 + 8;

CString Upper(const CString& text)
{
    std::string upper(text.GetString(), std::size_t(text.GetLength()));
    for (char& c : upper)
        c = ascii::ToUpper(c);
    return CString(upper.c_str(), int(upper.size()));
}

template <class Write> std::vector<BYTE> Pack(Write write)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
    return file.Detach();
}

int Find(const std::vector<UserDataRecord>& records, const CString& key)
{
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].strKey == key)
            return int(i);
    return -1;
}

// A name the file holds twice (a function the engine would not load) keeps both records apart.
void Add(std::vector<UserDataRecord>& records, UserDataRecord record)
{
    const CString key = record.strKey;
    for (int n = 2; Find(records, record.strKey) >= 0; ++n)
        record.strKey.Format("%s\n#%d", key.GetString(), n);
    records.push_back(std::move(record));
}

int ReadHeader(CArchive& ar, ULONGLONG recordBytes, int& flag)
{
    std::int32_t stored = 0;
    ar >> stored;
    flag = stored;
    return ar.ReadCollectionCount(recordBytes);
}

void LoadFunctions(CArchive& ar, std::vector<UserDataRecord>& records)
{
    int flag = 0;
    const int count = ReadHeader(ar, kFunctionBytes, flag);
    for (int i = 0; i < count; ++i) {
        CString name, body, description;
        ar >> name >> body >> description;
        std::vector<CString> params(std::size_t(ar.ReadCollectionCount(1)));
        for (CString& param : params)
            ar >> param;
        body = ReencodeExpression(body, flag);
        Add(records, {Upper(name), "user function " + name, "", Pack([&](CArchive& out) {
                          out << name << body << description << std::int32_t(params.size());
                          for (const CString& param : params)
                              out << param;
                      })});
    }
}

void LoadConstants(CArchive& ar, std::vector<UserDataRecord>& records)
{
    int flag = 0;
    const int count = ReadHeader(ar, kConstantBytes, flag);
    for (int i = 0; i < count; ++i) {
        CString description, symbol, unit;
        double value = 0, uncertainty = 0;
        ar >> description >> symbol >> unit >> value >> uncertainty;
        Add(records, {Upper(symbol), "constant " + symbol, "", Pack([&](CArchive& out) {
                          out << description << symbol << unit << value << uncertainty;
                      })});
    }
}

void LoadUnits(CArchive& ar, std::vector<UserDataRecord>& records)
{
    int flag = 0;
    const int count = ReadHeader(ar, kUnitBytes, flag);
    for (int i = 0; i < count; ++i) {
        CString name, base;
        double factor = 0;
        ar >> name >> base >> factor;
        // One name may convert to several bases: the pair names the conversion.
        Add(records, {Upper(name + "\n" + base), "unit " + name + " in " + base, "",
                      Pack([&](CArchive& out) { out << name << base << factor; })});
    }
}

void LoadSolverModels(CArchive& ar, std::vector<UserDataRecord>& records)
{
    const int count = ar.ReadCollectionCount(kSolverModelBytes);
    for (int i = 0; i < count; ++i) {
        CSolverModel model;
        model.Serialize(ar);
        Add(records, {Upper(model.m_strEquation), "solver model " + model.m_strEquation, "",
                      Pack([&](CArchive& out) { model.Serialize(out); })});
    }
}

void LoadRegressionModels(CArchive& ar, UserDataRecords& records)
{
    CModelLibrary library;
    library.Serialize(ar);
    for (int i = 0; i < library.GetCategoryCount(); ++i) {
        const CModelCategory& category = *library.GetCategory(i);
        const CString& name = category.GetName();
        Add(records.sections[ModelCategoryRecords],
            {Upper(name), "regression model category " + name, name,
             Pack([&](CArchive& out) { out << name; })});
        for (int m = 0; m < category.GetModelCount(); ++m) {
            const ModelRecord& model = category.GetModel(m);
            Add(records.sections[RegressionModelRecords],
                {Upper(name + "\n" + model.strName),
                 "regression model " + model.strName + " of " + name, name,
                 Pack([&](CArchive& out) {
                     out << std::int32_t(GetDecimalPointFlag()) << model.strCategory
                         << model.strName << model.strFormula << model.strDescription
                         << model.strPreview;
                 })});
        }
    }
}

void WriteBytes(CArchive& ar, const UserDataRecord& record)
{
    ar.Write(record.bytes.data(), UINT(record.bytes.size()));
}

void StoreSection(CArchive& ar, const std::vector<UserDataRecord>& records, bool bFlag)
{
    if (bFlag)
        ar << std::int32_t(GetDecimalPointFlag());
    ar << std::int32_t(records.size());
    for (const UserDataRecord& record : records)
        WriteBytes(ar, record);
}

bool HasName(const std::vector<CString>& names, const CString& name)
{
    for (const CString& each : names)
        if (ascii::EqualNoCase(each, name))
            return true;
    return false;
}

void StoreRegressionModels(CArchive& ar, const UserDataRecords& records)
{
    const std::vector<UserDataRecord>& models = records.sections[RegressionModelRecords];
    std::vector<CString> categories;
    // One category per name without regard to case, as the library reads them: a model is
    // written once.
    for (const UserDataRecord& category : records.sections[ModelCategoryRecords])
        if (!HasName(categories, category.strCategory))
            categories.push_back(category.strCategory);
    for (const UserDataRecord& model : models)
        if (!HasName(categories, model.strCategory))
            categories.push_back(model.strCategory);
    ar << std::int32_t(categories.size());
    for (const CString& category : categories) {
        std::vector<const UserDataRecord*> held;
        for (const UserDataRecord& model : models)
            if (ascii::EqualNoCase(model.strCategory, category))
                held.push_back(&model);
        ar << category << std::int32_t(held.size());
        for (const UserDataRecord* model : held)
            WriteBytes(ar, *model);
    }
}

} // namespace

void UserDataRecords::Load(CArchive& ar)
{
    UserDataRecords loaded;
    LoadFunctions(ar, loaded.sections[UserFunctionRecords]);
    LoadConstants(ar, loaded.sections[UserConstantRecords]);
    LoadUnits(ar, loaded.sections[UserUnitRecords]);
    LoadSolverModels(ar, loaded.sections[SolverModelRecords]);
    LoadRegressionModels(ar, loaded);
    *this = std::move(loaded);
}

void UserDataRecords::Store(CArchive& ar) const
{
    StoreSection(ar, sections[UserFunctionRecords], true);
    StoreSection(ar, sections[UserConstantRecords], true);
    StoreSection(ar, sections[UserUnitRecords], true);
    StoreSection(ar, sections[SolverModelRecords], false);
    StoreRegressionModels(ar, *this);
}

UserDataChanges FindUserDataChanges(const UserDataRecords& before, const UserDataRecords& after)
{
    UserDataChanges changes;
    for (int s = 0; s < UserDataSectionCount; ++s) {
        const std::vector<UserDataRecord>& old = before.sections[s];
        for (const UserDataRecord& record : after.sections[s]) {
            const int i = Find(old, record.strKey);
            if (i < 0 || old[std::size_t(i)].bytes != record.bytes ||
                old[std::size_t(i)].strCategory != record.strCategory)
                changes.push_back({s, false, record});
        }
        for (const UserDataRecord& record : old)
            if (Find(after.sections[s], record.strKey) < 0)
                changes.push_back({s, true, {record.strKey, record.strLabel, "", {}}});
    }
    return changes;
}

void ApplyUserDataChanges(UserDataRecords& records, const UserDataChanges& changes)
{
    for (const UserDataChange& change : changes) {
        std::vector<UserDataRecord>& list = records.sections[change.nSection];
        const int i = Find(list, change.record.strKey);
        if (change.bRemoved) {
            if (i >= 0)
                list.erase(list.begin() + i);
        } else if (i >= 0) {
            list[std::size_t(i)] = change.record;
        } else {
            list.push_back(change.record);
        }
    }
}

CString DescribeUserDataChanges(const UserDataChanges& changes)
{
    CString text;
    for (const UserDataChange& change : changes) {
        if (!text.IsEmpty())
            text += "\n";
        text += change.bRemoved ? "removal of " + change.record.strLabel : change.record.strLabel;
    }
    return text;
}
