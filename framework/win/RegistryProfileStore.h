#pragma once
#include "framework/core/ProfileStore.h"

class CWinApp;

// The settings store over the application object's profile functions: the registry under the
// application's key. Without an application object, or before it has a registry key, reads
// give the defaults and writes fail.
class CRegistryProfileStore : public CProfileStore {
public:
    // pApp nullptr: the program's application object at each call.
    explicit CRegistryProfileStore(CWinApp* pApp = nullptr) : m_pApp(pApp) {}

    int GetInt(const char* section, const char* entry, int nDefault) override;
    BOOL WriteInt(const char* section, const char* entry, int nValue) override;
    CString GetString(const char* section, const char* entry, const char* lpszDefault) override;
    BOOL WriteString(const char* section, const char* entry, const char* lpszValue) override;
    BOOL GetBinary(const char* section, const char* entry, std::vector<BYTE>& bytes) override;
    BOOL WriteBinary(const char* section, const char* entry, const BYTE* pData,
                     UINT nBytes) override;

private:
    CWinApp* App() const;
    CWinApp* m_pApp;
};
