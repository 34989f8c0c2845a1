// The frame's link to the GSM modem: AT commands in SMS text mode over the modem's serial port.
// It brings the modem up, sends one SMS at a time, and every 5 seconds lists the messages the
// modem holds, hands each to the device page and deletes it from the modem.
//
// All of it runs on the GUI thread. The port's monitor thread fills the port's read buffer; the
// link takes the bytes out one at a time and, whenever none is waiting, counts an empty read
// and waits one idle step in Delay, which keeps the message loop running. A time-out of t
// allows t/10 empty reads; bytes that do arrive do not count.
//
// Because the message loop runs inside every exchange, timers, commands and window messages
// are handled in the middle of one. So: one exchange at a time (start-up, send or poll); a
// send that comes during one fails cleanly; a port change and a close wait for its end; a
// poll never starts inside an exchange or a modal loop.
#include "MainFrm.h"

#include "AtLine.h"
#include "DeviceView.h"
#include "Log.h"
#include "ProgressDlg.h"
#include "resource.h"

#include <stdlib.h>
#include <string.h>

namespace {

const char kOk[] = "OK\r\n";
// Ctrl-Z ends a message the modem may still be waiting for; the CR ends an empty command.
const char kEndMessage[] = "\x1A\r";
const UINT kPollPeriod = 5000;

// Every modal window of the program is a dialog box: message boxes, file dialogs and the
// program's own dialogs. The progress pop-up is the one dialog that is not modal.
struct ModalSearch {
    HWND hNotModal;
    BOOL bFound;
};

BOOL CALLBACK FindModalDialog(HWND hWnd, LPARAM lParam)
{
    ModalSearch* pSearch = reinterpret_cast<ModalSearch*>(lParam);
    char className[16] = "";
    ::GetClassNameA(hWnd, className, sizeof className);
    if (hWnd != pSearch->hNotModal && ::IsWindowVisible(hWnd) && strcmp(className, "#32770") == 0) {
        pSearch->bFound = TRUE;
        return FALSE;
    }
    return TRUE;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// One exchange at a time.

// Marks an exchange from its first byte to its last. At its end, a close or a port change that
// came meanwhile is carried out, through the message loop, once the exchange is off the stack.
class CMainFrame::CExchangeScope {
public:
    CExchangeScope(CMainFrame* pFrame, Exchange nKind) : m_pFrame(pFrame)
    {
        m_pFrame->m_nExchange = nKind;
        m_pFrame->m_bCallOffAllowed = TRUE;
    }
    ~CExchangeScope()
    {
        m_pFrame->m_nExchange = EXCHANGE_NONE;
        m_pFrame->CloseWhenFree();
        if (m_pFrame->m_bRestartAfterExchange) {
            m_pFrame->m_bRestartAfterExchange = FALSE;
            m_pFrame->PostMessage(WM_MODEM_RESTART);
        }
    }

private:
    CMainFrame* m_pFrame;
};

// A frame that is closing, or a program that is ending, does not wait for the modem: the
// exchange ends at its next read. Not while a poll deletes what it has handled, though: those
// messages must go, or they would be handled again at the next start.
BOOL CMainFrame::IsExchangeCalledOff() const
{
    return IsExchangingWithModem() && m_bCallOffAllowed && (m_bCloseAfterExchange || m_bProgramEnding);
}

CMainFrame::CBusyScope::CBusyScope(CMainFrame* pFrame) : m_pFrame(pFrame)
{
    if (m_pFrame != NULL)
        ++m_pFrame->m_nBusy;
}

CMainFrame::CBusyScope::~CBusyScope()
{
    if (m_pFrame == NULL)
        return;
    --m_pFrame->m_nBusy;
    m_pFrame->CloseWhenFree();
}

// The close goes through the message loop, so the command that held the frame is off the stack
// when the frame goes.
void CMainFrame::CloseWhenFree()
{
    if (m_bCloseAfterExchange && m_nBusy == 0 && !IsExchangingWithModem()) {
        m_bCloseAfterExchange = FALSE;
        PostMessage(WM_CLOSE);
    }
}

void CMainFrame::OnClose()
{
    if (IsExchangingWithModem() || m_nBusy > 0) {
        m_bCloseAfterExchange = TRUE;
        return;
    }
    CGuiFrameWnd::OnClose();
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CBusyScope busy(this);
    return CGuiFrameWnd::OnCommand(wParam, lParam);
}

void CMainFrame::OnDestroy()
{
    if (m_pProgressDlg != NULL) {
        m_pProgressDlg->DestroyWindow();
        delete m_pProgressDlg;
        m_pProgressDlg = NULL;
    }
    CGuiFrameWnd::OnDestroy();
}

LRESULT CMainFrame::OnModemRestart(WPARAM, LPARAM)
{
    InitSmsModem();
    return 0;
}

// Tests shorten the modem's waits: MARQTEL_MODEM_STEP_MS sets the idle step of the reads (1 to
// 100 ms), and the other waits of the dialogue shrink with it. Nothing sets it for the program.
DWORD CMainFrame::ModemStepSetting()
{
    char value[16] = "";
    DWORD nLength = ::GetEnvironmentVariableA("MARQTEL_MODEM_STEP_MS", value, sizeof value);
    int nStep = nLength > 0 && nLength < sizeof value ? atoi(value) : 0;
    return nStep >= 1 && nStep <= 100 ? (DWORD)nStep : 100;
}

// A wait outside an exchange ends when the frame is to close: the close waits for it.
int CMainFrame::Delay(DWORD dwMilliseconds)
{
    CBusyScope busy(this);
    DWORD dwStart = ::GetTickCount();
    for (;;) {
        if (IsExchangeCalledOff() || IsWaitCalledOff())
            return 0;
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed > dwMilliseconds)
            return 0;
        if (m_bProgramEnding) {
            // No more messages are handled; an exchange that must finish still gives the modem
            // its time.
            if (!IsExchangingWithModem())
                return 0;
            ::Sleep(dwMilliseconds - dwElapsed + 1);
            continue;
        }
        // The wait sleeps until a message comes or the time is up: waiting for the next message
        // alone would hold the caller for as long as the queue stays quiet.
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, dwMilliseconds - dwElapsed + 1, QS_ALLINPUT);
        // A window that keeps asking to be painted must not hold the wait past its time either.
        MSG msg;
        while (::GetTickCount() - dwStart <= dwMilliseconds && ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (!AfxPumpMessage()) {
                m_bProgramEnding = TRUE;
                break;
            }
            if (IsExchangeCalledOff() || IsWaitCalledOff())
                return 0;
        }
    }
}

