#include "framework/win/StringResource.h"

#include "framework/win/AfxState.h"

#include <vector>

BOOL AfxLoadString(UINT nID, CString& rString)
{
    rString.Empty();
    // With a zero length LoadStringW hands out the resource's own text and its length.
    const wchar_t* text = nullptr;
    const int nChars =
        ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<LPWSTR>(&text), 0);
    if (nChars <= 0 || !text)
        return FALSE;
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, text, nChars, nullptr, 0, nullptr, nullptr);
    char* buffer = rString.GetBufferSetLength(nBytes);
    ::WideCharToMultiByte(CP_ACP, 0, text, nChars, buffer, nBytes, nullptr, nullptr);
    rString.ReleaseBuffer(nBytes);
    return TRUE;
}

BOOL CString::LoadString(UINT nID) { return AfxLoadString(nID, *this); }
