#include "framework/win/RegistryProfileStore.h"

#include "framework/win/CWinApp.h"

CWinApp* CRegistryProfileStore::App() const { return m_pApp ? m_pApp : AfxGetApp(); }

int CRegistryProfileStore::GetInt(const char* section, const char* entry, int nDefault)
{
    CWinApp* pApp = App();
    return pApp ? int(pApp->GetProfileInt(section, entry, nDefault)) : nDefault;
}

BOOL CRegistryProfileStore::WriteInt(const char* section, const char* entry, int nValue)
{
    CWinApp* pApp = App();
    return pApp && pApp->WriteProfileInt(section, entry, nValue);
}

CString CRegistryProfileStore::GetString(const char* section, const char* entry,
                                         const char* lpszDefault)
{
    CWinApp* pApp = App();
    return pApp ? pApp->GetProfileString(section, entry, lpszDefault) : CString(lpszDefault);
}

BOOL CRegistryProfileStore::WriteString(const char* section, const char* entry,
                                        const char* lpszValue)
{
    CWinApp* pApp = App();
    return pApp && entry && pApp->WriteProfileString(section, entry, lpszValue);
}

BOOL CRegistryProfileStore::GetBinary(const char* section, const char* entry,
                                      std::vector<BYTE>& bytes)
{
    bytes.clear();
    CWinApp* pApp = App();
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!pApp || !pApp->GetProfileBinary(section, entry, &pData, &nBytes))
        return FALSE;
    bytes.assign(pData, pData + nBytes);
    delete[] pData;
    return TRUE;
}

BOOL CRegistryProfileStore::WriteBinary(const char* section, const char* entry, const BYTE* pData,
                                        UINT nBytes)
{
    CWinApp* pApp = App();
    BYTE empty = 0;
    return pApp &&
           pApp->WriteProfileBinary(section, entry, const_cast<LPBYTE>(pData ? pData : &empty),
                                    pData ? nBytes : 0);
}
