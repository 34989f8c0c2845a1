// The main window: caption bar with the two mini tool bars, the navigation bar on the left and
// one page at a time on the right; the commands of the tool bars and the navigation bar.
#pragma once

#include "GuiCapOutBar.h"
#include "GuiFrameWnd.h"
#include "GuiMiniSplitter.h"
#include "GuiMiniTool.h"
#include "GuiSplitterWnd.h"
#include "AtLine.h"
#include "SerialPort.h"
#include "SmsListing.h"

#include <deque>
#include <string>
#include <vector>

class CDeviceView;
class CGOut;
class CProgressDlg;

// Posted to the frame when a port change had to wait for an exchange with the modem to end.
#define WM_MODEM_RESTART (WM_APP + 0x102)

class CMainFrame : public CGuiFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    ~CMainFrame() override;

    CProgressDlg* m_pProgressDlg; // made at its first use, destroyed with the frame
    int m_bSending;               // an SMS is being sent; the poll waits
    CSerialPort m_Port;           // the modem's port; it closes, and its monitor thread ends, with the frame

    void ShowDeviceView();
    void ShowModemView();
    void ShowSyslogView();
    void ShowAboutView();
    CWnd* GetRightPage() const { return m_wndSplitter.GetPane(0, 1); }
    CDeviceView* GetDeviceView() const;
    CGOut* GetNavigationBar() const;

    // Waits the given time while the message loop goes on. An exchange with the modem that is
    // being called off does not wait; a program that is ending waits without handling messages.
    int Delay(DWORD dwMilliseconds);
    // Shows the pop-up with the text and a bar that fills in nTicks seconds (nShow nonzero), the
    // main window disabled meanwhile; or hides it again (nShow 0).
    void ShowProgress(CString strText, int nShow, int nTicks);

    // The modem link (MainFrmModem.cpp). Results: 0 success; -1 general failure; -2 port not
    // open or time-out; -3 an unexpected answer or a failed send.
    int InitSmsModem();
    int SendSms(const char* pszName, const char* pszPhone, const char* pszText);
    int SendSmsViaModem(const char* pszName, const char* pszPhone, const char* pszText);
    int PollSms();
    // Shows the device page and hands it one received message.
    virtual void DispatchSms(const CString& strSender, const CString& strTime, const CString& strMessage);
    int ReadLine(CString& strLine, int nTimeout);
    // Unsolicited codes ahead of the answer are passed over.
    int ReadLineExpect(CString& strLine, const char* pszExpected, int nTimeout);
    // -3 when an error answer comes first.
    int WaitForText(CString& strBuffer, const char* pszText, int nTimeout);
    BOOL IsExchangingWithModem() const { return m_nExchange != EXCHANGE_NONE; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Holds the frame, and so its pages, in place while a command runs: its waits and modal
    // boxes run the message loop, and a close that comes meanwhile is carried out once the last
    // command holding the frame has returned, never under it. Every command of the frame and
    // of the device page holds one, and so does every wait (Delay).
    class CBusyScope {
    public:
        explicit CBusyScope(CMainFrame* pFrame);
        ~CBusyScope();
        CBusyScope(const CBusyScope&) = delete;
        CBusyScope& operator=(const CBusyScope&) = delete;

    private:
        CMainFrame* m_pFrame;
    };
    // A close came during a command or an exchange and waits for its end.
    BOOL IsClosePending() const { return m_bCloseAfterExchange; }

protected:
    // One exchange with the modem at a time: start-up, a send or a poll. Every wait inside one
    // runs the message loop, so anything that could start another exchange, close the port or
    // close the frame meanwhile finds out here.
    enum Exchange { EXCHANGE_NONE, EXCHANGE_STARTUP, EXCHANGE_SEND, EXCHANGE_POLL };
    class CExchangeScope;
    // How the reading of a listing ended.
    enum ListingEnd { LISTING_COMPLETE, LISTING_REFUSED, LISTING_CUT, LISTING_UNANSWERED, LISTING_ENDLESS,
                      LISTING_INPUT_LOST };

    CMainFrame();
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL ShowPage(CRuntimeClass* pPageClass);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL LoginAtStartup();
    // Posts the close that waited, once no exchange or command holds the frame.
    void CloseWhenFree();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
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
    afx_msg LRESULT OnModemRestart(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    // The modem link's own steps (MainFrmModem.cpp).
    static DWORD ModemStepSetting();
    DWORD ModemWait(DWORD dwMilliseconds) const { return dwMilliseconds * m_dwModemStep / 100; }
    BOOL IsExchangeCalledOff() const;
    BOOL IsWaitCalledOff() const;
    // The next byte of the modem's answer; FALSE once the budget (or the overall one) is spent.
    BOOL TakeModemByte(char& ch, CReadBudget& budget, CReadBudget* pOverall = NULL);
    int ReadLineWithin(CString& strLine, CReadBudget& budget, CReadBudget* pOverall = NULL);
    // Moves what the port has received into the link's own input, which has room for a whole
    // listing: the modem is read whatever holds the exchange up meanwhile.
    void TakePortInput();
    int InputLossCount();
    void WriteModem(const char* pszText, int nLength = -1);
    // What waits unread answers nothing still to be asked: it is thrown away, and logged.
    void DiscardModemInput();
    void SetStatusText(LPCTSTR pszText);
    int StartModem(int nPort);
    BOOL ModemAnswersAte0();
    BOOL ModemEntersTextMode();
    BOOL ModemTakesTextMode();
    BOOL RestoreModemSetup();
    void ReportModemFailure(LPCTSTR pszText);
    BOOL ModemTakesMessage(const char* pszPhone, const char* pszText);
    void ReportSendResult(const char* pszName, const char* pszPhone, BOOL bSent);
    void OnPollTimer();
    BOOL IsModalLoopRunning() const;
    ListingEnd ReadListing(CSmsListing& listing);
    void ReportPollFailure(ListingEnd nEnd, const std::string& refusal);
    void ReportModemBack();
    void DispatchListing(const std::vector<SmsEntry>& entries);
    void DeleteMessages(const std::vector<SmsEntry>& entries);

    Exchange m_nExchange;
    BOOL m_bCallOffAllowed;       // the exchange may end early when the frame closes
    BOOL m_bCloseAfterExchange;   // a close came during an exchange and is carried out after it
    BOOL m_bRestartAfterExchange; // so is a change of the modem's port
    BOOL m_bProgramEnding;        // the message loop has been told to quit
    int m_nBusy;                  // commands and waits holding the frame (CBusyScope)
    DWORD m_dwModemStep;          // the idle step of the modem's reads, normally 100 ms
    std::deque<char> m_modemInput; // taken from the port, not yet read
    int m_nInputDropped;          // times m_modemInput was full and bytes were dropped
    BOOL m_bModemSetupLost;       // a poll failed: the start-up sequence runs again before the next
    BOOL m_bPollFailureReported;  // and it was told, once until a listing comes whole again

    CGuiMiniTool m_wndToolLeft;
    CGuiMiniTool m_wndToolRight;
    CGuiMiniSplitter m_wndMiniSplitter;
    GuiCapOutBar m_wndCapBar;
    CGuiSplitterWnd m_wndSplitter;
};
