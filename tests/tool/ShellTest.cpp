// The application shell: the main frame in this process, then the program itself.
#include <gtest/gtest.h>

#include "AboutView.h"
#include "DeviceView.h"
#include "DialogAnswerer.h"
#include "GOut.h"
#include "Log.h"
#include "LoginAnswerer.h"
#include "MainFrm.h"
#include "MarqtelDoc.h"
#include "ProcessCounts.h"
#include "ModemView.h"
#include "SyslogView.h"
#include "TestProfile.h"
#include "TestSupport.h"
#include "ToolTestSupport.h"
#include "resource.h"

#include <memory>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> Descendants(HWND hParent)
{
    std::vector<HWND> found;
    ::EnumChildWindows(hParent, CollectWindow, (LPARAM)&found);
    return found;
}

HWND FindDescendantByText(HWND hParent, const char* text)
{
    for (HWND hWnd : Descendants(hParent))
        if (WindowTextOf(hWnd) == text)
            return hWnd;
    return NULL;
}

class FrameTest : public ::testing::Test {
protected:
    void OpenFrame(int width)
    {
        m_doc = static_cast<CMarqtelDoc*>(RUNTIME_CLASS(CMarqtelDoc)->CreateObject());
        CCreateContext context;
        context.m_pCurrentDoc = m_doc;
        context.m_pNewViewClass = RUNTIME_CLASS(CDeviceView);
        m_frame = static_cast<CMainFrame*>(RUNTIME_CLASS(CMainFrame)->CreateObject());
        ASSERT_TRUE(m_frame->Create(NULL, "Marqtel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, width, 700), NULL,
                                    NULL, 0, &context));
        m_hFrame = m_frame->m_hWnd;
        m_frame->InitialUpdateFrame(m_doc, TRUE);
    }
    void TearDown() override
    {
        m_login.Stop();
        if (::IsWindow(m_hFrame))
            ::DestroyWindow(m_hFrame);
        delete m_doc;
    }
    int NavigationWidth()
    {
        CRect rc;
        m_frame->GetNavigationBar()->GetWindowRect(&rc);
        return rc.Width();
    }
    void Command(UINT nID) { m_frame->SendMessage(WM_COMMAND, nID); }

    TestProfile m_profile; // no modem: the start-up timer shows the device page
    // The start-up timer asks for the login: the user stored before is logged in.
    bool m_bLoginStored = (m_profile.SetLogin("op", "pw"), true);
    LoginAnswerer m_login{ ::GetCurrentProcessId(), { { "op", "pw" } } };
    CMarqtelDoc* m_doc = nullptr;
    CMainFrame* m_frame = nullptr;
    HWND m_hFrame = NULL;
};

TEST_F(FrameTest, TheNavigationPaneIs80WideUpTo1024PixelsAnd120Beyond)
{
    OpenFrame(1024);
    EXPECT_EQ(80, NavigationWidth());
    ::DestroyWindow(m_hFrame);
    delete m_doc;
    OpenFrame(1025);
    EXPECT_EQ(120, NavigationWidth());
}

