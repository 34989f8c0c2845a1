// The frame's AT dialogue with a simulated GSM modem: start-up, sending, polling.
#include "ModemFixture.h"

#include "DeviceView.h"
#include "DialogAnswerer.h"
#include "GOut.h"
#include "LoginAnswerer.h"
#include "ModemView.h"
#include "ProgressDlg.h"
#include "ToolTestSupport.h"
#include "resource.h"

#include <memory>
#include <string>
#include <vector>

using gsmsim::Fault;
using gsmsim::FaultRule;
using gsmsim::GsmModem;

namespace {

FaultRule Rule(const char* command, Fault fault, int times = 1, unsigned n = 0)
{
    FaultRule rule;
    rule.command = command;
    rule.fault = fault;
    rule.times = times;
    rule.delayMs = n;
    rule.cutAfter = n;
    return rule;
}

std::string Stamp(const char* time)
{
    return GsmModem::Quoted(std::string("09/01/06,") + time + "+32");
}

int Count(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class ModemLinkTest : public ModemTest {
protected:
    std::string Com() { return "COM" + std::to_string(m_nPort); }
    bool PopUpShows() { return m_frame->m_pProgressDlg != nullptr && m_frame->m_pProgressDlg->IsWindowVisible(); }
    void ExpectFrameFreeAgain()
    {
        EXPECT_TRUE(m_frame->IsWindowEnabled());
        EXPECT_FALSE(PopUpShows());
        EXPECT_FALSE(m_frame->IsExchangingWithModem());
    }
    // The log's lines that tell of a failed poll.
    std::string PollFailures()
    {
        std::string log = Log(), failures;
        for (size_t at = log.find("读取短信失败"); at != std::string::npos; at = log.find("读取短信失败", at + 1))
            failures += log.substr(at, log.find('\n', at) - at);
        return failures;
    }
    // Replies that make a listing longer than the port's buffer; their texts in listing order.
    std::vector<std::string> StoreLongReplies(int nReplies)
    {
        std::vector<std::string> texts;
        Modem([&](GsmModem& modem) {
            for (int i = 0; i < nReplies; ++i) {
                texts.push_back("#" + std::to_string(i) + std::string(60, (char)('A' + i)));
                modem.StoreMessage(GsmModem::Quoted("+8613800000001"), texts.back());
            }
        });
        return texts;
    }
    std::vector<std::string> DispatchedMessages()
    {
        std::vector<std::string> messages;
        for (const CTestFrame::Dispatched& d : m_frame->m_dispatched)
            messages.push_back(d.message);
        return messages;
    }
};

// ---------------------------------------------------------------------------------------------
// Start-up.

TEST_F(ModemLinkTest, StartUpTurnsTheEchoOffAndTheTextModeOnAndPollingBegins)
{
    // A modem fresh from power-on echoes: its echo spoils the first answer, Ctrl-Z and a second
    // ATE0 follow.
    EXPECT_EQ(0, m_frame->InitSmsModem());
    EXPECT_EQ("ATE0\r\n\x1A\rATE0\r\nAT+CMGF=1\r", TakeTranscript());
    EXPECT_FALSE(Modem([](GsmModem& modem) { return modem.Echo(); }));
    EXPECT_EQ("短信模块就绪", Status());
    EXPECT_TRUE(LogHas(1, "初始化短信模块(串口[" + Com() + "])..."));
    EXPECT_TRUE(LogHas(1, "短信模块就绪"));
    EXPECT_TRUE(PollTimerRunning());
    ExpectFrameFreeAgain();

    // Once the echo is off, the first ATE0 is answered.
    EXPECT_EQ(0, m_frame->InitSmsModem());
    EXPECT_EQ("ATE0\r\nATE0\r\nAT+CMGF=1\r", TakeTranscript());
}

TEST_F(ModemLinkTest, GarbageBeforeAnAnswerOrAnAnswerDribbledByteByByteStillStartsTheModem)
{
    Modem([](GsmModem& modem) {
        modem.SetEcho(false);
        modem.AddFault(Rule("ATE0", Fault::Garbage));
        modem.AddFault(Rule("AT+CMGF", Fault::Dribble, 1, 15));
    });
    EXPECT_EQ(0, m_frame->InitSmsModem());
    EXPECT_EQ("ATE0\r\n\x1A\rATE0\r\nAT+CMGF=1\r", TakeTranscript());
    EXPECT_EQ("短信模块就绪", Status());
}

TEST_F(ModemLinkTest, AFailedStartUpIsReportedKeepsThePortOpenAndDoesNotPoll)
{
    struct Case {
        FaultRule rule;
        const char* transcript;
    } cases[] = {
        { Rule("ATE0", Fault::Silence, 2), "ATE0\r\n\x1A\rATE0\r\n" },
        { Rule("AT+CMGF", Fault::Error), "ATE0\r\nATE0\r\nAT+CMGF=1\r" },
    };
    Modem([](GsmModem& modem) { modem.SetEcho(false); });
    for (const Case& c : cases) {
        Modem([&](GsmModem& modem) { modem.AddFault(c.rule); });
        DialogAnswerer answerer(::GetCurrentThreadId(), "");
        EXPECT_EQ(-1, m_frame->InitSmsModem());
        answerer.Stop();
        EXPECT_EQ(c.transcript, TakeTranscript());
        ASSERT_EQ(1u, answerer.m_messages.size());
        EXPECT_EQ("初始化短信模块失败! 请检查串口线和SIM卡!", answerer.m_messages[0]);
        EXPECT_EQ("Marqtel", answerer.m_captions[0]);
        EXPECT_EQ("初始化短信模块失败! 请检查串口线和SIM卡!", Status());
        EXPECT_TRUE(LogHas(2, "初始化短信模块失败! 请检查串口线和SIM卡!"));
        EXPECT_TRUE(m_frame->m_Port.IsOpen());
        EXPECT_FALSE(PollTimerRunning());
        ExpectFrameFreeAgain();
    }
}

TEST_F(ModemLinkTest, APortThatCannotBeOpenedIsReported)
{
    m_profile.SetModemPort(99);
    DialogAnswerer answerer(::GetCurrentThreadId(), "");
    EXPECT_EQ(-1, m_frame->InitSmsModem());
    answerer.Stop();
    ASSERT_EQ(1u, answerer.m_messages.size());
    EXPECT_EQ("打开串口[COM99]失败!", answerer.m_messages[0]);
    EXPECT_EQ("打开串口[COM99]失败!", Status());
    EXPECT_TRUE(LogHas(2, "打开串口[COM99]失败!"));
    EXPECT_FALSE(m_frame->m_Port.IsOpen());
    ExpectFrameFreeAgain();
}

// "No modem" lets go of a port opened before, so that nothing is sent through it any more.
TEST_F(ModemLinkTest, NoModemClosesThePortAndStopsPollingAndSending)
{
    Modem([](GsmModem& modem) { modem.SetEcho(false); });
    ASSERT_EQ(0, m_frame->InitSmsModem());
    TakeTranscript();
    m_profile.SetModemPort(-1);
    EXPECT_EQ(0, m_frame->InitSmsModem());
    EXPECT_EQ("没有短信模块!", Status());
    EXPECT_TRUE(LogHas(1, "没有短信模块!"));
    EXPECT_FALSE(m_frame->m_Port.IsOpen());
    EXPECT_FALSE(PollTimerRunning());
    EXPECT_EQ(-2, m_frame->SendSms("设备1", "13800000001", "#T;"));
    EXPECT_EQ(0, m_frame->PollSms());
    EXPECT_EQ("", TakeTranscript());
}

TEST_F(ModemLinkTest, TheStartUpTimerShowsTheModemPageWhenTheModemDoesNotAnswer)
{
    Modem([](GsmModem& modem) { modem.AddFault(Rule("ATE0", Fault::Silence, -1)); });
    m_profile.SetLogin("op", "pw");
    LoginAnswerer answerer(::GetCurrentProcessId(), { { "op", "pw" } }, true);
    m_frame->SetTimer(TIMER_STARTUP, 10, NULL);
    ASSERT_TRUE(PumpUntil([&] { return m_frame->GetRightPage()->IsKindOf(RUNTIME_CLASS(CModemView)); }, 10000));
    answerer.Stop();
    EXPECT_EQ(1u, answerer.m_messages.size());
    EXPECT_EQ(1, m_frame->GetNavigationBar()->m_wndFolder.GetSelectedFolder());
}

// ---------------------------------------------------------------------------------------------
// Sending.

TEST_F(ModemLinkTest, ASendWritesTheTextAfterThePromptAndSucceedsOnTheOkAfterCmgs)
{
    OpenReadyModem();
    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000001", "+AbT;R;1A2B3C4D"));
    EXPECT_EQ("ATE0\r\nAT+CMGS=13800000001\r+AbT;R;1A2B3C4D\x1A\r\n", TakeTranscript());
    std::vector<gsmsim::SentSms> sent = Modem([](GsmModem& modem) { return modem.Sent(); });
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ("13800000001", sent[0].number);
    EXPECT_EQ("+AbT;R;1A2B3C4D", sent[0].text);
    EXPECT_EQ("发送短信到[设备1,13800000001]成功!", Status());
    EXPECT_TRUE(LogHas(1, "正在发送短信[+AbT;R;1A2B3C4D]", "设备1", "13800000001"));
    EXPECT_TRUE(LogHas(1, "发送短信成功!", "设备1", "13800000001"));
    EXPECT_EQ(0, m_frame->m_bSending);
    ExpectFrameFreeAgain();
}

TEST_F(ModemLinkTest, WithoutAPromptTheTextGoesOutOnceThePromptsWaitIsOver)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) { modem.AddFault(Rule("AT+CMGS", Fault::NoPrompt)); });
    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000001", "#T;"));
    EXPECT_EQ("ATE0\r\nAT+CMGS=13800000001\r#T;\x1A\r\n", TakeTranscript());
    EXPECT_EQ(1u, Modem([](GsmModem& modem) { return modem.Sent().size(); }));
}

