#include "ComPort.h"

#include <algorithm>
#include <string>

HANDLE OpenComPort(int number) {
    // The device namespace reaches COM10 and above as well as COM1-COM9.
    const std::string name = "\\\\.\\COM" + std::to_string(number);
    return CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void PrepareComQueues(HANDLE port, int baudRate) {
    PurgeComm(port, PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    SetupComm(port, 2048, 2048);
    // Reads take only what is queued; a write to a port that nobody drains gives up after about
    // twice the time its bytes need on the line, rather than freezing the window for good.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutMultiplier = 2 * (10000 / std::max(baudRate, 1) + 1);
    timeouts.WriteTotalTimeoutConstant = 1000;
    SetCommTimeouts(port, &timeouts);
}

bool SetComLine(HANDLE port, int baudRate, int dataBits, int parity, int stopBits) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) return false;
    dcb.BaudRate = static_cast<DWORD>(baudRate);
    dcb.ByteSize = static_cast<BYTE>(dataBits);
    dcb.Parity = static_cast<BYTE>(parity);
    dcb.StopBits = static_cast<BYTE>(stopBits);
    return SetCommState(port, &dcb) != FALSE;
}

bool WatchComInput(HANDLE port) { return SetCommMask(port, EV_RXCHAR) != FALSE; }

std::size_t ReadQueuedComInput(HANDLE port, std::uint8_t* buffer, std::size_t capacity) {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(port, &errors, &status) || status.cbInQue == 0) return 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(status.cbInQue, capacity));
    DWORD read = 0;
    if (!ReadFile(port, buffer, wanted, &read, nullptr)) return 0;
    return read;
}

void WriteComOutput(HANDLE port, const std::uint8_t* data, std::size_t length) {
    DWORD written = 0;
    WriteFile(port, data, static_cast<DWORD>(length), &written, nullptr);
}

void CloseComPort(HANDLE& port) {
    if (port != INVALID_HANDLE_VALUE && port != nullptr) CloseHandle(port);
    port = INVALID_HANDLE_VALUE;
}
