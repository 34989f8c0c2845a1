#include "afxwin.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <cmath>
#include <limits>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnIdOk)
    ON_COMMAND(IDCANCEL, OnIdCancel)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------
// Templates.

BOOL CDialogTemplate::Load(LPCTSTR lpszTemplateName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
    if (hResource == NULL)
        return FALSE;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    const void* pData = hTemplate ? ::LockResource(hTemplate) : NULL;
    if (pData == NULL)
        return FALSE;
    m_data.assign(static_cast<const char*>(pData), ::SizeofResource(hInst, hResource));
    return TRUE;
}

void CDialogTemplate::SetStyle(DWORD dwRemove, DWORD dwAdd)
{
    if (m_data.size() < 16)
        return;
    // An extended template starts with version 1 and signature 0xFFFF; its style is at 12.
    WORD* pWords = reinterpret_cast<WORD*>(&m_data[0]);
    bool bExtended = pWords[0] == 1 && pWords[1] == 0xFFFF;
    DWORD* pStyle = reinterpret_cast<DWORD*>(&m_data[bExtended ? 12 : 0]);
    *pStyle = (*pStyle & ~dwRemove) | dwAdd;
}

// ---------------------------------------------------------------------------------------------
// Dialog objects. Their windows go through the framework's window procedure first; what it
// leaves goes to the system's dialog manager, which calls AfxDlgProc.

// A dialog that its initialisation left where the template put it (a template gives a position
// relative to the owner's corner, usually none at all) is centred over its owner, or over the
// work area when it has none. Child dialogs (form views) stay where their parent puts them.
static void CenterUnplacedDialog(CDialog* pDlg, const RECT& rcBefore)
{
    RECT rcAfter;
    ::GetWindowRect(pDlg->m_hWnd, &rcAfter);
    bool bMoved = rcAfter.left != rcBefore.left || rcAfter.top != rcBefore.top;
    if (!bMoved && !(pDlg->GetStyle() & WS_CHILD))
        pDlg->CenterWindow();
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (pDlg == NULL)
        return TRUE;
    RECT rcBefore;
    ::GetWindowRect(hWnd, &rcBefore);
    BOOL bFocusDefault = pDlg->OnInitDialog();
    if (::IsWindow(hWnd))
        CenterUnplacedDialog(pDlg, rcBefore);
    return bFocusDefault;
}

CDialog::CDialog() : m_lpszTemplateName(NULL), m_nIDHelp(0), m_pParentWnd(NULL), m_nModalResult(-1), m_bModal(FALSE)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd),
      m_nModalResult(-1), m_bModal(FALSE)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDHelp(0), m_pParentWnd(pParentWnd), m_nModalResult(-1), m_bModal(FALSE)
{
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    CDialogTemplate dlgTemplate;
    if (!dlgTemplate.Load(lpszTemplateName))
        return FALSE;
    m_bModal = FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(AfxGetInstanceHandle(), dlgTemplate.Get(), SafeHwnd(m_pParentWnd),
                                             AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate()) {
        PostNcDestroy();
        return FALSE;
    }
    return hWnd != NULL;
}

INT_PTR CDialog::DoModal()
{
    CDialogTemplate dlgTemplate;
    if (!dlgTemplate.Load(m_lpszTemplateName))
        return -1;
    HWND hWndParent = SafeHwnd(m_pParentWnd);
    if (hWndParent == NULL)
        hWndParent = SafeHwnd(AfxGetMainWnd());
    if (hWndParent != NULL && !::IsWindow(hWndParent))
        hWndParent = NULL;
    m_bModal = TRUE;
    m_nModalResult = -1;
    AfxHookWindowCreate(this);
    INT_PTR nResult = ::DialogBoxIndirectParamA(AfxGetInstanceHandle(), dlgTemplate.Get(), hWndParent, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    m_bModal = FALSE;
    m_nModalResult = nResult;
    return nResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        ::ShowWindow(m_hWnd, SW_HIDE);
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_lpszTemplateName);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Modeless dialogs get the dialog keys (Tab, Enter, Esc) here; modal ones from the system.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsChild(m_hWnd, pMsg->hwnd))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Initial data of dialog controls (combo and list box items), kept in a resource of type 240
// named like the template: records of control id (WORD), message (WORD), length (DWORD) and
// that many bytes of NUL-terminated text, ended by a zero WORD.