TEST_F(ModemLinkTest, ASendTheModemRefusesFails)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) { modem.AddFault(Rule("AT+CMGS", Fault::NoCmgs)); });
    EXPECT_EQ(-3, m_frame->SendSms("设备1", "13800000001", "#T;"));
    EXPECT_EQ("发送短信到[设备1,13800000001]失败!", Status());
    EXPECT_TRUE(LogHas(2, "发送短信失败!", "设备1", "13800000001"));
    EXPECT_EQ(0, m_frame->m_bSending);
    ExpectFrameFreeAgain();
}

// The round trip of a command: a device answers the message sent to it, and the next poll
// hands its answer on.
TEST_F(ModemLinkTest, ADevicesAnswerToASentMessageComesWithTheNextPoll)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) { modem.AddDevice("13800000001", "#OK;", 100); });
    ASSERT_EQ(0, m_frame->SendSms("设备1", "13800000001", "+AbT;Q;1A2B3C4D"));
    Pump(300);
    m_frame->PollSms();
    ASSERT_EQ(1u, m_frame->m_dispatched.size());
    EXPECT_EQ("13800000001", m_frame->m_dispatched[0].sender);
    EXPECT_EQ("#OK;", m_frame->m_dispatched[0].message);
}

// A modem that restarted is back in PDU mode with its echo on: the listing is refused. That is
// told once, however often polls fail after it, and each next poll starts the modem again
// first, until the message that waited is handled.
TEST_F(ModemLinkTest, AfterTheModemRestartedAFailedPollIsToldOnceAndTheNextPollStartsTheModemAgain)
{
    OpenReadyModem();
    const std::string failure = "读取短信失败[+CMS ERROR: 302]! 将重新初始化短信模块";
    Modem([](GsmModem& modem) {
        modem.Restart();
        modem.StoreMessage(GsmModem::Quoted("+8613800000001"), "#waited");
    });
    m_frame->PollSms();
    EXPECT_TRUE(m_frame->m_dispatched.empty());
    EXPECT_EQ("AT+CMGL=\"ALL\"\r", TakeTranscript());
    EXPECT_TRUE(LogHas(2, failure));
    EXPECT_EQ(failure, Status());

    // The modem refuses text mode once more: the poll stops there.
    Modem([](GsmModem& modem) { modem.AddFault(Rule("AT+CMGF", Fault::Error)); });
    m_frame->PollSms();
    EXPECT_EQ("ATE0\r\n\x1A\rATE0\r\nAT+CMGF=1\r", TakeTranscript());
    // Then it refuses a listing once more.
    Modem([](GsmModem& modem) { modem.AddFault(Rule("AT+CMGL", Fault::Error)); });
    m_frame->PollSms();
    EXPECT_EQ("ATE0\r\nATE0\r\nAT+CMGF=1\rAT+CMGL=\"ALL\"\r", TakeTranscript());
    EXPECT_TRUE(m_frame->m_dispatched.empty());

    m_frame->PollSms();
    EXPECT_EQ("ATE0\r\nATE0\r\nAT+CMGF=1\rAT+CMGL=\"ALL\"\rAT+CMGD=1\r", TakeTranscript());
    EXPECT_EQ(std::vector<std::string>{ "#waited" }, DispatchedMessages());
    EXPECT_TRUE(LogHas(1, "短信模块就绪"));
    EXPECT_EQ(failure, PollFailures().substr(0, failure.size()));
    EXPECT_EQ(1, Count(Log(), "读取短信失败"));

    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000001", "#T;"));
    EXPECT_EQ("ATE0\r\nAT+CMGS=13800000001\r#T;\x1A\r\n", TakeTranscript());
}

