// The device page's SMS commands on the wire and the terminals' replies on the page, in the
// log, in the device records and in their configuration files.
#include "SmsPageFixture.h"

#include "DialogAnswerer.h"
#include "LoginAnswerer.h"
#include "ProgressDlg.h"
#include "SmsFrame.h"
#include "TestSupport.h"
#include "ToolTestSupport.h"
#include "resource.h"

#include <map>
#include <string>
#include <vector>

using gsmsim::GsmModem;
using Strings = std::vector<std::string>;

namespace {

const char kSent[] = "短信发送成功！";
const std::string kDevice1 = "站1(13900000001)";

std::string Joined(const Strings& texts)
{
    std::string joined;
    for (const std::string& text : texts)
        joined += text;
    return joined;
}

// The log's copy of a text with a line break.
std::string OneLine(std::string text)
{
    for (char& ch : text)
        if (ch == '\n')
            ch = ' ';
    return text;
}

class SmsActionTest : public SmsPageTest {
protected:
    void SetUp() override
    {
        SmsPageTest::SetUp();
        OpenPage({ { "站1", kPhone1 }, { "站3", "" }, { "站2", kPhone2 } });
    }
};

TEST_F(SmsActionTest, EachActionSendsItsFrameAndItsReplyShowsOnThePageAndInTheLog)
{
    SelectRow(0);
    Click(IDC_REPLY_REQUIRED);
    struct Action {
        int nID;
        const char* commands;
        std::string success;
    } actions[] = {
        { IDC_RESTART_DEVICE, "1x;", "设置[" + kDevice1 + "]重新启动成功!" },
        { IDC_FORCE_ONLINE, "4x;", "设置[" + kDevice1 + "]的强制上线成功!" },
        { IDC_FORCE_OFFLINE, "5x;", "设置[" + kDevice1 + "]的强制下线成功!" },
        { IDC_FACTORY_RESET, "2x;", "设置[" + kDevice1 + "]恢复出厂参数成功!" },
    };
    for (const Action& action : actions) {
        EXPECT_EQ(Strings{ kSent }, Boxes([&] { Press(action.nID); }));
        Strings frames = TakeFrames();
        ASSERT_EQ(1u, frames.size());
        ExpectFrame(frames[0], '+', action.commands);
        EXPECT_EQ(Strings{ action.success }, Boxes([&] { m_frame->PollSms(); }));
        EXPECT_TRUE(LogHas(1, action.success, "站1", kPhone1));
    }
    EXPECT_EQ("1452", Terminal(kPhone1).Actions());
    EXPECT_NE(std::string::npos, Log().find("|站1|13900000001|收到短信息[#"));
    // Force online reports the signal: on the page, in the row, the record and the file.
    EXPECT_EQ("21", Text(IDC_SIGNAL));
    EXPECT_EQ("21", std::string(m_page->m_list.GetItemText(0, 5)));
    EXPECT_EQ("21", std::string(Record(0).m_strSignal));
    EXPECT_EQ("站1", Ini("站1", "配置文件基本信息", "Name"));
    // What the template disables stays disabled.
    for (int nID : { IDC_FORCE_OFFLINE, IDC_FACTORY_RESET, IDC_UPGRADE })
        EXPECT_FALSE(Enabled(nID)) << nID;

    // A refusal, explained by its code; without the reply flag the terminal stays silent.
    Terminal(kPhone1).FailWith(-4);
    EXPECT_EQ(Strings{ kSent }, Boxes([&] { Press(IDC_RESTART_DEVICE); }));
    std::string failure = "设置[" + kDevice1 + "]重新启动失败!\n错误信息：没有执行该操作的权限";
    EXPECT_EQ(Strings{ failure }, Boxes([&] { m_frame->PollSms(); }));
    EXPECT_TRUE(LogHas(1, OneLine(failure), "站1", kPhone1));
    Click(IDC_REPLY_REQUIRED);
    TakeFrames();
    EXPECT_EQ(Strings{ kSent }, Boxes([&] { Press(IDC_RESTART_DEVICE); }));
    ExpectFrame(TakeFrames().at(0), '-', "1x;");
    EXPECT_TRUE(Boxes([&] { m_frame->PollSms(); }).empty());
}

TEST_F(SmsActionTest, AFailedSendIsToldAndAnswerlessDevicesNeedAPhoneNumber)
{
    SelectRow(1); // no phone number
    EXPECT_EQ(Strings{ "请设置手机号码！" }, Boxes([&] { Press(IDC_RESTART_DEVICE); }));
    EXPECT_EQ("", TakeTranscript());
    SelectRow(0);
    Modem([](GsmModem& modem) {
        gsmsim::FaultRule refused;
        refused.command = "AT+CMGS";
        refused.fault = gsmsim::Fault::NoCmgs;
        modem.AddFault(refused);
    });
    EXPECT_EQ(Strings{ "短信发送失败！" }, Boxes([&] { Press(IDC_FORCE_ONLINE); }));
    EXPECT_TRUE(LogHas(2, "发送短信失败!", "站1", kPhone1));
}

// The tool bar's query goes to every ticked device in turn and stops at one without a phone
// number; the reply flag is the page's own again afterwards. The page's button queries the
// selected device.
TEST_F(SmsActionTest, StatusQueriesOfTickedAndSelectedDevicesAndTheirAnswers)
{
    SelectRow(2);
    for (int nRow = 0; nRow < 3; ++nRow)
        m_page->m_list.SetCheck(nRow, TRUE);
    EXPECT_EQ(Strings{ "请设置手机号码！" }, Boxes([&] { m_frame->SendMessage(WM_COMMAND, ID_QUERY_STATUS); }));
    Strings frames = TakeFrames();
    ASSERT_EQ(1u, frames.size());
    ExpectFrame(frames[0], '+', "6x;Fq;");
    EXPECT_FALSE(Checked(IDC_REPLY_REQUIRED));
    EXPECT_EQ("站3", Text(IDC_DEVICE_NAME)); // shown in its own selected row
    EXPECT_EQ(1u, m_page->m_list.GetSelectedCount());
    EXPECT_EQ(1, m_page->m_list.GetNextItem(-1, LVNI_SELECTED));

    std::string status = "[" + kDevice1 + "]的信号是23; IMSI号是460001234567890; IMEI号是861234567890123; "
                         "基站小区ID是1A2B; 版本号是 V2.3; 厂商标识是 3; 网管设备号是 345012345";
    std::string ip = "查询[" + kDevice1 + "]的IP成功，IP: 10.20.30.40!";
    EXPECT_EQ((Strings{ status, ip }), Boxes([&] { m_frame->PollSms(); }));
    EXPECT_TRUE(LogHas(1, "查询[" + kDevice1 + "]的工作状态成功，信号值: 23!", "站1", kPhone1));
    EXPECT_TRUE(LogHas(1, status, "站1", kPhone1));
    EXPECT_EQ("站1", Text(IDC_DEVICE_NAME));
    EXPECT_EQ("23", Text(IDC_SIGNAL));
    EXPECT_EQ("V2.3", Text(IDC_VERSION));
    EXPECT_EQ("V2.3", std::string(Record(0).m_strVersion));
    EXPECT_EQ("V2.3", Ini("站1", "配置文件基本信息", "Version"));
    EXPECT_EQ("345012345", Ini("站1", "网管平台相关设置", "DmDevice"));

    for (int nRow = 0; nRow < 3; ++nRow)
        m_page->m_list.SetCheck(nRow, FALSE);
    SelectRow(2);
    EXPECT_EQ(Strings{ kSent }, Boxes([&] { Click(IDC_QUERY_DEVICE); }));
    std::vector<gsmsim::SentSms> sent = Modem([](GsmModem& modem) { return modem.Sent(); });
    EXPECT_EQ(kPhone2, sent.back().number);
    ExpectFrame(sent.back().text, '+', "6x;Fq;");
    EXPECT_EQ(Strings{ "请选中要查询的设备！" }, Boxes([&] {
                  m_page->m_list.SetItemState(2, 0, LVIS_SELECTED);
                  m_frame->SendMessage(WM_COMMAND, ID_QUERY_STATUS);
              }));
}

TEST_F(SmsActionTest, ReadingEveryGroupPutsTheTerminalsValuesIntoPageRecordAndFile)
{
    gsmsim::ScriptedDevice& terminal = Terminal(kPhone1);
    Modem([&](GsmModem&) {
        terminal.SetValue('7', "0,apn.x,#777,u1,p1,60,1,");
        terminal.SetValue('8', "2,3,id8,0,dm.example.com,9100");
        terminal.SetValue('A', "13911111111,13922222222");
        terminal.SetValue('B', "77,192.0.2.5,5000,3,,,");
        terminal.SetValue('C', "12,7,2,1,,");
        terminal.SetValue('E', "1,88,198.51.100.7,6000,0,30,8613800000000,13700000000,");
        terminal.SetValue('G', "1,a.b,1,c,2,d,3,e,4,");
    });
    SelectRow(0);
    EXPECT_EQ(Strings{ "请至少选择一个需要查询的参数!" }, Boxes([&] { Click(IDC_READ_CONFIG); }));
    TickAllGroups();
    EXPECT_EQ(Strings{ kSent }, Boxes([&] { Click(IDC_READ_CONFIG); }));
    ExpectFrame(TakeFrames().at(0), '+', "Aq;8q;Eq;7q;Cq;Bq;Gq;");
    EXPECT_FALSE(Checked(IDC_REPLY_REQUIRED));

    EXPECT_EQ(Strings{ "网管平台参数读取成功!\r\n支撑平台(WMMP)参数查询成功!\r\n拨号参数查询成功!\r\n串口参数查询成功!\r\n"
                       "企业网关参数查询成功!\r\n多中心参数查询成功!\r\n" },
              Boxes([&] { m_frame->PollSms(); }));
    EXPECT_TRUE(LogHas(1, "查询[" + kDevice1 + "]的拨号参数成功!", "站1", kPhone1));
    std::map<int, std::string> texts = {
        { IDC_APN, "apn.x" }, { IDC_DIAL_NUMBER, "#777" }, { IDC_DIAL_USER, "u1" }, { IDC_DIAL_PASSWORD, "p1" },
        { IDC_NM_DEVICE_ID, "id8" }, { IDC_SERVER_ADDR, "dm.example.com" }, { IDC_SERVER_PORT, "9100" },
        { IDC_TRUST_LIST, "13911111111,13922222222" }, { IDC_DTU_ID, "77" }, { IDC_GATEWAY_ADDR, "192.0.2.5" },
        { IDC_GATEWAY_PORT, "5000" }, { IDC_PLATFORM_DEVICE_ID, "88" }, { IDC_WMMP_ADDR, "198.51.100.7" },
        { IDC_WMMP_PORT, "6000" }, { IDC_HEARTBEAT, "30" }, { IDC_SMS_CENTER, "8613800000000" },
        { IDC_SMS_ALARM, "13700000000" }, { IDC_EXT1_ADDR, "a.b" }, { IDC_EXT2_PORT, "2" }, { IDC_EXT4_ADDR, "e" },
    };
    for (const auto& text : texts)
        EXPECT_EQ(text.second, Text(text.first)) << text.first;
    std::map<int, int> items = { { IDC_AUTO_DIAL, 0 }, { IDC_AUTH, 1 },     { IDC_NM_MODE, 1 },   { IDC_LINK, 3 },
                                 { IDC_BAUD, 11 },     { IDC_DATA_BITS, 2 }, { IDC_STOP_BITS, 2 }, { IDC_PARITY, 1 },
                                 { IDC_PLATFORM, 1 },  { IDC_STRATEGY, 1 } };
    for (const auto& item : items)
        EXPECT_EQ(item.second, Selection(item.first)) << item.first;
    EXPECT_EQ("apn.x", Ini("站1", "GPRS 拨号参数设置", "DialAPN"));
    EXPECT_EQ("12", Ini("站1", "本地串口设置", "COMBaud"));
    EXPECT_EQ("13911111111,13922222222", Ini("站1", "网管平台相关设置", "DmPhoneList"));
    EXPECT_EQ("1", Ini("站1", "多中心相关设置", "MultiCenterMode"));
}

// The groups go in as few frames as the limit allows, the intermediate ones without a box; the
// page is saved before anything is sent, and the terminal keeps what it was sent.
TEST_F(SmsActionTest, WritingEveryGroupGoesOutInSeveralFramesAndTheTerminalKeepsIt)
{
    SelectRow(0);
    Click(IDC_REPLY_REQUIRED);
    TickAllGroups();
    SetText(IDC_TRUST_LIST, "13900000009");
    SetText(IDC_APN, "cmnet2");
    SetText(IDC_NM_DEVICE_ID, "42");
    EXPECT_EQ(Strings{ kSent }, Boxes([&] { Click(IDC_SEND_CONFIG); }));
    EXPECT_EQ("13900000009,", Text(IDC_TRUST_LIST));
    EXPECT_EQ("cmnet2", Ini("站1", "GPRS 拨号参数设置", "DialAPN"));

    Strings frames = TakeFrames();
    ASSERT_GE(frames.size(), 2u);
    std::string commands;
    for (const std::string& frame : frames) {
        EXPECT_LE(frame.size(), 148u);
        ExpectFrame(frame, '+', frame.substr(4, frame.size() - 12));
        commands += frame.substr(4, frame.size() - 12);
    }
    std::string order;
    for (size_t at = 0; at < commands.size(); at = commands.find(';', at) + 1)
        order += commands[at];
    EXPECT_EQ("A8ECBG7", order);
    EXPECT_EQ(0u, commands.find("Ax:13900000009,," + SignTrustList("13900000009,") + ";8x:1,3,42,0,"));
    gsmsim::ScriptedDevice& terminal = Terminal(kPhone1);
    EXPECT_EQ("13900000009", Modem([&](GsmModem&) { return terminal.Value('A'); }));
    for (char letter : { '7', '8', 'B', 'C', 'E', 'G' }) {
        size_t at = commands.find(std::string(1, letter) + "x:");
        std::string fields = commands.substr(at + 3, commands.find(';', at) - at - 3);
        EXPECT_EQ(fields, Modem([&](GsmModem&) { return terminal.Value(letter); })) << letter;
    }
    EXPECT_EQ("网管平台参数设置成功!\r\n网管参数设置成功!\r\n串口参数设置成功!\r\n企业网关参数设置成功!\r\n"
              "多中心参数设置成功!\r\n拨号参数设置成功!\r\n",
              Joined(Boxes([&] { m_frame->PollSms(); })));
    EXPECT_TRUE(LogHas(1, "设置[" + kDevice1 + "]的信任列表成功!", "站1", kPhone1));
}

size_t CountOf(const std::string& text, const std::string& what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// With no group ticked nothing is sent, though the page is saved. A frame before the last that
// fails, refused as too long or not sent by the modem, stops the groups after it without the
// last frame's box; the frames before it stay sent.
TEST_F(SmsActionTest, NothingTickedOrAFailingFrameBeforeTheLastStopsTheSending)
{
    SelectRow(0);
    TakeTranscript();
    EXPECT_EQ(Strings{ "请至少选择一个需要下发的参数!" }, Boxes([&] { Click(IDC_SEND_CONFIG); }));
    EXPECT_EQ(std::string::npos, TakeTranscript().find("AT+CMGS"));
    EXPECT_EQ("站1", Ini("站1", "配置文件基本信息", "Name"));

    Click(IDC_NM_ENABLE);
    Click(IDC_MULTI_CENTER_ENABLE);
    Click(IDC_DIAL_ENABLE);
    SetText(IDC_TRUST_LIST, "13900000009,");
    SetText(IDC_EXT1_ADDR, std::string(120, 'e')); // the multi-centre group alone is too long
    EXPECT_EQ((Strings{ "有参数长度太长，短信下发失败!", "短信下发失败!" }), Boxes([&] { Click(IDC_SEND_CONFIG); }));
    Strings frames = TakeFrames();
    ASSERT_EQ(1u, frames.size());
    std::string commands = frames[0].substr(4, frames[0].size() - 12);
    EXPECT_EQ(0u, commands.find("Ax:13900000009,,"));
    EXPECT_NE(std::string::npos, commands.find(";8x:"));
    EXPECT_EQ(std::string::npos, commands.find("Gx:"));

    // Three frames: the modem refuses the first, and nothing follows it.
    SetText(IDC_EXT1_ADDR, std::string(60, 'e'));
    Modem([](GsmModem& modem) {
        gsmsim::FaultRule refused;
        refused.command = "AT+CMGS";
        refused.fault = gsmsim::Fault::NoCmgs;
        modem.AddFault(refused);
    });
    TakeTranscript();
    EXPECT_EQ(Strings{ "短信下发失败!" }, Boxes([&] { Click(IDC_SEND_CONFIG); }));
    EXPECT_EQ(1u, CountOf(TakeTranscript(), "AT+CMGS="));
    EXPECT_TRUE(TakeFrames().empty());
    // Without the fault the same page goes out in three frames, the box after the last.
    EXPECT_EQ(Strings{ kSent }, Boxes([&] { Click(IDC_SEND_CONFIG); }));
    EXPECT_EQ(3u, TakeFrames().size());
}

// One device's number for two devices: each gets the whole reply, in its own record.
TEST_F(SmsPageTest, TwoDevicesSharingAPhoneNumberEachGetTheReply)
{
    OpenPage({ { "甲", kPhone1 }, { "乙", kPhone1 } });
    SelectRow(0);
    Click(IDC_REPLY_REQUIRED);
    EXPECT_EQ(Strings{ kSent }, Boxes([&] { Click(IDC_FORCE_ONLINE); }));
    EXPECT_EQ((Strings{ "设置[甲(13900000001)]的强制上线成功!", "设置[乙(13900000001)]的强制上线成功!" }),
              Boxes([&] { m_frame->PollSms(); }));
    EXPECT_EQ("21", std::string(Record(0).m_strSignal));
    EXPECT_EQ("21", std::string(Record(1).m_strSignal));
    EXPECT_EQ("甲", Ini("甲", "配置文件基本信息", "Name"));
    EXPECT_EQ("乙", Ini("乙", "配置文件基本信息", "Name"));
    EXPECT_NE(std::string::npos, Log().find("|甲|13900000001|收到短信息[#"));
    EXPECT_NE(std::string::npos, Log().find("|乙|13900000001|收到短信息[#"));
}

TEST_F(SmsActionTest, EveryErrorCodeAndAnswerThatIsNoReply)
{
    Modem([](GsmModem& modem) {
        modem.StoreMessage(GsmModem::Quoted("+8613900000001"),
                           "#frT1x:Error,-1;2x:Error,-2;3x:Error,-3;5x:Error,-4;8x:Error,-5;Bq:Error,-101;"
                           "Cx:Error,-102;Eq:Error,-9;Dx:FAIL;7x:FAIL;Zq:1");
        modem.StoreMessage(GsmModem::Quoted("+8613900000001"), "hello");
        modem.StoreMessage(GsmModem::Quoted("+8613900000001"), "#abc");
    });
    std::string d = kDevice1;
    Strings expected = {
        "设置[" + d + "]重新启动失败!\n错误信息：短信格式错误",
        "设置[" + d + "]恢复出厂参数失败!\n错误信息：目的地址错误",
        "设置[" + d + "]恢复关键参数失败!\n错误信息：短信校验码错误",
        "设置[" + d + "]强制下线失败!\n错误信息：没有执行该操作的权限",
        "设置[" + d + "]的网管平台参数失败!\n错误信息：信任列表校验码错误",
        "查询[" + d + "]的企业网关参数失败!\n错误信息：不支持的命令/参数",
        "设置[" + d + "]的串口参数失败!\n错误信息：未知的命令操作",
        "查询[" + d + "]的支撑平台(WMMP)参数失败!\n错误信息：未知错误码，Error,-9",
        "设置[" + d + "]的工作模式参数失败!\n错误信息：未知错误，FAIL",
        "设置[" + d + "]的拨号参数失败[失败信息：FAIL]!",
        "收到来自[" + d + "]的未知命令[Z, 1]!",
        "收到[" + d + "]回应的错误信息[hello]",
    };
    EXPECT_EQ(expected, Boxes([&] { m_frame->PollSms(); }));
    for (size_t i = 0; i + 1 < expected.size(); ++i)
        EXPECT_TRUE(LogHas(1, OneLine(expected[i]), "站1", kPhone1)) << expected[i];
    EXPECT_TRUE(LogHas(3, "收到回应的错误信息[hello]", "站1", kPhone1));
    EXPECT_TRUE(LogHas(1, "收到短信息[#abc]", "站1", kPhone1)); // logged, then ignored
}

// ---------------------------------------------------------------------------------------------
// What never reaches the modem, and what never lands in the wrong record.

TEST_F(SmsActionTest, FieldsThatWouldBreakTheirGroupAndControlCharactersAreRefused)
{
    SelectRow(0);
    Click(IDC_DIAL_ENABLE);
    TakeTranscript();
    SetText(IDC_APN, "cmnet;1x");
    EXPECT_EQ(Strings{ "参数[APN]中不能有分号“;”，短信下发失败!" }, Boxes([&] { Click(IDC_SEND_CONFIG); }));
    SetText(IDC_APN, "cmnet");
    Click(IDC_NM_ENABLE);
    SetText(IDC_SERVER_ADDR, "a,b");
    EXPECT_EQ(Strings{ "参数[服务器地址]中不能有逗号“,”，短信下发失败!" }, Boxes([&] { Click(IDC_SEND_CONFIG); }));
    SetText(IDC_SERVER_ADDR, "dm");
    SetText(IDC_DIAL_USER, "u\x1A");
    EXPECT_EQ(Strings{ "参数[用户名]中不能有控制字符，短信下发失败!" }, Boxes([&] { Click(IDC_SEND_CONFIG); }));
    EXPECT_EQ(Strings{ "短信内容含有控制字符，短信下发失败!" },
              Boxes([&] { EXPECT_EQ(-1, m_page->SendCommandSms("7x:\r\nAT+CMGD=1;", 0)); }));
    EXPECT_EQ("", TakeTranscript());

    // 140 characters before the code go, 141 are refused whatever the box flag says.
    EXPECT_TRUE(Boxes([&] { EXPECT_EQ(0, m_page->SendCommandSms(CString('a', 136), 0)); }).empty());
    EXPECT_EQ(148u, TakeFrames().at(0).size());
    EXPECT_EQ(Strings{ "有参数长度太长，短信下发失败!" },
              Boxes([&] { EXPECT_EQ(-1, m_page->SendCommandSms(CString('a', 137), 0)); }));
    EXPECT_TRUE(TakeFrames().empty());
    // A trusted list holds its numbers' separators.
    SetText(IDC_DIAL_USER, "u");
    SetText(IDC_TRUST_LIST, "139,138");
    EXPECT_EQ(Strings{ kSent }, Boxes([&] { Click(IDC_SEND_CONFIG); }));
}

// A reply for a device that is not the one shown selects its row alone before anything is
// written, and a list item the device names outside its list keeps the page's selection.
TEST_F(SmsActionTest, AReplyLandsInItsOwnDevicesRecordAndKeepsListsInRange)
{
    SelectRow(2);
    SetText(IDC_DEVICE_NAME, "站2");
    Modem([](GsmModem& modem) {
        modem.StoreMessage(GsmModem::Quoted("+8613900000001"), "#frTCq:13,9,7,7;8q:3,3,idX,0,srv,1;");
    });
    EXPECT_EQ(Strings{ "串口参数查询成功!\r\n网管平台参数读取成功!\r\n" }, Boxes([&] { m_frame->PollSms(); }));
    EXPECT_EQ(1u, m_page->m_list.GetSelectedCount());
    EXPECT_EQ(0, m_page->m_list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(0, m_page->m_list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ("站1", Text(IDC_DEVICE_NAME));
    EXPECT_EQ("9600", WindowTextOf(Item(IDC_BAUD)));
    EXPECT_EQ("8位", WindowTextOf(Item(IDC_DATA_BITS)));
    EXPECT_EQ(0, Selection(IDC_STOP_BITS));
    EXPECT_EQ(0, Selection(IDC_NM_MODE));
    EXPECT_EQ("6", Ini("站1", "本地串口设置", "COMBaud"));
    EXPECT_EQ("1", Ini("站1", "网管平台相关设置", "DmMode"));
    EXPECT_EQ("srv", Ini("站1", "网管平台相关设置", "DmCenterIP0"));
    EXPECT_EQ("<none>", Ini("站2", "网管平台相关设置", "DmCenterIP0"));
    EXPECT_EQ("站2", std::string(Record(2).m_strName));

    // A device without a phone number never matches, not even an empty sender.
    EXPECT_TRUE(Boxes([&] { m_page->OnSmsReply("", "", "#frT1xOK;"); }).empty());
    EXPECT_EQ(std::string::npos, Log().find("|站3||"));
}

// ---------------------------------------------------------------------------------------------
// A close during a wait is carried out once the command that waits has returned.

class CloseDuringWaitTest : public SmsPageTest {
protected:
    void SetUp() override
    {
        SmsPageTest::SetUp();
        OpenPage({ { "站1", kPhone1 } });
        SelectRow(0);
    }
    // Runs the command with a close posted after the delay; the frame must still stand when the
    // command returns, and close afterwards. The list's question is answered No.
    void CloseDuring(DWORD dwDelay, const std::function<void()>& command, DWORD dwLongest = 2500)
    {
        HWND hFrame = m_hFrame;
        CallSoon(dwDelay, [hFrame] { ::PostMessageA(hFrame, WM_CLOSE, 0, 0); });
        DWORD dwStart = ::GetTickCount();
        command();
        EXPECT_LT(::GetTickCount() - dwStart, dwLongest);
        EXPECT_TRUE(::IsWindow(m_hFrame));
        DialogAnswerer answerer(::GetCurrentThreadId(), "", IDNO);
        EXPECT_TRUE(WaitForFrameToClose());
    }
};

TEST_F(CloseDuringWaitTest, TheSaveNoticeOfThePage)
{
    CloseDuring(300, [&] { Click(IDC_SAVE_CHANGES); });
}

TEST_F(CloseDuringWaitTest, TheDiscardNoticeOfThePage)
{
    CloseDuring(300, [&] { Click(IDC_DISCARD_CHANGES); });
}

TEST_F(CloseDuringWaitTest, TheSaveNoticeOfTheList)
{
    CloseDuring(300, [&] { m_frame->SendMessage(WM_COMMAND, ID_SAVE_DEVICES); });
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((m_folder + "\\devices.csv").c_str()));
}

TEST_F(CloseDuringWaitTest, TheNoticeOfAChangedUser)
{
    LoginAnswerer login(::GetCurrentProcessId(), { { "new", "pw" } });
    CloseDuring(1200, [&] { m_frame->SendMessage(WM_COMMAND, ID_CHANGE_USER); });
    login.Stop();
    EXPECT_EQ("new", m_profile.LoginValue("User"));
}

// The send under way is called off and told as failed; the page's box comes before the close.
TEST_F(CloseDuringWaitTest, ASendOfThePage)
{
    Modem([](GsmModem& modem) {
        gsmsim::FaultRule late;
        late.command = "AT+CMGS";
        late.fault = gsmsim::Fault::Delay;
        late.delayMs = 3000;
        modem.AddFault(late);
    });
    Strings boxes;
    CloseDuring(300, [&] { boxes = Boxes([&] { Click(IDC_RESTART_DEVICE); }); });
    EXPECT_EQ(Strings{ "短信发送失败！" }, boxes);
}

} // namespace