BOOL CMainFrame::IsWaitCalledOff() const
{
    return !IsExchangingWithModem() && m_bCloseAfterExchange;
}

// ---------------------------------------------------------------------------------------------
// Reading and writing.

BOOL CMainFrame::TakeModemByte(char& ch, int& nEmptyReads, int nTimeout)
{
    while (nEmptyReads < nTimeout / 10 && !IsExchangeCalledOff()) {
        if (m_Port.IsOpen() && m_Port.ReadFromPort(&ch, 1) > 0)
            return TRUE;
        ++nEmptyReads;
        Delay(m_dwModemStep);
    }
    return FALSE;
}

int CMainFrame::ReadLine(CString& strLine, int nTimeout)
{
    CAtLine line;
    int nEmptyReads = 0;
    char ch = 0;
    while (TakeModemByte(ch, nEmptyReads, nTimeout)) {
        if (line.AddToLine(ch)) {
            strLine = line.Text().c_str();
            return 0;
        }
    }
    strLine = line.Text().c_str();
    return -2;
}

int CMainFrame::ReadLineExpect(CString& strLine, const char* pszExpected, int nTimeout)
{
    int nResult = ReadLine(strLine, nTimeout);
    if (nResult < 0)
        return nResult;
    return strncmp(strLine, pszExpected, strlen(pszExpected)) == 0 ? 0 : -3;
}

