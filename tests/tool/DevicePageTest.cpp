// The device page in the main frame, in this process, over real files in a folder of its own:
// the list, the page's groups, committing, the configuration files and devices.csv.
#include <gtest/gtest.h>

#include "DeviceView.h"
#include "DialogAnswerer.h"
#include "Log.h"
#include "MainFrm.h"
#include "Marqtel.h"
#include "MarqtelDoc.h"
#include "ProgressDlg.h"
#include "TestSupport.h"
#include "ToolTestSupport.h"
#include "resource.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The texts the frame's progress pop-up shows, noted from a timer while an action runs.
CMainFrame* g_pNoticeFrame = nullptr;
std::vector<std::string> g_notices;

void CALLBACK NoteNotice(HWND, UINT, UINT_PTR, DWORD)
{
    CProgressDlg* pPopUp = g_pNoticeFrame->m_pProgressDlg;
    if (pPopUp == nullptr || !pPopUp->IsWindowVisible())
        return;
    CString text;
    pPopUp->GetDlgItemText(IDC_PROGRESS_TEXT, text);
    if (g_notices.empty() || g_notices.back() != (LPCTSTR)text)
        g_notices.push_back((LPCTSTR)text);
}

const char kHeader[] = "设备名称,序列号,手机号码,设备型号,软件版本,信号质量\n";

BOOL CALLBACK CollectText(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::set<std::string>*>(lParam)->insert(WindowTextOf(hWnd));
    return TRUE;
}

class DevicePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int s_run = 0;
        m_folder = TempPath("marqtel-devices-" + std::to_string(::GetCurrentProcessId()) + "-" +
                            std::to_string(++s_run));
        ::CreateDirectoryA(m_folder.c_str(), NULL);
        ::CreateDirectoryA((m_folder + "\\devices").c_str(), NULL);
        theApp.m_strAppPath = m_folder.c_str();
        OpenLog();
    }
    void TearDown() override
    {
        Close();
        for (const std::string& name : DeviceFolderFiles())
            ::DeleteFileA((m_folder + "\\devices\\" + name).c_str());
        ::RemoveDirectoryA((m_folder + "\\devices").c_str());
        ::DeleteFileA((m_folder + "\\devices.csv").c_str());
        ::RemoveDirectoryA(m_folder.c_str());
        CloseLog();
    }
    // The program's start: the document reads devices.csv, the frame shows the device page.
    void Open(const std::string& deviceLines = "")
    {
        if (!deviceLines.empty())
            WriteFile(m_folder + "\\devices.csv", kHeader + deviceLines);
        m_doc = static_cast<CMarqtelDoc*>(RUNTIME_CLASS(CMarqtelDoc)->CreateObject());
        ASSERT_TRUE(m_doc->OnNewDocument());
        CCreateContext context;
        context.m_pCurrentDoc = m_doc;
        m_frame = static_cast<CMainFrame*>(RUNTIME_CLASS(CMainFrame)->CreateObject());
        ASSERT_TRUE(m_frame->Create(NULL, "Marqtel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1280, 1000), NULL,
                                    NULL, 0, &context));
        m_hFrame = m_frame->m_hWnd;
        ::KillTimer(m_hFrame, TIMER_STARTUP); // no login or modem here
        m_frame->InitialUpdateFrame(m_doc, TRUE);
        Command(ID_SHOW_DEVICES);
        m_page = m_frame->GetDeviceView();
        ASSERT_NE(nullptr, m_page);
    }
    void Close()
    {
        if (::IsWindow(m_hFrame))
            ::DestroyWindow(m_hFrame);
        delete m_doc;
        m_doc = nullptr;
    }
    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD dwWritten = 0;
        ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &dwWritten, NULL);
        ::CloseHandle(h);
    }
    std::string IniPath(const std::string& name) { return m_folder + "\\devices\\" + name + ".ini"; }
    // The files in the devices folder.
    std::vector<std::string> DeviceFolderFiles()
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE hFind = ::FindFirstFileA((m_folder + "\\devices\\*").c_str(), &found);
        for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &found))
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        ::FindClose(hFind);
        return names;
    }
    std::string Ini(const std::string& name, const char* section, const char* key)
    {
        char value[256] = "";
        ::GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, IniPath(name).c_str());
        return value;
    }
    void Command(UINT nID) { m_frame->SendMessage(WM_COMMAND, nID); }
    HWND Item(int nID) { return ::GetDlgItem(m_page->m_hWnd, nID); }
    std::string Text(int nID) { return WindowTextOf(Item(nID)); }
    void SetText(int nID, const std::string& text) { ::SendMessageA(Item(nID), WM_SETTEXT, 0, (LPARAM)text.c_str()); }
    void Click(int nID) { ::SendMessageA(Item(nID), BM_CLICK, 0, 0); }
    bool Enabled(int nID) { return ::IsWindowEnabled(Item(nID)) != FALSE; }
    int Selection(int nID) { return (int)::SendMessageA(Item(nID), CB_GETCURSEL, 0, 0); }
    void Select(int nID, int nIndex) { ::SendMessageA(Item(nID), CB_SETCURSEL, nIndex, 0); }
    // A click on the row's name, as a user selects a device.
    void ClickRow(int nRow, UINT nKeys = 0)
    {
        CRect rc;
        m_page->m_list.GetSubItemRect(nRow, 1, LVIR_BOUNDS, rc);
        CPoint point = rc.CenterPoint();
        m_page->m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nKeys, MAKELPARAM(point.x, point.y));
        m_page->m_list.SendMessage(WM_LBUTTONUP, nKeys, MAKELPARAM(point.x, point.y));
    }
    std::string RowName(int nRow) { return (LPCTSTR)m_page->m_list.GetItemText(nRow, 1); }
    int Rows() { return m_page->m_list.GetItemCount(); }
    // Runs the command or click while a second thread answers its message boxes.
    template <class Action>
    std::vector<std::string> Answering(int nButton, Action action, const std::string& path = "")
    {
        DialogAnswerer answerer(::GetCurrentThreadId(), path, nButton);
        action();
        answerer.Stop();
        m_lastCaptions = answerer.m_captions;
        return answerer.m_messages;
    }

    // The notices shown in the progress pop-up while the action ran.
    template <class Action>
    std::vector<std::string> Notices(Action action)
    {
        g_pNoticeFrame = m_frame;
        g_notices.clear();
        UINT_PTR nTimer = ::SetTimer(NULL, 0, 100, NoteNotice);
        action();
        ::KillTimer(NULL, nTimer);
        return g_notices;
    }

    std::string m_folder;
    CMarqtelDoc* m_doc = nullptr;
    CMainFrame* m_frame = nullptr;
    HWND m_hFrame = NULL;
    CDeviceView* m_page = nullptr;
    std::vector<std::string> m_lastCaptions;
};

