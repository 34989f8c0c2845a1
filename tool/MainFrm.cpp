#include "MainFrm.h"

#include "AboutView.h"
#include "DeviceView.h"
#include "GOut.h"
#include "Log.h"
#include "Marqtel.h"
#include "MarqtelDoc.h"
#include "ModemView.h"
#include "ProgressDlg.h"
#include "SyslogView.h"
#include "afxdlgs.h"
#include "resource.h"

#include <shellapi.h>

IMPLEMENT_DYNCREATE(CMainFrame, CGuiFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CGuiFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_SYSCOLORCHANGE()
    ON_COMMAND(ID_NEW_DEVICE, OnNewDevice)
    ON_COMMAND(ID_DELETE_DEVICES, OnDeleteDevices)
    ON_COMMAND(ID_QUERY_STATUS, OnQueryStatus)
    ON_COMMAND(ID_SAVE_DEVICES, OnSaveDevices)
    ON_COMMAND(ID_CHANGE_USER, OnChangeUser)
    ON_COMMAND(ID_OPEN_WEB_PAGE, OnOpenWebPage)
    ON_COMMAND(ID_SHOW_DEVICES, ShowDeviceView)
    ON_COMMAND(ID_IMPORT_DEVICES, OnImportDevices)
    ON_COMMAND(ID_EXPORT_DEVICES, OnExportDevices)
    ON_COMMAND(ID_SHOW_MODEM, ShowModemView)
    ON_COMMAND(ID_SHOW_SYSLOG, ShowSyslogView)
    ON_COMMAND(ID_SHOW_CONTACT, ShowAboutView)
    ON_COMMAND(ID_APP_CLOSE, OnAppClose)
    ON_COMMAND(ID_STYLE_BLUE, OnColorStyleBlue)
    ON_COMMAND(ID_STYLE_GREY, OnColorStyleGrey)
    ON_MESSAGE(WM_SERIAL_RXCHAR, OnSerialRxChar)
    ON_MESSAGE(WM_MODEM_RESTART, OnModemRestart)
END_MESSAGE_MAP()

static const UINT kIndicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
static const COLORREF kMaskRed = RGB(255, 0, 0);
static const char kWebPage[] = "http://www.dovrane.example/";

CMainFrame::CMainFrame()
    : m_pProgressDlg(NULL), m_bSending(0), m_nExchange(EXCHANGE_NONE), m_bCallOffAllowed(TRUE),
      m_bCloseAfterExchange(FALSE), m_bRestartAfterExchange(FALSE), m_bProgramEnding(FALSE),
      m_nBusy(0), m_dwModemStep(ModemStepSetting()), m_nInputDropped(0), m_bModemSetupLost(FALSE),
      m_bPollFailureReported(FALSE)
{
}

CMainFrame::~CMainFrame()
{
    delete m_pProgressDlg;
    m_pProgressDlg = NULL;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    CGuiFrameWnd::PreCreateWindow(cs);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CGuiFrameWnd::OnCreate(lpcs) == -1)
        return -1;

    // Only the status bar and the caption bar show; the menu bar and tool bar stay hidden.
    InitMenu(IDR_MAINFRAME);
    InitToolBar(IDR_MAINFRAME);
    InitStatusBar(kIndicators, 4);
    EnableDocking(CBRS_ALIGN_ANY);
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndToolBar);
    ShowControlBar(&m_wndMenuBar, FALSE, FALSE);
    ShowControlBar(&m_wndToolBar, FALSE, FALSE);

    if (!m_wndCapBar.Create(WS_CHILD | WS_VISIBLE, this, 5000, 32)) {
        TRACE0("Failed to create caption bar\n");
        return 0;
    }
    if (!m_wndCapBar.SetSplitter(&m_wndMiniSplitter))
        return 0;

    m_wndMiniSplitter.AddMiniToolLeft(&m_wndToolLeft);
    m_wndMiniSplitter.AddMiniToolRight(&m_wndToolRight);
    m_wndToolLeft.SetImageList(IDB_TOOL_IMAGES, 16, 11, kMaskRed);
    m_wndToolRight.SetImageList(IDB_TOOL_IMAGES, 16, 11, kMaskRed);
    m_wndToolLeft.AddButton(0, ID_NEW_DEVICE, NULL, "新建设备  ", "创建一个新设备");
    m_wndToolLeft.AddButton(2, ID_DELETE_DEVICES, NULL, "删除设备  ", "删除选中的设备");
    m_wndToolLeft.AddButton(3, ID_QUERY_STATUS, NULL, "查询状态  ", "通过短信查询设备的信号等工作状态");
    m_wndToolLeft.AddButton(4, ID_SAVE_DEVICES, NULL, "保存设备列表  ", "保存对设备列表的修改");
    m_wndToolRight.AddButton(8, ID_CHANGE_USER, NULL, "修改用户资料  ", "修改登录用户的用户名和密码");
    m_wndToolRight.AddButton(10, ID_OPEN_WEB_PAGE, NULL, "关于  ", "访问Dovrane公司的网站");
    m_wndToolLeft.AutoSize(TRUE);
    m_wndToolRight.AutoSize(TRUE);
    m_wndToolLeft.RecalLayout();
    m_wndToolRight.RecalLayout();
    m_wndMiniSplitter.RecalLayout();

    COLORREF shadow = GuiDrawLayer::GetRGBColorShadow(GuiDrawLayer::m_Style);
    COLORREF highlight = GuiDrawLayer::GetRGBColorBTNHigh();
    m_wndToolLeft.SetColor(shadow);
    m_wndToolRight.SetColor(shadow);
    sProfile = "Marqtel";
    m_wndMiniSplitter.SetColor(shadow, highlight);
    m_wndToolRight.SetColorCaption(highlight);

    OnColorStyle(GUISTYLE_2003);
    RecalcLayout();
    SetTimer(TIMER_STARTUP, 100, NULL);
    return 0;
}

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    CRect rcFrame;
    GetWindowRect(&rcFrame);
    if (!m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST)) {
        TRACE0("Failed to create splitter window\n");
        return FALSE;
    }
    int cxNavigation = rcFrame.Width() <= 1024 ? 80 : 120;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CGOut), CSize(cxNavigation, 0), pContext) ||
        !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CAboutView), CSize(90, 0), pContext)) {
        TRACE0("Failed to create CGOut\n");
        return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// The right pane: one page at a time, made anew when another page was showing.

BOOL CMainFrame::ShowPage(CRuntimeClass* pPageClass)
{
    CWnd* pPage = GetRightPage();
    if (pPage != NULL && pPage->IsKindOf(pPageClass))
        return TRUE;
    m_wndSplitter.DeleteView(0, 1);
    if (!m_wndSplitter.CreateView(0, 1, pPageClass, CSize(90, 0), NULL)) {
        TRACE0("Failed to create CGOut\n");
        return FALSE;
    }
    m_wndSplitter.RecalcLayout();
    return TRUE;
}

void CMainFrame::ShowDeviceView()
{
    ShowPage(RUNTIME_CLASS(CDeviceView));
}

void CMainFrame::ShowModemView()
{
    ShowPage(RUNTIME_CLASS(CModemView));
}

void CMainFrame::ShowSyslogView()
{
    ShowPage(RUNTIME_CLASS(CSyslogView));
}

void CMainFrame::ShowAboutView()
{
    ShowPage(RUNTIME_CLASS(CAboutView));
}

CDeviceView* CMainFrame::GetDeviceView() const
{
    CWnd* pPage = GetRightPage();
    return pPage != NULL && pPage->IsKindOf(RUNTIME_CLASS(CDeviceView)) ? static_cast<CDeviceView*>(pPage) : NULL;
}

CGOut* CMainFrame::GetNavigationBar() const
{
    CWnd* pPane = m_wndSplitter.GetPane(0, 0);
    return pPane != NULL && pPane->IsKindOf(RUNTIME_CLASS(CGOut)) ? static_cast<CGOut*>(pPane) : NULL;
}

// ---------------------------------------------------------------------------------------------
// Start-up: login, then the modem, then the device page (or the modem page when the modem
// does not answer).

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_STARTUP) {
        KillTimer(TIMER_STARTUP);
        CBusyScope busy(this);
        if (!LoginAtStartup()) {
            OnAppClose();
            return;
        }
        if (InitSmsModem() < 0) {
            if (CGOut* pNavigation = GetNavigationBar())
                pNavigation->m_wndFolder.SelectFolder(1);
            ShowModemView();
        } else {
            ShowDeviceView();
        }
    } else if (nIDEvent == TIMER_SMS_POLL) {
        OnPollTimer();
    } else if (nIDEvent == TIMER_MODEM_INPUT) {
        TakePortInput();
    }
    CGuiFrameWnd::OnTimer(nIDEvent);
}

