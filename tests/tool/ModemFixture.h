// The main frame in the test's process with a simulated GSM modem on the far end of a serial
// pair: the frame's modem port is the near end, and the test reads what the modem received.
#pragma once

#include <gtest/gtest.h>

#include "GsmModem.h"
#include "MainFrm.h"
#include "SerialModem.h"
#include "TestProfile.h"

#include <functional>
#include <string>
#include <vector>

// The frame, noting every message it hands to the device page.
class CTestFrame : public CMainFrame {
public:
    struct Dispatched {
        std::string sender;
        std::string time;
        std::string message;
    };
    std::vector<Dispatched> m_dispatched;
    // Runs before the page gets each message.
    std::function<void(const Dispatched&)> m_onDispatch;

    void DispatchSms(const CString& strSender, const CString& strTime, const CString& strMessage) override
    {
        m_dispatched.push_back({ (LPCTSTR)strSender, (LPCTSTR)strTime, (LPCTSTR)strMessage });
        if (m_onDispatch)
            m_onDispatch(m_dispatched.back());
        CMainFrame::DispatchSms(strSender, strTime, strMessage);
    }
};

class ModemTest : public ::testing::Test {
protected:
    // The modem's waits in these tests: idle steps of 20 ms instead of 100, a line five times
    // as fast as 9600 baud, so that as many bytes arrive in a step as they would, and the
    // network's 3 seconds for a message shortened alike.
    static const int kStepMs = 20;
    static const unsigned kLineRate = 4800;
    static const unsigned kNetworkDelayMs = 3000 * kStepMs / 100;
    // A wait of the modem link as the tests' step makes it: ms at the real step of 100 ms.
    static DWORD Scaled(DWORD dwMilliseconds) { return dwMilliseconds * kStepMs / 100; }

    void SetUp() override;
    void TearDown() override;

    // A new frame on the modem's port (its start-up timer stopped), and the modem.
    void OpenFrame();
    void CloseFrame();
    // The modem as it is after a start-up: echo off, text mode on. The frame's port is opened
    // and monitored without a dialogue.
    void OpenReadyModem();

    template <class Fn>
    auto Modem(Fn fn) -> decltype(fn(std::declval<gsmsim::GsmModem&>()))
    {
        return m_modem.With(fn);
    }
    // What the modem received since the last call.
    std::string TakeTranscript();
    std::string Log();
    std::string Status();
    // Whether the log has a line of the level, device fields and message.
    bool LogHas(int level, const std::string& message, const char* name = "", const char* phone = "");
    bool PollTimerRunning();
    // Runs this thread's messages until the frame is gone or the time is up.
    bool WaitForFrameToClose(DWORD dwTimeout = 5000);
    // Calls fn on this thread once the modem has received the bytes (the end of what it has
    // received equals them), at the thread's first wait after that: so it runs in the middle
    // of whatever the frame waits for then. Posted messages go ahead of paints and timers.
    void CallWhenModemHas(const std::string& bytes, std::function<void()> fn);

    TestProfile m_profile;
    gsmsim::SerialModem m_modem;
    int m_nPort = 0;      // the frame's end of the pair
    int m_nModemPort = 0; // the modem's end
    CDocument* m_doc = nullptr;
    CTestFrame* m_frame = nullptr;
    HWND m_hFrame = NULL;

private:
    static LRESULT CALLBACK CallerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hCaller = NULL; // where the modem's thread posts the call
    std::function<void()> m_onModemHas;
};

// Calls fn once, from a timer of this thread, after the delay: so it runs inside whatever wait
// or modal loop the thread is in by then.
void CallSoon(DWORD dwDelay, std::function<void()> fn);
// Answers every message box of this thread with OK, through its message queue; returns how
// many there were.
int CloseMessageBoxes();
