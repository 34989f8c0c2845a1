#pragma once
// Driving the console's windows from a test: answering the modal boxes it shows, clicking its
// controls and menu items, and the folders and files the tests need.
#include <winsock2.h>

#include "components/Win32.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../components/GuiTestSupport.h"
#include "components/TControl.h"

class TCustomForm;
class TMenuItem;

// Runs the message loop until the condition holds; false when the time ran out first.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// What a modal box showed before the test answered it.
struct TDialogSeen {
    bool Seen = false;
    std::string Caption;
    std::string Text;
};
using TDialogWatch = std::shared_ptr<TDialogSeen>;

// Once a window of the class is shown on this thread (within a few seconds), runs the action on
// it from the message loop, which is then the modal loop of that window.
TDialogWatch WhenShown(const std::string& windowClass, std::function<void(HWND, TDialogSeen&)> action);
// The console's message box: clicks the button of that name ("Yes", "No", "OK").
TDialogWatch AnswerMessageBox(const std::string& button);
// The component layer's input box: types the text, then clicks "确定" (or "取消").
TDialogWatch AnswerInputBox(const std::string& text, bool ok = true);
// A system message box: clicks OK.
TDialogWatch AnswerSystemMessageBox();
// A form of the class: runs the action with it (which sets values and clicks a button).
template <class TFormClass>
TDialogWatch WhenFormShown(const std::string& windowClass, std::function<void(TFormClass*)> action) {
    return WhenShown(windowClass, [action](HWND window, TDialogSeen&) { action(dynamic_cast<TFormClass*>(TControl::FindControl(window))); });
}

// A click as the user makes it: BM_CLICK on a button, check box or radio button, the mouse on a
// tool button.
void ClickControl(TControl* control);
// A menu item chosen: its command sent to the form's window.
void ChooseMenuItem(TCustomForm* form, TMenuItem* item);

// A new empty folder under the temporary folder, and its removal with everything in it.
std::string MakeTempFolder();
void RemoveFolder(const std::string& path);
// Removes the file as a program of the host system does, past Windows' sharing rules; true once
// it is gone. False where no host system is beneath (no Wine).
bool RemoveFromHost(const std::string& path);
// The names of the files in a folder that match the pattern ("*.log"), sorted.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern = "*");
