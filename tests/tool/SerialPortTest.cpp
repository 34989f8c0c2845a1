// The serial port on a pseudo-terminal pair, with a plain blocking peer on the far end.
#include <gtest/gtest.h>

#include "ProcessCounts.h"
#include "SerialPort.h"
#include "TestSupport.h"
#include "ToolTestSupport.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// The owner window: records every message of the port.
class CPortOwner : public CWnd {
public:
    std::vector<Note> m_notes;

    std::vector<Note> Take(UINT message) const { return NotesOf(m_notes, message); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_SERIAL_BREAK && message <= WM_SERIAL_FLAGCHAR) {
            m_notes.push_back({ message, wParam, lParam });
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The far end of the pair: blocking I/O that returns at once with whatever has arrived.
class Peer {
public:
    explicit Peer(int nPort)
    {
        m_hPort = ::CreateFileA(("\\\\.\\COM" + std::to_string(nPort)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
        COMMTIMEOUTS timeouts = { MAXDWORD, 0, 0, 0, 5000 };
        ::SetCommTimeouts(m_hPort, &timeouts);
    }
    ~Peer() { ::CloseHandle(m_hPort); }
    bool IsOpen() const { return m_hPort != INVALID_HANDLE_VALUE; }

    void Write(const std::string& bytes)
    {
        DWORD dwWritten = 0;
        ASSERT_TRUE(::WriteFile(m_hPort, bytes.data(), (DWORD)bytes.size(), &dwWritten, NULL));
        ASSERT_EQ(bytes.size(), dwWritten);
    }

    // Everything that arrives until n bytes are in or the time is up.
    std::string Read(size_t n, DWORD dwTimeout = 5000)
    {
        std::string bytes;
        PumpUntil(
            [&] {
                char chunk[4096];
                DWORD dwRead = 0;
                ::ReadFile(m_hPort, chunk, (DWORD)std::min(sizeof chunk, n - bytes.size()), &dwRead, NULL);
                bytes.append(chunk, dwRead);
                return bytes.size() >= n;
            },
            dwTimeout);
        return bytes;
    }

    void Drain() { Read(1 << 20, 200); }

private:
    HANDLE m_hPort;
};

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FirstSerialPair(m_nPort, m_nPeerPort)) << "run with a serial pair (SERIAL_PAIRS)";
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
        m_peer.reset(new Peer(m_nPeerPort));
        ASSERT_TRUE(m_peer->IsOpen());
        m_peer->Drain();
    }

    void TearDown() override
    {
        m_port.ClosePort();
        m_owner.DestroyWindow();
    }

    // Opened as the modem link opens it, with the owner asking for the given events.
    void OpenAndMonitor(DWORD dwEvents, UINT nWriteSize = 10240, UINT nReadSize = 512)
    {
        ASSERT_TRUE(m_port.InitPort(&m_owner, m_nPort, 9600, 'N', 8, 1, 0, dwEvents, nWriteSize, nReadSize));
        ASSERT_TRUE(m_port.StartMonitoring());
    }

    std::string ReadAll(size_t nExpected)
    {
        std::string bytes;
        PumpUntil([&] {
            char chunk[64];
            int n = m_port.ReadFromPort(chunk, sizeof chunk);
            bytes.append(chunk, (size_t)n);
            return bytes.size() >= nExpected;
        });
        return bytes;
    }

    int m_nPort = 0;
    int m_nPeerPort = 0;
    CPortOwner m_owner;
    std::unique_ptr<Peer> m_peer;
    CSerialPort m_port;
};

TEST_F(SerialPortTest, MissingPortFailsAndClosingIsAlwaysSafe)
{
    CSerialPort never;
    never.ClosePort(); // never opened
    EXPECT_EQ(-1, never.GetPortNumber());
    EXPECT_FALSE(never.StartMonitoring());

    CSerialPort missing;
    EXPECT_FALSE(missing.InitPort(&m_owner, 99, 9600, 'N', 8, 1, 0, 0, 512, 512));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.StartMonitoring());
    missing.ClosePort();
    missing.ClosePort();
    EXPECT_FALSE(missing.IsOpen());

