// Running this thread's messages from a test, and the messages a test's window noted.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Runs this thread's messages (the port's monitor thread sends to it, the pages have timers)
// until done() holds or the time is up; false when the time ran out.
bool PumpUntil(const std::function<bool()>& done, DWORD dwTimeout = 5000);
// Runs this thread's messages for a while.
void Pump(DWORD dwMilliseconds);

// A message a test's window received.
struct Note {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The notes of one message, in the order they came.
std::vector<Note> NotesOf(const std::vector<Note>& notes, UINT message);
