// Automation support: the date-time value of the system's variant dates.
#pragma once

#include "afxwin.h"
#include <oleauto.h>

// Switches on the component-object support of the GUI thread (the shell uses it).
void AFXAPI AfxEnableControlContainer(void* pOccManager = NULL);
BOOL AFXAPI AfxOleInit();

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() : m_dt(0), m_status(valid) {}
    COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid) {}
    COleDateTime(const SYSTEMTIME& systimeSrc) { *this = systimeSrc; }
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
    {
        SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
    }
    static COleDateTime PASCAL GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    // Parses with the locale's own date and time rules; an unreadable text leaves the value
    // invalid and returns FALSE.
    BOOL ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    CString Format(LPCTSTR lpszFormat) const;

    bool operator==(const COleDateTime& d) const { return m_status == d.m_status && m_dt == d.m_dt; }
    bool operator!=(const COleDateTime& d) const { return !(*this == d); }
    bool operator<(const COleDateTime& d) const { return m_dt < d.m_dt; }
    bool operator>(const COleDateTime& d) const { return m_dt > d.m_dt; }
    bool operator<=(const COleDateTime& d) const { return m_dt <= d.m_dt; }
    bool operator>=(const COleDateTime& d) const { return m_dt >= d.m_dt; }

    DATE m_dt;
    DateTimeStatus m_status;
};
