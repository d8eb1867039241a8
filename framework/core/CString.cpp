#include "framework/core/CString.h"

#include "framework/core/AsciiText.h"
#include "framework/core/CObject.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* kWhiteSpace = " \t\n\v\f\r";

bool Contains(const char* set, char ch)
{
    return ch != '\0' && set && std::strchr(set, ch) != nullptr;
}

} // namespace

CString& CString::operator=(const char* psz)
{
    m_str = psz ? psz : "";
    return *this;
}

char CString::GetAt(int nIndex) const
{
    // The terminator may be read: scanning loops stop on it.
    ASSERT(nIndex >= 0 && nIndex <= GetLength());
    return (nIndex >= 0 && nIndex < GetLength()) ? m_str[std::size_t(nIndex)] : '\0';
}

void CString::SetAt(int nIndex, char ch)
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex >= 0 && nIndex < GetLength())
        m_str[std::size_t(nIndex)] = ch;
}

CString CString::Left(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(std::string_view(m_str).substr(0, std::size_t(nCount)));
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = std::clamp(nFirst, 0, GetLength());
    nCount = std::clamp(nCount, 0, GetLength() - nFirst);
    return CString(std::string_view(m_str).substr(std::size_t(nFirst), std::size_t(nCount)));
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(std::string_view(m_str).substr(m_str.size() - std::size_t(nCount)));
}

CString CString::SpanIncluding(const char* pszCharSet) const
{
    std::size_t n = 0;
    while (n < m_str.size() && Contains(pszCharSet, m_str[n]))
        ++n;
    return Left(int(n));
}

CString CString::SpanExcluding(const char* pszCharSet) const
{
    std::size_t n = 0;
    while (n < m_str.size() && m_str[n] != '\0' && !Contains(pszCharSet, m_str[n]))
        ++n;
    return Left(int(n));
}

CString CString::Tokenize(const char* pszTokens, int& iStart) const
{
    if (iStart >= 0 && iStart < GetLength()) {
        if (!pszTokens || !*pszTokens) {
            CString rest = Mid(iStart);
            iStart = GetLength();
            return rest;
        }
        int from = iStart;
        while (from < GetLength() && Contains(pszTokens, m_str[std::size_t(from)]))
            ++from;
        if (from < GetLength()) {
            int until = from;
            while (until < GetLength() && !Contains(pszTokens, m_str[std::size_t(until)]))
                ++until;
            iStart = until + 1;
            return Mid(from, until - from);
        }
    }
    iStart = -1;
    return CString();
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const std::size_t pos = m_str.find(ch, std::size_t(nStart));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::Find(const char* pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    const std::size_t pos = m_str.find(pszSub, std::size_t(nStart));
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::ReverseFind(char ch) const
{
    const std::size_t pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : int(pos);
}

int CString::FindOneOf(const char* pszCharSet) const
{
    for (std::size_t i = 0; i < m_str.size(); ++i)
        if (Contains(pszCharSet, m_str[i]))
            return int(i);
    return -1;
}

int CString::Replace(char chOld, char chNew)
{
    int n = 0;
    for (char& c : m_str)
        if (c == chOld) {
            c = chNew;
            ++n;
        }
    return n;
}

int CString::Replace(const char* pszOld, const char* pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    const std::string_view from(pszOld);
    const std::string_view to(pszNew ? pszNew : "");
    std::string result;
    int n = 0;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = m_str.find(from, pos)) != std::string::npos;
         pos = hit + from.size()) {
        result.append(m_str, pos, hit - pos).append(to);
        ++n;
    }
    if (n > 0) {
        result.append(m_str, pos);
        m_str.swap(result);
    }
    return n;
}

int CString::Remove(char ch)
{
    const auto before = m_str.size();
    std::erase(m_str, ch);
    return int(before - m_str.size());
}

int CString::Insert(int nIndex, char ch) { return Insert(nIndex, std::string(1, ch).c_str()); }

int CString::Insert(int nIndex, const char* psz)
{
    nIndex = std::clamp(nIndex, 0, GetLength());
    if (psz)
        m_str.insert(std::size_t(nIndex), psz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    nIndex = std::max(nIndex, 0);
    if (nIndex < GetLength() && nCount > 0)
        m_str.erase(std::size_t(nIndex), std::size_t(std::min(nCount, GetLength() - nIndex)));
    return GetLength();
}

CString& CString::MakeUpper()
{
    for (char& c : m_str)
        c = ascii::ToUpper(c);
    return *this;
}

CString& CString::MakeLower()
{
    for (char& c : m_str)
        c = ascii::ToLower(c);
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(const char* pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}
CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }
CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }

CString& CString::TrimLeft(char chTarget)
{
    const char set[2] = {chTarget, '\0'};
    return TrimLeft(set);
}

CString& CString::TrimRight(char chTarget)
{
    const char set[2] = {chTarget, '\0'};
    return TrimRight(set);
}

CString& CString::TrimLeft(const char* pszTargets)
{
    std::size_t n = 0;
    while (n < m_str.size() && Contains(pszTargets, m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimRight(const char* pszTargets)
{
    std::size_t n = m_str.size();
    while (n > 0 && Contains(pszTargets, m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

int CString::Compare(const char* psz) const { return std::strcmp(m_str.c_str(), psz ? psz : ""); }

int CString::CompareNoCase(const char* psz) const
{
    return ascii::CompareNoCase(m_str.c_str(), psz ? psz : "");
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args)
{
    CString result;
    result.AppendFormatV(pszFormat, args);
    m_str.swap(result.m_str);
}

void CString::AppendFormatV(const char* pszFormat, va_list args)
{
    if (!pszFormat)
        return;
    va_list measure;
    va_copy(measure, args);
    const int n = std::vsnprintf(nullptr, 0, pszFormat, measure);
    va_end(measure);
    if (n <= 0)
        return;
    // Formatted apart first: an argument may point into this very string.
    std::string text(std::size_t(n) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), pszFormat, args);
    text.resize(std::size_t(n));
    m_str += text;
}

char* CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(std::size_t(nMinBufLength));
    return m_str.data();
}

char* CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(std::size_t(std::max(nNewLength, 0)));
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = int(std::strlen(m_str.c_str()));
    m_str.resize(std::size_t(std::min(nNewLength, GetLength())));
}