TEST_F(FrameTest, TheFrameShowsTheCaptionBarTheTwoFoldersAndTheContactPage)
{
    OpenFrame(1000);
    EXPECT_TRUE(m_frame->GetRightPage()->IsKindOf(RUNTIME_CLASS(CAboutView)));

    HWND hCapBar = ::GetDlgItem(m_hFrame, 5000);
    ASSERT_NE(HWND(NULL), hCapBar);
    CRect rcCap;
    ::GetClientRect(hCapBar, &rcCap);
    EXPECT_EQ(32, rcCap.Height());
    const char* captions[] = { "新建设备  ", "删除设备  ", "查询状态  ", "保存设备列表  ", "修改用户资料  ", "关于  " };
    for (const char* caption : captions)
        EXPECT_NE(HWND(NULL), FindDescendantByText(hCapBar, caption)) << caption;
    CGuiToolButton* pQuery = static_cast<CGuiToolButton*>(CWnd::FromHandle(::GetDlgItem(
        ::GetDlgItem(::GetDlgItem(hCapBar, 1), 1), ID_QUERY_STATUS)));
    ASSERT_NE(nullptr, pQuery);
    EXPECT_STREQ("通过短信查询设备的信号等工作状态", pQuery->GetToolTip());

    CGOut* pNavigation = m_frame->GetNavigationBar();
    ASSERT_NE(nullptr, pNavigation);
    ASSERT_EQ(2, pNavigation->m_wndFolder.GetCountFolder());
    EXPECT_STREQ("设备管理", pNavigation->m_wndFolder.GetFolderTitle(0));
    EXPECT_STREQ("系统维护", pNavigation->m_wndFolder.GetFolderTitle(1));
    EXPECT_EQ(0, pNavigation->m_wndFolder.GetSelectedFolder());
    EXPECT_TRUE(pNavigation->m_wndDeviceList.IsWindowVisible());
    EXPECT_FALSE(pNavigation->m_wndSystemList.IsWindowVisible());
    EXPECT_EQ(3, pNavigation->m_wndDeviceList.GetItemCount());
    EXPECT_EQ(3, pNavigation->m_wndSystemList.GetItemCount());

    // Status bar and caption bar show; the menu bar and tool bar do not, nor does a menu.
    EXPECT_TRUE(m_frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_FALSE(m_frame->m_wndMenuBar.IsWindowVisible());
    EXPECT_FALSE(m_frame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(5, m_frame->m_wndToolBar.GetButtonCount()); // four buttons and a separator
    EXPECT_EQ(HMENU(NULL), ::GetMenu(m_hFrame));
}

TEST_F(FrameTest, TheStartUpTimerPutsTheDevicePageInPlace)
{
    OpenFrame(1000);
    Pump(400);
    EXPECT_TRUE(m_frame->GetRightPage()->IsKindOf(RUNTIME_CLASS(CDeviceView)));
}

TEST_F(FrameTest, EachNavigationItemShowsItsPageAndTheSamePageTwiceIsKept)
{
    OpenFrame(1000);
    CGOut* pNavigation = m_frame->GetNavigationBar();
    struct Item {
        const char* folder;
        CGuiVuzEvek* pList;
        int nIndex;
        CRuntimeClass* pPage;
    } items[] = {
        { "系统维护", &pNavigation->m_wndSystemList, 0, RUNTIME_CLASS(CModemView) },
        { "系统维护", &pNavigation->m_wndSystemList, 1, RUNTIME_CLASS(CSyslogView) },
        { "系统维护", &pNavigation->m_wndSystemList, 2, RUNTIME_CLASS(CAboutView) },
        { "设备管理", &pNavigation->m_wndDeviceList, 0, RUNTIME_CLASS(CDeviceView) },
    };
    for (const Item& item : items) {
        // The folder's title opens the folder; its items then show.
        ::SendMessageA(FindDescendantByText(pNavigation->m_hWnd, item.folder), BM_CLICK, 0, 0);
        ASSERT_TRUE(item.pList->IsWindowVisible()) << item.folder;
        item.pList->GetItem(item.nIndex)->SendMessage(BM_CLICK);
        CWnd* pPage = m_frame->GetRightPage();
        ASSERT_NE(nullptr, pPage);
        EXPECT_TRUE(pPage->IsKindOf(item.pPage)) << item.pPage->m_lpszClassName;
        HWND hPage = pPage->m_hWnd;
        item.pList->GetItem(item.nIndex)->SendMessage(BM_CLICK);
        EXPECT_EQ(hPage, m_frame->GetRightPage()->m_hWnd) << item.pPage->m_lpszClassName;
        EXPECT_EQ(m_doc, static_cast<CView*>(m_frame->GetRightPage())->GetDocument());
    }
    // Another page and back makes the page anew.
    HWND hDevices = m_frame->GetRightPage()->m_hWnd;
    Command(ID_SHOW_CONTACT);
    Command(ID_SHOW_DEVICES);
    EXPECT_NE(hDevices, m_frame->GetRightPage()->m_hWnd);
}

TEST_F(FrameTest, ToolBarCommandsShowTheDevicePageAndTheStylesSwitch)
{
    OpenFrame(1000);
    DialogAnswerer answerer(::GetCurrentThreadId(), "", IDOK); // the delete command has nothing to delete
    UINT deviceCommands[] = { ID_NEW_DEVICE, ID_DELETE_DEVICES, ID_QUERY_STATUS };
    for (UINT nID : deviceCommands) {
        Command(ID_SHOW_CONTACT);
        HWND hButton = FindDescendantByText(::GetDlgItem(m_hFrame, 5000),
                                            nID == ID_NEW_DEVICE ? "新建设备  "
                                            : nID == ID_DELETE_DEVICES ? "删除设备  " : "查询状态  ");
        ::SendMessageA(hButton, BM_CLICK, 0, 0);
        EXPECT_TRUE(m_frame->GetRightPage()->IsKindOf(RUNTIME_CLASS(CDeviceView))) << nID;
    }
    Command(ID_STYLE_GREY);
    EXPECT_EQ((DWORD)GUISTYLE_XP, GuiDrawLayer::m_Style);
    Command(ID_STYLE_BLUE);
    EXPECT_EQ((DWORD)GUISTYLE_2003, GuiDrawLayer::m_Style);
}

// The page made at a switch fills the right pane beside the navigation bar, and keeps filling it
// when the frame changes size.
TEST_F(FrameTest, ASwitchedPageFillsTheRightPaneAndFollowsTheFrame)
{
    OpenFrame(1000);
    auto expectPageFillsRightPane = [&](const char* when) {
        CRect rcSplitter, rcNavigation, rcPage;
        ::GetWindowRect(::GetParent(m_frame->GetRightPage()->m_hWnd), &rcSplitter);
        m_frame->GetNavigationBar()->GetWindowRect(&rcNavigation);
        m_frame->GetRightPage()->GetWindowRect(&rcPage);
        EXPECT_GT(rcPage.left, rcNavigation.right) << when;
        EXPECT_LT(rcPage.left - rcNavigation.right, 10) << when;
        EXPECT_EQ(rcSplitter.right, rcPage.right) << when;
        EXPECT_EQ(rcSplitter.top, rcPage.top) << when;
        EXPECT_EQ(rcSplitter.bottom, rcPage.bottom) << when;
    };
    Command(ID_SHOW_SYSLOG);
    expectPageFillsRightPane("after the switch");
    m_frame->MoveWindow(0, 0, 800, 500);
    expectPageFillsRightPane("after a resize");
    Command(ID_SHOW_MODEM);
    expectPageFillsRightPane("after a second switch");
}

// An export writes the file but leaves the list as changed as it was; an import marks it changed.
// The log tells of each only once the file was written or read.
TEST_F(FrameTest, ExportKeepsTheListChangedImportMarksItAndTheLogFollowsTheOutcome)
{
    CloseLog();
    ::DeleteFileA(GetLogPath());
    OpenLog();
    OpenFrame(1000);
    std::string target = TempPath("exported-devices.csv");
    ::DeleteFileA(target.c_str());

    m_doc->SetModifiedFlag(TRUE);
    {
        DialogAnswerer answerer(::GetCurrentThreadId(), target);
        Command(ID_EXPORT_DEVICES);
        answerer.Stop();
        EXPECT_EQ(1, answerer.m_fileDialogs);
    }
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(target.c_str()));
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_TRUE(m_frame->GetRightPage()->IsKindOf(RUNTIME_CLASS(CDeviceView)));

    m_doc->SetModifiedFlag(FALSE);
    {
        DialogAnswerer answerer(::GetCurrentThreadId(), target);
        Command(ID_IMPORT_DEVICES);
    }
    EXPECT_TRUE(m_doc->IsModified());

    std::string unreachable = TempPath("no-such-folder\\devices.csv");
    m_doc->SetModifiedFlag(FALSE);
    {
        DialogAnswerer answerer(::GetCurrentThreadId(), unreachable);
        Command(ID_EXPORT_DEVICES);
        answerer.Stop();
        EXPECT_EQ(1u, answerer.m_messages.size()); // the document reports the failed write
    }
    EXPECT_FALSE(m_doc->IsModified());

    std::string log = ReadFileBytes(GetLogPath());
    EXPECT_NE(std::string::npos, log.find("|||导出设备列表到文件[" + target + "]\r\n"));
    EXPECT_NE(std::string::npos, log.find("|||从文件[" + target + "]中导入设备列表\r\n"));
    EXPECT_EQ(std::string::npos, log.find("|||导出设备列表到文件[" + unreachable + "]\r\n"));
    EXPECT_NE(std::string::npos, log.find("|||导出设备列表到文件[" + unreachable + "]失败\r\n"));
    CloseLog();
    ::DeleteFileA(target.c_str());
}

// Closing a changed list asks whether to save it; Cancel keeps the frame, No closes it.
TEST_F(FrameTest, ClosingAChangedListAsksFirstAndCancelKeepsTheFrame)
{
    OpenFrame(1000);
    m_doc->SetModifiedFlag(TRUE);
    {
        DialogAnswerer answerer(::GetCurrentThreadId(), "", IDCANCEL);
        m_frame->SendMessage(WM_CLOSE);
        answerer.Stop();
        ASSERT_EQ(1u, answerer.m_messages.size());
        EXPECT_EQ("设备列表已被更改，是否需要保存？", answerer.m_messages[0]);
        EXPECT_EQ("提示", answerer.m_captions[0]);
    }
    ASSERT_TRUE(::IsWindow(m_hFrame));
    EXPECT_TRUE(m_doc->IsModified());
    {
        DialogAnswerer answerer(::GetCurrentThreadId(), "", IDNO);
        m_frame->SendMessage(WM_CLOSE);
        answerer.Stop();
        EXPECT_EQ(1u, answerer.m_messages.size());
    }
    EXPECT_FALSE(::IsWindow(m_hFrame));
}

// The wait of the modem exchanges and of the save message: what arrives meanwhile is handled,
// and a quiet queue does not hold it past its time.
TEST_F(FrameTest, DelayHandlesMessagesAndEndsOnAQuietQueue)
{
    OpenFrame(1000);
    Pump(300); // the start-up timer has had its turn
    m_frame->PostMessage(WM_COMMAND, ID_SHOW_SYSLOG);
    DWORD dwStart = ::GetTickCount();
    EXPECT_EQ(0, m_frame->Delay(200));
    EXPECT_TRUE(m_frame->GetRightPage()->IsKindOf(RUNTIME_CLASS(CSyslogView)));

    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    ::KillTimer(m_frame->GetRightPage()->m_hWnd, TIMER_LOG_RELOAD);
    UINT_PTR nGuard = ::SetTimer(NULL, 0, 4000, NULL); // ends a wait for a message that never comes
    dwStart = ::GetTickCount();
    m_frame->Delay(200);
    DWORD dwWaited = ::GetTickCount() - dwStart;
    ::KillTimer(NULL, nGuard);
    EXPECT_GE(dwWaited, 200u);
    EXPECT_LT(dwWaited, 3000u);
}

// The frame owns the modem port: destroying the frame closes the port, even while the port's
// monitor waits for the frame to take its notice of received bytes, and the monitor thread ends.
TEST_F(FrameTest, TheModemPortClosesWithTheFrame)
{
    int nPort = 0, nPeerPort = 0;
    ASSERT_TRUE(FirstSerialPair(nPort, nPeerPort)) << "run with a serial pair (SERIAL_PAIRS)";

    // Warm up once: the system keeps some handles of its own after the first use of the ports.
    HANDLE hPeer = ::CreateFileA(("\\\\.\\COM" + std::to_string(nPeerPort)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL,
                                 OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hPeer);
    {
        CSerialPort scratch;
        ASSERT_TRUE(scratch.InitPort(NULL, nPort, 9600, 'N', 8, 1, 0, EV_RXCHAR, 10240, 512));
    }

    OpenFrame(1000);
    int nHandlesBefore = ProcessHandleCount();
    ASSERT_GT(nHandlesBefore, 0);
    std::set<DWORD> threadsBefore = ProcessThreadIds();
    ASSERT_TRUE(m_frame->m_Port.InitPort(m_frame, nPort, 9600, 'N', 8, 1, 0, EV_RXCHAR, 10240, 512));
    ASSERT_TRUE(m_frame->m_Port.StartMonitoring());
    std::set<DWORD> monitor = NewThreadIds(threadsBefore, ProcessThreadIds());
    EXPECT_FALSE(monitor.empty());
    EXPECT_GT(ProcessHandleCount(), nHandlesBefore);
    DWORD dwWritten = 0;
    ::WriteFile(hPeer, "+CMTI: \"SM\",1\r\n", 15, &dwWritten, NULL);
    ::Sleep(300); // the monitor now waits in its notice of the first byte

    ::DestroyWindow(m_hFrame);
    std::set<DWORD> threadsAfter = ProcessThreadIds();
    for (DWORD id : monitor)
        EXPECT_EQ(0u, threadsAfter.count(id)) << "the monitor thread outlived the frame";
    EXPECT_LE(ProcessHandleCount(), nHandlesBefore);
    ::CloseHandle(hPeer);
}

// ---------------------------------------------------------------------------------------------
// The program: a copy in a folder of its own, so that its log and devices folder are fresh.

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char exe[MAX_PATH];
        ::GetModuleFileNameA(NULL, exe, MAX_PATH);
        std::string source = exe;
        source = source.substr(0, source.find_last_of('\\') + 1) + MARQTEL_EXE;
        m_folder = TempPath("marqtel-shell-" + std::to_string(::GetCurrentProcessId()));
        ::CreateDirectoryA(m_folder.c_str(), NULL);
        m_exe = m_folder + "\\Marqtel.exe";
        m_processes.reserve(4); // Start hands out references into the list
        ASSERT_TRUE(::CopyFileA(source.c_str(), m_exe.c_str(), FALSE));
        SetProgramModemPort(-1);
        SetProgramLogin("op", "pw");
    }
    void TearDown() override
    {
        for (PROCESS_INFORMATION& pi : m_processes) {
            if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(pi.hProcess, 1);
            ::CloseHandle(pi.hProcess);
            ::CloseHandle(pi.hThread);
        }
        ::DeleteFileA(m_exe.c_str());
        ::DeleteFileA((m_folder + "\\log.txt").c_str());
        ::RemoveDirectoryA((m_folder + "\\devices").c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }
    PROCESS_INFORMATION& Start()
    {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::string commandLine = "\"" + m_exe + "\"";
        EXPECT_TRUE(::CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, m_folder.c_str(), &si, &pi));
        m_processes.push_back(pi);
        m_logins.emplace_back(new LoginAnswerer(pi.dwProcessId, { { "op", "pw" } }));
        return m_processes.back();
    }
    // A visible top-level window of the process: the dialog with the caption, or the frame. It
    // is given a moment once found: the frame shows before it maximizes itself.
    static HWND FindWindowOf(DWORD processId, const char* dialogCaption, DWORD dwTimeout)
    {
        auto wanted = [dialogCaption](HWND hWnd) {
            bool isDialog = WindowClassOf(hWnd) == "#32770";
            std::string title = WindowTextOf(hWnd);
            return dialogCaption ? isDialog && title == dialogCaption
                                 : !isDialog && title.find("Marqtel") != std::string::npos;
        };
        HWND hFound = WaitForProcessWindow(processId, wanted, (int)dwTimeout);
        ::Sleep(100);
        return hFound;
    }
    std::string Log() { return ReadFileBytes(m_folder + "\\log.txt"); }
    static int Count(const std::string& text, const std::string& part)
    {
        int n = 0;
        for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1))
            ++n;
        return n;
    }

    std::string m_folder, m_exe;
    std::vector<PROCESS_INFORMATION> m_processes;
    std::vector<std::unique_ptr<LoginAnswerer>> m_logins;
};

