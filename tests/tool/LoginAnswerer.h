// Answers the tool's login dialog in a process from a second thread, as a user would: the user
// name and password typed in, then OK (or another button). Each dialog answered takes the next
// entry; after the last, the last again. With bBoxes it answers the process's message boxes
// with OK too, noting their texts.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "resource.h"

struct LoginEntry {
    std::string user;
    std::string password;
    int button = IDOK;
};

class LoginAnswerer {
public:
    LoginAnswerer(DWORD processId, std::vector<LoginEntry> entries, bool bBoxes = false)
        : m_processId(processId), m_entries(std::move(entries)), m_bBoxes(bBoxes)
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~LoginAnswerer() { Stop(); }

    // Ends the answering; the notes may be read from then on.
    void Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    std::vector<std::string> m_captions;   // of each login dialog answered
    std::vector<std::string> m_shownUsers; // the user name each showed when it came
    std::vector<std::string> m_messages;   // of each message box

private:
    static std::string TextOf(HWND hWnd)
    {
        char text[512] = "";
        ::GetWindowTextA(hWnd, text, sizeof text);
        return text;
    }
    static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
    {
        auto* self = reinterpret_cast<LoginAnswerer*>(lParam);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hWnd, &processId);
        char cls[64] = "";
        ::GetClassNameA(hWnd, cls, sizeof cls);
        if (processId != self->m_processId || std::string(cls) != "#32770" || !::IsWindowVisible(hWnd))
            return TRUE;
        HWND hUser = ::GetDlgItem(hWnd, IDC_USER);
        HWND hPassword = ::GetDlgItem(hWnd, IDC_PASSWORD);
        if (hUser != NULL && hPassword != NULL) {
            self->m_captions.push_back(TextOf(hWnd));
            self->m_shownUsers.push_back(TextOf(hUser));
            LoginEntry entry = self->m_entries.empty() ? LoginEntry{ "", "", IDCANCEL }
                                                       : self->m_entries[std::min(self->m_nAnswered,
                                                                                  self->m_entries.size() - 1)];
            ++self->m_nAnswered;
            ::SendMessageA(hUser, WM_SETTEXT, 0, (LPARAM)entry.user.c_str());
            ::SendMessageA(hPassword, WM_SETTEXT, 0, (LPARAM)entry.password.c_str());
            ::PostMessageA(hWnd, WM_COMMAND, entry.button, 0);
        } else if (self->m_bBoxes && ::GetDlgItem(hWnd, 0xFFFF) != NULL) {
            self->m_messages.push_back(TextOf(::GetDlgItem(hWnd, 0xFFFF)));
            ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        } else {
            return TRUE;
        }
        ::Sleep(300);
        return FALSE;
    }
    void Run()
    {
        while (!m_stop) {
            ::EnumWindows(Visit, (LPARAM)this);
            ::Sleep(100);
        }
    }

    DWORD m_processId;
    std::vector<LoginEntry> m_entries;
    bool m_bBoxes;
    size_t m_nAnswered = 0;
    volatile bool m_stop = false;
    std::thread m_thread;
};
