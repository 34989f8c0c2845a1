// A simulated GSM modem serving one COM port: a thread of its own takes what arrives on the
// port to the modem and writes the modem's answers back when they are due. Tests run it on the
// far end of a serial pair; gsmsim.exe runs it for a whole program.
#pragma once

#include "GsmModem.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace gsmsim {

class SerialModem {
public:
    SerialModem() = default;
    ~SerialModem() { Stop(); }

    // Opens COM<nPort> and starts serving it; false when the port cannot be opened.
    bool Start(int nPort);
    void Stop();

    // The modem, for settings and checks while it is served.
    template <class Fn>
    auto With(Fn fn) -> decltype(fn(std::declval<GsmModem&>()))
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return fn(m_modem);
    }
    // Called (with the modem locked) after every piece of input the modem took.
    void SetObserver(std::function<void(const GsmModem&, const std::string& received)> observer)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_observer = std::move(observer);
    }
    // The time on the modem's clock.
    Micros Now() const;

    SerialModem(const SerialModem&) = delete;
    SerialModem& operator=(const SerialModem&) = delete;

private:
    void Serve();
    void WriteAll(const std::string& bytes);

    HANDLE m_hPort = INVALID_HANDLE_VALUE;
    std::thread m_thread;
    std::atomic<bool> m_bStop{ false };
    std::mutex m_mutex;
    GsmModem m_modem;
    std::function<void(const GsmModem&, const std::string&)> m_observer;
    ULONGLONG m_startCounter = 0;
    ULONGLONG m_counterFrequency = 1;
};

} // namespace gsmsim
