// Per-thread state of the windowing layer.
#pragma once

#include "afxwin.h"

#include <unordered_map>

struct AfxThreadState {
    CWnd* pWndInit = NULL;        // object waiting to be bound to the next window created
    HHOOK hHookCbt = NULL;        // creation hook of this thread, installed on first use
    MSG lastSentMsg = {};         // the message being handled (for Default and reflection)
    CWinThread* pThread = NULL;   // framework thread object of this thread, if any

    // Wrappers handed out for handles no object owns; freed when the thread goes idle.
    std::unordered_map<HWND, CWnd*>* pTempWnds = NULL;
    std::unordered_map<HDC, CDC*>* pTempDCs = NULL;
    std::unordered_map<HMENU, CMenu*>* pTempMenus = NULL;
    std::unordered_map<HIMAGELIST, CObject*>* pTempImageLists = NULL;
};

AfxThreadState* AfxGetThreadState();

// The permanent objects of the process's windows. A map in the process, not a window property:
// reading a property is a round trip to the window server under Wine, and this lookup runs for
// every message of every window.
void AfxSetPermanentWnd(HWND hWnd, CWnd* pWnd);
void AfxRemovePermanentWnd(HWND hWnd, CWnd* pWnd);
CWnd* AfxLookupPermanentWnd(HWND hWnd);
