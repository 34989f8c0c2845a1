#include "ProfileWriter.h"

namespace {

// The profile functions may keep a file's keys in memory between calls; this lets go of them,
// so that the next read of that name reads the file that is there now.
void ForgetProfile(const CString& strPath)
{
    ::WritePrivateProfileStringA(NULL, NULL, NULL, strPath);
}

CString FolderOf(const CString& strPath)
{
    int nSlash = strPath.ReverseFind('\\');
    return nSlash < 0 ? CString(".") : strPath.Left(nSlash);
}

} // namespace

CProfileWriter::CProfileWriter(const CString& strPath) : m_strPath(strPath), m_bFailed(FALSE)
{
    if (!m_strPath.IsEmpty())
        MakeCopy();
}

CProfileWriter::~CProfileWriter()
{
    DropCopy();
}

// The copy is made in the file's own folder, so that it can take the file's place in one step.
void CProfileWriter::MakeCopy()
{
    char copy[MAX_PATH] = "";
    if (::GetTempFileNameA(FolderOf(m_strPath), "tmp", 0, copy) == 0) {
        m_bFailed = TRUE;
        return;
    }
    m_strCopy = copy;
    // A file that is there but cannot be copied (a folder, a file that may not be read) is not
    // replaced by one that lacks what it held.
    if (::GetFileAttributesA(m_strPath) != INVALID_FILE_ATTRIBUTES && !::CopyFileA(m_strPath, m_strCopy, FALSE))
        m_bFailed = TRUE;
}

void CProfileWriter::DropCopy()
{
    if (m_strCopy.IsEmpty())
        return;
    ForgetProfile(m_strCopy);
    ::DeleteFileA(m_strCopy);
    m_strCopy.Empty();
}

void CProfileWriter::WriteString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    if (m_strPath.IsEmpty() || m_bFailed)
        return;
    if (!::WritePrivateProfileStringA(lpszSection, lpszKey, lpszValue, m_strCopy))
        m_bFailed = TRUE;
}

void CProfileWriter::WriteInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue)
{
    CString value;
    value.Format("%d", nValue);
    WriteString(lpszSection, lpszKey, value);
}

BOOL CProfileWriter::Commit()
{
    if (m_strPath.IsEmpty())
        return TRUE;
    if (m_bFailed)
        return FALSE;
    ForgetProfile(m_strCopy);
    if (!::MoveFileExA(m_strCopy, m_strPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FALSE;
    m_strCopy.Empty();
    ForgetProfile(m_strPath);
    return TRUE;
}