    OpenAndMonitor(0);
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_EQ(m_nPort, m_port.GetPortNumber());
    EXPECT_EQ(9600u, m_port.GetDCB().BaudRate);
    EXPECT_EQ(10240u, m_port.GetWriteBufferSize());
    EXPECT_EQ(512u, m_port.GetReadBufferSize());
    m_port.ClosePort();
    m_port.ClosePort();
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(-1, m_port.GetPortNumber());
}

TEST_F(SerialPortTest, BytesTravelBothWaysAsTheyAre)
{
    OpenAndMonitor(0);
    m_port.WriteToPort("AT+CMGF=1\r\n"); // a length below 1: up to the NUL
    EXPECT_EQ("AT+CMGF=1\r\n", m_peer->Read(11));
    m_port.WriteToPort("x\0y", 3);
    EXPECT_EQ(std::string("x\0y", 3), m_peer->Read(3));

    char untouched[4] = { 'u', 'u', 'u', 'u' };
    EXPECT_EQ(0, m_port.ReadFromPort(untouched, 4));
    EXPECT_EQ(std::string("uuuu"), std::string(untouched, 4));

    // Taken one byte at a time, as the modem link does, and several at once with a zero inside.
    m_peer->Write("OK\r\n");
    std::string line;
    PumpUntil([&] {
        char byte;
        if (m_port.ReadFromPort(&byte, 1) == 1)
            line += byte;
        return line.size() == 4;
    });
    EXPECT_EQ("OK\r\n", line);
    m_peer->Write(std::string("A\0BC", 4));
    EXPECT_EQ(std::string("A\0BC", 4), ReadAll(4));

    m_peer->Write("stale");
    PumpUntil([&] { return false; }, 300);
    m_port.ClearReadBuffer();
    char byte;
    EXPECT_EQ(0, m_port.ReadFromPort(&byte, 1));
    EXPECT_TRUE(m_owner.m_notes.empty()); // no events were asked for
}

TEST_F(SerialPortTest, OwnerHearsEachByteFlagCharactersAndOnlyEventsThatFired)
{
    OpenAndMonitor(EV_RXCHAR | EV_RXFLAG | EV_BREAK | EV_CTS | EV_ERR | EV_RING);
    m_port.SetRxFlagChars("\n\xAA", 2);
    m_peer->Write("ab\n\xAA");
    ASSERT_TRUE(PumpUntil([&] {
        return m_owner.Take(WM_SERIAL_RXCHAR).size() == 4 && m_owner.Take(WM_SERIAL_FLAGCHAR).size() == 2;
    }));
    std::vector<Note> chars = m_owner.Take(WM_SERIAL_RXCHAR);
    EXPECT_EQ((std::vector<WPARAM>{ 'a', 'b', '\n', 0xAA }),
              (std::vector<WPARAM>{ chars[0].wParam, chars[1].wParam, chars[2].wParam, chars[3].wParam }));
    EXPECT_EQ(m_nPort, chars[0].lParam);
    std::vector<Note> flags = m_owner.Take(WM_SERIAL_FLAGCHAR);
    ASSERT_EQ(2u, flags.size());
    EXPECT_EQ((WPARAM)'\n', flags[0].wParam);
    EXPECT_EQ((WPARAM)0xAA, flags[1].wParam);
    // Received bytes are not line breaks, rings or errors.
    for (UINT message : { WM_SERIAL_BREAK, WM_SERIAL_CTS, WM_SERIAL_ERROR, WM_SERIAL_RING })
        EXPECT_TRUE(m_owner.Take(message).empty()) << std::hex << message;
    EXPECT_EQ("ab\n\xAA", ReadAll(4));
}

TEST_F(SerialPortTest, FullReadBufferEmptiesAndTellsTheOwner)
{
    OpenAndMonitor(0, 10240, 512);
    std::string bytes;
    for (int i = 0; i < 513; ++i)
        bytes += (char)('A' + i % 26);
    m_peer->Write(bytes);
    ASSERT_TRUE(PumpUntil([&] { return !m_owner.Take(WM_SERIAL_BUFFER_FULL).empty(); }));
    std::vector<Note> full = m_owner.Take(WM_SERIAL_BUFFER_FULL);
    ASSERT_EQ(1u, full.size());
    EXPECT_EQ(512u, full[0].wParam);
    EXPECT_EQ(m_nPort, full[0].lParam);
    // The 512 bytes are gone; the 513th is at the front.
    EXPECT_EQ(std::string(1, bytes[512]), ReadAll(1));
    PumpUntil([&] { return false; }, 200);
    char more;
    EXPECT_EQ(0, m_port.ReadFromPort(&more, 1));
}

