#pragma once
#include "framework/core/CString.h"

#include <map>
#include <string>
#include <vector>

// Named settings in sections, as the registry holds them under the application's key: integers,
// strings and byte strings. Reals are stored as their 8 raw bytes; a byte string of any other
// length reads as missing. Nothing is reported to a reader: a missing value or one of another
// type gives the default. Writers return FALSE when the value could not be stored.
class CProfileStore {
public:
    virtual ~CProfileStore() = default;

    virtual int GetInt(const char* section, const char* entry, int nDefault) = 0;
    virtual BOOL WriteInt(const char* section, const char* entry, int nValue) = 0;
    virtual CString GetString(const char* section, const char* entry, const char* lpszDefault) = 0;
    // A null value deletes the entry.
    virtual BOOL WriteString(const char* section, const char* entry, const char* lpszValue) = 0;
    // The stored bytes, or FALSE (and bytes emptied) when missing or not a byte string.
    virtual BOOL GetBinary(const char* section, const char* entry, std::vector<BYTE>& bytes) = 0;
    virtual BOOL WriteBinary(const char* section, const char* entry, const BYTE* pData,
                             UINT nBytes) = 0;

    double GetDouble(const char* section, const char* entry, double dDefault);
    BOOL WriteDouble(const char* section, const char* entry, double dValue);
};

// The store in memory, for tests and for settings that must not reach the registry. Section
// and entry names compare without regard to ASCII case, as registry names do.
class CMemoryProfileStore : public CProfileStore {
public:
    enum ValueType { typeNone = 0, typeInt, typeString, typeBinary };

    int GetInt(const char* section, const char* entry, int nDefault) override;
    BOOL WriteInt(const char* section, const char* entry, int nValue) override;
    CString GetString(const char* section, const char* entry, const char* lpszDefault) override;
    BOOL WriteString(const char* section, const char* entry, const char* lpszValue) override;
    BOOL GetBinary(const char* section, const char* entry, std::vector<BYTE>& bytes) override;
    BOOL WriteBinary(const char* section, const char* entry, const BYTE* pData,
                     UINT nBytes) override;

    // What is stored under the name (typeNone when nothing).
    ValueType GetType(const char* section, const char* entry) const;
    // "Section\Entry" of every stored value, sorted without regard to case.
    std::vector<CString> GetEntries() const;
    void Remove(const char* section, const char* entry);
    void RemoveAll() { m_values.clear(); }

private:
    struct Value {
        ValueType type = typeNone;
        int nValue = 0;
        CString strValue;
        std::vector<BYTE> bytes;
        CString strName; // as first written, for GetEntries
    };
    static std::string KeyOf(const char* section, const char* entry);
    const Value* Find(const char* section, const char* entry) const;
    Value& Slot(const char* section, const char* entry);

    std::map<std::string, Value> m_values;
};
