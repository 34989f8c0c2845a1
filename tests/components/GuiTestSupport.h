#pragma once
// Helpers for tests that drive real windows under the message loop.
#include "components/Win32.h"

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"

// Handles the messages of the thread for about the given time.
void PumpMessages(int milliseconds = 50);
// Runs the action from the message loop once the loop runs (a modal loop, typically), after
// the given delay.
void RunLater(std::function<void()> action, int milliseconds = 30);
// The top-level visible window of this thread with the given class, or nullptr.
HWND FindThreadWindow(const std::string& className);
// Errors that handlers let through, as the application reported them.
std::vector<std::string>& ReportedErrors();
// Sets the application up for a test program (once).
void PrepareApplication();
