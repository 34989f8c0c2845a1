#pragma once
// What tests of every area need from the system: window names, hidden and processes' windows,
// temporary files, free ports and the serial pairs the runner makes.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

std::string WindowClassOf(HWND window);
std::string WindowTextOf(HWND window);
// A hidden window of a class of its own name whose messages go to the procedure: where a host
// program takes the link library's messages. Registering the class again is harmless.
HWND CreateHiddenWindow(const char* className, WNDPROC windowProc);
// A shown top-level window of the process that the test wants, looked for until the time is up
// (once with no time); nullptr when none showed.
HWND WaitForProcessWindow(DWORD processId, const std::function<bool(HWND)>& wanted, int timeoutMs);

// The name in the temporary folder.
std::string TempPath(const std::string& name);
// The file's bytes as they are; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// A port that no socket of the kind holds now, for the service under test to listen on (sockets
// must be started).
std::uint16_t FreePort(bool tcp);

// The first pair the runner made (env SERIAL_PAIRS, "COM5:COM6,..."): the number of the port the
// code under test opens and of the test's own end; false when the test runs without one.
bool FirstSerialPair(int& portUnderTest, int& testEnd);
