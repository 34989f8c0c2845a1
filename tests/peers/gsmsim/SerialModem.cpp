#include "SerialModem.h"

#include <string>

namespace gsmsim {

bool SerialModem::Start(int nPort)
{
    Stop();
    std::string name = "\\\\.\\COM" + std::to_string(nPort);
    m_hPort = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (m_hPort == INVALID_HANDLE_VALUE)
        return false;
    // Reads return at once with whatever has arrived.
    COMMTIMEOUTS timeouts = { MAXDWORD, 0, 0, 0, 5000 };
    ::SetCommTimeouts(m_hPort, &timeouts);
    ::PurgeComm(m_hPort, PURGE_RXCLEAR | PURGE_TXCLEAR);
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    m_startCounter = (ULONGLONG)counter.QuadPart;
    m_counterFrequency = (ULONGLONG)frequency.QuadPart;
    m_bStop = false;
    m_thread = std::thread([this] { Serve(); });
    return true;
}

void SerialModem::Stop()
{
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_hPort != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hPort);
    m_hPort = INVALID_HANDLE_VALUE;
}

Micros SerialModem::Now() const
{
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    ULONGLONG ticks = (ULONGLONG)counter.QuadPart - m_startCounter;
    return ticks / m_counterFrequency * 1000000 + ticks % m_counterFrequency * 1000000 / m_counterFrequency;
}

void SerialModem::Serve()
{
    while (!m_bStop) {
        char buffer[512];
        DWORD dwRead = 0;
        if (!::ReadFile(m_hPort, buffer, sizeof buffer, &dwRead, NULL))
            dwRead = 0;
        std::string output;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            Micros now = Now();
            if (dwRead > 0) {
                m_modem.Receive(buffer, dwRead, now);
                if (m_observer)
                    m_observer(m_modem, std::string(buffer, dwRead));
            }
            output = m_modem.TakeOutput(now);
        }
        WriteAll(output);
        if (dwRead == 0 && output.empty())
            ::Sleep(1);
    }
}

void SerialModem::WriteAll(const std::string& bytes)
{
    size_t nDone = 0;
    while (nDone < bytes.size() && !m_bStop) {
        DWORD dwWritten = 0;
        if (!::WriteFile(m_hPort, bytes.data() + nDone, (DWORD)(bytes.size() - nDone), &dwWritten, NULL))
            return;
        nDone += dwWritten;
    }
}

} // namespace gsmsim
