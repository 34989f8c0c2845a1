#include "afx.h"

#include <stdio.h>
#include <string.h>

BOOL AfxIsLeadByte(TCHAR ch)
{
    return IsDBCSLeadByte((BYTE)ch);
}

namespace {

// Offsets of the character starts, so that searches never land on a trail byte.
template <class Visit>
void ForEachChar(const std::string& s, size_t from, Visit visit)
{
    size_t i = 0;
    while (i < s.size()) {
        size_t width = (AfxIsLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
        if (i >= from && visit(i, width))
            return;
        i += width;
    }
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

TCHAR CString::GetAt(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex < 0 || nIndex >= GetLength())
        return 0;
    return m_str[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex >= 0 && nIndex < GetLength())
        m_str[nIndex] = ch;
}

int CString::Compare(LPCTSTR psz) const
{
    int r = strcmp(m_str.c_str(), psz ? psz : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(LPCTSTR psz) const
{
    const char* a = m_str.c_str();
    const char* b = psz ? psz : "";
    for (;; ++a, ++b) {
        if (AfxIsLeadByte(*a) && *a == *b && a[1] != 0) {
            // A double-byte character is compared as it stands.
            ++a;
            ++b;
            if (*a != *b)
                return (BYTE)*a < (BYTE)*b ? -1 : 1;
            continue;
        }
        char ca = FoldAscii(*a), cb = FoldAscii(*b);
        if (ca != cb)
            return (BYTE)ca < (BYTE)cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

int CString::Collate(LPCTSTR psz) const
{
    return CompareStringA(GetThreadLocale(), 0, m_str.c_str(), -1, psz ? psz : "", -1) - 2;
}

int CString::CollateNoCase(LPCTSTR psz) const
{
    return CompareStringA(GetThreadLocale(), NORM_IGNORECASE, m_str.c_str(), -1, psz ? psz : "", -1) - 2;
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength() - (nFirst < 0 ? 0 : nFirst));
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0 || nFirst >= GetLength())
        return CString();
    return CString(m_str.substr(nFirst, nCount).c_str());
}

CString CString::Left(int nCount) const
{
    return nCount <= 0 ? CString() : CString(m_str.substr(0, nCount).c_str());
}

CString CString::Right(int nCount) const
{
    if (nCount <= 0)
        return CString();
    if (nCount >= GetLength())
        return *this;
    return CString(m_str.substr(m_str.size() - nCount).c_str());
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    return Left((int)strspn(m_str.c_str(), lpszCharSet));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    return Left((int)strcspn(m_str.c_str(), lpszCharSet));
}

void CString::MakeUpper()
{
    ForEachChar(m_str, 0, [this](size_t i, size_t width) {
        if (width == 1 && m_str[i] >= 'a' && m_str[i] <= 'z')
            m_str[i] = char(m_str[i] - 'a' + 'A');
        return false;
    });
}

void CString::MakeLower()
{
    ForEachChar(m_str, 0, [this](size_t i, size_t width) {
        if (width == 1)
            m_str[i] = FoldAscii(m_str[i]);
        return false;
    });
}

void CString::MakeReverse()
{
    std::string reversed;
    reversed.reserve(m_str.size());
    ForEachChar(m_str, 0, [&](size_t i, size_t width) {
        reversed.insert(0, m_str, i, width);
        return false;
    });
    m_str.swap(reversed);
}

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    int count = 0;
    ForEachChar(m_str, 0, [&](size_t i, size_t width) {
        if (width == 1 && m_str[i] == chOld) {
            m_str[i] = chNew;
            ++count;
        }
        return false;
    });
    return count;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    if (lpszOld == NULL || *lpszOld == 0)
        return 0;
    std::string replacement = lpszNew ? lpszNew : "";
    size_t oldLength = strlen(lpszOld);
    std::string result;
    int count = 0;
    size_t copied = 0;
    ForEachChar(m_str, 0, [&](size_t i, size_t) {
        if (i < copied)
            return false;
        if (m_str.compare(i, oldLength, lpszOld) == 0) {
            result.append(m_str, copied, i - copied);
            result += replacement;
            copied = i + oldLength;
            ++count;
        }
        return false;
    });
    if (count > 0) {
        result.append(m_str, copied, std::string::npos);
        m_str.swap(result);
    }
    return count;
}

int CString::Remove(TCHAR ch)
{
    std::string kept;
    int count = 0;
    ForEachChar(m_str, 0, [&](size_t i, size_t width) {
        if (width == 1 && m_str[i] == ch)
            ++count;
        else
            kept.append(m_str, i, width);
        return false;
    });
    m_str.swap(kept);
    return count;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    char text[2] = { ch, 0 };
    return Insert(nIndex, text);
}

int CString::Insert(int nIndex, LPCTSTR psz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    m_str.insert(nIndex, psz ? psz : "");
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase(nIndex, nCount);
    return GetLength();
}

void AFX_CDECL CString::Format(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
    va_list measure;
    va_copy(measure, argList);
    int length = vsnprintf(NULL, 0, lpszFormat, measure);
    va_end(measure);
    if (length < 0) {
        m_str.clear();
        return;
    }
    std::string text((size_t)length + 1, '\0');
    vsnprintf(&text[0], text.size(), lpszFormat, argList);
    text.resize((size_t)length);
    m_str.swap(text);
}

void CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && IsSpace(m_str[i]))
        ++i;
    m_str.erase(0, i);
}

void CString::TrimRight()
{
    // Trail bytes are never white space, so trimming from the end is safe.
    size_t n = m_str.size();
    while (n > 0 && IsSpace(m_str[n - 1]))
        --n;
    m_str.resize(n);
}

void CString::TrimLeft(TCHAR chTarget)
{
    char set[2] = { chTarget, 0 };
    TrimLeft(set);
}

void CString::TrimRight(TCHAR chTarget)
{
    char set[2] = { chTarget, 0 };
    TrimRight(set);
}

void CString::TrimLeft(LPCTSTR lpszTargets)
{
    size_t keepFrom = m_str.size();
    ForEachChar(m_str, 0, [&](size_t i, size_t width) {
        if (width == 2 || strchr(lpszTargets, m_str[i]) == NULL || m_str[i] == 0) {
            keepFrom = i;
            return true;
        }
        return false;
    });
    m_str.erase(0, keepFrom);
}

void CString::TrimRight(LPCTSTR lpszTargets)
{
    size_t keepTo = 0;
    ForEachChar(m_str, 0, [&](size_t i, size_t width) {
        if (width == 2 || strchr(lpszTargets, m_str[i]) == NULL || m_str[i] == 0)
            keepTo = i + width;
        return false;
    });
    m_str.resize(keepTo);
}

int CString::Find(TCHAR ch, int nStart) const
{
    int found = -1;
    ForEachChar(m_str, nStart < 0 ? 0 : nStart, [&](size_t i, size_t width) {
        if (width == 1 && m_str[i] == ch) {
            found = (int)i;
            return true;
        }
        return false;
    });
    return found;
}

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL)
        return -1;
    if (nStart > GetLength())
        return -1;
    size_t subLength = strlen(lpszSub);
    int found = -1;
    ForEachChar(m_str, nStart < 0 ? 0 : nStart, [&](size_t i, size_t) {
        if (m_str.compare(i, subLength, lpszSub) == 0) {
            found = (int)i;
            return true;
        }
        return false;
    });
    if (found < 0 && subLength == 0)
        found = nStart < 0 ? 0 : nStart;
    return found;
}