// ---------------------------------------------------------------------------------------------
// Colours.

void CMainFrame::OnColorStyle(DWORD dwStyle)
{
    GuiDrawLayer::m_Style = dwStyle;
    StyleDispl(dwStyle);
    m_wndToolLeft.StyleDispl(dwStyle);
    m_wndToolRight.StyleDispl(dwStyle);
    m_wndCapBar.StyleDispl(dwStyle);
    m_wndSplitter.StyleDispl(dwStyle);
    if (CGOut* pNavigation = GetNavigationBar())
        pNavigation->m_wndFolder.StyleDispl(dwStyle);
}

void CMainFrame::OnSysColorChange()
{
    CGuiFrameWnd::OnSysColorChange();
    COLORREF shadow = GuiDrawLayer::GetRGBColorShadow(GuiDrawLayer::m_Style);
    m_wndMiniSplitter.SetColor(shadow, GuiDrawLayer::GetRGBColorBTNHigh());
    m_wndToolLeft.SetColor(shadow);
    m_wndToolRight.SetColor(shadow);
}

// ---------------------------------------------------------------------------------------------
// Commands.

void CMainFrame::OnNewDevice()
{
    ShowDeviceView();
    if (CDeviceView* pPage = GetDeviceView())
        pPage->AddNewDevice();
}

