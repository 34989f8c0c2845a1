#include "Marqtel.h"

#include "AboutDlg.h"
#include "DeviceView.h"
#include "Log.h"
#include "MainFrm.h"
#include "MarqtelDoc.h"
#include "afxdisp.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CMarqtelApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CMarqtelApp theApp;

CMarqtelApp::CMarqtelApp()
{
}

CString CMarqtelApp::GetAppPath()
{
    char path[MAX_PATH + 1] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind('\\'));
}

BOOL CMarqtelApp::InitInstance()
{
    m_strAppPath = GetAppPath();
    ::CreateDirectoryA(m_strAppPath + "\\devices", NULL);
    m_strVersion = "V1.16";

    // Logged before the single-instance test, so a refused second start leaves its trace too.
    OpenLog();
    WriteLog(LOG_INFO, NULL, NULL, "系统启动");

    HANDLE hMutex = ::CreateMutexA(NULL, TRUE, "Marqtel");
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::ReleaseMutex(hMutex);
        ::CloseHandle(hMutex);
        ::MessageBoxA(NULL, "已经启动了一个相同的程序，不能同时运行多个相同程序，本程序将自动退出！", "提示", MB_OK);
        return FALSE;
    }
    // The first instance keeps its mutex handle open until the process ends.

    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey("Dovrane");
    LoadStdProfileSettings(0);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMarqtelDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CDeviceView)));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

int CMarqtelApp::ExitInstance()
{
    WriteLog(LOG_INFO, NULL, NULL, "系统退出");
    CloseLog();
    return CWinApp::ExitInstance();
}

void CMarqtelApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
