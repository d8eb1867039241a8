#pragma once
#include "framework/core/Platform.h"

#include <compare>
#include <concepts>
#include <cstdarg>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__MINGW_PRINTF_FORMAT)
#define ZIVRA_PRINTF_FORMAT(fmt, args) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, args)))
#elif defined(__GNUC__)
#define ZIVRA_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define ZIVRA_PRINTF_FORMAT(fmt, args)
#endif

// A byte string with value semantics. Text is bytes in the ANSI code page; only ASCII letters
// change case and only ASCII white space is trimmed, so every build treats text alike.
// Indexes are 0-based; out-of-range arguments are clamped the way callers expect (Mid past the
// end gives an empty string, Find past the end gives -1).
class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength)
        : m_str(pch ? pch : "", pch && nLength > 0 ? std::size_t(nLength) : 0)
    {
    }
    explicit CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? std::size_t(nRepeat) : 0, ch)
    {
    }
    explicit CString(std::string_view text) : m_str(text) {}

    // Out of line: inlined, GCC 12 reports a false overlap in std::string's copy at -O2.
    CString& operator=(const char* psz);
    CString& operator=(char ch)
    {
        m_str.assign(1, ch);
        return *this;
    }

    int GetLength() const { return int(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    // Any integer index: keeps s[i] from competing with the built-in pointer subscript.
    template <std::integral I> char operator[](I nIndex) const { return GetAt(int(nIndex)); }

    operator const char*() const { return m_str.c_str(); }
    const char* GetString() const { return m_str.c_str(); }
    std::string_view View() const { return m_str; }

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(const char* pszCharSet) const;
    CString SpanExcluding(const char* pszCharSet) const;
    // The next token after iStart, skipping leading delimiters; iStart becomes -1 at the end.
    CString Tokenize(const char* pszTokens, int& iStart) const;

    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* pszCharSet) const;

    int Replace(char chOld, char chNew);
    int Replace(const char* pszOld, const char* pszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, const char* psz);
    int Delete(int nIndex, int nCount = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(const char* pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(const char* pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(const char* pszTargets);

    // <0, 0, >0 by unsigned byte order.
    int Compare(const char* psz) const;
    // The program's one case-insensitive rule: only ASCII letters fold.
    int CompareNoCase(const char* psz) const;

    // printf-style, any length. Pass a CString argument as s.GetString() or (const char*)s:
    // the object itself cannot travel through "..." (the compiler warns).
    void Format(const char* pszFormat, ...) ZIVRA_PRINTF_FORMAT(2, 3);
    void AppendFormat(const char* pszFormat, ...) ZIVRA_PRINTF_FORMAT(2, 3);
    void FormatV(const char* pszFormat, va_list args);
    void AppendFormatV(const char* pszFormat, va_list args);

#ifdef _WIN32
    // Loads string nID of the program's string table (implemented by the window layer).
    BOOL LoadString(UINT nID);
#endif

    // A writable buffer of at least nMinBufLength bytes (plus a terminator) until ReleaseBuffer.
    char* GetBuffer(int nMinBufLength = 0);
    char* GetBufferSetLength(int nNewLength);
    // nNewLength -1: the text ends at the first NUL written into the buffer.
    void ReleaseBuffer(int nNewLength = -1);

    CString& operator+=(const CString& s)
    {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(const char* psz)
    {
        if (psz)
            m_str += psz;
        return *this;
    }
    CString& operator+=(char ch)
    {
        m_str += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, const char* b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const char* a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, char b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(char a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b)
    {
        return a.Compare(b) <=> 0;
    }
    friend std::strong_ordering operator<=>(const CString& a, const char* b)
    {
        return a.Compare(b) <=> 0;
    }

private:
    std::string m_str;
};