TEST_F(ProgramTest, ASecondStartIsRefusedAndBothStartsAreLogged)
{
    PROCESS_INFORMATION& first = Start();
    HWND hFrame = FindWindowOf(first.dwProcessId, NULL, 20000);
    ASSERT_NE(HWND(NULL), hFrame);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((m_folder + "\\devices").c_str()));
    EXPECT_TRUE(::IsZoomed(hFrame));

    PROCESS_INFORMATION& second = Start();
    HWND hBox = FindWindowOf(second.dwProcessId, "提示", 20000);
    ASSERT_NE(HWND(NULL), hBox);
    char text[512] = "";
    ::GetDlgItemTextA(hBox, 0xFFFF, text, sizeof text);
    EXPECT_STREQ("已经启动了一个相同的程序，不能同时运行多个相同程序，本程序将自动退出！", text);
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(second.hProcess, 20000));
    std::string log = Log();
    EXPECT_EQ(2, Count(log, "|||系统启动\r\n"));
    EXPECT_EQ(1, Count(log, "|||系统退出\r\n"));

    ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(first.hProcess, 20000));
    log = Log();
    EXPECT_EQ(2, Count(log, "|||系统退出\r\n"));
    EXPECT_EQ(log.size() - strlen("|||系统退出\r\n"), log.rfind("|||系统退出\r\n"));
}

// A frame command that neither the pages nor the frame handle reaches the application object.
TEST_F(ProgramTest, TheAboutCommandReachesTheApplication)
{
    PROCESS_INFORMATION& program = Start();
    HWND hFrame = FindWindowOf(program.dwProcessId, NULL, 20000);
    ASSERT_NE(HWND(NULL), hFrame);
    ::PostMessageA(hFrame, WM_COMMAND, ID_APP_ABOUT, 0);
    HWND hAbout = FindWindowOf(program.dwProcessId, "About Marqtel", 20000);
    ASSERT_NE(HWND(NULL), hAbout);
    EXPECT_NE(HWND(NULL), FindDescendantByText(hAbout, "Marqtel Version 1.0"));
    ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 200 && ::IsWindow(hAbout); ++i)
        ::Sleep(50);
    EXPECT_FALSE(::IsWindow(hAbout));
    ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(program.hProcess, 20000));
}

} // namespace