#define RT_DLGINIT MAKEINTRESOURCEA(240)

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, RT_DLGINIT);
    if (hResource == NULL)
        return TRUE;
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    LPVOID pData = hData ? ::LockResource(hData) : NULL;
    return pData == NULL || ExecuteDlgInit(pData);
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    const BYTE* p = static_cast<const BYTE*>(lpResource);
    for (;;) {
        WORD nIDC = *reinterpret_cast<const WORD*>(p);
        if (nIDC == 0)
            return TRUE;
        WORD nMsg = *reinterpret_cast<const WORD*>(p + 2);
        DWORD dwLen = *reinterpret_cast<const DWORD*>(p + 4);
        const char* pszText = reinterpret_cast<const char*>(p + 8);
        // The 16-bit message numbers of the old format mean the same as the 32-bit ones.
        if (nMsg == 0x0401 || nMsg == LB_ADDSTRING)
            ::SendDlgItemMessageA(m_hWnd, nIDC, LB_ADDSTRING, 0, (LPARAM)pszText);
        else if (nMsg == 0x0403 || nMsg == CB_ADDSTRING)
            ::SendDlgItemMessageA(m_hWnd, nIDC, CB_ADDSTRING, 0, (LPARAM)pszText);
        p += 8 + dwLen;
    }
}

// ---------------------------------------------------------------------------------------------
// Data exchange.

namespace {
struct CDataExchangeFailure {};
} // namespace

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    ASSERT(hWndCtrl != NULL); // the template lacks a control the exchange names
    m_hWndLastControl = hWndCtrl;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != NULL) {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CDataExchangeFailure();
}

static CString ControlText(HWND hWndCtrl)
{
    CString text;
    if (hWndCtrl != NULL)
        CWnd::FromHandle(hWndCtrl)->GetWindowText(text);
    return text;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWndCtrl);
    else
        ::SetWindowTextA(hWndCtrl, value);
}

static bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

// Whole-text number reading: blanks around the number are allowed, nothing else. A number the
// member's type cannot hold is no number, where the C library's readers would wrap it into
// another one (a minus sign for an unsigned member, more digits than 32 bits take).
template <class T>
static bool ParseWhole(const CString& text, T& out)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    if (!(*p == '-' || *p == '+' || (*p >= '0' && *p <= '9')))
        return false;
    char* end = NULL;
    errno = 0;
    long long value = strtoll(p, &end, 10);
    if (end == p || errno == ERANGE)
        return false;
    while (IsBlank(*end))
        ++end;
    if (*end != '\0' || value < (long long)std::numeric_limits<T>::min() ||
        value > (long long)std::numeric_limits<T>::max())
        return false;
    out = (T)value;
    return true;
}

template <>
bool ParseWhole<double>(const CString& text, double& out)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    char* end = NULL;
    double value = strtod(p, &end);
    if (end == p || !std::isfinite(value))
        return false;
    while (IsBlank(*end))
        ++end;
    if (*end != '\0')
        return false;
    out = value;
    return true;
}

template <class T>
static void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, const char* printFormat, LPCTSTR lpszPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate) {
        if (!ParseWhole(ControlText(hWndCtrl), value)) {
            AfxMessageBox(lpszPrompt, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else {
        CString text;
        text.Format(printFormat, value);
        ::SetWindowTextA(hWndCtrl, text);
    }
}

static const char kIntegerPrompt[] = "请输入一个整数。";
static const char kNumberPrompt[] = "请输入一个数字。";

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value, "%d", kIntegerPrompt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value, "%u", kIntegerPrompt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeNumber(pDX, nIDC, value, "%ld", kIntegerPrompt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeNumber(pDX, nIDC, value, "%lu", kIntegerPrompt);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    ExchangeNumber(pDX, nIDC, value, "%.15g", kNumberPrompt);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    // The group starts at nIDC and runs to the next control with WS_GROUP.
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do {
        if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            } else {
                ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            }
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = ControlText(hWndCtrl);
    } else if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR) {
        ::SetWindowTextA(hWndCtrl, value);
    }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl != NULL)
        rControl.SubclassWindow(hWndCtrl);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_hWndLastControl != NULL)
            ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
        return;
    }
    if (value.GetLength() > nChars) {
        CString prompt;
        prompt.Format("请输入不超过%d个字符。", nChars);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString prompt;
    prompt.Format("请输入%d到%d之间的整数。", minVal, maxVal);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}
