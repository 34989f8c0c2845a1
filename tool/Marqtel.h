// The application object: start-up order, single instance, profile, document template, exit.
#pragma once

#include "afxwin.h"

class CMarqtelApp : public CWinApp {
public:
    CMarqtelApp();

    CString m_strAppPath; // folder of the program, without a trailing backslash
    CString m_strVersion;

    BOOL InitInstance() override;
    int ExitInstance() override;
    CString GetAppPath();

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

extern CMarqtelApp theApp;
