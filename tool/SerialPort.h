// One serial port in overlapped mode with a monitor thread of its own. The thread sends what the
// owner queues, collects every received byte into a bounded read buffer and tells the owner window
// about port events by window messages (LPARAM is always the port number).
#pragma once

#include "afxwin.h"

#define WM_SERIAL_BREAK (WM_USER + 1)       // EV_BREAK seen
#define WM_SERIAL_CTS (WM_USER + 2)         // EV_CTS seen
#define WM_SERIAL_ERROR (WM_USER + 4)       // EV_ERR seen
#define WM_SERIAL_RING (WM_USER + 5)        // EV_RING seen
#define WM_SERIAL_RXCHAR (WM_USER + 7)      // WPARAM: the received byte
#define WM_SERIAL_RXFLAG (WM_USER + 8)      // EV_RXFLAG seen
#define WM_SERIAL_BUFFER_FULL (WM_USER + 10) // posted; WPARAM: the read buffer size
#define WM_SERIAL_FLAGCHAR (WM_USER + 11)   // WPARAM: the received flag character

class CSerialPort {
public:
    CSerialPort();
    virtual ~CSerialPort();

    // Opens COM<nPortNr>. FALSE only when the port cannot be opened; other failures are traced.
    // dwCommEvents: the EV_ kinds the owner wants messages for (EV_RXCHAR is always watched).
    BOOL InitPort(CWnd* pPortOwner, int nPortNr = 1, UINT nBaud = 19200, char chParity = 'N', UINT nDataBits = 8,
                  UINT nStopBits = 1, int nReserved = 0, DWORD dwCommEvents = EV_RXCHAR, UINT nWriteBufferSize = 1024,
                  UINT nReadBufferSize = 1024);
    BOOL StartMonitoring();
    BOOL RestartMonitoring();
    BOOL StopMonitoring();

    // Queues bytes for the monitor thread; a length below 1 means up to the first NUL. Bytes that
    // do not fit the write buffer are dropped.
    void WriteToPort(const char* pszText, int nLength = -1);
    // Takes up to n bytes from the front of the read buffer; 0 when it is empty.
    int ReadFromPort(char* pBuffer, int n);
    void ClearReadBuffer();
    // How many times the read buffer was full and its bytes were dropped since the object was
    // made: a reader that sees the count change while it reads knows that it missed bytes.
    int GetReadOverflows();

    BOOL IsOpen() const { return m_hComm != INVALID_HANDLE_VALUE; }
    virtual void ClosePort();

    DCB GetDCB() const { return m_dcb; }
    DWORD GetCommEvents() const { return m_dwCommEvents; }
    DWORD GetWriteBufferSize() const { return m_nWriteBufferSize; }
    DWORD GetReadBufferSize() const { return m_nReadBufferSize; }
    int GetPortNumber() const { return m_nPortNr; }
    // Received bytes equal to one of these raise WM_SERIAL_FLAGCHAR (with EV_RXFLAG asked for).
    void SetRxFlagChars(const char* pChars, int nCount);

protected:
    void ProcessErrorMessage(const char* pszCallName);

private:
    static UINT AFX_CDECL CommThread(LPVOID pParam);
    void MonitorPort();
    void StartEventWait();
    void OnPortEvent();
    void StartPollingInput();
    DWORD PollInterval() const;
    void PollInput();
    // Moves what the driver holds into the read buffer; the number of bytes moved.
    int ReceiveChars();
    BOOL ReadOneByte(BYTE& byte);
    void StoreReceivedByte(BYTE byte);
    void WriteChars();
    void RemoveWrittenBytes(DWORD dwWritten);
    void ConfigurePort(UINT nBaud, char chParity, UINT nDataBits, UINT nStopBits);
    void EndMonitorThread();
    void SendToOwner(UINT message, WPARAM wParam);

    CWinThread* m_Thread;
    CRITICAL_SECTION m_csCommunicationSync; // around every call on the port handle
    volatile BOOL m_bThreadAlive;
    HANDLE m_hShutdownEvent;
    HANDLE m_hComm;
    HANDLE m_hWriteEvent;
    HANDLE m_hEventArray[3]; // shutdown, port event, write: the first one set wins
    OVERLAPPED m_ov;         // the port-event wait
    COMMTIMEOUTS m_CommTimeouts;
    DCB m_dcb;
    CWnd* m_pOwner;
    int m_nPortNr;
    char* m_szWriteBuffer;
    DWORD m_nWriteBufferSize;
    char* m_szReadBuffer;
    DWORD m_nReadBufferSize;
    DWORD m_dwCommEvents;
    HANDLE m_hReadMutex;  // guards the read buffer and its length
    HANDLE m_hWriteMutex; // guards the write buffer and its length
    DWORD m_nWriteBufferLen;
    DWORD m_nReadBufferLen;
    BYTE* m_pRxFlagChars;
    int m_nRxFlagCount;

    // Reads and writes have a record of their own: the port-event wait may still be pending
    // while the thread writes.
    OVERLAPPED m_ovIo;
    DWORD m_dwEventsFired; // filled in by the port-event wait
    BOOL m_bEventWaitPending;
    HWND m_hOwnerWnd;
    // Where the driver's event wait ends at once without an event, the thread looks at the
    // input queue at intervals instead.
    BOOL m_bPollingInput;
    int m_nEmptyWakeups;    // port events in a row that brought nothing
    DWORD m_dwLastTraffic;  // tick count of the last byte received or written
    int m_nOverflows;       // guarded by the read mutex

    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;
};
