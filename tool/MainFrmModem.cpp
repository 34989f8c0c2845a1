// The frame's link to the GSM modem: AT commands in SMS text mode over the modem's serial port.
// It brings the modem up, sends one SMS at a time, and every 5 seconds lists the messages the
// modem holds, hands each to the device page and deletes it from the modem.
//
// All of it runs on the GUI thread. The port's monitor thread fills the port's read buffer; the
// link moves the bytes into an input of its own, takes them out one at a time and, whenever
// none is waiting, counts an empty read and waits one idle step in Delay, which keeps the
// message loop running. A time-out of t allows t/10 empty reads; bytes that arrive do not
// count, unless they come without a pause for longer than the time-out would have lasted.
//
// Because the message loop runs inside every exchange, timers, commands and window messages
// are handled in the middle of one. So: one exchange at a time (start-up, send or poll); a
// send that comes during one fails cleanly; a port change and a close wait for its end; a
// poll never starts inside an exchange or a modal loop. And while an exchange is under way
// every wait and a timer keep moving the port's bytes into the link's input, so that a
// command's own wait or message box holding the exchange up loses nothing the modem sends
// meanwhile; a listing during which bytes were lost all the same is neither handled nor
// deleted.
//
// Before a command is written, whatever waits unread is thrown away (and logged): no exchange
// takes an earlier one's late answers. An error answer ends a wait at once. A poll that fails
// is told once, and the start-up sequence runs again before the next one: a modem that
// restarted comes back in PDU mode with its echo on.
#include "MainFrm.h"

#include "AtLine.h"
#include "DeviceView.h"
#include "Log.h"
#include "ProgressDlg.h"
#include "resource.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace {

const char kOk[] = "OK\r\n";
// Ctrl-Z ends a message the modem may still be waiting for; the CR ends an empty command.
const char kEndMessage[] = "\x1A\r";
const UINT kPollPeriod = 5000;
// A listing of 128 messages at 9600 baud is at most about 31 s of bytes: a modem that has sent
// 40 s of them, or that has kept the listing going for a minute, is not going to end it.
const int kListingByteSteps = 400;
const int kListingEmptyReads = 600;
// The link's input holds a whole listing with room to spare.
const size_t kInputLimit = 64 * 1024;

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
        m_pFrame->SetTimer(TIMER_MODEM_INPUT, m_pFrame->m_dwModemStep, NULL);
    }
    ~CExchangeScope()
    {
        m_pFrame->KillTimer(TIMER_MODEM_INPUT);
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
        // The port is read on in a command's own wait during an exchange, beside the timer that
        // does it in modal loops: a window that keeps asking to be painted holds timers back.
        if (IsExchangingWithModem())
            TakePortInput();
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

void CMainFrame::TakePortInput()
{
    if (!m_Port.IsOpen())
        return;
    char chunk[256];
    for (int nTaken; (nTaken = m_Port.ReadFromPort(chunk, sizeof chunk)) > 0;) {
        size_t nRoom = kInputLimit - std::min(kInputLimit, m_modemInput.size());
        if ((size_t)nTaken > nRoom)
            ++m_nInputDropped;
        m_modemInput.insert(m_modemInput.end(), chunk, chunk + std::min((size_t)nTaken, nRoom));
    }
}

// Bytes the link never saw: dropped by the port's full buffer or by the link's full input.
int CMainFrame::InputLossCount()
{
    return m_Port.GetReadOverflows() + m_nInputDropped;
}

BOOL CMainFrame::TakeModemByte(char& ch, CReadBudget& budget, CReadBudget* pOverall)
{
    while (!budget.IsSpent() && (pOverall == NULL || !pOverall->IsSpent()) && !IsExchangeCalledOff()) {
        TakePortInput();
        if (!m_modemInput.empty()) {
            ch = m_modemInput.front();
            m_modemInput.pop_front();
            budget.SpendByte();
            if (pOverall != NULL)
                pOverall->SpendByte();
            return TRUE;
        }
        budget.SpendEmptyRead();
        if (pOverall != NULL)
            pOverall->SpendEmptyRead();
        Delay(m_dwModemStep);
    }
    return FALSE;
}

int CMainFrame::ReadLineWithin(CString& strLine, CReadBudget& budget, CReadBudget* pOverall)
{
    CAtLine line;
    char ch = 0;
    while (TakeModemByte(ch, budget, pOverall)) {
        if (line.AddToLine(ch)) {
            strLine = line.Text().c_str();
            return 0;
        }
    }
    strLine = line.Text().c_str();
    return -2;
}

int CMainFrame::ReadLine(CString& strLine, int nTimeout)
{
    CReadBudget budget(nTimeout / 10);
    return ReadLineWithin(strLine, budget);
}

// The time-out covers the codes passed over too.
int CMainFrame::ReadLineExpect(CString& strLine, const char* pszExpected, int nTimeout)
{
    CReadBudget budget(nTimeout / 10);
    for (;;) {
        int nResult = ReadLineWithin(strLine, budget);
        if (nResult < 0)
            return nResult;
        if (!IsUnsolicitedCode((LPCTSTR)strLine))
            return strncmp(strLine, pszExpected, strlen(pszExpected)) == 0 ? 0 : -3;
    }
}

int CMainFrame::WaitForText(CString& strBuffer, const char* pszText, int nTimeout)
{
    CReadBudget budget(nTimeout / 10);
    CAtLine text, line;
    char ch = 0;
    int nResult = -2;
    while (TakeModemByte(ch, budget)) {
        if (text.AddAndFind(ch, pszText)) {
            nResult = 0;
            break;
        }
        if (line.AddToLine(ch)) {
            if (IsErrorAnswer(line.Text())) {
                nResult = -3;
                break;
            }
            line.Clear();
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

// A late answer to an earlier command, a message the modem sent all the same, the noise of a
// restart: the log says what the modem did. The codes it sends of its own accord are not told.
void CMainFrame::DiscardModemInput()
{
    TakePortInput();
    std::string unread(m_modemInput.begin(), m_modemInput.end());
    m_modemInput.clear();
    std::string description = DescribeDiscardedInput(unread);
    if (!description.empty())
        WriteLog(LOG_INFO, NULL, NULL, "丢弃短信模块未读的应答%s", description.c_str());
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
    m_bModemSetupLost = FALSE;
    m_bPollFailureReported = FALSE;
    if (nPort == -1) {
        // A port opened before is let go, so that nothing goes out through it any more.
        m_Port.ClosePort();
        m_modemInput.clear();
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
    m_modemInput.clear(); // what came on the port before
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
// The wait after Ctrl-Z lets the answer to such a message come, and go with what is discarded.
BOOL CMainFrame::ModemAnswersAte0()
{
    CString strLine;
    DiscardModemInput();
    WriteModem("ATE0\r\n");
    if (ReadLineExpect(strLine, kOk, 100) != 0) {
        if (IsExchangeCalledOff())
            return FALSE;
        WriteModem(kEndMessage, 2);
        Delay(ModemWait(3000));
    }
    if (IsExchangeCalledOff())
        return FALSE;
    DiscardModemInput();
    WriteModem("ATE0\r\n");
    return ReadLineExpect(strLine, kOk, 100) == 0 || ReadLineExpect(strLine, kOk, 100) == 0;
}

BOOL CMainFrame::ModemEntersTextMode()
{
    ShowProgress("检测到短信模块! 正在初始化...", 1, 10);
    BOOL bTextMode = ModemTakesTextMode();
    ShowProgress(bTextMode ? "短信模块初始化完成" : "短信模块初始化失败!", 1, 0);
    return bTextMode;
}

BOOL CMainFrame::ModemTakesTextMode()
{
    if (IsExchangeCalledOff())
        return FALSE;
    WriteModem("AT+CMGF=1\r");
    CString strLine;
    return ReadLineExpect(strLine, kOk, 200) == 0;
}

// The start-up sequence again, without pop-up or message box, after a poll failed: the modem
// may have restarted.
BOOL CMainFrame::RestoreModemSetup()
{
    if (!ModemAnswersAte0() || !ModemTakesTextMode())
        return FALSE;
    m_bModemSetupLost = FALSE;
    return TRUE;
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
// line (the message reference), which the first test reads. A refusal ends the send at once.
// A close calls the send off, and nothing more is written, until the text has gone out: from
// then on the modem is sending it, and its answer is waited for.
BOOL CMainFrame::ModemTakesMessage(const char* pszPhone, const char* pszText)
{
    CString strLine;
    DiscardModemInput();
    WriteModem("ATE0\r\n");
    if (ReadLineExpect(strLine, kOk, 1000) != 0) {
        if (IsExchangeCalledOff())
            return FALSE;
        WriteModem(kEndMessage, 2);
        Delay(ModemWait(1000));
    }
    if (IsExchangeCalledOff())
        return FALSE;
    CString strCommand = CString("AT+CMGS=") + pszPhone + "\r";
    CString strBody = CString(pszText) + "\x1A\r\n";
    DiscardModemInput();
    WriteModem(strCommand);
    if (WaitForText(strLine, "> ", 1000) == -3 || IsExchangeCalledOff())
        return FALSE;
    WriteModem(strBody);
    m_bCallOffAllowed = FALSE;
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
    if (m_bModemSetupLost && !RestoreModemSetup())
        return 0;
    CSmsListing listing;
    ListingEnd nEnd = ReadListing(listing);
    // A frame that closed meanwhile leaves every message in the modem for the next start.
    if (IsExchangeCalledOff())
        return 0;
    if (nEnd != LISTING_COMPLETE)
        ReportPollFailure(nEnd, listing.Refusal());
    else if (m_bPollFailureReported)
        ReportModemBack();
    // What was read with bytes missing may hold one message's text spliced onto another's: the
    // messages stay in the modem and come again with the next poll.
    if (nEnd == LISTING_INPUT_LOST)
        return 0;
    m_bCallOffAllowed = FALSE;
    DispatchListing(listing.Entries());
    DeleteMessages(listing.Entries());
    return 0;
}

// The whole listing is read before any message is handled: handling may open message boxes,
// and the modem would go on sending meanwhile. A time-out, an error line or the listing's
// overall bound ends it; what was read whole until then is handled.
CMainFrame::ListingEnd CMainFrame::ReadListing(CSmsListing& listing)
{
    DiscardModemInput();
    int nLossBefore = InputLossCount();
    WriteModem("AT+CMGL=\"ALL\"\r");
    CReadBudget overall(kListingEmptyReads, kListingByteSteps);
    CString strLine;
    CSmsListing::Step nStep = CSmsListing::kMore;
    int nLines = 0;
    while (nStep == CSmsListing::kMore) {
        CReadBudget budget(100 / 10);
        if (ReadLineWithin(strLine, budget, &overall) != 0)
            break;
        ++nLines;
        nStep = listing.TakeLine((LPCTSTR)strLine);
    }
    if (InputLossCount() != nLossBefore)
        return LISTING_INPUT_LOST;
    if (nStep == CSmsListing::kEnd)
        return LISTING_COMPLETE;
    if (nStep == CSmsListing::kRefused)
        return LISTING_REFUSED;
    if (overall.IsSpent())
        return LISTING_ENDLESS;
    return nLines == 0 ? LISTING_UNANSWERED : LISTING_CUT;
}

// The modem lists its messages again after a failure was told.
void CMainFrame::ReportModemBack()
{
    m_bPollFailureReported = FALSE;
    SetStatusText("短信模块就绪");
    WriteLog(LOG_INFO, NULL, NULL, "短信模块就绪");
}

// Told once, in the log and the status bar, until a listing comes whole again; the start-up
// sequence runs again before the next poll.
void CMainFrame::ReportPollFailure(ListingEnd nEnd, const std::string& refusal)
{
    m_bModemSetupLost = TRUE;
    if (m_bPollFailureReported)
        return;
    m_bPollFailureReported = TRUE;
    std::string reason;
    switch (nEnd) {
    case LISTING_REFUSED:
        reason = refusal;
        break;
    case LISTING_UNANSWERED:
        reason = "短信模块没有应答";
        break;
    case LISTING_ENDLESS:
        reason = "短信模块的应答没有结束";
        break;
    case LISTING_INPUT_LOST:
        reason = "串口接收缓冲区溢出";
        break;
    default:
        reason = "短信列表不完整";
        break;
    }
    CString strText;
    strText.Format("读取短信失败[%s]! 将重新初始化短信模块", reason.c_str());
    WriteLog(LOG_FAILURE, NULL, NULL, "%s", (LPCTSTR)strText);
    SetStatusText(strText);
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
        DiscardModemInput();
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
