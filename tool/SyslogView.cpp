#include "SyslogView.h"

#include "Log.h"
#include "PageColors.h"
#include "afxdlgs.h"
#include "resource.h"

#include <stdio.h>
#include <string.h>

#include <utility>

IMPLEMENT_DYNCREATE(CSyslogView, CFormView)

BEGIN_MESSAGE_MAP(CSyslogView, CFormView)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_LOG_CLEAR, OnClearLog)
    ON_BN_CLICKED(IDC_LOG_EXPORT, OnExportLog)
END_MESSAGE_MAP()

static const int kLogLineMax = 2048;

CSyslogView::CSyslogView() : CFormView(IDD_SYSLOG_VIEW), m_lastModified(0), m_lastSize(-1)
{
}

void CSyslogView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LOG_LIST, m_list);
    DDX_Control(pDX, IDC_LOG_EXPORT, m_btnExport);
    DDX_Control(pDX, IDC_LOG_CLEAR, m_btnClear);
}

void CSyslogView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    CreatePageBrush(m_brush);

    CGuiButton* buttons[] = { &m_btnClear, &m_btnExport };
    for (CGuiButton* pButton : buttons) {
        CString caption;
        pButton->GetWindowText(caption);
        pButton->SetCaption(caption);
        pButton->SetStyleBorder(CGuiButton::borderXP);
    }

    static const UINT levelIcons[] = { IDI_LEVEL_0, IDI_LEVEL_1, IDI_LEVEL_2, IDI_LEVEL_3,
                                       IDI_LEVEL_4, IDI_LEVEL_5, IDI_LEVEL_6 };
    m_levelImages.Create(16, 16, ILC_COLOR32, 0, 4);
    m_levelImages.SetBkColor(RGB(255, 255, 255));
    // The image list keeps its own copy of each icon.
    for (UINT id : levelIcons) {
        HICON hIcon = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0);
        m_levelImages.Add(hIcon);
        ::DestroyIcon(hIcon);
    }
    m_list.SetImageList(&m_levelImages);
    m_list.ModifyStyle(0, LVS_REPORT | LVS_SHOWSELALWAYS);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE | LVS_EX_UNDERLINEHOT);
    m_list.InsertColumn(0, "", LVCFMT_LEFT, 20);
    m_list.InsertColumn(1, "时间", LVCFMT_LEFT, 180);
    m_list.InsertColumn(2, "设备名称", LVCFMT_LEFT, 120);
    m_list.InsertColumn(3, "手机号码", LVCFMT_LEFT, 100);
    m_list.InsertColumn(4, "内容", LVCFMT_LEFT, 900);

    LoadLog();
    SetTimer(TIMER_LOG_RELOAD, 5000, NULL);

    CRect rc;
    GetClientRect(&rc);
    LayoutControls(rc.Width(), rc.Height());
}

void CSyslogView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_LOG_RELOAD) {
        LoadLog();
        SetTimer(TIMER_LOG_RELOAD, 5000, NULL);
    }
    CFormView::OnTimer(nIDEvent);
}

// Reads the whole file again when it changed; a missing or unreadable file leaves the page as
// it is. The newest line comes first. The rows are all read before the list is touched, then
// added at its end, newest first, with drawing off and room for all of them made at once: row by
// row at the top of a visible list, a long log took minutes.
void CSyslogView::LoadLog()
{
    struct _stat status;
    if (_stat(GetLogPath(), &status) != 0)
        return;
    if (status.st_mtime == m_lastModified && status.st_size == m_lastSize)
        return;
    m_lastModified = status.st_mtime;
    m_lastSize = status.st_size;

    std::vector<LogRecord> records;
    if (!ReadLogRecords(records))
        return;
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems(RC_ITEM_ALL);
    m_list.SetItemCount((int)records.size());
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        int nRow = m_list.InsertItem(m_list.GetItemCount(), "", record->level);
        m_list.SetItemText(nRow, 1, record->time.c_str());
        m_list.SetItemText(nRow, 2, record->name.c_str());
        m_list.SetItemText(nRow, 3, record->phone.c_str());
        m_list.SetItemText(nRow, 4, record->message.c_str());
    }
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

// The rows of the file in file order. A line longer than the buffer is read in pieces, and only
// a piece that holds the five fields makes a row.
BOOL CSyslogView::ReadLogRecords(std::vector<LogRecord>& records)
{
    FILE* file = fopen(GetLogPath(), "r");
    if (file == NULL)
        return FALSE;
    char line[kLogLineMax];
    while (fgets(line, sizeof line, file) != NULL) {
        LogRecord record;
        if (ParseLogLine(line, record))
            records.push_back(std::move(record));
    }
    fclose(file);
    return TRUE;
}

void CSyslogView::OnClearLog()
{
    ClearLog();
    WriteLog(LOG_INFO, NULL, NULL, "清空日志");
    m_lastSize = -1; // the page shows the new file whatever its time stamp
    LoadLog();
}

// The copy comes first; its log line is written only when it succeeded, and a failure is
// reported.
void CSyslogView::OnExportLog()
{
    CFileDialog dlg(FALSE, "*.txt", "log.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "日志文件 (*.txt)|*.txt|所有文件 (*.*)|*.*||", this);
    if (dlg.DoModal() != IDOK)
        return;
    CString path = dlg.GetPathName();
    if (!::CopyFileA(GetLogPath(), path, FALSE)) {
        WriteLog(LOG_FAILURE, NULL, NULL, "导出日志列表到文件[%s]失败", (LPCTSTR)path);
        CString text;
        text.Format("导出日志列表到文件[%s]失败！", (LPCTSTR)path);
        MessageBox(text, NULL, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    WriteLog(LOG_INFO, NULL, NULL, "导出日志列表到文件[%s]", (LPCTSTR)path);
}

void CSyslogView::LayoutControls(int cx, int cy)
{
    int x = 5;
    int cyButton = 0;
    CWnd* buttons[] = { &m_btnClear, &m_btnExport };
    for (CWnd* pButton : buttons) {
        if (pButton->m_hWnd == NULL) {
            x += 100;
            continue;
        }
        CRect rc;
        pButton->GetWindowRect(&rc);
        cyButton = rc.Height();
        pButton->SetWindowPos(NULL, x, cy - rc.Height() - 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        x += rc.Width() + 5;
    }
    if (m_list.m_hWnd != NULL)
        m_list.MoveWindow(2, 2, cx - 4, cy - cyButton - 22);
}

void CSyslogView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    LayoutControls(cx, cy);
}

HBRUSH CSyslogView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return PageCtlColor(pDC, nCtlColor, m_brush, CFormView::OnCtlColor(pDC, pWnd, nCtlColor));
}
