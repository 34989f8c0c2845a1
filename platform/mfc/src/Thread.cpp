#include "ThreadState.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_bAutoDelete(TRUE), m_hThread(NULL), m_nThreadID(0), m_msgCur(), m_pfnThreadProc(NULL),
      m_pThreadParams(NULL)
{
}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread()
{
    m_pfnThreadProc = pfnThreadProc;
    m_pThreadParams = pParam;
}

CWinThread::~CWinThread()
{
    // The handle of a thread object that is not the process's own main thread.
    if (m_hThread != NULL && m_pfnThreadProc != NULL)
        ::CloseHandle(m_hThread);
}

static unsigned __stdcall AfxThreadEntry(void* pParam)
{
    CWinThread* pThread = static_cast<CWinThread*>(pParam);
    AfxGetThreadState()->pThread = pThread;
    UINT nResult = 0;
    if (pThread->m_pfnThreadProc != NULL)
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    else if (pThread->InitInstance())
        nResult = (UINT)pThread->Run();
    else
        nResult = (UINT)pThread->ExitInstance();
    AfxEndThread(nResult);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    unsigned nThreadID = 0;
    m_hThread = (HANDLE)_beginthreadex(lpSecurityAttrs, nStackSize, AfxThreadEntry, this, dwCreateFlags, &nThreadID);
    m_nThreadID = nThreadID;
    return m_hThread != NULL;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    AfxThreadState* pState = AfxGetThreadState();
    CWinThread* pThread = pState->pThread;
    pState->pThread = NULL;
    AfxDeleteTempMap();
    if (pThread != NULL && bDelete)
        pThread->Delete();
    _endthreadex(nExitCode);
    for (;;) {
    }
}

CWinThread* AFXAPI AfxGetThread()
{
    return AfxGetThreadState()->pThread;
}

// ---------------------------------------------------------------------------------------------
// The message loop.

int CWinThread::Run()
{
    for (;;) {
        MSG msg;
        LONG lIdleCount = 0;
        while (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE) && OnIdle(lIdleCount++)) {
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
        } while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
    }
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount == 0)
        AfxDeleteTempMap();
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, NULL, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = GetMainWnd();
    HWND hWndMain = CWnd::SafeHwnd(pMainWnd);
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    // Keys pressed in another top-level window of the thread still reach the main window's
    // accelerators.
    if (pMainWnd != NULL && pMsg->hwnd != NULL && ::GetAncestor(pMsg->hwnd, GA_ROOT) != hWndMain &&
        ::GetWindowThreadProcessId(pMsg->hwnd, NULL) == ::GetCurrentThreadId())
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(NULL, pMsg);
}

BOOL AFXAPI AfxPumpMessage()
{
    MSG msg;
    if (!::GetMessageA(&msg, NULL, 0, 0)) {
        ::PostQuitMessage((int)msg.wParam); // the loop that owns the thread must see it too
        return FALSE;
    }
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}
