// The login dialog: a user name and a password, under a caption that says what they are for
// (creating the user, logging in, changing the user).
#pragma once

#include "afxwin.h"

class CLoginDlg : public CDialog {
public:
    explicit CLoginDlg(CWnd* pParent = NULL);

    CString m_strCaption; // set as the window text when the dialog opens; empty keeps "用户登录"
    CString m_strUser;
    CString m_strPassword;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
