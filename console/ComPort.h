#pragma once
// The serial port calls of the console's serial bridge. The main form keeps the handle; these
// run on its window thread, so none of them may wait long.
#include <windows.h>

#include <cstddef>
#include <cstdint>

// "COM" + number for reading and writing, not shared; INVALID_HANDLE_VALUE when it cannot be had.
HANDLE OpenComPort(int number);
// Empties the port and sizes its driver queues (2048 bytes each way).
void PrepareComQueues(HANDLE port, int baudRate);
// Line settings in the serial driver's own codes (parity 0-4, stop bits 0-2).
bool SetComLine(HANDLE port, int baudRate, int dataBits, int parity, int stopBits);
// Asks the driver to report received characters.
bool WatchComInput(HANDLE port);
// Reads what is queued, at most capacity bytes; 0 when nothing is or the driver fails.
std::size_t ReadQueuedComInput(HANDLE port, std::uint8_t* buffer, std::size_t capacity);
// Writes the bytes; the result is not wanted by the bridge.
void WriteComOutput(HANDLE port, const std::uint8_t* data, std::size_t length);
// Closes a handle that is open and forgets it, so it is never used or closed again.
void CloseComPort(HANDLE& port);
