#include "ThreadState.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------
// Thread state, binding of objects to windows, and the framework's window procedure.

AfxThreadState* AfxGetThreadState()
{
    static thread_local AfxThreadState state;
    return &state;
}

namespace {

// Windows of every thread share the map; its lock is held only for the lookup itself.
struct PermanentWnds {
    CRITICAL_SECTION lock;
    std::unordered_map<HWND, CWnd*> map;
    PermanentWnds() { ::InitializeCriticalSection(&lock); }
};

PermanentWnds& ThePermanentWnds()
{
    static PermanentWnds* pWnds = new PermanentWnds; // lives as long as the process
    return *pWnds;
}

struct LockedWnds {
    PermanentWnds& wnds = ThePermanentWnds();
    LockedWnds() { ::EnterCriticalSection(&wnds.lock); }
    ~LockedWnds() { ::LeaveCriticalSection(&wnds.lock); }
};

} // namespace

void AfxSetPermanentWnd(HWND hWnd, CWnd* pWnd)
{
    LockedWnds locked;
    locked.wnds.map[hWnd] = pWnd;
}

void AfxRemovePermanentWnd(HWND hWnd, CWnd* pWnd)
{
    LockedWnds locked;
    auto entry = locked.wnds.map.find(hWnd);
    if (entry != locked.wnds.map.end() && entry->second == pWnd)
        locked.wnds.map.erase(entry);
}

CWnd* AfxLookupPermanentWnd(HWND hWnd)
{
    LockedWnds locked;
    auto entry = locked.wnds.map.find(hWnd);
    return entry != locked.wnds.map.end() ? entry->second : NULL;
}

static LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    AfxThreadState* pState = AfxGetThreadState();
    if (nCode == HCBT_CREATEWND && pState->pWndInit != NULL) {
        CWnd* pWnd = pState->pWndInit;
        pState->pWndInit = NULL;
        HWND hWnd = (HWND)wParam;
        pWnd->Attach(hWnd);
        WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
        if (pfnOld != AfxWndProc)
            pWnd->m_pfnSuper = pfnOld;
    }
    return ::CallNextHookEx(pState->hHookCbt, nCode, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AfxThreadState* pState = AfxGetThreadState();
    if (pState->hHookCbt == NULL)
        pState->hHookCbt = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    pState->pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AfxThreadState* pState = AfxGetThreadState();
    BOOL bTaken = pState->pWndInit == NULL;
    pState->pWndInit = NULL;
    return bTaken;
}

// The end of a bound window: the original procedure is put back, the object lets go of the
// handle and may delete itself (views and frames do).
static void AfxEndWindow(CWnd* pWnd, HWND hWnd)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_pMainWnd == pWnd) {
        pThread->m_pMainWnd = NULL;
        if (pThread == AfxGetApp())
            AfxPostQuitMessage(0);
    }
    if (pWnd->m_pfnSuper != NULL && (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == AfxWndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pWnd->m_pfnSuper);
    pWnd->Detach();
    pWnd->PostNcDestroy();
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    AfxThreadState* pState = AfxGetThreadState();
    MSG saved = pState->lastSentMsg;
    pState->lastSentMsg.hwnd = hWnd;
    pState->lastSentMsg.message = message;
    pState->lastSentMsg.wParam = wParam;
    pState->lastSentMsg.lParam = lParam;

    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd)
        AfxEndWindow(pWnd, hWnd);

    pState->lastSentMsg = saved;
    return lResult;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per combination of attributes, named after them, registered on first use.
    static char names[64][64];
    static int used = 0;
    char name[64];
    wsprintfA(name, "Afx:%x:%x:%x:%x", nClassStyle, (UINT)(UINT_PTR)hCursor, (UINT)(UINT_PTR)hbrBackground,
              (UINT)(UINT_PTR)hIcon);
    for (int i = 0; i < used; ++i)
        if (lstrcmpA(names[i], name) == 0)
            return names[i];
    ASSERT(used < 64);
    if (used >= 64)
        return AFX_WND;
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    ::RegisterClassA(&wc);
    lstrcpyA(names[used], name);
    return names[used++];
}

static void AfxRegisterStandardClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    wc.lpszClassName = AFX_WND;
    ::RegisterClassA(&wc);
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = AFX_WNDFRAMEORVIEW;
    ::RegisterClassA(&wc);
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS };
    ::InitCommonControlsEx(&icc);
}