int CMainFrame::WaitForText(CString& strBuffer, const char* pszText, int nTimeout)
{
    CAtLine text;
    int nEmptyReads = 0;
    char ch = 0;
    int nResult = -2;
    while (TakeModemByte(ch, nEmptyReads, nTimeout)) {
        if (text.AddAndFind(ch, pszText)) {
            nResult = 0;
            break;
        }
    }
    strBuffer = text.Text().c_str();
    return nResult;
}

void CMainFrame::WriteModem(const char* pszText, int nLength)
{
    if (m_Port.IsOpen())
        m_Port.WriteToPort(pszText, nLength);
}

// What is in the read buffer now answers nothing that is still to be asked.
void CMainFrame::ClearModemInput()
{
    if (m_Port.IsOpen())
        m_Port.ClearReadBuffer();
}

void CMainFrame::SetStatusText(LPCTSTR pszText)
{
    if (m_wndStatusBar.m_hWnd != NULL)
        m_wndStatusBar.SetPaneText(0, pszText, TRUE);
}

// ---------------------------------------------------------------------------------------------
// Start-up.

int CMainFrame::InitSmsModem()
{
    // The exchange under way still reads the port; the new port is taken when it has ended.
    if (IsExchangingWithModem()) {
        m_bRestartAfterExchange = TRUE;
        return 0;
    }
    KillTimer(TIMER_SMS_POLL);
    int nPort = (int)AfxGetApp()->GetProfileInt("MODEM", "PORT", 1);
    if (nPort == -1) {
        // A port opened before is let go, so that nothing goes out through it any more.
        m_Port.ClosePort();
        SetStatusText("没有短信模块!");
        WriteLog(LOG_INFO, NULL, NULL, "没有短信模块!");
        return 0;
    }
    CExchangeScope exchange(this, EXCHANGE_STARTUP);
    return StartModem(nPort);
}

int CMainFrame::StartModem(int nPort)
{
    CString strText;
    strText.Format("初始化短信模块(串口[COM%d])...", nPort);
    SetStatusText(strText);
    WriteLog(LOG_INFO, NULL, NULL, "%s", (LPCTSTR)strText);
    ShowProgress(strText, 1, 5);

    if (!m_Port.InitPort(this, nPort, 9600, 'N', 8, 1, 0, 0, 10240, 512)) {
        ShowProgress("", 0, 0);
        strText.Format("打开串口[COM%d]失败!", nPort);
        ReportModemFailure(strText);
        return -1;
    }
    m_Port.StartMonitoring();
    BOOL bReady = ModemAnswersAte0() && ModemEntersTextMode();
    ShowProgress("", 0, 0);
    // A modem that failed keeps its port, open and monitored, but is not polled.
    if (!bReady) {
        ReportModemFailure("初始化短信模块失败! 请检查串口线和SIM卡!");
        return -1;
    }
    SetTimer(TIMER_SMS_POLL, kPollPeriod, NULL);
    SetStatusText("短信模块就绪");
    WriteLog(LOG_INFO, NULL, NULL, "短信模块就绪");
    return 0;
}

// The modem may still echo what it is sent, or wait for the end of a message begun before: the
// first ATE0 may then go unanswered. Ctrl-Z ends such a message; the second ATE0 must answer,
// at the latest with the second line that follows it (the first may be its own echo).
BOOL CMainFrame::ModemAnswersAte0()
{
    CString strLine;
    ClearModemInput();
    WriteModem("ATE0\r\n");
    if (ReadLineExpect(strLine, kOk, 100) != 0) {
        WriteModem(kEndMessage, 2);
        Delay(ModemWait(3000));
    }
    ClearModemInput();
    WriteModem("ATE0\r\n");
    return ReadLineExpect(strLine, kOk, 100) == 0 || ReadLineExpect(strLine, kOk, 100) == 0;
}

BOOL CMainFrame::ModemEntersTextMode()
{
    ShowProgress("检测到短信模块! 正在初始化...", 1, 10);
    WriteModem("AT+CMGF=1\r");
    CString strLine;
    BOOL bTextMode = ReadLineExpect(strLine, kOk, 200) == 0;
    ShowProgress(bTextMode ? "短信模块初始化完成" : "短信模块初始化失败!", 1, 0);
    return bTextMode;
}

