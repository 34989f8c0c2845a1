#include "afx.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(hFileNull)
{
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull)
{
    Open(lpszFileName, nOpenFlags);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull)
        Close();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, void*)
{
    if (m_hFile != hFileNull)
        Close();
    m_strFileName = lpszFileName;

    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone:
    case shareCompat: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
    }
    DWORD creation = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    HANDLE h = ::CreateFileA(lpszFileName, access, share, NULL, creation, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hFile = h;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    DWORD read = 0;
    if (nCount == 0 || !::ReadFile(m_hFile, lpBuf, nCount, &read, NULL))
        return 0;
    return read;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    DWORD written = 0;
    if (nCount == 0)
        return TRUE;
    return ::WriteFile(m_hFile, lpBuf, nCount, &written, NULL) && written == nCount;
}

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    return (LONG)::SetFilePointer(m_hFile, lOff, NULL, nFrom);
}

DWORD CFile::GetLength() const
{
    return ::GetFileSize(m_hFile, NULL);
}

void CFile::Flush()
{
    if (m_hFile != hFileNull)
        ::FlushFileBuffers(m_hFile);
}

BOOL CFile::Remove(LPCTSTR lpszFileName)
{
    return ::DeleteFileA(lpszFileName);
}

BOOL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    return ::MoveFileA(lpszOldName, lpszNewName);
}

// ---------------------------------------------------------------------------------------------

CMirrorFile::~CMirrorFile()
{
    Abort();
}

// The new file lies in the other's folder, so that it can take the other's place in one step.
BOOL CMirrorFile::Create(LPCTSTR lpszFileName)
{
    Abort();
    CString target = lpszFileName;
    int nSlash = target.ReverseFind('\\');
    CString folder = nSlash < 0 ? CString(".") : target.Left(nSlash);
    char mirror[MAX_PATH] = "";
    if (::GetTempFileNameA(folder, "tmp", 0, mirror) == 0)
        return FALSE;
    m_strMirrorName = mirror;
    HANDLE h = ::CreateFileA(mirror, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) {
        Abort();
        return FALSE;
    }
    m_hFile = h;
    m_strFileName = target;
    return TRUE;
}

BOOL CMirrorFile::Commit()
{
    if (m_hFile == hFileNull || m_strMirrorName.IsEmpty())
        return FALSE;
    BOOL bWritten = ::FlushFileBuffers(m_hFile);
    bWritten = ::CloseHandle(m_hFile) && bWritten;
    m_hFile = hFileNull;
    if (!bWritten || !::MoveFileExA(m_strMirrorName, m_strFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Abort();
        return FALSE;
    }
    m_strMirrorName.Empty();
    return TRUE;
}

void CMirrorFile::Abort()
{
    CFile::Close();
    if (!m_strMirrorName.IsEmpty())
        ::DeleteFileA(m_strMirrorName);
    m_strMirrorName.Empty();
}

// ---------------------------------------------------------------------------------------------

CArchive::CArchive(CFile* pFile, UINT nMode)
    : m_pDocument(NULL), m_pFile(pFile), m_nMode(nMode), m_nBufferLength(0), m_nBufferPos(0), m_bEof(FALSE),
      m_bWriteFailed(FALSE)
{
}

CArchive::~CArchive()
{
    Close();
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

// After a refused write the rest is dropped: a file with a gap would read as whole.
void CArchive::Flush()
{
    if (m_pFile != NULL && IsStoring() && m_nBufferLength > 0) {
        if (!m_bWriteFailed && !m_pFile->Write(m_buffer, m_nBufferLength))
            m_bWriteFailed = TRUE;
        m_nBufferLength = 0;
    }
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    ASSERT(IsStoring());
    const char* p = static_cast<const char*>(lpBuf);
    while (nMax > 0 && m_pFile != NULL) {
        UINT room = sizeof m_buffer - m_nBufferLength;
        UINT n = nMax < room ? nMax : room;
        memcpy(m_buffer + m_nBufferLength, p, n);
        m_nBufferLength += n;
        p += n;
        nMax -= n;
        if (m_nBufferLength == sizeof m_buffer)
            Flush();
    }
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz != NULL)
        Write(lpsz, (UINT)strlen(lpsz));
}

int CArchive::FillBuffer()
{
    if (m_nBufferPos < m_nBufferLength)
        return 1;
    if (m_bEof || m_pFile == NULL)
        return 0;
    m_nBufferPos = 0;
    m_nBufferLength = m_pFile->Read(m_buffer, sizeof m_buffer);
    if (m_nBufferLength == 0) {
        m_bEof = TRUE;
        return 0;
    }
    return 1;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    ASSERT(IsLoading());
    char* p = static_cast<char*>(lpBuf);
    UINT total = 0;
    while (total < nMax && FillBuffer()) {
        UINT available = m_nBufferLength - m_nBufferPos;
        UINT n = (nMax - total) < available ? (nMax - total) : available;
        memcpy(p + total, m_buffer + m_nBufferPos, n);
        m_nBufferPos += n;
        total += n;
    }
    return total;
}

BOOL CArchive::ReadString(CString& rString)
{
    ASSERT(IsLoading());
    std::string line;
    bool any = false;
    while (FillBuffer()) {
        any = true;
        char c = m_buffer[m_nBufferPos++];
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            rString = line.c_str();
            return TRUE;
        }
        line += c;
    }
    rString = line.c_str();
    return any;
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    // Reads at most nMax - 1 characters and keeps the line feed, as fgets does.
    ASSERT(IsLoading());
    if (nMax == 0)
        return NULL;
    UINT n = 0;
    while (n + 1 < nMax && FillBuffer()) {
        char c = m_buffer[m_nBufferPos++];
        lpsz[n++] = c;
        if (c == '\n')
            break;
    }
    lpsz[n] = 0;
    return n > 0 ? lpsz : NULL;
}
