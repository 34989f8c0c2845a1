// The main window: caption bar with the two mini tool bars, the navigation bar on the left and
// one page at a time on the right; the commands of the tool bars and the navigation bar.
#pragma once

#include "GuiCapOutBar.h"
#include "GuiFrameWnd.h"
#include "GuiMiniSplitter.h"
#include "GuiMiniTool.h"
#include "GuiSplitterWnd.h"
#include "SerialPort.h"

class CDeviceView;
class CGOut;

class CMainFrame : public CGuiFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    ~CMainFrame() override;

    int m_bSending;     // an SMS is being sent; the poll waits
    CSerialPort m_Port; // the modem's port; it closes, and its monitor thread ends, with the frame

    void ShowDeviceView();
    void ShowModemView();
    void ShowSyslogView();
    void ShowAboutView();
    CWnd* GetRightPage() const { return m_wndSplitter.GetPane(0, 1); }
    CDeviceView* GetDeviceView() const;
    CGOut* GetNavigationBar() const;

    // Waits the given time while the message loop goes on; ends early only when the program is
    // ending.
    int Delay(DWORD dwMilliseconds);
    void ShowProgress(CString strText, int nShow, int nTicks);
    int InitSmsModem();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    CMainFrame();
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL ShowPage(CRuntimeClass* pPageClass);
    BOOL LoginAtStartup();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysColorChange();
    afx_msg void OnColorStyleBlue() { OnColorStyle(GUISTYLE_2003); }
    afx_msg void OnColorStyleGrey() { OnColorStyle(GUISTYLE_XP); }
    void OnColorStyle(DWORD dwStyle);
    afx_msg void OnNewDevice();
    afx_msg void OnDeleteDevices();
    afx_msg void OnQueryStatus();
    afx_msg void OnSaveDevices();
    afx_msg void OnChangeUser();
    afx_msg void OnOpenWebPage();
    afx_msg void OnImportDevices();
    afx_msg void OnExportDevices();
    afx_msg void OnAppClose();
    // The modem link takes the port's bytes from its buffer; the notice of each needs no answer.
    afx_msg LRESULT OnSerialRxChar(WPARAM, LPARAM) { return 0; }
    DECLARE_MESSAGE_MAP()

    CGuiMiniTool m_wndToolLeft;
    CGuiMiniTool m_wndToolRight;
    CGuiMiniSplitter m_wndMiniSplitter;
    GuiCapOutBar m_wndCapBar;
    CGuiSplitterWnd m_wndSplitter;
};
