#include "ToolTestSupport.h"

bool PumpUntil(const std::function<bool()>& done, DWORD dwTimeout)
{
    DWORD dwStart = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (::GetTickCount() - dwStart > dwTimeout)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

void Pump(DWORD dwMilliseconds)
{
    PumpUntil([] { return false; }, dwMilliseconds);
}

std::vector<Note> NotesOf(const std::vector<Note>& notes, UINT message)
{
    std::vector<Note> taken;
    for (const Note& note : notes)
        if (note.message == message)
            taken.push_back(note);
    return taken;
}
