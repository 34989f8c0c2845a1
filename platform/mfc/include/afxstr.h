// CString: an ANSI string in the system code page. Searches step over double-byte characters,
// so a trail byte that happens to equal an ASCII character (GBK has many) is never matched.
#pragma once

#include <string>

class CString {
public:
    CString() {}
    CString(const CString& s) : m_str(s.m_str) {}
    CString(CString&& s) noexcept : m_str(std::move(s.m_str)) {}
    CString(LPCTSTR psz) : m_str(psz ? psz : "") {}
    CString(LPCTSTR pch, int nLength) : m_str(pch ? pch : "", pch && nLength > 0 ? nLength : 0) {}
    CString(TCHAR ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    CString(const unsigned char* psz) : CString(reinterpret_cast<LPCTSTR>(psz)) {}

    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    TCHAR GetAt(int nIndex) const;
    void SetAt(int nIndex, TCHAR ch);
    TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    operator LPCTSTR() const { return m_str.c_str(); }
    LPCTSTR GetString() const { return m_str.c_str(); }

    CString& operator=(const CString& s) { m_str = s.m_str; return *this; }
    CString& operator=(CString&& s) noexcept { m_str = std::move(s.m_str); return *this; }
    CString& operator=(LPCTSTR psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator=(TCHAR ch) { m_str.assign(1, ch); return *this; }
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(LPCTSTR psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(TCHAR ch) { m_str += ch; return *this; }

    int Compare(LPCTSTR psz) const;
    int CompareNoCase(LPCTSTR psz) const;
    int Collate(LPCTSTR psz) const;
    int CollateNoCase(LPCTSTR psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR ch);
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR psz);
    int Delete(int nIndex, int nCount = 1);

    void AFX_CDECL Format(LPCTSTR lpszFormat, ...) __attribute__((format(gnu_printf, 2, 3)));
    void AFX_CDECL Format(UINT nFormatID, ...);
    void FormatV(LPCTSTR lpszFormat, va_list argList);

    void TrimLeft();
    void TrimRight();
    void TrimLeft(TCHAR chTarget);
    void TrimRight(TCHAR chTarget);
    void TrimLeft(LPCTSTR lpszTargets);
    void TrimRight(LPCTSTR lpszTargets);
    CString& Trim() { TrimRight(); TrimLeft(); return *this; }

    int Find(TCHAR ch) const { return Find(ch, 0); }
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra() { m_str.shrink_to_fit(); }

    BOOL LoadString(UINT nID);

private:
    std::string m_str;
};

CString operator+(const CString& s1, const CString& s2);
CString operator+(const CString& s, LPCTSTR psz);
CString operator+(LPCTSTR psz, const CString& s);
CString operator+(const CString& s, TCHAR ch);
CString operator+(TCHAR ch, const CString& s);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

// The double-byte rule of the current ANSI code page, shared with the other string helpers.
BOOL AfxIsLeadByte(TCHAR ch);