// ---------------------------------------------------------------------------------------------
// Objects for handles.

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) {
        TRACE("Warning: window destroyed by the destructor of its object\n");
        DestroyWindow();
    }
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    return AfxLookupPermanentWnd(hWnd);
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    AfxThreadState* pState = AfxGetThreadState();
    if (pState->pTempWnds == NULL)
        pState->pTempWnds = new std::unordered_map<HWND, CWnd*>;
    CWnd*& pTemp = (*pState->pTempWnds)[hWnd];
    if (pTemp == NULL) {
        pTemp = new CWnd;
        pTemp->m_hWnd = hWnd;
    }
    return pTemp;
}

void AfxDeleteTempMap()
{
    AfxThreadState* pState = AfxGetThreadState();
    if (pState->pTempWnds != NULL) {
        for (auto& entry : *pState->pTempWnds) {
            entry.second->m_hWnd = NULL;
            delete entry.second;
        }
        pState->pTempWnds->clear();
    }
    if (pState->pTempDCs != NULL) {
        for (auto& entry : *pState->pTempDCs) {
            entry.second->Detach();
            delete entry.second;
        }
        pState->pTempDCs->clear();
    }
    if (pState->pTempMenus != NULL) {
        for (auto& entry : *pState->pTempMenus) {
            entry.second->Detach();
            delete entry.second;
        }
        pState->pTempMenus->clear();
    }
    if (pState->pTempImageLists != NULL) {
        for (auto& entry : *pState->pTempImageLists)
            delete entry.second; // borrowed wrappers let go of their handle themselves
        pState->pTempImageLists->clear();
    }
}

BOOL CWnd::Attach(HWND hWndNew)
{
    ASSERT(m_hWnd == NULL);
    if (hWndNew == NULL)
        return FALSE;
    m_hWnd = hWndNew;
    AfxSetPermanentWnd(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL)
        AfxRemovePermanentWnd(hWnd, this);
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    ASSERT(pfnOld != AfxWndProc); // another object owns the window already
    if (pfnOld != AfxWndProc)
        m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != NULL)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    return Detach();
}

// ---------------------------------------------------------------------------------------------
// Creation and destruction.

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AFX_WND;
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, SafeHwnd(pParentWnd), (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, SafeHwnd(pParentWnd), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    ASSERT(m_hWnd == NULL);
    AfxRegisterStandardClasses();
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate()) {
        // No window was made at all; the object ends as if its window had come and gone.
        PostNcDestroy();
        return FALSE;
    }
    // A window whose WM_CREATE failed has already been destroyed and its object let go.
    return hWnd != NULL;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    HWND hWnd = m_hWnd;
    BOOL bPermanent = FromHandlePermanent(hWnd) == this;
    BOOL bResult = ::DestroyWindow(hWnd);
    if (!bPermanent)
        m_hWnd = NULL;
    return bResult;
}

void CWnd::OnNcDestroy()
{
    Default();
}

// ---------------------------------------------------------------------------------------------
// Message handling.

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

