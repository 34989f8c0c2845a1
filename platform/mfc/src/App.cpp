#include "ThreadState.h"

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

static CWinApp* g_pApp = NULL;

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_pApp != NULL && g_pApp->m_hInstance != NULL)
        return g_pApp->m_hInstance;
    return ::GetModuleHandleA(NULL);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

static CString ModuleBaseName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind('\\') + 1);
    int nDot = name.ReverseFind('.');
    return nDot > 0 ? name.Left(nDot) : name;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    if (g_pApp != NULL && g_pApp->m_pszAppName != NULL)
        return g_pApp->m_pszAppName;
    static CString name = ModuleBaseName();
    return name;
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    HWND hWndOwner = CWnd::SafeHwnd(AfxGetMainWnd());
    if (hWndOwner != NULL)
        hWndOwner = ::GetLastActivePopup(hWndOwner);
    if (hWndOwner != NULL && !::IsWindowEnabled(hWndOwner))
        hWndOwner = NULL;
    return ::MessageBoxA(hWndOwner, lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}

// ---------------------------------------------------------------------------------------------

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_pszAppName(NULL), m_pszExeName(NULL),
      m_pszRegistryKey(NULL), m_pszProfileName(NULL)
{
    ASSERT(g_pApp == NULL); // one application object per program
    g_pApp = this;
    if (lpszAppName != NULL) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
    AfxGetThreadState()->pThread = this;
}

CWinApp::~CWinApp()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
        delete (CDocTemplate*)m_templateList.GetNext(pos);
    m_templateList.RemoveAll();
    if (AfxGetThreadState()->pThread == this)
        AfxGetThreadState()->pThread = NULL;
    if (g_pApp == this)
        g_pApp = NULL;
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    return TRUE;
}

BOOL CWinApp::InitApplication()
{
    m_strExeName = ModuleBaseName();
    m_pszExeName = m_strExeName;
    if (m_pszAppName == NULL) {
        if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE))
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
    if (m_pszProfileName == NULL) {
        m_strProfileName = m_strExeName + ".INI";
        m_pszProfileName = m_strProfileName;
    }
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        AfxPostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || !pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != NULL)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

// ---------------------------------------------------------------------------------------------
// Documents and the command line.

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templateList.AddTail(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (m_templateList.IsEmpty())
        return NULL;
    return ((CDocTemplate*)m_templateList.GetHead())->OpenDocumentFile(lpszFileName);
}

void CWinApp::OnFileNew()
{
    if (!m_templateList.IsEmpty())
        ((CDocTemplate*)m_templateList.GetHead())->OpenDocumentFile(NULL);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
        ((CDocTemplate*)m_templateList.GetNext(pos))->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
        if (!((CDocTemplate*)m_templateList.GetNext(pos))->SaveAllModified())
            return FALSE;
    return TRUE;
}

CCommandLineInfo::CCommandLineInfo()
    : m_nShellCommand(FileNew), m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE)
{
}

void CCommandLineInfo::ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL)
{
    if (!bFlag) {
        if (m_strFileName.IsEmpty())
            m_strFileName = lpszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
        return;
    }
    if (lstrcmpiA(lpszParam, "nologo") == 0)
        m_bShowSplash = FALSE;
    else if (lstrcmpiA(lpszParam, "Embedding") == 0)
        m_bRunEmbedded = TRUE;
    else if (lstrcmpiA(lpszParam, "Automation") == 0)
        m_bRunAutomated = TRUE;
    else if (lstrcmpiA(lpszParam, "Unregister") == 0 || lstrcmpiA(lpszParam, "Unregserver") == 0)
        m_nShellCommand = AppUnregister;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; ++i) {
        LPCTSTR pszParam = __argv[i];
        BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        if (bFlag)
            ++pszParam;
        rCmdInfo.ParseParam(pszParam, bFlag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != NULL;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------------------------
// Profile settings.

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    m_strProfileName = m_pszAppName ? m_pszAppName : (LPCTSTR)ModuleBaseName();
    m_pszProfileName = m_strProfileName;
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL)
        return NULL;
    CString path;
    path.Format("Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
    HKEY hKey = NULL;
    DWORD dwDisposition = 0;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                          &hKey, &dwDisposition) != ERROR_SUCCESS)
        return NULL;
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    DWORD dwDisposition = 0;
    if (::RegCreateKeyExA(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, NULL,
                          &hSectionKey, &dwDisposition) != ERROR_SUCCESS)
        hSectionKey = NULL;
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == NULL)
        return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return (UINT)nDefault;
    DWORD dwValue = 0, dwType = 0, dwCount = sizeof dwValue;
    LONG lResult = ::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || dwType != REG_DWORD)
        return (UINT)nDefault;
    return (UINT)dwValue;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszDefault == NULL)
        lpszDefault = "";
    if (m_pszRegistryKey == NULL) {
        char text[4096] = "";
        ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, text, sizeof text, m_pszProfileName);
        return CString(text);
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return CString(lpszDefault);
    CString value = lpszDefault;
    DWORD dwType = 0, dwCount = 0;
    if (::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, NULL, &dwCount) == ERROR_SUCCESS && dwType == REG_SZ) {
        CString text;
        if (::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, (LPBYTE)text.GetBuffer((int)dwCount + 1), &dwCount) ==
            ERROR_SUCCESS) {
            text.ReleaseBuffer();
            value = text;
        }
    }
    ::RegCloseKey(hKey);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == NULL) {
        char text[16];
        wsprintfA(text, "%d", nValue);
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG lResult = ::RegSetValueExA(hKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof dwValue);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    HKEY hKey = GetSectionKey(lpszSection);
    if (hKey == NULL)
        return FALSE;
    LONG lResult = lpszValue == NULL
                       ? ::RegDeleteValueA(hKey, lpszEntry)
                       : ::RegSetValueExA(hKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, lstrlenA(lpszValue) + 1);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}