// A refusal ends a wait at once: the text is not typed into a modem that refused the send.
TEST_F(ModemLinkTest, AnErrorInsteadOfThePromptEndsTheSendWithoutWritingTheText)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) { modem.AddFault(Rule("AT+CMGS", Fault::Error)); });
    EXPECT_EQ(-3, m_frame->SendSms("设备1", "13800000001", "#T;"));
    EXPECT_EQ("ATE0\r\nAT+CMGS=13800000001\r", TakeTranscript());
    EXPECT_TRUE(LogHas(2, "发送短信失败!", "设备1", "13800000001"));
    EXPECT_TRUE(Modem([](GsmModem& modem) { return modem.Sent().empty(); }));
}

// Messages arrive while the tool talks to the modem: their "+CMTI:" comes ahead of the answers.
// The answers are still read as answers, and the messages come with the poll.
TEST_F(ModemLinkTest, UnsolicitedCodesAheadOfTheAnswersArePassedOver)
{
    Modem([](GsmModem& modem) {
        modem.SetEcho(false);
        for (const char* command : { "ATE0", "AT+CMGF", "AT+CMGS", "AT+CMGL" })
            modem.AddFault(Rule(command, Fault::CodeFirst, -1));
    });
    DialogAnswerer answerer(::GetCurrentThreadId(), "");
    ASSERT_EQ(0, m_frame->InitSmsModem());
    answerer.Stop();
    EXPECT_EQ("ATE0\r\nATE0\r\nAT+CMGF=1\r", TakeTranscript());
    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000001", "#T;"));
    // Three came during the start-up and three during the send; the one that came with the
    // listing waits for the next.
    m_frame->PollSms();
    EXPECT_EQ(std::vector<std::string>(6, "#arrived"), DispatchedMessages());
    EXPECT_EQ(1u, Modem([](GsmModem& modem) { return modem.Store().size(); }));
    EXPECT_EQ("", PollFailures());
}

