#include "TestProfile.h"

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
