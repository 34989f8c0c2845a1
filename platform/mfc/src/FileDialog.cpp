#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileName(), m_szFileTitle()
{
    m_pParentWnd = pParentWnd;
    // Callers may write the default extension as a pattern ("*.csv"); the dialog wants "csv".
    m_strDefExt = lpszDefExt;
    if (m_strDefExt.Left(2) == "*.")
        m_strDefExt = m_strDefExt.Mid(2);
    if (lpszFileName != NULL)
        lstrcpynA(m_szFileName, lpszFileName, MAX_PATH);
    m_strFilter = lpszFilter;

    m_ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = MAX_PATH;
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? NULL : (LPCTSTR)m_strDefExt;
    m_ofn.hInstance = AfxGetInstanceHandle();
}

INT_PTR CFileDialog::DoModal()
{
    // The filter's '|' separators become the NULs the system expects; a trailing "||" ends it.
    CString filter = m_strFilter;
    std::string buffer(filter.GetLength() + 2, '\0');
    for (int i = 0; i < filter.GetLength(); ++i)
        buffer[i] = filter[i] == '|' ? '\0' : filter[i];
    m_ofn.lpstrFilter = filter.IsEmpty() ? NULL : buffer.c_str();

    HWND hWndOwner = SafeHwnd(m_pParentWnd);
    if (hWndOwner == NULL)
        hWndOwner = SafeHwnd(AfxGetMainWnd());
    m_ofn.hwndOwner = hWndOwner;
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    m_ofn.lpstrFilter = NULL;
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    CString path = m_szFileName;
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int nDot = name.ReverseFind('.');
    return nDot < 0 ? CString() : name.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int nDot = name.ReverseFind('.');
    return nDot < 0 ? name : name.Left(nDot);
}