// A ';' in the number would have the modem run a further command; Ctrl-Z in the text would end
// the message early and hand the rest to the modem as commands.
TEST_F(ModemLinkTest, ANumberOrTextTheModemWouldRunAsCommandsIsNeverWritten)
{
    OpenReadyModem();
    EXPECT_EQ(-3, m_frame->SendSms("设备1", "13800000001;+CMGD=1", "#T;"));
    EXPECT_EQ("发送短信到[设备1,13800000001;+CMGD=1]失败!", Status());
    EXPECT_TRUE(LogHas(2, "发送短信失败!", "设备1", "13800000001;+CMGD=1"));
    EXPECT_EQ(-3, m_frame->SendSms("设备1", "13800000001", "#T;\x1A" "ATD112;\r"));
    EXPECT_EQ(-3, m_frame->SendSms("设备1", "", "#T;"));
    EXPECT_EQ("", TakeTranscript());
    ExpectFrameFreeAgain();

    m_frame->m_Port.ClosePort();
    EXPECT_EQ(-2, m_frame->SendSms("设备2", "13800000002", "#T;"));
    EXPECT_FALSE(LogHas(2, "发送短信失败!", "设备2", "13800000002"));
}

// ---------------------------------------------------------------------------------------------
// Polling.

TEST_F(ModemLinkTest, APollHandsOnEveryMessageInListingOrderAndThenDeletesThem)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) {
        modem.StoreMessage(GsmModem::Quoted("+8613800000001"), "#one", Stamp("10:20:30"));
        modem.StoreMessage(GsmModem::Quoted("13800000002"), "#two", Stamp("10:21:00"));
        modem.StoreMessage("13800000003", "#three", Stamp("10:22:00"));
    });
    std::vector<std::string> transcriptsAtDispatch;
    m_frame->m_onDispatch = [&](const CTestFrame::Dispatched&) { transcriptsAtDispatch.push_back(TakeTranscript()); };
    EXPECT_EQ(0, m_frame->PollSms());

    ASSERT_EQ(3u, m_frame->m_dispatched.size());
    const char* senders[] = { "13800000001", "13800000002", "13800000003" };
    const char* times[] = { "09/01/06,10:20:30", "09/01/06,10:21:00", "09/01/06,10:22:00" };
    const char* messages[] = { "#one", "#two", "#three" };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(senders[i], m_frame->m_dispatched[i].sender);
        EXPECT_EQ(times[i], m_frame->m_dispatched[i].time);
        EXPECT_EQ(messages[i], m_frame->m_dispatched[i].message);
        EXPECT_TRUE(LogHas(1, std::string("收到来自[") + senders[i] + "]的短信[" + messages[i] + "]，发送时间为[" +
                                  times[i] + "]"));
    }
    EXPECT_EQ((std::vector<std::string>{ "AT+CMGL=\"ALL\"\r", "", "" }), transcriptsAtDispatch);
    EXPECT_EQ("AT+CMGD=1\rAT+CMGD=2\rAT+CMGD=3\r", TakeTranscript());
    EXPECT_EQ(0u, Modem([](GsmModem& modem) { return modem.Store().size(); }));
    EXPECT_EQ("收到来自[13800000003]的短信[#three]，发送时间为[09/01/06,10:22:00]", Status());
    EXPECT_TRUE(m_frame->GetRightPage()->IsKindOf(RUNTIME_CLASS(CDeviceView)));
}

