#include "afxdisp.h"

#include <time.h>
#include <objbase.h>
#include <ole2.h>

void AFXAPI AfxEnableControlContainer(void*)
{
    static bool done = false;
    if (!done && SUCCEEDED(::CoInitialize(NULL)))
        done = true;
}

BOOL AFXAPI AfxOleInit()
{
    return SUCCEEDED(::OleInitialize(NULL));
}

COleDateTime PASCAL COleDateTime::GetCurrentTime()
{
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    st.wMilliseconds = 0;
    return COleDateTime(st);
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
    m_status = ::SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&systimeSrc), &m_dt) ? valid : invalid;
    return *this;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    SYSTEMTIME st = {};
    st.wYear = (WORD)nYear;
    st.wMonth = (WORD)nMonth;
    st.wDay = (WORD)nDay;
    st.wHour = (WORD)nHour;
    st.wMinute = (WORD)nMin;
    st.wSecond = (WORD)nSec;
    bool inRange = nYear >= 100 && nYear <= 9999 && nMonth >= 1 && nMonth <= 12 && nDay >= 1 && nDay <= 31 &&
                   nHour >= 0 && nHour < 24 && nMin >= 0 && nMin < 60 && nSec >= 0 && nSec < 60;
    if (inRange)
        *this = st;
    else
        m_status = invalid;
    return m_status == valid;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    return m_status == valid && ::VariantTimeToSystemTime(m_dt, &st);
}

static SYSTEMTIME Parts(const COleDateTime& date)
{
    SYSTEMTIME st = {};
    date.GetAsSystemTime(st);
    return st;
}

int COleDateTime::GetYear() const { return m_status == valid ? Parts(*this).wYear : -1; }
int COleDateTime::GetMonth() const { return m_status == valid ? Parts(*this).wMonth : -1; }
int COleDateTime::GetDay() const { return m_status == valid ? Parts(*this).wDay : -1; }
int COleDateTime::GetHour() const { return m_status == valid ? Parts(*this).wHour : -1; }
int COleDateTime::GetMinute() const { return m_status == valid ? Parts(*this).wMinute : -1; }
int COleDateTime::GetSecond() const { return m_status == valid ? Parts(*this).wSecond : -1; }

BOOL COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    int nWide = ::MultiByteToWideChar(CP_ACP, 0, lpszDate ? lpszDate : "", -1, NULL, 0);
    std::wstring wide(nWide > 0 ? nWide : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, lpszDate ? lpszDate : "", -1, &wide[0], nWide);
    DATE date = 0;
    if (FAILED(::VarDateFromStr(&wide[0], lcid, dwFlags, &date))) {
        m_dt = 0;
        m_status = invalid;
        return FALSE;
    }
    m_dt = date;
    m_status = valid;
    return TRUE;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status != valid)
        return CString();
    BSTR bstr = NULL;
    if (FAILED(::VarBstrFromDate(m_dt, lcid, dwFlags, &bstr)))
        return CString();
    int nLength = ::WideCharToMultiByte(CP_ACP, 0, bstr, -1, NULL, 0, NULL, NULL);
    CString text;
    if (nLength > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, bstr, -1, text.GetBufferSetLength(nLength), nLength, NULL, NULL);
        text.ReleaseBuffer();
    }
    ::SysFreeString(bstr);
    return text;
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const
{
    SYSTEMTIME st;
    if (!GetAsSystemTime(st))
        return CString();
    struct tm parts = {};
    parts.tm_year = st.wYear - 1900;
    parts.tm_mon = st.wMonth - 1;
    parts.tm_mday = st.wDay;
    parts.tm_hour = st.wHour;
    parts.tm_min = st.wMinute;
    parts.tm_sec = st.wSecond;
    parts.tm_wday = st.wDayOfWeek;
    char text[256] = "";
    strftime(text, sizeof text, lpszFormat, &parts);
    return CString(text);
}
