#include "ProgressDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg() : CDialog(IDD_PROGRESS), m_nTicks(0), m_nCount(0)
{
}

void CProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_BAR, m_Progress);
    DDX_Text(pDX, IDC_PROGRESS_TEXT, m_strText);
}

void CProgressDlg::SetText(const CString& strText)
{
    m_strText = strText;
    UpdateData(FALSE);
}

void CProgressDlg::Start(UINT nTicks)
{
    if (nTicks == 0) {
        KillTimer(TIMER_PROGRESS);
        m_Progress.SetPos(100);
        return;
    }
    SetTimer(TIMER_PROGRESS, 1000, NULL);
    m_nTicks = nTicks;
    m_nCount = 0;
    m_Progress.SetPos(0);
}

// The bar shows the share of the seconds gone (the control holds it at full); a tick that was
// already queued when the bar was stopped finds no seconds to share and shows it full.
void CProgressDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_PROGRESS) {
        ++m_nCount;
        m_Progress.SetPos(m_nTicks != 0 ? (int)(m_nCount * 100 / m_nTicks) : 100);
    }
    CDialog::OnTimer(nIDEvent);
}
