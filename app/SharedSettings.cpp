#include "app/SharedSettings.h"

BOOL ChangedValuesStore::WriteInt(const char* section, const char* entry, int nValue)
{
    if (m_baseline.GetType(section, entry) == CMemoryProfileStore::typeInt &&
        m_baseline.GetInt(section, entry, 0) == nValue)
        return TRUE;
    return m_target.WriteInt(section, entry, nValue);
}

BOOL ChangedValuesStore::WriteString(const char* section, const char* entry, const char* lpszValue)
{
    const CMemoryProfileStore::ValueType type = m_baseline.GetType(section, entry);
    if (lpszValue ? type == CMemoryProfileStore::typeString &&
                        m_baseline.GetString(section, entry, "") == CString(lpszValue)
                  : type == CMemoryProfileStore::typeNone)
        return TRUE;
    return m_target.WriteString(section, entry, lpszValue);
}

BOOL ChangedValuesStore::WriteBinary(const char* section, const char* entry, const BYTE* pData,
                                     UINT nBytes)
{
    std::vector<BYTE> before;
    if (m_baseline.GetBinary(section, entry, before) &&
        std::equal(before.begin(), before.end(), pData, pData + nBytes))
        return TRUE;
    return m_target.WriteBinary(section, entry, pData, nBytes);
}