TEST_F(SerialPortTest, WriteBufferKeepsWhatFitsAndDropsTheRest)
{
    ASSERT_TRUE(m_port.InitPort(&m_owner, m_nPort, 9600, 'N', 8, 1, 0, 0, 10240, 512));
    std::string queued(10230, 'q');
    m_port.WriteToPort(queued.data(), (int)queued.size());
    m_port.WriteToPort("0123456789ABCDEFGHIJ", 20);
    ASSERT_TRUE(m_port.StartMonitoring()); // only now do the bytes go out
    std::string sent = m_peer->Read(10240);
    sent += m_peer->Read(1, 300); // nothing more may follow
    ASSERT_EQ(10240u, sent.size());
    EXPECT_EQ(queued + "0123456789", sent);
    // With room again, everything goes.
    m_port.WriteToPort("0123456789ABCDEFGHIJ", 20);
    EXPECT_EQ("0123456789ABCDEFGHIJ", m_peer->Read(20));
}

TEST_F(SerialPortTest, WritingNeverDiscardsReceivedBytes)
{
    OpenAndMonitor(0, 10240, 4096);
    std::string expected;
    for (int round = 0; round < 40; ++round) {
        std::string chunk = "reply" + std::to_string(round) + ";";
        expected += chunk;
        m_peer->Write(chunk);
        m_port.WriteToPort("AT\r");
    }
    EXPECT_EQ(expected, ReadAll(expected.size()));
    EXPECT_EQ(40u * 3, m_peer->Read(40 * 3).size());
}

TEST_F(SerialPortTest, ClosingEndsTheMonitorEvenWhenBusyOrSuspended)
{
    // The owner is slow: the monitor thread sits in a SendMessage to this thread while it closes.
    OpenAndMonitor(EV_RXCHAR);
    m_peer->Write("busy");
    ::Sleep(300);
    DWORD dwStart = ::GetTickCount();
    m_port.ClosePort();
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_LT(::GetTickCount() - dwStart, 3000u);

    OpenAndMonitor(0);
    EXPECT_TRUE(m_port.StopMonitoring());
    EXPECT_TRUE(m_port.StopMonitoring());
    dwStart = ::GetTickCount();
    m_port.ClosePort();
    EXPECT_LT(::GetTickCount() - dwStart, 3000u);

    // And it can be opened and used again.
    OpenAndMonitor(0);
    m_port.WriteToPort("again");
    EXPECT_EQ("again", m_peer->Read(5));
}

TEST_F(SerialPortTest, ProbingOpenAndCloseCyclesLeakNoHandles)
{
    // Warm up once: the system keeps some handles of its own after the first use of a port.
    OpenAndMonitor(0);
    m_port.ClosePort();
    ASSERT_FALSE(m_port.InitPort(&m_owner, 99));
    m_port.ClosePort();
    int nBefore = ProcessHandleCount();
    ASSERT_GT(nBefore, 0);

    // As the modem page probes: one scratch object, opened again and again, never closed between.
    CSerialPort probe;
    for (int i = 0; i < 200; ++i) {
        probe.InitPort(&m_owner, i % 2 ? m_nPort : 99, 9600, 'N', 8, 1, 0, 9, 512, 512);
        if (i % 20 == 0)
            probe.StartMonitoring();
    }
    probe.ClosePort();
    EXPECT_EQ(nBefore, ProcessHandleCount());

    // A probe of a port someone holds leaves the holder working: they share the buffer mutexes
    // by name, and the probe's close must not take the holder's. (Windows refuses the probe's
    // open outright; Wine lets it through, which makes this the harder case.)
    OpenAndMonitor(0);
    probe.InitPort(&m_owner, m_nPort, 9600, 'N', 8, 1, 0, 9, 512, 512);
    probe.ClosePort();
    m_peer->Write("still");
    EXPECT_EQ("still", ReadAll(5));
}

} // namespace
