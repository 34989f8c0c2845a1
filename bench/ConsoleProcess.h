#pragma once
// Sablink.exe as a user runs it, in a folder of its own (where it writes its data logs), driven
// from this process through its windows: the protocol question answered, the service started at
// once on port 5002 (the start mode in its settings file), boxes ticked, texts read back.
#include <windows.h>

#include <string>

class ConsoleProcess {
public:
    ~ConsoleProcess();

    // Copies Sablink.exe and verrin.dll from the source folder into the run folder and starts it
    // serving the protocol; false, with a reason on stderr, when the service did not start.
    bool start(const std::string& sourceFolder, const std::string& runFolder, bool tcp);
    // Closes the console as a user does (its question answered), so that its service stops and
    // its sockets close; a console that is not gone within a while is terminated. Under Wine a
    // terminated console may leave its UDP socket open in the wine server, which then holds the
    // port until it ends.
    void close();
    void terminate();

    HWND form() const { return form_; }
    // The console's own child window of the class whose text is the given one.
    HWND child(const std::string& windowClass, const std::string& text) const;
    // The text of one of its windows, read through the system (a sent message).
    std::string textOf(HWND window) const;
    // Ticks or unticks a box as a click on it does.
    void click(HWND box) const;
    int listedTerminals() const;
    // The event counter beside the lights; -1 when it cannot be read.
    long eventCount() const;
    // Processor time the console's process has used, in seconds.
    double cpuSeconds() const;

private:
    HWND waitForWindow(const std::string& windowClass, DWORD timeoutMs) const;

    PROCESS_INFORMATION process_{};
    HWND form_ = nullptr;
    HWND memo_ = nullptr;
    HWND counter_ = nullptr;
    HWND list_ = nullptr;
};

// Port 5002, where the console serves by default, is free for the protocol.
bool ConsolePortFree(bool tcp);