static HWND ChildOfOwnerDrawMessage(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        return ((LPDRAWITEMSTRUCT)lParam)->CtlType == ODT_MENU ? NULL : ((LPDRAWITEMSTRUCT)lParam)->hwndItem;
    case WM_MEASUREITEM:
        return ((LPMEASUREITEMSTRUCT)lParam)->CtlType == ODT_MENU ? NULL : ::GetDlgItem(hWndParent, (int)wParam);
    case WM_DELETEITEM:
        return ((LPDELETEITEMSTRUCT)lParam)->hwndItem;
    case WM_COMPAREITEM:
        return ((LPCOMPAREITEMSTRUCT)lParam)->hwndItem;
    case WM_HSCROLL:
    case WM_VSCROLL:
        return (HWND)lParam;
    default:
        return NULL;
    }
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, pResult);

    // Owner-drawn items and scroll bars: the control answers for itself first.
    if (HWND hWndChild = ChildOfOwnerDrawMessage(m_hWnd, message, wParam, lParam))
        if (ReflectLastMsg(hWndChild, pResult))
            return TRUE;

    if (DispatchToMap(message, 0, 0, message, wParam, lParam, pResult))
        return TRUE;

    // A colour message the parent does not handle may still be handled by the control.
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        return ReflectLastMsg((HWND)lParam, pResult);
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL)
        nCode = 0; // menus and accelerators are plain commands
    else if (ReflectLastMsg(hWndCtrl))
        return TRUE;
    LRESULT lResult = 0;
    return OnCmdMsg(nID, nCode, wParam, lParam, &lResult);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    return DispatchToMap(WM_NOTIFY, pNMHDR->code, (UINT)pNMHDR->idFrom, WM_NOTIFY, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND:
        return DispatchToMap(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0, message, wParam, lParam, pResult);
    case WM_NOTIFY:
        return DispatchToMap(WM_REFLECT_BASE + WM_NOTIFY, ((NMHDR*)lParam)->code, 0, message, wParam, lParam, pResult);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return DispatchToMap(WM_REFLECT_BASE + WM_CTLCOLORSTATIC, 0, 0, message, wParam, lParam, pResult);
    default:
        return DispatchToMap(WM_REFLECT_BASE + message, 0, 0, message, wParam, lParam, pResult);
    }
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (pWnd == NULL)
        return FALSE;
    const MSG* pMsg = GetCurrentMessage();
    LRESULT unused = 0;
    return pWnd->OnChildNotify(pMsg->message, pMsg->wParam, pMsg->lParam, pResult ? pResult : &unused);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    return &AfxGetThreadState()->lastSentMsg;
}

LRESULT CWnd::Default()
{
    const MSG* pMsg = GetCurrentMessage();
    return DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam);
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT)
{
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, GetExStyle());
}

// ---------------------------------------------------------------------------------------------
// Styles, texts and family.

static BOOL ModifyStyleBits(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, nStyleOffset);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, nStyleOffset, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLength = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(nLength), nLength + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (HWND hWnd = ::GetDlgItem(m_hWnd, nID))
        FromHandle(hWnd)->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, pFont ? (WPARAM)pFont->m_hObject : 0, bRedraw);
}

CFont* CWnd::GetFont() const
{
    // Fonts are shared by many windows, so the wrapper is a lasting one per font handle.
    static CFont* fonts[32];
    static int used = 0;
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (hFont == NULL)
        return NULL;
    for (int i = 0; i < used; ++i)
        if (fonts[i]->m_hObject == hFont)
            return fonts[i];
    CFont* pFont = new CFont;
    pFont->m_hObject = hFont; // not owned: never deleted
    if (used < 32)
        fonts[used++] = pFont;
    return pFont;
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    while (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) {
        HWND hParent = ::GetParent(hWnd);
        if (hParent == NULL)
            break;
        hWnd = hParent;
    }
    return FromHandle(hWnd);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? (CFrameWnd*)this : GetParentFrame();
    while (pFrame != NULL) {
        CFrameWnd* pNext = pFrame->GetParentFrame();
        if (pNext == NULL)
            break;
        pFrame = pNext;
    }
    return pFrame;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != NULL; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(hChild) == nID) {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hChild) : FromHandle(hChild);
            if (pWnd != NULL)
                return pWnd;
        }
        CWnd* pChild = FromHandle(hChild);
        if (CWnd* pFound = pChild->GetDescendantWindow(nID, bOnlyPerm))
            return pFound;
    }
    return NULL;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != NULL; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        ::SendMessageA(hChild, message, wParam, lParam);
        if (bDeep && ::IsWindow(hChild))
            FromHandle(hChild)->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

// ---------------------------------------------------------------------------------------------
// Geometry and message boxes.

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    HWND hWndAfter = pWndInsertAfter == NULL ? NULL : pWndInsertAfter->m_hWnd;
    return ::SetWindowPos(m_hWnd, hWndAfter, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcArea;
    HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndCenter == NULL && (GetStyle() & WS_CHILD))
        hWndCenter = ::GetParent(m_hWnd);
    if (hWndCenter != NULL)
        ::GetWindowRect(hWndCenter, &rcArea);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    int x = rcArea.left + (rcArea.Width() - rcWindow.Width()) / 2;
    int y = rcArea.top + (rcArea.Height() - rcWindow.Height()) / 2;
    if (GetStyle() & WS_CHILD) {
        CPoint point(x, y);
        ::ScreenToClient(::GetParent(m_hWnd), &point);
        x = point.x;
        y = point.y;
    }
    SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}
