#include "SerialPort.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>

namespace {

enum { kShutdownEvent = 0, kPortEvent = 1, kWriteEvent = 2 };

// Port events that brought nothing, in a row, before the port's input is polled instead; the
// intervals of that polling, in milliseconds: short while the line is busy (an answer follows
// what was written), long once it has been quiet for a while.
const int kEmptyWakeupsBeforePolling = 3;
const DWORD kBusyPollInterval = 5;
const DWORD kQuietPollInterval = 20;
const DWORD kQuietAfter = 1000;

HANDLE NewManualResetEvent()
{
    return ::CreateEventA(NULL, TRUE, FALSE, NULL);
}

HANDLE NewPortMutex(const char* pszKind, int nPortNr)
{
    // Named by port number: every object opened on the same port shares them.
    char szName[64];
    snprintf(szName, sizeof szName, "CSerialPort-%s-%d", pszKind, nPortNr);
    return ::CreateMutexA(NULL, FALSE, szName);
}

void CloseOnce(HANDLE& hObject)
{
    if (hObject != NULL && hObject != INVALID_HANDLE_VALUE)
        ::CloseHandle(hObject);
    hObject = NULL;
}

class CMutexLock {
public:
    explicit CMutexLock(HANDLE hMutex) : m_hMutex(hMutex) { ::WaitForSingleObject(m_hMutex, INFINITE); }
    ~CMutexLock() { ::ReleaseMutex(m_hMutex); }

private:
    HANDLE m_hMutex;
};

class CSectionLock {
public:
    explicit CSectionLock(CRITICAL_SECTION& section) : m_section(section) { ::EnterCriticalSection(&m_section); }
    ~CSectionLock() { ::LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION& m_section;
};

// The owner's GUI thread may be the one waiting for the monitor thread to end while the monitor
// is inside a SendMessage to it; messages sent to this thread are handled during the wait.
void WaitPumpingSentMessages(HANDLE hThread)
{
    if (::InSendMessage())
        ::ReplyMessage(0); // the sender may be the very thread we wait for
    for (;;) {
        MSG msg;
        ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (::MsgWaitForMultipleObjects(1, &hThread, FALSE, 50, QS_SENDMESSAGE) == WAIT_OBJECT_0)
            return;
    }
}

} // namespace

CSerialPort::CSerialPort()
    : m_Thread(NULL), m_bThreadAlive(FALSE), m_hShutdownEvent(NULL), m_hComm(INVALID_HANDLE_VALUE), m_hWriteEvent(NULL),
      m_hEventArray(), m_ov(), m_CommTimeouts(), m_dcb(), m_pOwner(NULL), m_nPortNr(-1), m_szWriteBuffer(NULL),
      m_nWriteBufferSize(0), m_szReadBuffer(NULL), m_nReadBufferSize(0), m_dwCommEvents(0), m_hReadMutex(NULL),
      m_hWriteMutex(NULL), m_nWriteBufferLen(0), m_nReadBufferLen(0), m_pRxFlagChars(NULL), m_nRxFlagCount(0),
      m_ovIo(), m_dwEventsFired(0), m_bEventWaitPending(FALSE), m_hOwnerWnd(NULL), m_bPollingInput(FALSE),
      m_nEmptyWakeups(0), m_dwLastTraffic(0), m_nOverflows(0)
{
    // Initialised once for the object's life: a port opened and closed many times never
    // re-initialises a section another thread might still hold.
    ::InitializeCriticalSection(&m_csCommunicationSync);
}

CSerialPort::~CSerialPort()
{
    CSerialPort::ClosePort();
    delete[] m_pRxFlagChars;
    ::DeleteCriticalSection(&m_csCommunicationSync);
}

// ---------------------------------------------------------------------------------------------
// Opening and closing.

BOOL CSerialPort::InitPort(CWnd* pPortOwner, int nPortNr, UINT nBaud, char chParity, UINT nDataBits, UINT nStopBits,
                           int nReserved, DWORD dwCommEvents, UINT nWriteBufferSize, UINT nReadBufferSize)
{
    (void)nReserved;
    ClosePort();

    m_ov.hEvent = NewManualResetEvent();
    m_ovIo.hEvent = NewManualResetEvent();
    m_hWriteEvent = NewManualResetEvent();
    m_hShutdownEvent = NewManualResetEvent();
    m_hReadMutex = NewPortMutex("Read", nPortNr);
    m_hWriteMutex = NewPortMutex("Write", nPortNr);
    m_hEventArray[kShutdownEvent] = m_hShutdownEvent;
    m_hEventArray[kPortEvent] = m_ov.hEvent;
    m_hEventArray[kWriteEvent] = m_hWriteEvent;
    m_pOwner = pPortOwner;
    m_hOwnerWnd = pPortOwner != NULL ? pPortOwner->GetSafeHwnd() : NULL;
    m_nPortNr = nPortNr;

    // A buffer of at least one byte, so that a full buffer is always noticed before it overflows.
    m_nWriteBufferSize = std::max(nWriteBufferSize, 1u);
    m_nReadBufferSize = std::max(nReadBufferSize, 1u);
    m_szWriteBuffer = new char[m_nWriteBufferSize];
    m_szReadBuffer = new char[m_nReadBufferSize];
    m_nWriteBufferLen = 0;
    m_nReadBufferLen = 0;
    m_dwCommEvents = dwCommEvents;

    CSectionLock lock(m_csCommunicationSync);
    char szPort[32];
    snprintf(szPort, sizeof szPort, "\\\\.\\COM%d", nPortNr);
    m_hComm = ::CreateFileA(szPort, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, NULL);
    if (m_hComm == INVALID_HANDLE_VALUE)
        return FALSE; // what was made above goes with the next ClosePort
    ConfigurePort(nBaud, chParity, nDataBits, nStopBits);
    ::PurgeComm(m_hComm, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    TRACE("Initialisation for communicationport %d completed.\nUse Startmonitor to communicate.\n", nPortNr);
    return TRUE;
}

void CSerialPort::ConfigurePort(UINT nBaud, char chParity, UINT nDataBits, UINT nStopBits)
{
    m_CommTimeouts.ReadIntervalTimeout = 1000;
    m_CommTimeouts.ReadTotalTimeoutMultiplier = 1000;
    m_CommTimeouts.ReadTotalTimeoutConstant = 1000;
    m_CommTimeouts.WriteTotalTimeoutMultiplier = 1000;
    m_CommTimeouts.WriteTotalTimeoutConstant = 1000;
    if (!::SetCommTimeouts(m_hComm, &m_CommTimeouts)) {
        ProcessErrorMessage("SetCommTimeouts()");
        return;
    }
    if (!::SetCommMask(m_hComm, m_dwCommEvents | EV_RXCHAR)) {
        ProcessErrorMessage("SetCommMask()");
        return;
    }
    if (!::GetCommState(m_hComm, &m_dcb)) {
        ProcessErrorMessage("GetCommState()");
        return;
    }
    m_dcb.fRtsControl = RTS_CONTROL_ENABLE;
    char szSettings[80];
    snprintf(szSettings, sizeof szSettings, "baud=%u parity=%c data=%u stop=%u", nBaud, chParity, nDataBits, nStopBits);
    if (!::BuildCommDCBA(szSettings, &m_dcb)) {
        ProcessErrorMessage("BuildCommDCB()");
        return;
    }
    if (!::SetCommState(m_hComm, &m_dcb))
        ProcessErrorMessage("SetCommState()");
}

void CSerialPort::ClosePort()
{
    EndMonitorThread();
    // Each resource is released once and marked released, so closing again does nothing.
    CloseOnce(m_hShutdownEvent);
    CloseOnce(m_hWriteEvent);
    CloseOnce(m_ov.hEvent);
    CloseOnce(m_ovIo.hEvent);
    m_hEventArray[kShutdownEvent] = m_hEventArray[kPortEvent] = m_hEventArray[kWriteEvent] = NULL;
    CloseOnce(m_hReadMutex);
    CloseOnce(m_hWriteMutex);
    delete[] m_szWriteBuffer;
    delete[] m_szReadBuffer;
    m_szWriteBuffer = m_szReadBuffer = NULL;
    m_nWriteBufferLen = m_nReadBufferLen = 0;
    if (m_hComm != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hComm);
        m_hComm = INVALID_HANDLE_VALUE;
    }
    m_nPortNr = -1;
}

void CSerialPort::EndMonitorThread()
{
    if (m_Thread == NULL)
        return;
    // A suspended monitor would never see the shutdown request.
    while ((int)m_Thread->ResumeThread() > 1) {
    }
    ::SetEvent(m_hShutdownEvent);
    WaitPumpingSentMessages(m_Thread->m_hThread);
    delete m_Thread;
    m_Thread = NULL;
    m_bThreadAlive = FALSE;
}

// ---------------------------------------------------------------------------------------------
// The owner's side.

BOOL CSerialPort::StartMonitoring()
{
    if (!IsOpen() || m_Thread != NULL)
        return FALSE;
    // Monitoring starts on a clean port. Cleared here rather than by the new thread, so that
    // nothing that arrives once this call has returned can be thrown away.
    {
        CSectionLock lock(m_csCommunicationSync);
        ::PurgeComm(m_hComm, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
    }
    CWinThread* pThread = AfxBeginThread(CommThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (pThread == NULL)
        return FALSE;
    pThread->m_bAutoDelete = FALSE; // ClosePort waits for the thread and then deletes it
    m_Thread = pThread;
    m_bPollingInput = FALSE; // each port is given the driver's event wait first
    m_nEmptyWakeups = 0;
    m_bThreadAlive = TRUE;
    pThread->ResumeThread();
    TRACE("Thread started\n");
    return TRUE;
}

BOOL CSerialPort::RestartMonitoring()
{
    if (m_Thread == NULL)
        return FALSE;
    m_Thread->ResumeThread();
    TRACE("Thread resumed\n");
    return TRUE;
}

BOOL CSerialPort::StopMonitoring()
{
    if (m_Thread == NULL)
        return FALSE;
    m_Thread->SuspendThread();
    TRACE("Thread suspended\n");
    return TRUE;
}

void CSerialPort::WriteToPort(const char* pszText, int nLength)
{
    ASSERT(m_hComm != INVALID_HANDLE_VALUE);
    if (!IsOpen() || pszText == NULL)
        return;
    DWORD nWanted = nLength < 1 ? (DWORD)strlen(pszText) : (DWORD)nLength;
    {
        CMutexLock lock(m_hWriteMutex);
        DWORD nTaken = std::min(nWanted, m_nWriteBufferSize - m_nWriteBufferLen);
        memcpy(m_szWriteBuffer + m_nWriteBufferLen, pszText, nTaken);
        m_nWriteBufferLen += nTaken;
    }
    ::SetEvent(m_hWriteEvent);
}

int CSerialPort::ReadFromPort(char* pBuffer, int n)
{
    ASSERT(m_hComm != INVALID_HANDLE_VALUE);
    if (!IsOpen() || pBuffer == NULL || n <= 0)
        return 0;
    CMutexLock lock(m_hReadMutex);
    DWORD nTaken = std::min((DWORD)n, m_nReadBufferLen);
    // Bytes go out as they came in, zero bytes included.
    memcpy(pBuffer, m_szReadBuffer, nTaken);
    memmove(m_szReadBuffer, m_szReadBuffer + nTaken, m_nReadBufferLen - nTaken);
    m_nReadBufferLen -= nTaken;
    return (int)nTaken;
}

int CSerialPort::GetReadOverflows()
{
    if (m_hReadMutex == NULL)
        return m_nOverflows;
    CMutexLock lock(m_hReadMutex);
    return m_nOverflows;
}

void CSerialPort::ClearReadBuffer()
{
    ASSERT(m_hComm != INVALID_HANDLE_VALUE);
    if (!IsOpen())
        return;
    CMutexLock lock(m_hReadMutex);
    m_nReadBufferLen = 0;
}

void CSerialPort::SetRxFlagChars(const char* pChars, int nCount)
{
    delete[] m_pRxFlagChars;
    m_pRxFlagChars = NULL;
    m_nRxFlagCount = 0;
    if (pChars == NULL || nCount <= 0)
        return;
    m_pRxFlagChars = new BYTE[nCount];
    memcpy(m_pRxFlagChars, pChars, (size_t)nCount);
    m_nRxFlagCount = nCount;
}

void CSerialPort::ProcessErrorMessage(const char* pszCallName)
{
    LPSTR pszSystemText = NULL;
    ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                     ::GetLastError(), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&pszSystemText, 0, NULL);
    char szTrace[200];
    snprintf(szTrace, sizeof szTrace, "WARNING:  %s Failed with the following error: \n%s\nPort: %d\n", pszCallName,
             pszSystemText != NULL ? pszSystemText : "", m_nPortNr);
    TRACE("%s", szTrace);
    if (pszSystemText != NULL)
        ::LocalFree(pszSystemText);
}

// ---------------------------------------------------------------------------------------------
// The monitor thread.

UINT AFX_CDECL CSerialPort::CommThread(LPVOID pParam)
{
    CSerialPort* pPort = static_cast<CSerialPort*>(pParam);
    pPort->m_bThreadAlive = TRUE;
    pPort->MonitorPort();
    pPort->m_bThreadAlive = FALSE;
    return 100;
}

void CSerialPort::MonitorPort()
{
    while (IsOpen()) {
        if (!m_bPollingInput && !m_bEventWaitPending)
            StartEventWait();
        switch (::WaitForMultipleObjects(3, m_hEventArray, FALSE, m_bPollingInput ? PollInterval() : INFINITE)) {
        case WAIT_OBJECT_0 + kShutdownEvent:
            if (m_bEventWaitPending) {
                // Ends the pending wait, which writes into this object, before the object may go.
                ::SetCommMask(m_hComm, 0);
                ::WaitForSingleObject(m_ov.hEvent, 1000);
                m_bEventWaitPending = FALSE;
            }
            return;
        case WAIT_OBJECT_0 + kPortEvent:
            OnPortEvent();
            break;
        case WAIT_OBJECT_0 + kWriteEvent:
            WriteChars();
            m_dwLastTraffic = ::GetTickCount();
            break;
        case WAIT_TIMEOUT:
            PollInput();
            break;
        default:
            ProcessErrorMessage("WaitForMultipleObjects()");
            return;
        }
    }
}

// Starts the wait for the next port event; a wait that completes at once is handled like one
// that completes later, through the port event.
void CSerialPort::StartEventWait()
{
    m_dwEventsFired = 0;
    if (::WaitCommEvent(m_hComm, &m_dwEventsFired, &m_ov)) {
        ::SetEvent(m_ov.hEvent);
        return;
    }
    DWORD dwError = ::GetLastError();
    if (dwError == ERROR_IO_PENDING) {
        m_bEventWaitPending = TRUE;
        return;
    }
    // No wait can start on this port: its input queue is looked at instead.
    if (dwError != ERROR_INVALID_PARAMETER)
        ProcessErrorMessage("WaitCommEvent()");
    StartPollingInput();
}

void CSerialPort::OnPortEvent()
{
    if (m_bEventWaitPending) {
        DWORD dwUnused = 0;
        ::GetOverlappedResult(m_hComm, &m_ov, &dwUnused, FALSE);
        m_bEventWaitPending = FALSE;
    }
    ::ResetEvent(m_ov.hEvent);
    DWORD dwMask = 0;
    {
        CSectionLock lock(m_csCommunicationSync);
        ::GetCommMask(m_hComm, &dwMask);
    }
    // Only the kinds that fired and were asked for: a received byte is no line break.
    DWORD dwRaised = m_dwEventsFired & dwMask;
    static const struct { DWORD dwEvent; UINT message; } kEventMessages[] = {
        { EV_CTS, WM_SERIAL_CTS }, { EV_RXFLAG, WM_SERIAL_RXFLAG }, { EV_BREAK, WM_SERIAL_BREAK },
        { EV_ERR, WM_SERIAL_ERROR }, { EV_RING, WM_SERIAL_RING },
    };
    for (const auto& entry : kEventMessages)
        if (dwRaised & entry.dwEvent)
            SendToOwner(entry.message, 0);
    int nReceived = (dwMask & EV_RXCHAR) ? ReceiveChars() : 0;
    // A wait that keeps ending with neither an event nor a byte is no wait at all: where the
    // driver cannot watch the line (a pseudo-terminal under Wine ends every wait at once),
    // waiting again would only spin.
    if (m_dwEventsFired != 0 || nReceived > 0) {
        m_nEmptyWakeups = 0;
    } else if (++m_nEmptyWakeups >= kEmptyWakeupsBeforePolling) {
        TRACE("WARNING:  WaitCommEvent() ends without an event on port %d: its input is polled\n", m_nPortNr);
        StartPollingInput();
    }
}

void CSerialPort::StartPollingInput()
{
    m_bPollingInput = TRUE;
    m_dwLastTraffic = ::GetTickCount();
}

DWORD CSerialPort::PollInterval() const
{
    return ::GetTickCount() - m_dwLastTraffic < kQuietAfter ? kBusyPollInterval : kQuietPollInterval;
}

void CSerialPort::PollInput()
{
    if (ReceiveChars() > 0)
        m_dwLastTraffic = ::GetTickCount();
}

int CSerialPort::ReceiveChars()
{
    for (int nReceived = 0;; ++nReceived) {
        BYTE byte = 0;
        if (!ReadOneByte(byte))
            return nReceived;
        StoreReceivedByte(byte);
        if (m_dwCommEvents & EV_RXCHAR)
            SendToOwner(WM_SERIAL_RXCHAR, byte);
        if (m_dwCommEvents & EV_RXFLAG) {
            // Compared as bytes, so that flag characters from 0x80 upward match too.
            if (m_pRxFlagChars != NULL &&
                std::find(m_pRxFlagChars, m_pRxFlagChars + m_nRxFlagCount, byte) != m_pRxFlagChars + m_nRxFlagCount)
                SendToOwner(WM_SERIAL_FLAGCHAR, byte);
        }
    }
}

// One byte from the driver's input queue; FALSE when the queue is empty or the read failed.
BOOL CSerialPort::ReadOneByte(BYTE& byte)
{
    CSectionLock lock(m_csCommunicationSync);
    DWORD dwErrors = 0;
    COMSTAT comstat = {};
    ::ClearCommError(m_hComm, &dwErrors, &comstat);
    if (comstat.cbInQue == 0)
        return FALSE;
    DWORD dwRead = 0;
    m_ovIo.Offset = m_ovIo.OffsetHigh = 0;
    if (!::ReadFile(m_hComm, &byte, 1, &dwRead, &m_ovIo)) {
        if (::GetLastError() != ERROR_IO_PENDING) {
            ProcessErrorMessage("ReadFile()");
            return FALSE;
        }
        if (!::GetOverlappedResult(m_hComm, &m_ovIo, &dwRead, TRUE)) {
            ProcessErrorMessage("GetOverlappedResults() in ReadFile()");
            return FALSE;
        }
    }
    return dwRead == 1;
}

void CSerialPort::StoreReceivedByte(BYTE byte)
{
    BOOL bFull = FALSE;
    {
        CMutexLock lock(m_hReadMutex);
        m_szReadBuffer[m_nReadBufferLen++] = (char)byte;
        if (m_nReadBufferLen == m_nReadBufferSize) {
            m_nReadBufferLen = 0; // the owner did not keep up: the buffered bytes are dropped
            ++m_nOverflows;
            bFull = TRUE;
        }
    }
    if (bFull && m_hOwnerWnd != NULL)
        ::PostMessageA(m_hOwnerWnd, WM_SERIAL_BUFFER_FULL, m_nReadBufferSize, (LPARAM)m_nPortNr);
}

void CSerialPort::WriteChars()
{
    ::ResetEvent(m_hWriteEvent);
    CSectionLock lock(m_csCommunicationSync);
    m_ovIo.Offset = m_ovIo.OffsetHigh = 0;
    // Only the output side is cleared: bytes already received must still reach the read buffer.
    ::PurgeComm(m_hComm, PURGE_TXCLEAR | PURGE_TXABORT);

    ::WaitForSingleObject(m_hWriteMutex, INFINITE);
    if (m_nWriteBufferLen == 0) {
        ::ReleaseMutex(m_hWriteMutex);
        return;
    }
    DWORD dwSent = 0;
    if (::WriteFile(m_hComm, m_szWriteBuffer, m_nWriteBufferLen, &dwSent, &m_ovIo)) {
        RemoveWrittenBytes(dwSent);
        ::ReleaseMutex(m_hWriteMutex);
        return;
    }
    DWORD dwError = ::GetLastError();
    ::ReleaseMutex(m_hWriteMutex);
    if (dwError != ERROR_IO_PENDING) {
        ProcessErrorMessage("WriteFile()");
        return;
    }
    // The owner may append while the bytes go out; the bytes being written stay where they are.
    if (!::GetOverlappedResult(m_hComm, &m_ovIo, &dwSent, TRUE))
        ProcessErrorMessage("GetOverlappedResults() in WriteFile()");
    CMutexLock relock(m_hWriteMutex);
    RemoveWrittenBytes(dwSent);
}

void CSerialPort::RemoveWrittenBytes(DWORD dwWritten)
{
    dwWritten = std::min(dwWritten, m_nWriteBufferLen);
    memmove(m_szWriteBuffer, m_szWriteBuffer + dwWritten, m_nWriteBufferLen - dwWritten);
    m_nWriteBufferLen -= dwWritten;
}

void CSerialPort::SendToOwner(UINT message, WPARAM wParam)
{
    if (m_hOwnerWnd != NULL)
        ::SendMessageA(m_hOwnerWnd, message, wParam, (LPARAM)m_nPortNr);
}
