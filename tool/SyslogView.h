// The log page: log.txt as a table, newest line first, reloaded when the file changes; clear
// and export buttons.
#pragma once

#include "GuiButton.h"
#include "LogLine.h"
#include "ReportCtrl.h"
#include "afxext.h"

#include <sys/stat.h>

#include <vector>

class CSyslogView : public CFormView {
    DECLARE_DYNCREATE(CSyslogView)
public:
    void OnInitialUpdate() override;
    void LoadLog();

protected:
    CSyslogView();
    void DoDataExchange(CDataExchange* pDX) override;
    void LayoutControls(int cx, int cy);
    BOOL ReadLogRecords(std::vector<LogRecord>& records);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnClearLog();
    afx_msg void OnExportLog();
    DECLARE_MESSAGE_MAP()

    CBrush m_brush;
    // What the page last read: the file's modification time and size. A change of either
    // reloads; the size catches changes within the same second.
    time_t m_lastModified;
    long m_lastSize;

public:
    CReportCtrl m_list;

protected:
    CGuiButton m_btnExport;
    CGuiButton m_btnClear;
    CImageList m_levelImages;
};
