#pragma once
// A user clicking a box of the console now and then: a real mouse click (input the system
// queues, which a window takes after the messages posted to it), then the box's state read until
// it changes. The time from the click to the change is the console's answer.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

class ClickProbe {
public:
    ClickProbe(HWND box, DWORD everyMs);
    ~ClickProbe();

    struct Answers {
        std::vector<double> ms;
        int unanswered = 0;  // within the wait
    };
    Answers stop();

private:
    void run();
    bool clickAndWait(double& answerMs);
    int state() const;

    HWND box_;
    DWORD everyMs_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex lock_;
    Answers answers_;
};
