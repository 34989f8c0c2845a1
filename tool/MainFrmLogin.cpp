// The frame's login: the user name and the password hash in the profile (section "Login"),
// asked for at every start, created at the first, changed from the tool bar.
#include "MainFrm.h"

#include "LoginDlg.h"
#include "PasswordHash.h"

namespace {

const char kLoginSection[] = "Login";

CString StoredUser()
{
    return AfxGetApp()->GetProfileString(kLoginSection, "User", "");
}

CString StoredHash()
{
    return AfxGetApp()->GetProfileString(kLoginSection, "Passwd", "");
}

CString Hash(const CString& strPassword)
{
    return HashPassword((LPCTSTR)strPassword).c_str();
}

void StoreUser(const CString& strUser, const CString& strPassword)
{
    AfxGetApp()->WriteProfileString(kLoginSection, "User", strUser);
    AfxGetApp()->WriteProfileString(kLoginSection, "Passwd", Hash(strPassword));
}

// Why a new user name and password cannot be taken, or NULL.
const char* NewUserRefusal(const CLoginDlg& dlg)
{
    if (dlg.m_strUser.IsEmpty())
        return "必须设置一个用户名！";
    if (dlg.m_strPassword.IsEmpty())
        return "密码不能为空！";
    return NULL;
}

} // namespace

// Until the user logs in, or cancels, which closes the program. A user stored without a hash
// can only cancel: no entry matches an empty hash.
BOOL CMainFrame::LoginAtStartup()
{
    CString strUser = StoredUser();
    CString strHash = StoredHash();
    for (;;) {
        CLoginDlg dlg;
        dlg.m_strUser = strUser;
        dlg.m_strCaption = strUser.IsEmpty() ? "创建新用户" : "用户登录";
        if (dlg.DoModal() != IDOK)
            return FALSE;
        if (strUser.IsEmpty()) {
            if (const char* pszRefusal = NewUserRefusal(dlg)) {
                AfxMessageBox(pszRefusal);
                continue;
            }
            StoreUser(dlg.m_strUser, dlg.m_strPassword);
            return TRUE;
        }
        if (dlg.m_strUser == strUser && Hash(dlg.m_strPassword) == strHash)
            return TRUE;
        AfxMessageBox("用户名或密码错误！");
    }
}

// The old password is not asked for: whoever is logged in may change the user.
void CMainFrame::OnChangeUser()
{
    CLoginDlg dlg;
    dlg.m_strUser = StoredUser();
    dlg.m_strCaption = "修改用户资料";
    for (;;) {
        if (dlg.DoModal() != IDOK)
            return;
        if (const char* pszRefusal = NewUserRefusal(dlg)) {
            AfxMessageBox(pszRefusal);
            continue;
        }
        break;
    }
    StoreUser(dlg.m_strUser, dlg.m_strPassword);
    ShowProgress("用户名、密码已经修改！", 1, 3);
    Delay(3000);
    ShowProgress("", 0, 0);
}