// Failures are logged, shown in the status bar and told in a message box; the box is left out
// when the frame is closing.
void CMainFrame::ReportModemFailure(LPCTSTR pszText)
{
    WriteLog(LOG_FAILURE, NULL, NULL, "%s", pszText);
    SetStatusText(pszText);
    if (!IsExchangeCalledOff())
        MessageBox(pszText, NULL, MB_OK);
}

// ---------------------------------------------------------------------------------------------
// Sending.

int CMainFrame::SendSms(const char* pszName, const char* pszPhone, const char* pszText)
{
    return SendSmsViaModem(pszName, pszPhone, pszText);
}

int CMainFrame::SendSmsViaModem(const char* pszName, const char* pszPhone, const char* pszText)
{
    pszName = pszName != NULL ? pszName : "";
    pszPhone = pszPhone != NULL ? pszPhone : "";
    pszText = pszText != NULL ? pszText : "";
    if (!m_Port.IsOpen())
        return -2;
    // Nothing reaches the port when it would interleave with the exchange under way, or when
    // the number or the text would make the modem run commands of its own.
    if (IsExchangingWithModem() || !IsDialableNumber(pszPhone) || !IsSendableText(pszText)) {
        ReportSendResult(pszName, pszPhone, FALSE);
        return -3;
    }

    CExchangeScope exchange(this, EXCHANGE_SEND);
    m_bSending = 1;
    CString strStatus;
    strStatus.Format("正在发送短信到[%s,%s]...", pszName, pszPhone);
    SetStatusText(strStatus);
    WriteLog(LOG_INFO, pszName, pszPhone, "正在发送短信[%s]", pszText);
    ShowProgress(strStatus, 1, 15);
    BOOL bSent = ModemTakesMessage(pszPhone, pszText);
    ShowProgress("", 0, 0);
    m_bSending = 0;
    ReportSendResult(pszName, pszPhone, bSent);
    return bSent ? 0 : -3;
}

// One attempt, no retry. The text goes out after the "> " prompt, or after the prompt's wait
// when none came; "+CMGS: " tells that the modem sent it, then "OK" follows the rest of that
// line (the message reference), which the first test reads.
BOOL CMainFrame::ModemTakesMessage(const char* pszPhone, const char* pszText)
{
    CString strLine;
    ClearModemInput();
    WriteModem("ATE0\r\n");
    if (ReadLineExpect(strLine, kOk, 1000) != 0) {
        WriteModem(kEndMessage, 2);
        Delay(ModemWait(1000));
    }
    CString strCommand = CString("AT+CMGS=") + pszPhone + "\r";
    CString strBody = CString(pszText) + "\x1A\r\n";
    ClearModemInput();
    WriteModem(strCommand);
    WaitForText(strLine, "> ", 1000);
    WriteModem(strBody);
    if (WaitForText(strLine, "+CMGS: ", 5000) != 0)
        return FALSE;
    return ReadLineExpect(strLine, kOk, 10000) == 0 || ReadLineExpect(strLine, kOk, 1000) == 0;
}

void CMainFrame::ReportSendResult(const char* pszName, const char* pszPhone, BOOL bSent)
{
    CString strStatus;
    strStatus.Format(bSent ? "发送短信到[%s,%s]成功!" : "发送短信到[%s,%s]失败!", pszName, pszPhone);
    SetStatusText(strStatus);
    if (bSent)
        WriteLog(LOG_INFO, pszName, pszPhone, "发送短信成功!");
    else
        WriteLog(LOG_FAILURE, pszName, pszPhone, "发送短信失败!");
}

// ---------------------------------------------------------------------------------------------
// Polling.

void CMainFrame::OnPollTimer()
{
    KillTimer(TIMER_SMS_POLL);
    // A poll never nests in an exchange, nor runs inside a modal loop: the dialog or message box
    // on the stack may belong to the very page that a received message replaces.
    if (!m_bSending && !IsExchangingWithModem() && !IsModalLoopRunning())
        PollSms();
    SetTimer(TIMER_SMS_POLL, kPollPeriod, NULL);
}