TEST_F(DevicePageTest, TheTemplateCarriesEveryCaptionLabelAndListItem)
{
    Open();
    std::set<std::string> texts;
    ::EnumChildWindows(m_page->m_hWnd, CollectText, (LPARAM)&texts);
    const char* expected[] = {
        "读取配置", "强制上线", "重新启动", "远程升级", "导入配置文件", "全选", "反选", "强制下线", "查询状态",
        "导出配置文件", "下发配置", "放弃修改", "保存修改", "恢复出厂配置", "要求回复", "启用设置", "设备信息",
        "网管平台参数", "拨号参数", "串口参数", "企业网关参数", "支撑平台(WMMP)参数", "多中心设置", "短信操作",
        "设备名称：", "序列号：", "手机号码：", "设备型号：", "软件版本：", "信号强度：", "网管模式：", "网管设备号：",
        "服务器地址：", "服务器端口：", "信任手机号：\n(逗号分隔)", "自动拨号：", "APN\n(仅GPRS)：", "拨号号码：",
        "用户名：", "密码：", "认证方式：", "波特率：", "数据位：", "停止位：", "校验位：", "DTU设备号：", "网关地址：",
        "网关端口：", "连接方式：", "连接平台：", "平台设备号：", "心跳时间间隔：", "秒", "短信中心号码：",
        "短信报警号码：", "多中心策略：", "扩展1地址：", "扩展4端口：" };
    for (const char* text : expected)
        EXPECT_EQ(1u, texts.count(text)) << text;
    for (int nID : { IDC_UPGRADE, IDC_FORCE_OFFLINE, IDC_FACTORY_RESET })
        EXPECT_FALSE(Enabled(nID)) << nID;

    std::map<int, std::vector<std::string>> items = {
        { IDC_LINK, { "TCP", "UDP", "WDAP", "DCUDP", "DCTCP", "Modbus-Net-Bridge" } },
        { IDC_BAUD,
          { "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000", "57600", "115200" } },
        { IDC_DATA_BITS, { "5位", "6位", "7位", "8位" } },
        { IDC_STOP_BITS, { "1位", "1.5位", "2位" } },
        { IDC_PARITY, { "无校验", "奇校验", "偶校验" } },
        { IDC_NM_MODE, { "仅短信", "短信 + IP" } },
        { IDC_AUTO_DIAL, { "否", "是" } },
        { IDC_PLATFORM, { "否", "是" } },
        { IDC_STRATEGY, { "轮询", "并发" } },
        { IDC_AUTH, { "AUTO", "PAP", "CHAP" } },
    };
    for (const auto& combo : items) {
        std::vector<std::string> actual;
        for (int i = 0; i < (int)::SendMessageA(Item(combo.first), CB_GETCOUNT, 0, 0); ++i) {
            char text[64] = "";
            ::SendMessageA(Item(combo.first), CB_GETLBTEXT, i, (LPARAM)text);
            actual.push_back(text);
        }
        EXPECT_EQ(combo.second, actual) << combo.first;
    }

    const char* columns[] = { "", "设备名称", "手机号码", "序列号", "软件版本号", "信号强度" };
    const int widths[] = { 40, 90, 90, 120, 90, 80 };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(columns[i], std::string(m_page->m_list.GetHeaderText(i)));
        EXPECT_EQ(widths[i], m_page->m_list.GetColumnWidth(i));
    }
    EXPECT_TRUE(m_page->m_list.GetExtendedStyle() & LVS_EX_CHECKBOXES);
}

