#include "ModemFixture.h"

#include "DeviceView.h"
#include "Log.h"
#include "LogLine.h"
#include "MarqtelDoc.h"
#include "TestSupport.h"
#include "ToolTestSupport.h"
#include "resource.h"

#include <map>
#include <memory>

namespace {

std::map<UINT_PTR, std::function<void()>>& PendingCalls()
{
    static std::map<UINT_PTR, std::function<void()>> calls;
    return calls;
}

void CALLBACK RunPendingCall(HWND, UINT, UINT_PTR nID, DWORD)
{
    ::KillTimer(NULL, nID);
    auto found = PendingCalls().find(nID);
    if (found == PendingCalls().end())
        return;
    std::function<void()> fn = found->second;
    PendingCalls().erase(found);
    fn();
}

} // namespace

void CallSoon(DWORD dwDelay, std::function<void()> fn)
{
    UINT_PTR nID = ::SetTimer(NULL, 0, dwDelay, RunPendingCall);
    PendingCalls()[nID] = std::move(fn);
}

static BOOL CALLBACK AnswerMessageBox(HWND hWnd, LPARAM lParam)
{
    if (WindowClassOf(hWnd) == "#32770" && ::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, 0xFFFF) != NULL) {
        ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        ++*reinterpret_cast<int*>(lParam);
    }
    return TRUE;
}

int CloseMessageBoxes()
{
    int nBoxes = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), AnswerMessageBox, reinterpret_cast<LPARAM>(&nBoxes));
    return nBoxes;
}

void ModemTest::SetUp()
{
    ASSERT_TRUE(FirstSerialPair(m_nPort, m_nModemPort)) << "run with a serial pair (SERIAL_PAIRS)";
    ::SetEnvironmentVariableA("MARQTEL_MODEM_STEP_MS", std::to_string(kStepMs).c_str());
    ASSERT_TRUE(m_modem.Start(m_nModemPort));
    Modem([](gsmsim::GsmModem& modem) {
        modem.SetLineRate(kLineRate);
        modem.SetNetworkDelay(kNetworkDelayMs);
    });
    m_profile.SetModemPort(m_nPort);
    CloseLog();
    ::DeleteFileA(GetLogPath());
    OpenLog();
    OpenFrame();
}

void ModemTest::TearDown()
{
    m_modem.SetObserver(nullptr);
    if (m_hCaller != NULL)
        ::DestroyWindow(m_hCaller);
    m_hCaller = NULL;
    CloseFrame();
    m_modem.Stop();
    CloseLog();
}

void ModemTest::OpenFrame()
{
    m_doc = static_cast<CDocument*>(RUNTIME_CLASS(CMarqtelDoc)->CreateObject());
    CCreateContext context;
    context.m_pCurrentDoc = m_doc;
    context.m_pNewViewClass = RUNTIME_CLASS(CDeviceView);
    m_frame = new CTestFrame;
    ASSERT_TRUE(m_frame->Create(NULL, "Marqtel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1000, 700), NULL, NULL,
                                0, &context));
    m_hFrame = m_frame->m_hWnd;
    // The tests start the modem themselves.
    ::KillTimer(m_hFrame, TIMER_STARTUP);
    m_frame->InitialUpdateFrame(m_doc, TRUE);
}

void ModemTest::CloseFrame()
{
    if (::IsWindow(m_hFrame))
        ::DestroyWindow(m_hFrame);
    m_hFrame = NULL;
    m_frame = nullptr;
    delete m_doc;
    m_doc = nullptr;
}

void ModemTest::OpenReadyModem()
{
    Modem([](gsmsim::GsmModem& modem) {
        modem.SetEcho(false);
        modem.SetTextMode(true);
    });
    ASSERT_TRUE(m_frame->m_Port.InitPort(m_frame, m_nPort, 9600, 'N', 8, 1, 0, 0, 10240, 512));
    ASSERT_TRUE(m_frame->m_Port.StartMonitoring());
}

std::string ModemTest::TakeTranscript()
{
    return Modem([](gsmsim::GsmModem& modem) {
        std::string transcript = modem.Transcript();
        modem.ClearTranscript();
        return transcript;
    });
}

std::string ModemTest::Log()
{
    return ReadFileBytes(GetLogPath());
}

std::string ModemTest::Status()
{
    return (LPCTSTR)m_frame->m_wndStatusBar.GetPaneText(0);
}

// Lines are "level|time|name|phone|message": the time is the one field not looked at.
bool ModemTest::LogHas(int level, const std::string& message, const char* name, const char* phone)
{
    std::string log = Log();
    std::string tail = std::string("|") + name + "|" + phone + "|" + message + "\r\n";
    std::string head = std::to_string(level) + "|";
    for (size_t at = log.find(tail); at != std::string::npos; at = log.find(tail, at + 1)) {
        size_t lineStart = log.rfind('\n', at);
        lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
        if (log.compare(lineStart, head.size(), head) == 0)
            return true;
    }
    return false;
}

bool ModemTest::PollTimerRunning()
{
    // Killing it tells whether it was there; it is set again to leave things as they were.
    if (!::KillTimer(m_hFrame, TIMER_SMS_POLL))
        return false;
    ::SetTimer(m_hFrame, TIMER_SMS_POLL, 5000, NULL);
    return true;
}

bool ModemTest::WaitForFrameToClose(DWORD dwTimeout)
{
    HWND hFrame = m_hFrame;
    bool bClosed = PumpUntil([hFrame] { return !::IsWindow(hFrame); }, dwTimeout);
    if (bClosed) {
        m_hFrame = NULL;
        m_frame = nullptr;
    }
    return bClosed;
}

static const UINT WM_MODEM_HAS = WM_APP + 0x300;

LRESULT CALLBACK ModemTest::CallerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_MODEM_HAS)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    ModemTest* pTest = reinterpret_cast<ModemTest*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pTest != nullptr && pTest->m_onModemHas) {
        std::function<void()> fn = std::move(pTest->m_onModemHas);
        pTest->m_onModemHas = nullptr;
        fn();
    }
    return 0;
}

void ModemTest::CallWhenModemHas(const std::string& bytes, std::function<void()> fn)
{
    if (m_hCaller == NULL) {
        m_hCaller = CreateHiddenWindow("ModemTestCaller", CallerProc);
        ::SetWindowLongPtrA(m_hCaller, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    m_onModemHas = std::move(fn);
    HWND hCaller = m_hCaller;
    auto pPosted = std::make_shared<bool>(false); // touched by the modem's thread only
    m_modem.SetObserver([hCaller, bytes, pPosted](const gsmsim::GsmModem& modem, const std::string&) {
        const std::string& transcript = modem.Transcript();
        if (*pPosted || transcript.size() < bytes.size() ||
            transcript.compare(transcript.size() - bytes.size(), bytes.size(), bytes) != 0)
            return;
        *pPosted = true;
        ::PostMessageA(hCaller, WM_MODEM_HAS, 0, 0);
    });
}