BOOL CMainFrame::IsModalLoopRunning() const
{
    if (!IsWindowEnabled())
        return TRUE;
    ModalSearch search = { CWnd::SafeHwnd(m_pProgressDlg), FALSE };
    ::EnumThreadWindows(::GetCurrentThreadId(), FindModalDialog, reinterpret_cast<LPARAM>(&search));
    return search.bFound;
}

int CMainFrame::PollSms()
{
    if (!m_Port.IsOpen() || IsExchangingWithModem())
        return 0;
    CExchangeScope exchange(this, EXCHANGE_POLL);
    std::vector<SmsEntry> entries = ReadListing();
    // A frame that closed meanwhile leaves every message in the modem for the next start.
    if (IsExchangeCalledOff())
        return 0;
    m_bCallOffAllowed = FALSE;
    DispatchListing(entries);
    DeleteMessages(entries);
    return 0;
}

// The whole listing is read before any message is handled: handling may open message boxes,
// and the modem would go on sending meanwhile, past what the port's buffer holds. A time-out
// or an error line ends the listing; what was read whole until then is handled.
std::vector<SmsEntry> CMainFrame::ReadListing()
{
    ClearModemInput();
    WriteModem("AT+CMGL=\"ALL\"\r");
    CSmsListing listing;
    CString strLine;
    while (ReadLine(strLine, 100) == 0 && listing.TakeLine((LPCTSTR)strLine) == CSmsListing::kMore) {
    }
    return listing.Entries();
}

void CMainFrame::DispatchListing(const std::vector<SmsEntry>& entries)
{
    for (const SmsEntry& entry : entries) {
        CString strText;
        strText.Format("收到来自[%s]的短信[%s]，发送时间为[%s]", entry.sender.c_str(), entry.message.c_str(),
                       entry.time.c_str());
        WriteLog(LOG_INFO, NULL, NULL, "%s", (LPCTSTR)strText);
        SetStatusText(strText);
        DispatchSms(entry.sender.c_str(), entry.time.c_str(), entry.message.c_str());
    }
}

// Each message handled goes, in listing order; an answer other than OK is not retried.
void CMainFrame::DeleteMessages(const std::vector<SmsEntry>& entries)
{
    for (const SmsEntry& entry : entries) {
        CString strCommand, strLine;
        strCommand.Format("AT+CMGD=%d\r", entry.index);
        ClearModemInput();
        WriteModem(strCommand);
        ReadLineExpect(strLine, kOk, 100);
    }
}

void CMainFrame::DispatchSms(const CString& strSender, const CString& strTime, const CString& strMessage)
{
    ShowDeviceView();
    if (CDeviceView* pPage = GetDeviceView())
        pPage->OnSmsReply(strSender, strTime, strMessage);
}

// ---------------------------------------------------------------------------------------------
// The progress pop-up.

void CMainFrame::ShowProgress(CString strText, int nShow, int nTicks)
{
    if (m_pProgressDlg == NULL) {
        m_pProgressDlg = new CProgressDlg;
        if (!m_pProgressDlg->Create(IDD_PROGRESS, this)) {
            delete m_pProgressDlg;
            m_pProgressDlg = NULL;
            return;
        }
    }
    m_pProgressDlg->SetText(strText);
    m_pProgressDlg->Start(nShow ? (UINT)nTicks : (UINT)-1);
    // Enabled before the pop-up hides, so that the frame is the window activated then.
    EnableWindow(nShow == 0);
    m_pProgressDlg->ShowWindow(nShow ? SW_SHOW : SW_HIDE);
    if (!nShow)
        return;
    CRect rcFrame, rcPopup;
    GetWindowRect(&rcFrame);
    m_pProgressDlg->GetWindowRect(&rcPopup);
    m_pProgressDlg->SetWindowPos(NULL, rcFrame.left + (rcFrame.Width() - rcPopup.Width()) / 2,
                                 rcFrame.top + (rcFrame.Height() - rcPopup.Height()) / 2, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER);
}
