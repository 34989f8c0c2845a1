// The modem link's long waits, as the tests' shorter step makes them. In each test the modem
// answers just inside a wait, so that a wait made shorter fails the test.
#include "ModemFixture.h"

#include "ToolTestSupport.h"

#include <string>

using gsmsim::Fault;
using gsmsim::FaultRule;
using gsmsim::GsmModem;

namespace {

class ModemTimeoutTest : public ModemTest {
protected:
    // Whether the log tells of the answer (a line of it) as thrown away unread.
    bool LogHasDiscarded(const std::string& answer)
    {
        std::string log = Log();
        for (size_t at = log.find("丢弃短信模块未读的应答"); at != std::string::npos;
             at = log.find("丢弃短信模块未读的应答", at + 1))
            if (log.substr(at, log.find('\n', at) - at).find("[" + answer + "]") != std::string::npos)
                return true;
        return false;
    }

    // A wait lasts at least its nominal time; an answer this late is still inside it.
    static unsigned JustInside(DWORD dwRealMs) { return Scaled(dwRealMs) * 95 / 100; }

    // The waits after Ctrl-Z are short enough to be run as they are: the frame is made again
    // with the program's own step.
    void UseProgramsStep()
    {
        CloseFrame();
        ::SetEnvironmentVariableA("MARQTEL_MODEM_STEP_MS", NULL);
        OpenFrame();
    }

    // A modem left waiting for the text of a message (a program stopped in the middle of a
    // send) takes the next commands as that text, echoing them. Ctrl-Z ends it, and the network
    // refuses that message after the delay.
    void LeaveModemTyping(unsigned nRefusalMs)
    {
        Modem([&](GsmModem& modem) {
            modem.SetEcho(true);
            FaultRule refused;
            refused.command = "AT+CMGS";
            refused.fault = Fault::NoCmgs;
            modem.AddFault(refused);
            modem.SetNetworkDelay(nRefusalMs);
            std::string command = "AT+CMGS=13800000009\r";
            modem.Receive(command.data(), command.size(), m_modem.Now());
            modem.ClearTranscript();
        });
    }
};

TEST_F(ModemTimeoutTest, TheNetworksAnswerToASentTextIsWaitedFor50Seconds)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) { modem.SetNetworkDelay(JustInside(50000)); });
    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000001", "#T;"));
    EXPECT_TRUE(LogHas(1, "发送短信成功!", "设备1", "13800000001"));
}

TEST_F(ModemTimeoutTest, TheMessageReferenceAfterPlusCmgsIsWaitedFor100Seconds)
{
    OpenReadyModem();
    FaultRule slow;
    slow.command = "AT+CMGS";
    slow.fault = Fault::SlowReference;
    slow.delayMs = JustInside(100000);
    Modem([&](GsmModem& modem) { modem.AddFault(slow); });
    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000001", "#T;"));
    EXPECT_TRUE(LogHas(1, "发送短信成功!", "设备1", "13800000001"));
}

// The second of wait after Ctrl-Z lets the refusal of the abandoned message come and go with
// what is discarded, before the send's own command: it is not taken for the send's answer.
TEST_F(ModemTimeoutTest, BeforeASendTheAnswerToAnAbandonedMessageIsWaitedForASecond)
{
    UseProgramsStep();
    OpenReadyModem();
    LeaveModemTyping(900);
    EXPECT_EQ(0, m_frame->SendSms("设备1", "13800000001", "#T;"));
    EXPECT_EQ("ATE0\r\n\x1A\rAT+CMGS=13800000001\r#T;\x1A\r\n", TakeTranscript());
    EXPECT_TRUE(LogHasDiscarded("+CMS ERROR: 500"));
}

// At start-up the wait after Ctrl-Z is three seconds: the refusal is taken and thrown away
// before the modem is reported ready.
TEST_F(ModemTimeoutTest, AtStartUpTheAnswerToAnAbandonedMessageIsWaitedForThreeSeconds)
{
    UseProgramsStep();
    Modem([](GsmModem& modem) { modem.SetTextMode(true); });
    LeaveModemTyping(2700);
    EXPECT_EQ(0, m_frame->InitSmsModem());
    EXPECT_EQ("ATE0\r\n\x1A\rATE0\r\nAT+CMGF=1\r", TakeTranscript());
    EXPECT_TRUE(LogHasDiscarded("+CMS ERROR: 500"));
}

// A send the tool gave up on may still be answered: that late "+CMGS:" is no answer to the next
// send, which the modem refuses at once. The next exchange throws it away, and logs it.
TEST_F(ModemTimeoutTest, ALateCmgsIsNotTakenForTheNextSendsAnswer)
{
    OpenReadyModem();
    Modem([](GsmModem& modem) { modem.SetNetworkDelay(Scaled(50000) * 3 / 2); });
    EXPECT_EQ(-3, m_frame->SendSms("设备1", "13800000001", "#first"));
    Modem([](GsmModem& modem) {
        modem.SetNetworkDelay(kNetworkDelayMs);
        FaultRule refused;
        refused.command = "AT+CMGS";
        refused.fault = Fault::NoCmgs;
        modem.AddFault(refused);
    });
    EXPECT_EQ(-3, m_frame->SendSms("设备2", "13800000002", "#second"));
    EXPECT_TRUE(LogHas(2, "发送短信失败!", "设备2", "13800000002"));

    ASSERT_TRUE(PumpUntil([&] { return Modem([](GsmModem& modem) { return modem.Quiet(); }); }, 20000));
    Pump(200); // the answer's way through the pair
    m_frame->PollSms();
    EXPECT_TRUE(LogHasDiscarded("+CMGS: 1"));
}

} // namespace
