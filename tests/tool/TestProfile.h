// Where the tool keeps its modem port during a test. The test program has the tool's own
// application object (Marqtel.cpp is linked in); its profile is moved under a registry key of
// the test process's own for as long as a TestProfile lives. And the profile of Marqtel.exe.
#pragma once

#include <string>

// The application's profile under HKEY_CURRENT_USER\Software\<a key of this process>\Marqtel,
// removed again at the end; the modem's port is "no modem" (-1) until the test sets another.
class TestProfile {
public:
    TestProfile();
    ~TestProfile();

    void SetModemPort(int nPort);
    int ModemPort();
    // A user stored as the program stores one (an empty password stores an empty hash).
    void SetLogin(const std::string& user, const std::string& password);
    std::string LoginValue(const char* key);

private:
    std::string m_company;
};

// The modem port in Marqtel.exe's own profile (under the company key "Dovrane").
void SetProgramModemPort(int nPort);
// The user in Marqtel.exe's own profile; an empty user removes it, as before a first run.
void SetProgramLogin(const std::string& user, const std::string& password);
