#include "framework/core/ProfileStore.h"

#include "framework/core/AsciiText.h"

#include <cstring>

double CProfileStore::GetDouble(const char* section, const char* entry, double dDefault)
{
    std::vector<BYTE> bytes;
    if (!GetBinary(section, entry, bytes) || bytes.size() != sizeof(double))
        return dDefault;
    double value;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

BOOL CProfileStore::WriteDouble(const char* section, const char* entry, double dValue)
{
    BYTE bytes[sizeof dValue];
    std::memcpy(bytes, &dValue, sizeof dValue);
    return WriteBinary(section, entry, bytes, sizeof bytes);
}

// ---- in memory ---------------------------------------------------------------------------

std::string CMemoryProfileStore::KeyOf(const char* section, const char* entry)
{
    std::string key;
    for (const char* p = section ? section : ""; *p; ++p)
        key += ascii::ToLower(*p);
    key += '\\';
    for (const char* p = entry ? entry : ""; *p; ++p)
        key += ascii::ToLower(*p);
    return key;
}

const CMemoryProfileStore::Value* CMemoryProfileStore::Find(const char* section,
                                                            const char* entry) const
{
    auto it = m_values.find(KeyOf(section, entry));
    return it == m_values.end() ? nullptr : &it->second;
}

CMemoryProfileStore::Value& CMemoryProfileStore::Slot(const char* section, const char* entry)
{
    Value& value = m_values[KeyOf(section, entry)];
    if (value.strName.IsEmpty())
        value.strName = CString(section) + "\\" + entry;
    value.strValue.Empty();
    value.bytes.clear();
    value.nValue = 0;
    return value;
}

int CMemoryProfileStore::GetInt(const char* section, const char* entry, int nDefault)
{
    const Value* value = Find(section, entry);
    return value && value->type == typeInt ? value->nValue : nDefault;
}

BOOL CMemoryProfileStore::WriteInt(const char* section, const char* entry, int nValue)
{
    Value& value = Slot(section, entry);
    value.type = typeInt;
    value.nValue = nValue;
    return TRUE;
}

CString CMemoryProfileStore::GetString(const char* section, const char* entry,
                                       const char* lpszDefault)
{
    const Value* value = Find(section, entry);
    return value && value->type == typeString ? value->strValue : CString(lpszDefault);
}

BOOL CMemoryProfileStore::WriteString(const char* section, const char* entry, const char* lpszValue)
{
    if (!lpszValue) {
        Remove(section, entry);
        return TRUE;
    }
    Value& value = Slot(section, entry);
    value.type = typeString;
    value.strValue = lpszValue;
    return TRUE;
}

BOOL CMemoryProfileStore::GetBinary(const char* section, const char* entry,
                                    std::vector<BYTE>& bytes)
{
    const Value* value = Find(section, entry);
    if (!value || value->type != typeBinary) {
        bytes.clear();
        return FALSE;
    }
    bytes = value->bytes;
    return TRUE;
}

BOOL CMemoryProfileStore::WriteBinary(const char* section, const char* entry, const BYTE* pData,
                                      UINT nBytes)
{
    Value& value = Slot(section, entry);
    value.type = typeBinary;
    if (pData)
        value.bytes.assign(pData, pData + nBytes);
    return TRUE;
}

CMemoryProfileStore::ValueType CMemoryProfileStore::GetType(const char* section,
                                                            const char* entry) const
{
    const Value* value = Find(section, entry);
    return value ? value->type : typeNone;
}

std::vector<CString> CMemoryProfileStore::GetEntries() const
{
    std::vector<CString> names;
    for (const auto& [key, value] : m_values)
        names.push_back(value.strName);
    return names;
}

void CMemoryProfileStore::Remove(const char* section, const char* entry)
{
    m_values.erase(KeyOf(section, entry));
}