int CString::ReverseFind(TCHAR ch) const
{
    int found = -1;
    ForEachChar(m_str, 0, [&](size_t i, size_t width) {
        if (width == 1 && m_str[i] == ch)
            found = (int)i;
        return false;
    });
    return found;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    int found = -1;
    ForEachChar(m_str, 0, [&](size_t i, size_t width) {
        if (width == 1 && m_str[i] != 0 && strchr(lpszCharSet, m_str[i]) != NULL) {
            found = (int)i;
            return true;
        }
        return false;
    });
    return found;
}

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(nMinBufLength);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strlen(m_str.c_str());
    if (nNewLength > GetLength())
        nNewLength = GetLength();
    m_str.resize(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(nNewLength < 0 ? 0 : nNewLength);
    return &m_str[0];
}

BOOL CString::LoadString(UINT nID)
{
    char buffer[1024];
    int length = ::LoadStringA(AfxGetResourceHandle(), nID, buffer, sizeof buffer);
    m_str.assign(buffer, length > 0 ? length : 0);
    return length > 0;
}

CString operator+(const CString& s1, const CString& s2)
{
    CString s(s1);
    s += s2;
    return s;
}

CString operator+(const CString& s, LPCTSTR psz)
{
    CString r(s);
    r += psz;
    return r;
}

CString operator+(LPCTSTR psz, const CString& s)
{
    CString r(psz);
    r += s;
    return r;
}

CString operator+(const CString& s, TCHAR ch)
{
    CString r(s);
    r += ch;
    return r;
}

CString operator+(TCHAR ch, const CString& s)
{
    CString r(ch);
    r += s;
    return r;
}
