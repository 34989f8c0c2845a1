// The application profile in the registry: where it lives and what survives a round trip.
#include <gtest/gtest.h>

#include "afxwin.h"

#include <string>

namespace {

LONG DeleteKeyTree(HKEY hParent, const char* name)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(hParent, name, 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return ERROR_SUCCESS;
    char child[256];
    DWORD cchChild = sizeof child;
    while (::RegEnumKeyExA(hKey, 0, child, &cchChild, NULL, NULL, NULL, NULL) == ERROR_SUCCESS) {
        DeleteKeyTree(hKey, child);
        cchChild = sizeof child;
    }
    ::RegCloseKey(hKey);
    return ::RegDeleteKeyA(hParent, name);
}

// An application object of its own for this test only: the process has none otherwise.
class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_company = "ProfileTest" + std::to_string(::GetCurrentProcessId());
        m_app = new CWinApp("Marqtel");
        m_app->SetRegistryKey(m_company.c_str());
    }
    void TearDown() override
    {
        delete m_app;
        DeleteKeyTree(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str());
    }
    // The raw value under HKEY_CURRENT_USER\Software\<company>\Marqtel\<section>.
    bool ReadRaw(const char* section, const char* entry, DWORD& type, std::string& data)
    {
        std::string path = "Software\\" + m_company + "\\Marqtel\\" + section;
        HKEY hKey = NULL;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return false;
        char buffer[256];
        DWORD cb = sizeof buffer;
        LONG result = ::RegQueryValueExA(hKey, entry, NULL, &type, (LPBYTE)buffer, &cb);
        ::RegCloseKey(hKey);
        data.assign(buffer, cb);
        return result == ERROR_SUCCESS;
    }

    std::string m_company;
    CWinApp* m_app = nullptr;
};

TEST_F(ProfileTest, ValuesLiveUnderTheCompanyAndProgramAndComeBackAsWritten)
{
    // Missing values give the caller's defaults.
    EXPECT_EQ(1, (int)m_app->GetProfileInt("MODEM", "PORT", 1));
    EXPECT_STREQ("无", m_app->GetProfileString("Login", "User", "无"));
    EXPECT_STREQ("", m_app->GetProfileString("Login", "User"));

    // "No modem" is stored as -1 and must read back as -1, not as a large port number.
    ASSERT_TRUE(m_app->WriteProfileInt("MODEM", "PORT", -1));
    EXPECT_EQ(-1, (int)m_app->GetProfileInt("MODEM", "PORT", 1));
    ASSERT_TRUE(m_app->WriteProfileString("Login", "User", "管理员"));
    EXPECT_STREQ("管理员", m_app->GetProfileString("Login", "User"));

    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRaw("MODEM", "PORT", type, data));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    ASSERT_TRUE(ReadRaw("Login", "User", type, data));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(std::string("管理员", strlen("管理员") + 1), data);

    // A value of the wrong kind, as a hand edit may leave, reads as missing.
    ASSERT_TRUE(m_app->WriteProfileString("MODEM", "PORT", "5"));
    EXPECT_EQ(1, (int)m_app->GetProfileInt("MODEM", "PORT", 1));
    // Writing no text removes the value.
    ASSERT_TRUE(m_app->WriteProfileString("Login", "User", NULL));
    EXPECT_FALSE(ReadRaw("Login", "User", type, data));
}

// A text stored without its ending NUL (other programs write such values) reads back whole and
// no longer.
TEST_F(ProfileTest, ATextStoredWithoutItsEndReadsBackWhole)
{
    ASSERT_TRUE(m_app->WriteProfileString("Login", "Password", "x"));
    std::string path = "Software\\" + m_company + "\\Marqtel\\Login";
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_WRITE, &hKey));
    ::RegSetValueExA(hKey, "Password", 0, REG_SZ, (const BYTE*)"ABCDEF0123", 10);
    ::RegCloseKey(hKey);
    CString value = m_app->GetProfileString("Login", "Password");
    EXPECT_EQ(10, value.GetLength());
    EXPECT_STREQ("ABCDEF0123", value);
}

} // namespace