// Each group's box enables its fields. The management group also governs the first extension
// centre, and its device id only while none derives from the serial number.
TEST_F(DevicePageTest, EachGroupBoxEnablesItsFields)
{
    Open("A,123456789012345\n");
    std::map<int, std::vector<int>> groups = {
        { IDC_NM_ENABLE,
          { IDC_NM_MODE, IDC_EXT1_PORT, IDC_SERVER_ADDR, IDC_SERVER_PORT, IDC_TRUST_LIST, IDC_EXT1_ADDR } },
        { IDC_DIAL_ENABLE, { IDC_AUTO_DIAL, IDC_APN, IDC_DIAL_NUMBER, IDC_DIAL_USER, IDC_DIAL_PASSWORD, IDC_AUTH } },
        { IDC_SERIAL_ENABLE, { IDC_BAUD, IDC_DATA_BITS, IDC_STOP_BITS, IDC_PARITY } },
        { IDC_GATEWAY_ENABLE, { IDC_DTU_ID, IDC_GATEWAY_ADDR, IDC_GATEWAY_PORT, IDC_LINK } },
        { IDC_WMMP_ENABLE, { IDC_PLATFORM, IDC_WMMP_ADDR, IDC_WMMP_PORT, IDC_PLATFORM_DEVICE_ID, IDC_HEARTBEAT,
                             IDC_SMS_CENTER, IDC_SMS_ALARM } },
        { IDC_MULTI_CENTER_ENABLE, { IDC_STRATEGY, IDC_EXT1_ADDR, IDC_EXT1_PORT, IDC_EXT2_ADDR, IDC_EXT2_PORT,
                                     IDC_EXT3_ADDR, IDC_EXT3_PORT, IDC_EXT4_ADDR, IDC_EXT4_PORT } },
    };
    for (const auto& group : groups) {
        for (bool bTicked : { true, false }) {
            Click(group.first);
            for (int nID : group.second)
                EXPECT_EQ(bTicked, Enabled(nID)) << group.first << " " << nID;
        }
    }
    Click(IDC_NM_ENABLE);
    EXPECT_TRUE(Enabled(IDC_NM_DEVICE_ID));
    ClickRow(0); // a derived id keeps its edit disabled
    EXPECT_FALSE(Enabled(IDC_NM_DEVICE_ID));
    Click(IDC_MULTI_CENTER_ENABLE);
    Click(IDC_NM_ENABLE);
    EXPECT_FALSE(Enabled(IDC_EXT1_ADDR)); // until a device is shown again
    EXPECT_TRUE(Enabled(IDC_EXT2_ADDR));
    m_page->ShowSelectedDevice();
    EXPECT_TRUE(Enabled(IDC_EXT1_ADDR));
}

TEST_F(DevicePageTest, NewDevicesAreNamedInTurnAndDeletingAsksFirst)
{
    Open();
    for (int i = 0; i < 3; ++i)
        Command(ID_NEW_DEVICE);
    ASSERT_EQ(3, Rows());
    EXPECT_EQ("新建设备", RowName(0));
    EXPECT_EQ("新建设备2", RowName(2));
    EXPECT_EQ("新建设备2", Text(IDC_DEVICE_NAME)); // the new row is selected and shown
    EXPECT_TRUE(m_doc->IsModified());

    m_page->m_list.SetItemState(2, 0, LVIS_SELECTED);
    EXPECT_EQ(std::vector<std::string>{ "请选中要删除的设备！" }, Answering(IDOK, [&] { Command(ID_DELETE_DEVICES); }));
    ClickRow(0);
    Answering(IDNO, [&] { Command(ID_DELETE_DEVICES); });
    EXPECT_EQ(3, Rows());
    EXPECT_EQ(std::vector<std::string>{ "确定要删除设备[新建设备]吗？" },
              Answering(IDYES, [&] { Command(ID_DELETE_DEVICES); }));
    EXPECT_EQ("确认", m_lastCaptions.at(0));
    EXPECT_NE(std::string::npos, ReadFileBytes(GetLogPath()).find("|||删除设备[新建设备]\r\n"));
    Command(ID_NEW_DEVICE);
    EXPECT_EQ("新建设备3", RowName(2));

    // Ticked rows go, the selected row that is not ticked stays.
    m_page->m_list.SetCheck(0, TRUE);
    m_page->m_list.SetCheck(2, TRUE);
    ClickRow(1);
    EXPECT_EQ(std::vector<std::string>{ "确定要删除2个设备吗？" }, Answering(IDYES, [&] { Command(ID_DELETE_DEVICES); }));
    ASSERT_EQ(1, Rows());
    EXPECT_EQ("新建设备2", RowName(0));
    EXPECT_EQ(1, m_doc->m_deviceList.GetCount());
}