TEST_F(ModemLinkTest, OddEntriesAreSkippedKeptOrEndTheListingAndNoneIsHandledTwice)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) {
        modem.StoreMessage(GsmModem::Quoted("13800000001"), "no zone", GsmModem::Quoted("09/01/06,10:20:30-04"));
        modem.StoreMessage(GsmModem::Quoted("13800000002"), "");
        modem.StoreMessage(GsmModem::Quoted("13800000003"), "#three");
        modem.StoreMessage(GsmModem::Quoted("13800000004"), "first\r\nOK");
        modem.StoreMessage(GsmModem::Quoted("13800000005"), "#five");
    });
    m_frame->PollSms();
    // The empty text does not take the next header; the text line "OK" ends the listing.
    EXPECT_EQ((std::vector<std::string>{ "", "#three", "first" }), DispatchedMessages());
    EXPECT_EQ("AT+CMGL=\"ALL\"\rAT+CMGD=2\rAT+CMGD=3\rAT+CMGD=4\r", TakeTranscript());

    m_frame->m_dispatched.clear();
    m_frame->PollSms();
    EXPECT_EQ((std::vector<std::string>{ "#five" }), DispatchedMessages());
    EXPECT_EQ("AT+CMGL=\"ALL\"\rAT+CMGD=5\r", TakeTranscript());
    // The one with no '+' in its time stamp is never handled, nor deleted.
    std::vector<gsmsim::StoredSms> store = Modem([](GsmModem& modem) { return modem.Store(); });
    ASSERT_EQ(1u, store.size());
    EXPECT_EQ("no zone", store[0].text);
}