void CMainFrame::OnDeleteDevices()
{
    ShowDeviceView();
    if (CDeviceView* pPage = GetDeviceView())
        pPage->DeleteSelectedDevices();
}

void CMainFrame::OnQueryStatus()
{
    ShowDeviceView();
    if (CDeviceView* pPage = GetDeviceView())
        pPage->QueryCheckedDevices(FALSE);
}

// The saved notice shows only when devices.csv was written; a failed write has been reported.
void CMainFrame::OnSaveDevices()
{
    ShowDeviceView();
    if (CDeviceView* pPage = GetDeviceView())
        pPage->CommitDevicePage();
    CMarqtelDoc* pDoc = DYNAMIC_DOWNCAST(CMarqtelDoc, GetActiveDocument());
    if (pDoc == NULL || !pDoc->SaveDeviceList())
        return;
    ShowProgress("设备列表已保存！", 1, 3);
    Delay(3000);
    ShowProgress("", 0, 0);
}

void CMainFrame::OnOpenWebPage()
{
    ::ShellExecuteA(NULL, "open", kWebPage, NULL, NULL, SW_SHOWNORMAL);
}

static const char kDeviceListFilter[] = "设备列表文件 (*.csv)|*.csv|所有文件 (*.*)|*.*||";

// The log tells of an import or export only once it has happened; a file that cannot be read or
// written is reported by the document and logged as a failure.
void CMainFrame::OnImportDevices()
{
    ShowDeviceView();
    CFileDialog dlg(TRUE, "*.csv", "devices.csv", 0, kDeviceListFilter, this);
    CDocument* pDoc = GetActiveDocument();
    if (dlg.DoModal() != IDOK || pDoc == NULL)
        return;
    CString path = dlg.GetPathName();
    if (pDoc->OnOpenDocument(path))
        WriteLog(LOG_INFO, NULL, NULL, "从文件[%s]中导入设备列表", (LPCTSTR)path);
    else
        WriteLog(LOG_FAILURE, NULL, NULL, "从文件[%s]中导入设备列表失败", (LPCTSTR)path);
    // Even a file that failed half-way may have added devices: the list counts as changed.
    pDoc->SetModifiedFlag(TRUE);
    if (CDeviceView* pPage = GetDeviceView())
        pPage->FillDeviceList();
}

// An export does not count as saving the list: the list keeps its modified state.
void CMainFrame::OnExportDevices()
{
    ShowDeviceView();
    CDocument* pDoc = GetActiveDocument();
    BOOL bModified = pDoc != NULL && pDoc->IsModified();
    CFileDialog dlg(FALSE, "*.csv", "devices.csv", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kDeviceListFilter, this);
    if (dlg.DoModal() != IDOK || pDoc == NULL)
        return;
    CString path = dlg.GetPathName();
    if (pDoc->OnSaveDocument(path))
        WriteLog(LOG_INFO, NULL, NULL, "导出设备列表到文件[%s]", (LPCTSTR)path);
    else
        WriteLog(LOG_FAILURE, NULL, NULL, "导出设备列表到文件[%s]失败", (LPCTSTR)path);
    pDoc->SetModifiedFlag(bModified);
}

// Closing goes through the usual close (the device list's save question) after the current
// message is done, so no handler runs on a frame that is gone.
void CMainFrame::OnAppClose()
{
    PostMessage(WM_CLOSE);
}