// A name becomes a file name and a field of devices.csv: what either cannot hold is refused with
// a message, and nothing is written.
TEST_F(DevicePageTest, CommitRefusesEmptyTakenAndUnsafeNames)
{
    Open("A,S1\nB\n");
    ClickRow(0);
    const char* names[] = { "", "B", "..\\x", "a:b", "con", ".", "a,b" };
    for (const char* name : names) {
        SetText(IDC_DEVICE_NAME, name);
        std::vector<std::string> messages = Answering(IDOK, [&] { EXPECT_FALSE(m_page->CommitDevicePage()); });
        ASSERT_EQ(1u, messages.size()) << name;
        if (*name == '\0') {
            EXPECT_EQ("设备名称不能为空！", messages[0]);
        } else if (std::string(name) == "B") {
            EXPECT_EQ("设备已经存在，请输入一个不同的设备名称！", messages[0]);
        }
    }
    SetText(IDC_DEVICE_NAME, "A");
    SetText(IDC_SERIAL, "1,2");
    EXPECT_EQ(std::vector<std::string>{ "序列号不能包含逗号或换行！" },
              Answering(IDOK, [&] { EXPECT_FALSE(m_page->CommitDevicePage()); }));
    EXPECT_EQ("A", RowName(0));
    EXPECT_EQ("S1", std::string(m_doc->m_deviceList.GetHead().m_strSerial));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((m_folder + "\\x.ini").c_str()));

    SetText(IDC_SERIAL, "S2"); // the device's own name commits
    EXPECT_TRUE(Answering(IDOK, [&] { EXPECT_TRUE(m_page->CommitDevicePage()); }).empty());
    EXPECT_EQ("S2", Ini("A", "网管平台相关设置", "SN"));
}

// A name read from devices.csv that may not become a file name stays in the list, but no file is
// read or written for it.
TEST_F(DevicePageTest, ARowWithAnUnsafeNameNeverTouchesAFile)
{
    const std::string planted = "[GPRS 拨号参数设置]\r\nDialAPN=planted\r\n";
    WriteFile(m_folder + "\\evil.ini", planted);
    Open("..\\evil\n");
    ASSERT_EQ(1, Rows());
    ClickRow(0);
    EXPECT_EQ("cmnet", Text(IDC_APN)); // the default, not the planted file's value
    Answering(IDOK, [&] { EXPECT_FALSE(m_page->CommitDevicePage()); });
    EXPECT_EQ(planted, ReadFileBytes(m_folder + "\\evil.ini"));
    ::DeleteFileA((m_folder + "\\evil.ini").c_str());
}

