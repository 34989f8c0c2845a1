// Where the tool keeps its modem port during a test: an application object of the test's own,
// whose profile lives under a registry key of its own; and the profile of Marqtel.exe itself.
#pragma once

#include "afxwin.h"

#include <string>

// The application object of a test process (which has none otherwise). Its profile lies under
// HKEY_CURRENT_USER\Software\<a key of this process>\Marqtel and goes with the object; the
// modem's port is "no modem" (-1) until the test sets another.
class TestApplication {
public:
    TestApplication();
    ~TestApplication();

    void SetModemPort(int nPort) { m_app.WriteProfileInt("MODEM", "PORT", nPort); }
    int ModemPort() { return (int)m_app.GetProfileInt("MODEM", "PORT", 1); }

private:
    std::string m_company;
    CWinApp m_app;
};

// The modem port in Marqtel.exe's own profile (under the company key "Dovrane").
void SetProgramModemPort(int nPort);