TEST_F(ModemLinkTest, GarbageNulBytesAndADribbledListingAreReadAsTheyCome)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) {
        modem.StoreMessage(GsmModem::Quoted("+8613800000001"), std::string("a\0b", 3));
        modem.AddFault(Rule("AT+CMGL", Fault::Garbage));
    });
    m_frame->PollSms();
    Modem([](GsmModem& modem) {
        modem.StoreMessage(GsmModem::Quoted("+8613800000002"), "#two");
        modem.AddFault(Rule("AT+CMGL", Fault::Dribble, 1, 1));
    });
    m_frame->PollSms();
    EXPECT_EQ((std::vector<std::string>{ "a b", "#two" }), DispatchedMessages());
}

// The port's buffer holds 512 bytes: the listing is taken out as fast as it comes, and handling
// the messages, message boxes and all, waits until the listing is in.
TEST_F(ModemLinkTest, AListingLongerThanThePortsBufferIsReadWholeThoughHandlingOpensAMessageBox)
{
    OpenReadyModem();
    std::vector<std::string> texts = StoreLongReplies(12);
    bool bBoxShown = false;
    m_frame->m_onDispatch = [&](const CTestFrame::Dispatched&) {
        if (bBoxShown)
            return;
        bBoxShown = true;
        // While the box is open, a poll tick comes too: it is not a second poll.
        CallSoon(50, [&] { m_frame->PostMessage(WM_TIMER, TIMER_SMS_POLL); });
        CallSoon(400, [] { CloseMessageBoxes(); });
        m_frame->MessageBox("回应", NULL, MB_OK);
    };
    m_frame->PollSms();
    EXPECT_EQ(texts, DispatchedMessages());
    std::string transcript = TakeTranscript();
    EXPECT_EQ(1, Count(transcript, "AT+CMGL"));
    EXPECT_EQ(12, Count(transcript, "AT+CMGD="));
    EXPECT_EQ(0u, Modem([](GsmModem& modem) { return modem.Store().size(); }));
}

TEST_F(ModemLinkTest, MoreThan128MessagesAreEachHandledAndDeletedOnce)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) {
        for (int i = 1; i <= 130; ++i)
            modem.StoreMessage(GsmModem::Quoted("+86138000" + std::to_string(10000 + i)), "#" + std::to_string(i));
    });
    m_frame->PollSms();
    ASSERT_EQ(130u, m_frame->m_dispatched.size());
    for (int i = 1; i <= 130; ++i)
        EXPECT_EQ("#" + std::to_string(i), m_frame->m_dispatched[i - 1].message);
    std::string transcript = TakeTranscript();
    for (int i = 1; i <= 130; ++i)
        EXPECT_EQ(1, Count(transcript, "AT+CMGD=" + std::to_string(i) + "\r")) << i;
    EXPECT_EQ(0u, Modem([](GsmModem& modem) { return modem.Store().size(); }));
}

// A listing cut in an entry ends at the time-out: the entries before it are handled; the cut
// one, and one that arrived while the listing went out, come with the next poll.
TEST_F(ModemLinkTest, AListingCutShortAndAMessageArrivingDuringItAreHandledByTheNextPoll)
{
    OpenReadyModem();
    std::string firstEntry = "+CMGL: 1,\"REC UNREAD\",\"+8613800000001\",,\"09/01/06,10:20:30+32\"\r\n#one\r\n";
    Modem([&](GsmModem& modem) {
        modem.StoreMessage(GsmModem::Quoted("+8613800000001"), "#one", Stamp("10:20:30"));
        modem.StoreMessage(GsmModem::Quoted("+8613800000002"), "#two", Stamp("10:20:31"));
        modem.ArriveDuringListing(1, GsmModem::Quoted("+8613800000009"), "#late");
        modem.AddFault(Rule("AT+CMGL", Fault::CutListing, 1, 2 + firstEntry.size() + 20));
    });
    m_frame->PollSms();
    EXPECT_EQ((std::vector<std::string>{ "#one" }), DispatchedMessages());
    EXPECT_EQ("AT+CMGL=\"ALL\"\rAT+CMGD=1\r", TakeTranscript());
    m_frame->m_dispatched.clear();
    m_frame->PollSms();
    EXPECT_EQ((std::vector<std::string>{ "#two", "#late" }), DispatchedMessages());
    EXPECT_EQ(0u, Modem([](GsmModem& modem) { return modem.Store().size(); }));
}