// Everything typed on the page is saved with the list and reads back after a restart; the model,
// which the list does not show, survives the commit.
TEST_F(DevicePageTest, SavedDevicesComeBackFieldForFieldAfterARestart)
{
    Open("A,S0,139,M1,,20\nB\n");
    ClickRow(0);
    for (int nID : { IDC_NM_ENABLE, IDC_DIAL_ENABLE, IDC_SERIAL_ENABLE, IDC_GATEWAY_ENABLE, IDC_WMMP_ENABLE,
                     IDC_MULTI_CENTER_ENABLE })
        Click(nID);
    std::map<int, std::string> typed = {
        { IDC_DEVICE_NAME, "Site 1" }, { IDC_SERIAL, "SN-7" }, { IDC_PHONE, "13900000001" },
        { IDC_NM_DEVICE_ID, "42" }, { IDC_SERVER_ADDR, "dm.example.com" }, { IDC_SERVER_PORT, "9100" },
        { IDC_TRUST_LIST, "139,138" }, { IDC_APN, "apn1" }, { IDC_DIAL_NUMBER, "#777" }, { IDC_DIAL_USER, "u" },
        { IDC_DIAL_PASSWORD, "p" }, { IDC_DTU_ID, "77" }, { IDC_GATEWAY_ADDR, "192.0.2.5" },
        { IDC_GATEWAY_PORT, "5000" },
        { IDC_PLATFORM_DEVICE_ID, "88" }, { IDC_WMMP_ADDR, "198.51.100.7" }, { IDC_WMMP_PORT, "6000" },
        { IDC_HEARTBEAT, "30" }, { IDC_SMS_CENTER, "8613800000000" }, { IDC_SMS_ALARM, "13700000000" },
        { IDC_EXT1_ADDR, "a.b" }, { IDC_EXT1_PORT, "1" }, { IDC_EXT2_ADDR, "c" }, { IDC_EXT2_PORT, "2" },
        { IDC_EXT3_ADDR, "1.2.3.4" }, { IDC_EXT3_PORT, "3" }, { IDC_EXT4_ADDR, "" }, { IDC_EXT4_PORT, "4" },
    };
    for (const auto& field : typed)
        SetText(field.first, field.second);
    std::map<int, int> chosen = { { IDC_NM_MODE, 1 }, { IDC_AUTO_DIAL, 0 }, { IDC_AUTH, 2 }, { IDC_BAUD, 11 },
                                  { IDC_DATA_BITS, 1 }, { IDC_STOP_BITS, 2 }, { IDC_PARITY, 1 }, { IDC_LINK, 5 },
                                  { IDC_STRATEGY, 1 }, { IDC_PLATFORM, 1 } };
    for (const auto& combo : chosen)
        Select(combo.first, combo.second);

    EXPECT_TRUE(Answering(IDOK, [&] { Command(ID_SAVE_DEVICES); }).empty());
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_EQ(std::string(kHeader) + "Site 1,SN-7,13900000001,M1,,20\nB,,,,,\n",
              ReadFileBytes(m_folder + "\\devices.csv"));
    EXPECT_EQ("12", Ini("Site 1", "本地串口设置", "COMBaud"));
    EXPECT_EQ("6", Ini("Site 1", "本地串口设置", "COMData"));
    EXPECT_EQ("2", Ini("Site 1", "网管平台相关设置", "DmMode"));
    EXPECT_EQ("", Ini("Site 1", "网管平台相关设置", "DmCenterIP3"));

    Close();
    Open();
    ClickRow(0);
    for (const auto& field : typed)
        EXPECT_EQ(field.second, Text(field.first)) << field.first;
    for (const auto& combo : chosen)
        EXPECT_EQ(combo.second, Selection(combo.first)) << combo.first;
    EXPECT_EQ("M1", Text(IDC_MODEL));
}

// The file of a device never saved before: every section and key in the order they are written,
// each with the page's default.
TEST_F(DevicePageTest, ANewDevicesFileHoldsEverySectionAndKeyInOrderWithItsDefault)
{
    Open();
    Command(ID_NEW_DEVICE);
    EXPECT_TRUE(Answering(IDOK, [&] { EXPECT_TRUE(m_page->CommitDevicePage()); }).empty());
    const char* lines[] = {
        "[配置文件基本信息]", "Name=新建设备", "Version=", "PhoneNum=",
        "[网管平台相关设置]", "SN=", "DmMode=1", "DmCenterIP0=192", "DmCenterIP1=0", "DmCenterIP2=2",
        "DmCenterIP3=10", "DmCenterPort=9000", "DmPhoneList=", "DmVendorId=3", "DmDevice=",
        "[GPRS 拨号参数设置]", "DialEnable=1", "DialNumber=*99***1#", "DialAPN=cmnet", "DialUser=GPRS",
        "DialKey=DTUP", "DialAuthMode=0",
        "[本地串口设置]", "COMBaud=6", "COMData=8", "COMStop=0", "COMCheck=0",
        "[企业网关相关设置]", "CompanyDTUDevice=", "CompanyCenterIP0=0", "CompanyCenterIP1=0",
        "CompanyCenterIP2=0", "CompanyCenterIP3=0", "CompanyCenterPort=4321", "CompanyCenterLink=0",
        "[多中心相关设置]", "MultiCenterMode=0",
        "Ex1CenterIP0=0", "Ex1CenterIP1=0", "Ex1CenterIP2=0", "Ex1CenterIP3=0", "Ex1CenterPort=4321",
        "Ex2CenterIP0=0", "Ex2CenterIP1=0", "Ex2CenterIP2=0", "Ex2CenterIP3=0", "Ex2CenterPort=4321",
        "Ex3CenterIP0=0", "Ex3CenterIP1=0", "Ex3CenterIP2=0", "Ex3CenterIP3=0", "Ex3CenterPort=4321",
        "Ex4CenterIP0=0", "Ex4CenterIP1=0", "Ex4CenterIP2=0", "Ex4CenterIP3=0", "Ex4CenterPort=4321",
        "[DTU 工作模式设置]", "ModeUphold=0",
        "[支撑平台相关设置]", "UpholdDevice=", "UpholdCenterIP0=198", "UpholdCenterIP1=51", "UpholdCenterIP2=100",
        "UpholdCenterIP3=20", "UpholdCenterPort=54321", "UpholdInterval=0", "UpholdSMSCenter=8613800100500",
        "UpholdSMSAlarm=",
    };
    std::string expected;
    for (const char* line : lines)
        expected += std::string(line) + "\r\n";
    EXPECT_EQ(expected, ReadFileBytes(IniPath("新建设备")));
    EXPECT_EQ(std::vector<std::string>{ "新建设备.ini" }, DeviceFolderFiles()); // no copy left beside it
}

