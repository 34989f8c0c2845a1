// One exchange with the modem at a time: what happens when a send, a poll tick, a port change,
// a close or a modal loop comes while the frame waits for the modem.
#include "ModemFixture.h"

#include "DialogAnswerer.h"
#include "LoginAnswerer.h"
#include "ToolTestSupport.h"
#include "resource.h"

#include <algorithm>
#include <string>
#include <vector>

using gsmsim::Fault;
using gsmsim::FaultRule;
using gsmsim::GsmModem;

namespace {

FaultRule LateAnswer(const char* command, unsigned delayMs)
{
    FaultRule rule;
    rule.command = command;
    rule.fault = Fault::Delay;
    rule.delayMs = delayMs;
    return rule;
}

class ModemGuardTest : public ModemTest {
protected:
    void SetUp() override
    {
        ModemTest::SetUp();
        OpenReadyModem();
        Modem([](GsmModem& modem) { modem.StoreMessage(GsmModem::Quoted("+8613800000001"), "#one"); });
    }
    void StoreMore(int nMessages)
    {
        Modem([nMessages](GsmModem& modem) {
            for (int i = 0; i < nMessages; ++i)
                modem.StoreMessage(GsmModem::Quoted("+8613800000002"), "#more " + std::to_string(i));
        });
    }
    size_t Stored()
    {
        return Modem([](GsmModem& modem) { return modem.Store().size(); });
    }
    size_t Sent()
    {
        return Modem([](GsmModem& modem) { return modem.Sent().size(); });
    }
    // The frame is asked to close as soon as the modem has received the bytes.
    void CloseWhenModemHas(const std::string& bytes)
    {
        HWND hFrame = m_hFrame;
        CallWhenModemHas(bytes, [hFrame] { ::PostMessageA(hFrame, WM_CLOSE, 0, 0); });
    }
};

TEST_F(ModemGuardTest, ASendDuringAPollFailsCleanlyAndNothingInterleaves)
{
    Modem([](GsmModem& modem) { modem.AddFault(LateAnswer("AT+CMGL", 120)); });
    int nSendResult = 1;
    CallWhenModemHas("AT+CMGL=\"ALL\"\r", [&] { nSendResult = m_frame->SendSms("设备1", "13800000002", "#T;"); });
    m_frame->PollSms();
    EXPECT_EQ(-3, nSendResult);
    EXPECT_TRUE(LogHas(2, "发送短信失败!", "设备1", "13800000002"));
    EXPECT_EQ("AT+CMGL=\"ALL\"\rAT+CMGD=1\r", TakeTranscript());
    ASSERT_EQ(1u, m_frame->m_dispatched.size());
    EXPECT_EQ("#one", m_frame->m_dispatched[0].message);
    EXPECT_EQ(0u, Stored());
}

TEST_F(ModemGuardTest, APollTickDuringASendDoesNotPollAndPollingGoesOn)
{
    // The tick waits in the queue for the send's first wait for the modem.
    m_frame->PostMessage(WM_TIMER, TIMER_SMS_POLL);
    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000002", "#T;"));
    Pump(50);
    EXPECT_EQ("ATE0\r\nAT+CMGS=13800000002\r#T;\x1A\r\n", TakeTranscript());
    EXPECT_TRUE(PollTimerRunning());
    EXPECT_EQ(1u, Stored());
}

// The close waits for the exchange: a listing under way is called off, its messages stay in the
// modem for the next start, and the frame closes once the poll is off the stack.
TEST_F(ModemGuardTest, ClosingDuringAListingEndsThePollFirstAndKeepsTheMessages)
{
    StoreMore(20);
    Modem([](GsmModem& modem) { modem.AddFault(LateAnswer("AT+CMGL", 300)); });
    CloseWhenModemHas("AT+CMGL=\"ALL\"\r");
    m_frame->PollSms();
    EXPECT_TRUE(::IsWindow(m_hFrame));
    EXPECT_TRUE(m_frame->m_dispatched.empty());
    EXPECT_TRUE(WaitForFrameToClose());
    EXPECT_EQ("AT+CMGL=\"ALL\"\r", TakeTranscript());
    EXPECT_EQ(21u, Stored());
}

TEST_F(ModemGuardTest, ClosingDuringAStartUpEndsItWithoutAMessageBox)
{
    Modem([](GsmModem& modem) {
        FaultRule silence;
        silence.command = "ATE0";
        silence.fault = Fault::Silence;
        silence.times = -1;
        modem.AddFault(silence);
    });
    DialogAnswerer answerer(::GetCurrentThreadId(), "");
    CloseWhenModemHas("ATE0\r\n");
    EXPECT_EQ(-1, m_frame->InitSmsModem());
    EXPECT_TRUE(WaitForFrameToClose());
    answerer.Stop();
    EXPECT_TRUE(answerer.m_messages.empty());
}

// Once messages are being handled the poll goes to its end: what was handled is deleted before
// the frame closes, or it would be handled again at the next start.
TEST_F(ModemGuardTest, ClosingWhileMessagesAreHandledWaitsUntilTheyAreDeleted)
{
    Modem([](GsmModem& modem) { modem.StoreMessage(GsmModem::Quoted("+8613800000002"), "#two"); });
    m_frame->m_onDispatch = [&](const CTestFrame::Dispatched&) { m_frame->PostMessage(WM_CLOSE); };
    m_frame->PollSms();
    EXPECT_EQ(2u, m_frame->m_dispatched.size());
    EXPECT_EQ("AT+CMGL=\"ALL\"\rAT+CMGD=1\rAT+CMGD=2\r", TakeTranscript());
    EXPECT_TRUE(WaitForFrameToClose());
    EXPECT_EQ(0u, Stored());
}

// A close calls a send off while the modem has not been given the text: nothing more goes to
// the modem, and the send is logged as failed.
TEST_F(ModemGuardTest, ClosingBeforeTheTextIsWrittenWritesNothingMore)
{
    struct Case {
        Fault fault;
        const char* command;
        std::string closeAt;
    } cases[] = {
        { Fault::Silence, "ATE0", "ATE0\r\n" },                    // waiting for ATE0's OK
        { Fault::NoPrompt, "AT+CMGS", "AT+CMGS=13800000002\r" }, // waiting for the prompt
    };
    for (const Case& c : cases) {
        if (m_frame == nullptr) {
            OpenFrame();
            OpenReadyModem();
        }
        FaultRule rule;
        rule.command = c.command;
        rule.fault = c.fault;
        Modem([&](GsmModem& modem) { modem.AddFault(rule); });
        TakeTranscript();
        CloseWhenModemHas(c.closeAt);
        EXPECT_EQ(-3, m_frame->SendSms("设备1", "13800000002", "#T;"));
        EXPECT_TRUE(LogHas(2, "发送短信失败!", "设备1", "13800000002"));
        EXPECT_TRUE(WaitForFrameToClose());
        m_modem.SetObserver(nullptr);
        std::string transcript = TakeTranscript();
        EXPECT_EQ(c.closeAt, transcript.substr(transcript.size() - std::min(transcript.size(), c.closeAt.size())))
            << c.command;
        EXPECT_EQ(std::string::npos, transcript.find("#T;")) << c.command;
        EXPECT_EQ(0u, Sent());
    }
}

// Once the text has gone out the modem sends it: a close waits for the modem's answer, and the
// log says what the modem did.
TEST_F(ModemGuardTest, ClosingWhileTheModemSendsTheTextWaitsForItsAnswer)
{
    CloseWhenModemHas("#T;\x1A\r\n");
    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000002", "#T;"));
    EXPECT_TRUE(LogHas(1, "发送短信成功!", "设备1", "13800000002"));
    EXPECT_TRUE(WaitForFrameToClose());
    EXPECT_EQ(1u, Sent());
}

// A command given while a listing comes in may hold the poll up for seconds in a dialog and a
// pop-up of its own: the modem is read meanwhile, and every reply is handled whole.
TEST_F(ModemGuardTest, ACommandThatHoldsAListingUpLosesNoReply)
{
    std::vector<std::string> texts = { "#one" };
    Modem([&](GsmModem& modem) {
        for (int i = 0; i < 12; ++i) {
            texts.push_back("#" + std::to_string(i) + std::string(60, (char)('A' + i)));
            modem.StoreMessage(GsmModem::Quoted("+8613800000001"), texts.back());
        }
    });
    m_profile.SetLogin("op", "pw");
    LoginAnswerer answerer(::GetCurrentProcessId(), { { "op2", "pw2" } });
    CallWhenModemHas("AT+CMGL=\"ALL\"\r", [&] { m_frame->PostMessage(WM_COMMAND, ID_CHANGE_USER); });
    std::string userAtFirstReply;
    m_frame->m_onDispatch = [&](const CTestFrame::Dispatched&) {
        if (userAtFirstReply.empty())
            userAtFirstReply = m_profile.LoginValue("User");
    };
    m_frame->PollSms();
    answerer.Stop();
    EXPECT_EQ("op2", userAtFirstReply); // the command ran while the listing came
    std::vector<std::string> handled;
    for (const CTestFrame::Dispatched& d : m_frame->m_dispatched)
        handled.push_back(d.message);
    EXPECT_EQ(texts, handled);
    EXPECT_EQ(0u, Stored());
}

TEST_F(ModemGuardTest, AProgramEndingDuringAListingEndsThePoll)
{
    StoreMore(20);
    Modem([](GsmModem& modem) { modem.AddFault(LateAnswer("AT+CMGL", 300)); });
    CallWhenModemHas("AT+CMGL=\"ALL\"\r", [] { ::PostQuitMessage(0); });
    m_frame->PollSms();
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(m_frame->m_dispatched.empty());
    EXPECT_EQ(21u, Stored());
}

// A message box or dialog on the stack may belong to the very page that a received message
// replaces: the poll waits for the next tick after the modal loop.
TEST_F(ModemGuardTest, NoPollRunsInsideAModalLoopAndTheNextTickAfterItPolls)
{
    HWND owners[] = { m_hFrame, NULL };
    for (HWND hOwner : owners) {
        CallSoon(50, [&] {
            m_frame->PostMessage(WM_TIMER, TIMER_SMS_POLL);
            CallSoon(200, [] { CloseMessageBoxes(); });
        });
        ::MessageBoxA(hOwner, "等一下", "Marqtel", MB_OK);
        EXPECT_EQ("", TakeTranscript()) << (hOwner ? "owned box" : "box without owner");
        EXPECT_TRUE(PollTimerRunning());
    }
    m_frame->PostMessage(WM_TIMER, TIMER_SMS_POLL);
    EXPECT_TRUE(PumpUntil([&] { return m_frame->m_dispatched.size() == 1 && !m_frame->IsExchangingWithModem(); }));
    EXPECT_EQ("AT+CMGL=\"ALL\"\rAT+CMGD=1\r", TakeTranscript());
}

// Choosing "no modem" on the modem page during a poll would close the port under it: the
// change waits for the poll, then closes the port.
TEST_F(ModemGuardTest, APortChangeDuringAPollWaitsForItsEnd)
{
    Modem([](GsmModem& modem) { modem.AddFault(LateAnswer("AT+CMGL", 120)); });
    CallWhenModemHas("AT+CMGL=\"ALL\"\r", [&] {
        m_profile.SetModemPort(-1);
        m_frame->InitSmsModem();
    });
    m_frame->PollSms();
    EXPECT_EQ(1u, m_frame->m_dispatched.size());
    EXPECT_EQ("AT+CMGL=\"ALL\"\rAT+CMGD=1\r", TakeTranscript());
    EXPECT_TRUE(PumpUntil([&] { return !m_frame->m_Port.IsOpen(); }));
    EXPECT_EQ("没有短信模块!", Status());

    // A new port waits likewise, and the modem is then started on it.
    m_profile.SetModemPort(m_nPort);
    ASSERT_EQ(0, m_frame->InitSmsModem());
    TakeTranscript();
    Modem([](GsmModem& modem) {
        modem.StoreMessage(GsmModem::Quoted("+8613800000002"), "#two");
        modem.AddFault(LateAnswer("AT+CMGL", 120));
    });
    CallWhenModemHas("AT+CMGL=\"ALL\"\r", [&] { m_frame->InitSmsModem(); });
    m_frame->PollSms();
    EXPECT_EQ("AT+CMGL=\"ALL\"\rAT+CMGD=1\r", TakeTranscript());
    EXPECT_TRUE(PumpUntil([&] { return Status() == "短信模块就绪"; }));
    EXPECT_EQ("ATE0\r\nATE0\r\nAT+CMGF=1\r", TakeTranscript());
}

} // namespace
