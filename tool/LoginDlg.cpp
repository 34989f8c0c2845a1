#include "LoginDlg.h"

#include "resource.h"

CLoginDlg::CLoginDlg(CWnd* pParent) : CDialog(IDD_LOGIN, pParent)
{
}

void CLoginDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_USER, m_strUser);
    DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
}

BOOL CLoginDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_strCaption.IsEmpty())
        SetWindowText(m_strCaption);
    UpdateData(FALSE);
    return TRUE;
}
