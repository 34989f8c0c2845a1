// Answers the message boxes of a test's own thread from a second thread, as a user would.
#pragma once

#include <windows.h>

#include <string.h>

#include <string>
#include <thread>
#include <vector>

// Answers every message box of the given thread with OK and keeps its text.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(DWORD threadId) : m_threadId(threadId), m_thread([this] { Run(); }) {}
    ~MessageBoxAnswerer() { Stop(); }
    void Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    std::vector<std::string> m_texts;

private:
    static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
    {
        auto* self = reinterpret_cast<MessageBoxAnswerer*>(lParam);
        char cls[64] = "", text[256] = "";
        ::GetClassNameA(hWnd, cls, sizeof cls);
        if (strcmp(cls, "#32770") != 0 || !::IsWindowVisible(hWnd) || ::GetDlgItem(hWnd, 0xFFFF) == NULL)
            return TRUE;
        ::GetDlgItemTextA(hWnd, 0xFFFF, text, sizeof text);
        self->m_texts.push_back(text);
        ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        ::Sleep(200);
        return FALSE;
    }
    void Run()
    {
        while (!m_stop) {
            ::EnumThreadWindows(m_threadId, Visit, (LPARAM)this);
            ::Sleep(50);
        }
    }
    DWORD m_threadId;
    volatile bool m_stop = false;
    std::thread m_thread;
};
