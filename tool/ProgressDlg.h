// The progress pop-up: a text over a bar that fills in a given number of seconds, shown over
// the main window while a modem exchange or a save runs (see CMainFrame::ShowProgress).
#pragma once

#include "afxcmn.h"

class CProgressDlg : public CDialog {
public:
    CProgressDlg();

    void SetText(const CString& strText);
    // Starts the bar at 0 to fill in nTicks seconds; 0 shows it full and stops it.
    void Start(UINT nTicks);

    UINT m_nTicks;  // seconds for a full bar
    UINT m_nCount;  // seconds since the last Start
    CProgressCtrl m_Progress;
    CString m_strText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter and Esc leave the pop-up alone: it goes when the work it stands for has ended.
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
