#include "TestProfile.h"

#include "PasswordHash.h"
#include "afxwin.h"

namespace {

void DeleteKeyTree(HKEY hParent, const char* name)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(hParent, name, 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return;
    char child[256];
    DWORD cchChild = sizeof child;
    while (::RegEnumKeyExA(hKey, 0, child, &cchChild, NULL, NULL, NULL, NULL) == ERROR_SUCCESS) {
        DeleteKeyTree(hKey, child);
        cchChild = sizeof child;
    }
    ::RegCloseKey(hKey);
    ::RegDeleteKeyA(hParent, name);
}

std::string CompanyOfThisProcess()
{
    return "MarqtelTest" + std::to_string(::GetCurrentProcessId());
}

} // namespace

TestProfile::TestProfile() : m_company(CompanyOfThisProcess())
{
    // The name the program's resources give it, as its message boxes show it.
    CWinApp* pApp = AfxGetApp();
    pApp->m_pszAppName = "Marqtel";
    pApp->SetRegistryKey(m_company.c_str());
    SetModemPort(-1);
}

TestProfile::~TestProfile()
{
    DeleteKeyTree(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str());
}

void TestProfile::SetModemPort(int nPort)
{
    AfxGetApp()->WriteProfileInt("MODEM", "PORT", nPort);
}

int TestProfile::ModemPort()
{
    return (int)AfxGetApp()->GetProfileInt("MODEM", "PORT", 1);
}

void TestProfile::SetLogin(const std::string& user, const std::string& password)
{
    AfxGetApp()->WriteProfileString("Login", "User", user.c_str());
    AfxGetApp()->WriteProfileString("Login", "Passwd", password.empty() ? "" : HashPassword(password).c_str());
}

std::string TestProfile::LoginValue(const char* key)
{
    return (LPCTSTR)AfxGetApp()->GetProfileString("Login", key, "<none>");
}

void SetProgramLogin(const std::string& user, const std::string& password)
{
    if (user.empty()) {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Dovrane\\Marqtel\\Login");
        return;
    }
    HKEY hKey = NULL;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Dovrane\\Marqtel\\Login", 0, NULL, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return;
    std::string hash = HashPassword(password);
    ::RegSetValueExA(hKey, "User", 0, REG_SZ, (const BYTE*)user.c_str(), (DWORD)user.size() + 1);
    ::RegSetValueExA(hKey, "Passwd", 0, REG_SZ, (const BYTE*)hash.c_str(), (DWORD)hash.size() + 1);
    ::RegCloseKey(hKey);
}

void SetProgramModemPort(int nPort)
{
    HKEY hKey = NULL;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Dovrane\\Marqtel\\MODEM", 0, NULL, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return;
    DWORD dwValue = (DWORD)nPort;
    ::RegSetValueExA(hKey, "PORT", 0, REG_DWORD, (const BYTE*)&dwValue, sizeof dwValue);
    ::RegCloseKey(hKey);
}
