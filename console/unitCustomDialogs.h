#pragma once
// The console's message, confirmation and input boxes, with Chinese captions: a message box is
// built at run time and sized to its text.
#include <initializer_list>
#include <string>

#include "components/TForm.h"

class TLabel;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// The buttons in their fixed order; a button set has bit k for button k.
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = unsigned;

constexpr TMsgDlgButtons ButtonSet(std::initializer_list<TMsgDlgBtn> buttons) {
    TMsgDlgButtons set = 0;
    for (TMsgDlgBtn b : buttons) set |= 1u << b;
    return set;
}
constexpr TMsgDlgButtons mbYesNo = ButtonSet({mbYes, mbNo});
constexpr TMsgDlgButtons mbOKCancel = ButtonSet({mbOK, mbCancel});

// A message box made in code, with the help context it shows and its message label.
class TMessageForm : public TForm {
    DECLARE_CLASS(TMessageForm, TForm)
public:
    explicit TMessageForm(TComponent* owner);

    TLabel* Message() const { return FMessage; }
    void SetMessage(TLabel* label) { FMessage = label; }
    // The text Ctrl+C puts on the clipboard.
    std::string ClipboardText();

private:
    void CustomKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void HelpButtonClick(TObject* Sender);
    friend TMessageForm* BuildMessageForm(const std::string&, TMsgDlgType, TMsgDlgButtons);

    TLabel* FMessage = nullptr;
};

// The message box for the text, kind and buttons, not yet shown; the caller frees it.
TMessageForm* BuildMessageForm(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons);

// Shows a message box modally and returns the modal result of the button pressed. A negative
// position is centred on the screen.
int MessageDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext);
int MessageDialogPos(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext, int x, int y);
int MessageDialogPosHelp(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext, int x, int y,
                         const std::string& helpFile);

// A notice with the application title as caption, no icon and an OK button.
void ShowNotice(const std::string& text);
void ShowNoticePos(const std::string& text, int x, int y);

// An input box with "确定" and "取消": true and the edited value on OK, else the value unchanged.
bool PromptQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The edited text, or the default on Cancel or Escape.
std::string PromptValue(const std::string& caption, const std::string& prompt, const std::string& defaultValue);
