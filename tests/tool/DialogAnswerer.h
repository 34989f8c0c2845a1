// Answers the modal windows that a test's own thread opens, from a second thread, the way a user
// would: a file dialog gets the given path and OK; a message box has its caption and text noted
// and gets the given button. Other dialogs are not answered.
#pragma once

#include <windows.h>

#include <string.h>

#include <string>
#include <thread>
#include <vector>

class DialogAnswerer {
public:
    DialogAnswerer(DWORD threadId, std::string path, int messageBoxButton = IDOK)
        : m_threadId(threadId), m_path(std::move(path)), m_button(messageBoxButton)
    {
        m_thread = std::thread([this] { Run(); });
    }
    ~DialogAnswerer() { Stop(); }

    // Ends the answering; the notes may be read from then on.
    void Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    int m_fileDialogs = 0;
    std::vector<std::string> m_captions; // of each message box, in order
    std::vector<std::string> m_messages;

private:
    static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
    {
        auto* self = reinterpret_cast<DialogAnswerer*>(lParam);
        char cls[64] = "";
        ::GetClassNameA(hWnd, cls, sizeof cls);
        if (strcmp(cls, "#32770") != 0 || !::IsWindowVisible(hWnd))
            return TRUE;
        // The file name box of the file dialogs (combo box 1148 in the explorer style).
        HWND hName = ::GetDlgItem(hWnd, 1152) ? ::GetDlgItem(hWnd, 1152) : ::GetDlgItem(hWnd, 1148);
        // A message box shows its text in static 0xFFFF and has no edit; other dialogs (the
        // progress pop-up, the login) are left alone.
        if (hName == NULL && (::GetDlgItem(hWnd, 0xFFFF) == NULL || ::FindWindowExA(hWnd, NULL, "Edit", NULL) != NULL))
            return TRUE;
        int nButton = IDOK;
        if (hName != NULL) {
            ::SendMessageA(hName, WM_SETTEXT, 0, (LPARAM)self->m_path.c_str());
            ++self->m_fileDialogs;
        } else {
            char text[512] = "";
            ::GetWindowTextA(hWnd, text, sizeof text);
            self->m_captions.push_back(text);
            ::GetDlgItemTextA(hWnd, 0xFFFF, text, sizeof text);
            self->m_messages.push_back(text);
            nButton = self->m_button;
        }
        ::PostMessageA(hWnd, WM_COMMAND, nButton, 0);
        ::Sleep(300);
        return FALSE;
    }
    void Run()
    {
        while (!m_stop) {
            ::EnumThreadWindows(m_threadId, Visit, (LPARAM)this);
            ::Sleep(100);
        }
    }

    DWORD m_threadId;
    std::string m_path;
    int m_button;
    volatile bool m_stop = false;
    std::thread m_thread;
};