// Bytes lost while the tool could not read (its thread held up, with no message loop running)
// may have spliced one message's text onto another's: nothing of that listing is handled or
// deleted, and the next poll reads it again.
TEST_F(ModemLinkTest, AListingDuringWhichBytesWereLostIsNeitherHandledNorDeleted)
{
    OpenReadyModem();
    std::vector<std::string> texts = StoreLongReplies(12);
    FaultRule late = Rule("AT+CMGL", Fault::Delay);
    late.delayMs = 120;
    Modem([&](GsmModem& modem) { modem.AddFault(late); });
    // The thread is held up before the listing comes, until the port has had to drop bytes.
    int nOverflows = m_frame->m_Port.GetReadOverflows();
    bool bOverflowed = false;
    CallWhenModemHas("AT+CMGL=\"ALL\"\r", [&] {
        DWORD dwStart = ::GetTickCount();
        while (!bOverflowed && ::GetTickCount() - dwStart < 10000) {
            ::Sleep(10);
            bOverflowed = m_frame->m_Port.GetReadOverflows() != nOverflows;
        }
    });
    m_frame->PollSms();
    ASSERT_TRUE(bOverflowed);
    EXPECT_TRUE(m_frame->m_dispatched.empty());
    EXPECT_EQ("AT+CMGL=\"ALL\"\r", TakeTranscript());
    EXPECT_TRUE(LogHas(2, "读取短信失败[串口接收缓冲区溢出]! 将重新初始化短信模块"));
    EXPECT_EQ(12u, Modem([](GsmModem& modem) { return modem.Store().size(); }));

    m_frame->PollSms();
    EXPECT_EQ(texts, DispatchedMessages());
    EXPECT_EQ(0u, Modem([](GsmModem& modem) { return modem.Store().size(); }));
}

// A modem that keeps talking and never ends its listing (a boot loop, codes without end) holds
// the poll no longer than the listing's bound: the failure is told, and a send then goes
// through the codes.
TEST_F(ModemLinkTest, AListingThatNeverEndsStopsAtItsBound)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) {
        modem.AddSteadyCode("+CREG: 1", 100);
        modem.AddFault(Rule("AT+CMGL", Fault::Silence));
    });
    // Only a reading without a bound would still be going on by then.
    auto pTestRunning = std::make_shared<bool>(true);
    HWND hFrame = m_hFrame;
    CallSoon(60000, [pTestRunning, hFrame] {
        if (*pTestRunning)
            ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    });
    m_frame->PollSms();
    *pTestRunning = false;
    ASSERT_TRUE(::IsWindow(m_hFrame));
    EXPECT_TRUE(LogHas(2, "读取短信失败[短信模块的应答没有结束]! 将重新初始化短信模块"));
    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000001", "#T;"));
}

// The bound leaves room for the longest listing: 128 messages of 160 characters at 9600 baud.
TEST_F(ModemLinkTest, AListingOf128FullLengthMessagesIsReadWhole)
{
    OpenReadyModem();
    std::vector<std::string> texts;
    Modem([&](GsmModem& modem) {
        for (int i = 0; i < 128; ++i) {
            std::string text = "#" + std::to_string(i) + ":";
            text.resize(160, (char)('a' + i % 26));
            texts.push_back(text);
            modem.StoreMessage(GsmModem::Quoted("+8613800000001"), text);
        }
    });
    m_frame->PollSms();
    EXPECT_EQ(texts, DispatchedMessages());
    EXPECT_EQ("", PollFailures());
}

} // namespace