// A configuration file that cannot be written is named, nothing is reported as saved, and the
// record, its row and the file stay as they were.
TEST_F(DevicePageTest, AFileThatCannotBeWrittenIsNamedAndNothingCountsAsSaved)
{
    ::CreateDirectoryA(IniPath("甲").c_str(), NULL); // a folder where the file would be
    Open("A,S1\n");
    ClickRow(0);
    SetText(IDC_DEVICE_NAME, "甲");
    SetText(IDC_SERIAL, "S2");
    std::vector<std::string> messages;
    std::vector<std::string> notices =
        Notices([&] { messages = Answering(IDOK, [&] { Click(IDC_SAVE_CHANGES); }); });
    EXPECT_EQ(std::vector<std::string>{ "无法保存文件 " + IniPath("甲") + "。" }, messages);
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ("A", RowName(0));
    EXPECT_EQ("A", std::string(m_doc->m_deviceList.GetHead().m_strName));
    EXPECT_EQ("S1", std::string(m_doc->m_deviceList.GetHead().m_strSerial));
    EXPECT_FALSE(m_doc->IsModified());
    ::RemoveDirectoryA(IniPath("甲").c_str());

    // A file another program holds open is not replaced by a new one without its keys.
    const std::string held = "[GPRS 拨号参数设置]\r\nDialAPN=held\r\nOther=kept\r\n";
    WriteFile(IniPath("A"), held);
    HANDLE hHeld = ::CreateFileA(IniPath("A").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    SetText(IDC_DEVICE_NAME, "A");
    EXPECT_EQ(1u, Answering(IDOK, [&] { EXPECT_FALSE(m_page->CommitDevicePage()); }).size());
    ::CloseHandle(hHeld);
    EXPECT_EQ(held, ReadFileBytes(IniPath("A")));
    EXPECT_EQ(std::vector<std::string>{ "A.ini" }, DeviceFolderFiles());
    EXPECT_EQ("S1", std::string(m_doc->m_deviceList.GetHead().m_strSerial));
    // Written at last, the file keeps the keys the page does not write.
    EXPECT_TRUE(Answering(IDOK, [&] { EXPECT_TRUE(m_page->CommitDevicePage()); }).empty());
    EXPECT_EQ("kept", Ini("A", "GPRS 拨号参数设置", "Other"));
    EXPECT_EQ("S2", Ini("A", "网管平台相关设置", "SN"));
}

// A new device is the selected and the focused row, so that a click on the row shown before
// shows that device again and a commit writes to the device the page shows.
TEST_F(DevicePageTest, ANewDeviceTakesTheFocusFromTheRowShownBefore)
{
    Open("A\nB\n");
    ClickRow(0);
    Command(ID_NEW_DEVICE);
    EXPECT_EQ(2, m_page->m_list.GetNextItem(-1, LVNI_FOCUSED));
    ClickRow(0);
    EXPECT_EQ("A", Text(IDC_DEVICE_NAME));
    SetText(IDC_DEVICE_NAME, "A2");
    EXPECT_TRUE(Answering(IDOK, [&] { EXPECT_TRUE(m_page->CommitDevicePage()); }).empty());
    EXPECT_EQ("A2", RowName(0));
    EXPECT_EQ("新建设备1", RowName(2));
    EXPECT_EQ("A2", std::string(m_doc->m_deviceList.GetHead().m_strName));
    EXPECT_EQ("新建设备1", std::string(m_doc->m_deviceList.GetTail().m_strName));
}

// The system compares file names without regard to case, the full-width letters' too: a name that
// differs from another device's only so would share that device's file.
TEST_F(DevicePageTest, ANameThatDiffersOnlyInCaseFromAnotherDevicesIsTaken)
{
    WriteFile(IniPath("A"), "[GPRS 拨号参数设置]\r\nDialAPN=of-A\r\n");
    Open("A\nＡＢ\nc\na\n");
    ClickRow(2);
    for (const char* name : { "a", "ａｂ", "Ａｂ" }) {
        SetText(IDC_DEVICE_NAME, name);
        EXPECT_EQ(std::vector<std::string>{ "设备已经存在，请输入一个不同的设备名称！" },
                  Answering(IDOK, [&] { EXPECT_FALSE(m_page->CommitDevicePage()); }))
            << name;
    }
    EXPECT_EQ("c", RowName(2));
    EXPECT_EQ("of-A", Ini("A", "GPRS 拨号参数设置", "DialAPN"));
    // Its own name in other letters is its own file.
    SetText(IDC_DEVICE_NAME, "C");
    EXPECT_TRUE(Answering(IDOK, [&] { EXPECT_TRUE(m_page->CommitDevicePage()); }).empty());
    EXPECT_EQ("C", RowName(2));
    // A list that came with "A" and "a" keeps both, but "a" is not written over A's file.
    ClickRow(3);
    EXPECT_EQ("of-A", Text(IDC_APN));
    SetText(IDC_APN, "of-a");
    EXPECT_EQ(1u, Answering(IDOK, [&] { EXPECT_FALSE(m_page->CommitDevicePage()); }).size());
    EXPECT_EQ("of-A", Ini("A", "GPRS 拨号参数设置", "DialAPN"));
}

// A shorter address leaves no part of a longer one behind; numbers outside a list select its
// default item; missing keys give the defaults; a template's name does not name the page.
TEST_F(DevicePageTest, StoredValuesReadBackAsWrittenOrAsDefaults)
{
    WriteFile(m_folder + "\\devices\\A.ini",
              "[配置文件基本信息]\r\nName=默认配置\r\n[网管平台相关设置]\r\nDmMode=7\r\nDmCenterIP0=1\r\nDmCenterIP1=2\r\n"
              "DmCenterIP2=3\r\nDmCenterIP3=4\r\n[本地串口设置]\r\nCOMBaud=99\r\nCOMData=2\r\nCOMStop=5\r\n"
              "[企业网关相关设置]\r\nCompanyCenterLink=-1\r\n");
    Open("A\nB\n");
    ClickRow(0);
    EXPECT_EQ("1.2.3.4", Text(IDC_SERVER_ADDR));
    EXPECT_EQ(0, Selection(IDC_NM_MODE));
    EXPECT_EQ(5, Selection(IDC_BAUD));
    EXPECT_EQ(3, Selection(IDC_DATA_BITS));
    EXPECT_EQ(0, Selection(IDC_STOP_BITS));
    EXPECT_EQ(0, Selection(IDC_LINK));
    EXPECT_EQ("A", Text(IDC_DEVICE_NAME));
    m_page->m_strName.Empty();
    m_page->LoadDeviceConfig(IniPath("A").c_str());
    EXPECT_EQ("", Text(IDC_DEVICE_NAME));

    SetText(IDC_DEVICE_NAME, "A");
    SetText(IDC_SERVER_ADDR, "a.b.c");
    EXPECT_TRUE(Answering(IDOK, [&] { EXPECT_TRUE(m_page->CommitDevicePage()); }).empty());
    ClickRow(1);
    EXPECT_EQ("192.0.2.10", Text(IDC_SERVER_ADDR)); // B has no file: the defaults
    EXPECT_EQ("9600", WindowTextOf(Item(IDC_BAUD)));
    EXPECT_EQ("8位", WindowTextOf(Item(IDC_DATA_BITS)));
    EXPECT_EQ("仅短信", WindowTextOf(Item(IDC_NM_MODE)));
    ClickRow(0);
    EXPECT_EQ("a.b.c", Text(IDC_SERVER_ADDR));
}

// The management id follows the serial number while one derives from it; an id typed by hand
// survives typing and showing, and a device shows its own id, not the one shown before.
TEST_F(DevicePageTest, TheManagementIdFollowsTheSerialButATypedIdStays)
{
    WriteFile(m_folder + "\\devices\\B.ini", "[网管平台相关设置]\r\nDmDevice=777\r\n");
    Open("A,123456789012345\nB\n");
    Click(IDC_NM_ENABLE);
    ClickRow(0);
    EXPECT_EQ("345012345", Text(IDC_NM_DEVICE_ID));
    EXPECT_FALSE(Enabled(IDC_NM_DEVICE_ID));
    SetText(IDC_SERIAL, "12345678901234");
    EXPECT_EQ("", Text(IDC_NM_DEVICE_ID));
    EXPECT_TRUE(Enabled(IDC_NM_DEVICE_ID));
    SetText(IDC_NM_DEVICE_ID, "555");
    SetText(IDC_SERIAL, "1234567890123");
    EXPECT_EQ("555", Text(IDC_NM_DEVICE_ID));
    ClickRow(1);
    EXPECT_EQ("777", Text(IDC_NM_DEVICE_ID));
}

// One row at most is selected, so the device a commit writes is the one the page shows.
TEST_F(DevicePageTest, OnlyTheShownDeviceIsCommitted)
{
    Open("A\nB\n");
    ClickRow(0);
    ClickRow(1, MK_CONTROL);
    EXPECT_EQ(1u, m_page->m_list.GetSelectedCount());
    EXPECT_EQ("B", Text(IDC_DEVICE_NAME));
    SetText(IDC_APN, "only-b");
    EXPECT_TRUE(Answering(IDOK, [&] { EXPECT_TRUE(m_page->CommitDevicePage()); }).empty());
    EXPECT_EQ("only-b", Ini("B", "GPRS 拨号参数设置", "DialAPN"));
    EXPECT_EQ("<none>", Ini("A", "GPRS 拨号参数设置", "DialAPN"));
}

// Save and discard buttons with their notices; a configuration file exported, then imported
// into the page without touching the device's own file.
TEST_F(DevicePageTest, PageButtonsSaveDiscardExportAndImport)
{
    Open("A\n");
    ClickRow(0);
    SetText(IDC_APN, "saved");
    EXPECT_EQ(std::vector<std::string>{ "设备配置已保存！" }, Notices([&] { Click(IDC_SAVE_CHANGES); }));
    EXPECT_EQ("saved", Ini("A", "GPRS 拨号参数设置", "DialAPN"));
    SetText(IDC_APN, "typed");
    EXPECT_EQ(std::vector<std::string>{ "设备配置已重置！" }, Notices([&] { Click(IDC_DISCARD_CHANGES); }));
    EXPECT_EQ("saved", Text(IDC_APN));

    std::string exported = m_folder + "\\exported.ini";
    Answering(IDOK, [&] { Click(IDC_EXPORT_CONFIG); }, exported);
    ::WritePrivateProfileStringA("GPRS 拨号参数设置", "DialAPN", "imported", exported.c_str());
    SetText(IDC_DEVICE_NAME, "typed"); // what the file does not set stays as typed
    Answering(IDOK, [&] { Click(IDC_IMPORT_CONFIG); }, exported);
    EXPECT_EQ("imported", Text(IDC_APN));
    EXPECT_EQ("typed", Text(IDC_DEVICE_NAME));
    EXPECT_EQ("saved", Ini("A", "GPRS 拨号参数设置", "DialAPN"));
    ::DeleteFileA(exported.c_str());
}

// Lists imported and exported by the frame, and the question on closing a changed list.
TEST_F(DevicePageTest, ListsImportExportAndTheClosingQuestion)
{
    Open("A,S1,139,M,V,9\n");
    std::string other = m_folder + "\\other.csv";
    WriteFile(other, std::string(kHeader) + "A,dropped\nC,S3\n");
    Answering(IDOK, [&] { Command(ID_IMPORT_DEVICES); }, other);
    ASSERT_EQ(2, Rows());
    EXPECT_EQ("C", RowName(1));
    EXPECT_TRUE(m_doc->IsModified());
    ::DeleteFileA(other.c_str());
    Answering(IDOK, [&] { Command(ID_EXPORT_DEVICES); }, other);
    EXPECT_EQ(std::string(kHeader) + "A,S1,139,M,V,9\nC,S3,,,,\n", ReadFileBytes(other));
    ::DeleteFileA(other.c_str());

    EXPECT_EQ(std::vector<std::string>{ "设备列表已被更改，是否需要保存？" },
              Answering(IDCANCEL, [&] { m_frame->SendMessage(WM_CLOSE); }));
    ASSERT_TRUE(::IsWindow(m_hFrame));
    EXPECT_EQ(2, Rows());
    Answering(IDYES, [&] { m_frame->SendMessage(WM_CLOSE); });
    EXPECT_FALSE(::IsWindow(m_hFrame));
    EXPECT_EQ(std::string(kHeader) + "A,S1,139,M,V,9\nC,S3,,,,\n", ReadFileBytes(m_folder + "\\devices.csv"));
}

// A page or a list that was not written is not reported as saved, and a list that could not be
// written keeps the program open on closing.
TEST_F(DevicePageTest, NothingUnwrittenCountsAsSaved)
{
    Open("A\n");
    ClickRow(0);
    SetText(IDC_SERVER_PORT, "no number");
    std::vector<std::string> notices = Notices([&] {
        EXPECT_EQ(std::vector<std::string>{ "请输入一个整数。" }, Answering(IDOK, [&] { Click(IDC_SAVE_CHANGES); }));
    });
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(IniPath("A").c_str()));
    EXPECT_TRUE(notices.empty());

    SetText(IDC_SERVER_PORT, "1");
    Command(ID_NEW_DEVICE);
    HANDLE hHeld = ::CreateFileA((m_folder + "\\devices.csv").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    notices = Notices([&] { EXPECT_EQ(1u, Answering(IDOK, [&] { Command(ID_SAVE_DEVICES); }).size()); });
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(2u, Answering(IDYES, [&] { m_frame->SendMessage(WM_CLOSE); }).size());
    EXPECT_TRUE(::IsWindow(m_hFrame));
    ::CloseHandle(hHeld);
}

} // namespace
