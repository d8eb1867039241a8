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
    for (int n = 2; !key.IsEmpty() && Find(records, record.strKey) >= 0; ++n)
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
        // Without a symbol the description is all a message can show of it.
        const CString label = symbol.IsEmpty() ? "\"" + description + "\"" : symbol;
        Add(records, {Upper(symbol), "constant " + label, "", Pack([&](CArchive& out) {
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
        // One name may convert to several bases: the pair names the conversion, and a
        // conversion still lacking either has no name yet.
        const CString key =
            name.IsEmpty() || base.IsEmpty() ? CString() : Upper(name + "\n" + base);
        Add(records, {key, "unit " + name + " in " + base, "",
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

// Pairs each record of after with the index of the record of before it was, or -1 for a new
// one: by the run's identity first, then by key, then one without a name or identity by its
// bytes (the same record, unchanged).
std::vector<int> PairRecords(const std::vector<UserDataRecord>& before,
                             const std::vector<UserDataRecord>& after)
{
    std::vector<int> was(after.size(), -1);
    std::vector<bool> taken(before.size());
    const auto pair = [&](auto same) {
        for (std::size_t j = 0; j < after.size(); ++j)
            for (std::size_t i = 0; i < before.size() && was[j] < 0; ++i)
                if (!taken[i] && same(before[i], after[j])) {
                    was[j] = int(i);
                    taken[i] = true;
                }
    };
    pair([](const UserDataRecord& a, const UserDataRecord& b) {
        return a.nIdentity != 0 && a.nIdentity == b.nIdentity;
    });
    pair([](const UserDataRecord& a, const UserDataRecord& b) {
        return !a.strKey.IsEmpty() && a.strKey == b.strKey;
    });
    pair([](const UserDataRecord& a, const UserDataRecord& b) {
        return a.strKey.IsEmpty() && b.strKey.IsEmpty() && (!a.nIdentity || !b.nIdentity) &&
               a.bytes == b.bytes;
    });
    return was;
}

bool IsAlike(const UserDataRecord& record, const UserDataRecord& nameless)
{
    return record.strKey.IsEmpty() && record.bytes == nameless.bytes;
}

void Replacing(UserDataChange& change, const std::vector<UserDataRecord>& before, std::size_t i)
{
    change.bReplaces = true;
    change.was = before[i];
    for (std::size_t k = 0; k < i && change.was.strKey.IsEmpty(); ++k)
        change.nAlikeBefore += IsAlike(before[k], change.was) ? 1 : 0;
}

// Where the record a change replaces stands in the list, or -1 when it is not there. Records
// without a name and with the same bytes cannot be told apart: when fewer remain than the run
// started with, the change takes the last one no other change took.
int FindReplaced(const std::vector<UserDataRecord>& records, const UserDataChange& change,
                 const std::vector<bool>& claimed)
{
    if (!change.bReplaces)
        return -1;
    if (!change.was.strKey.IsEmpty())
        return Find(records, change.was.strKey);
    int alike = 0, last = -1;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (IsAlike(records[i], change.was)) {
            if (alike++ == change.nAlikeBefore && !claimed[i])
                return int(i);
            if (!claimed[i])
                last = int(i);
        }
    return last;
}

// The record of the name among those of the file that no change of the run replaces.
int FindUnclaimed(const std::vector<UserDataRecord>& records, const std::vector<bool>& claimed,
                  const CString& key)
{
    for (std::size_t i = 0; i < claimed.size() && !key.IsEmpty(); ++i)
        if (!claimed[i] && records[i].strKey == key)
            return int(i);
    return -1;
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
        const std::vector<UserDataRecord>& now = after.sections[s];
        const std::vector<int> was = PairRecords(old, now);
        std::vector<bool> kept(old.size());
        for (std::size_t j = 0; j < now.size(); ++j) {
            const int i = was[j];
            if (i >= 0)
                kept[std::size_t(i)] = true;
            if (i >= 0 && old[std::size_t(i)].bytes == now[j].bytes &&
                old[std::size_t(i)].strCategory == now[j].strCategory)
                continue;
            UserDataChange change;
            change.nSection = s;
            change.record = now[j];
            if (i >= 0)
                Replacing(change, old, std::size_t(i));
            changes.push_back(std::move(change));
        }
        for (std::size_t i = 0; i < old.size(); ++i)
            if (!kept[i]) {
                UserDataChange change;
                change.nSection = s;
                change.bRemoved = true;
                change.record.strKey = old[i].strKey;
                change.record.strLabel = old[i].strLabel;
                Replacing(change, old, i);
                changes.push_back(std::move(change));
            }
    }
    return changes;
}

void ApplyUserDataChanges(UserDataRecords& records, const UserDataChanges& changes)
{
    for (int s = 0; s < UserDataSectionCount; ++s) {
        std::vector<UserDataRecord>& list = records.sections[s];
        const std::size_t held = list.size();
        // Each change finds its record in the file as read, before any change moves one.
        std::vector<const UserDataChange*> mine;
        std::vector<int> places;
        std::vector<bool> claimed(held), gone(held);
        for (const UserDataChange& change : changes)
            if (change.nSection == s) {
                mine.push_back(&change);
                places.push_back(FindReplaced(list, change, claimed));
                if (places.back() >= 0)
                    claimed[std::size_t(places.back())] = true;
            }
        for (std::size_t k = 0; k < mine.size(); ++k) {
            const UserDataChange& change = *mine[k];
            const int place = places[k];
            if (change.bRemoved) {
                if (place >= 0)
                    gone[std::size_t(place)] = true;
                continue;
            }
            // A record another run put under the name: the later exit wins the name.
            const int named = FindUnclaimed(list, claimed, change.record.strKey);
            if (named >= 0) {
                list[std::size_t(named)] = change.record;
                claimed[std::size_t(named)] = true;
                if (place >= 0)
                    gone[std::size_t(place)] = true;
            } else if (place >= 0) {
                list[std::size_t(place)] = change.record;
            } else {
                list.push_back(change.record);
            }
        }
        for (std::size_t i = held; i-- > 0;)
            if (gone[i])
                list.erase(list.begin() + std::ptrdiff_t(i));
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
