#pragma once
// The program: its hidden application window (window class "TApplication", owner of the forms
// that are not the main form, home of the timers and of the hint window), its title, main
// form and message loop.
#include "components/Win32.h"

#include <exception>
#include <functional>
#include <map>
#include <string>

#include "components/ControlTypes.h"
#include "components/TComponent.h"

class TCustomForm;
class TControl;
class TTimer;

class TApplication : public TComponent {
    DECLARE_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);

    HWND Handle();
    const std::string& Title() const { return FTitle; }
    // The icon resource "MAINICON" of the program; nullptr when it has none.
    HICON Icon() const;
    void SetTitle(const std::string& title);
    TCustomForm* MainForm() const { return FMainForm; }
    bool Terminated() const { return FTerminated; }
    // Ends the message loop (Run, and a modal loop running inside it).
    void Terminate();
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool show) { FShowHint = show; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode) { FBiDiMode = mode; }
    const std::string& HelpFile() const { return FHelpFile; }
    void SetHelpFile(const std::string& file) { FHelpFile = file; }

    // Registers the classes forms are read with and starts the common controls.
    void Initialize();
    // Makes a form of class T from its description; the first form made is the main form.
    template <class T>
    void CreateForm(T*& reference);
    // Shows the main form and runs the message loop until Terminate; frees the forms after.
    void Run();
    // Handles every message waiting, then returns.
    void ProcessMessages();
    // Handles one message, or waits for one when none is waiting.
    void HandleMessage();
    // Reports an exception that a handler let through: OnException, else a message box.
    void HandleException(const std::exception& error);
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    // Shows a help topic; false when there is no help file to show it from.
    bool HelpContext(int context);

    std::function<void(TObject* Sender, const std::exception& Error)> OnException;

    // Called by the controls, timers and forms of the program.
    void NoteMouseOver(TControl* control);
    void NoteMouseLeft(TControl* control);
    void ControlDestroying(TControl* control);
    void FormDestroying(TCustomForm* form);
    void UpdateHintTool(TControl* control);
    UINT_PTR StartTimer(TTimer* timer, UINT interval);
    void StopTimer(UINT_PTR id);
    TControl* MouseControl() const { return FMouseControl; }

private:
    static LRESULT CALLBACK AppWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    bool ProcessMessage(MSG& msg);
    bool TakeMessage(MSG& msg);
    bool IsKeyMessage(MSG& msg);
    void SetMainFormIfFirst(TCustomForm* form);

    HWND FHandle = nullptr;
    HWND FHintWindow = nullptr;
    DWORD FLastLookAhead = 0;
    int FTakenAhead = 0;  // taken one after the other by the last look, and still looking
    std::string FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FShowHint = true;
    TBiDiMode FBiDiMode = bdLeftToRight;
    std::string FHelpFile;
    TControl* FMouseControl = nullptr;
    std::map<UINT_PTR, TTimer*> FTimers;
    UINT_PTR FNextTimerId = 1;
};

extern TApplication* Application;

// Registers the standard component classes for reading form descriptions (once).
void RegisterComponentClasses();
// Makes the common-control window classes available (once).
void StartCommonControls();

template <class T>
void TApplication::CreateForm(T*& reference) {
    T* form = new T(this);
    reference = form;
    try {
        form->ReadFormResource();
    } catch (...) {
        reference = nullptr;
        delete form;
        throw;
    }
    SetMainFormIfFirst(form);
}
