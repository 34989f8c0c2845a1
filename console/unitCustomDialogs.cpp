#include "unitCustomDialogs.h"

#include <algorithm>
#include <memory>

#include "components/Dialogs.h"
#include "components/TApplication.h"
#include "components/TButton.h"
#include "components/TClassInfo.h"
#include "components/TClipboard.h"
#include "components/TCustomLabel.h"
#include "components/TImage.h"
#include "components/TScreen.h"
#include "unitConsts.h"

namespace {

struct TButtonInfo {
    const char* Name;
    TConstId Caption;
    int ModalResult;
};

const TButtonInfo Buttons[] = {
    {"Yes", sButtonYes, mrYes},          {"No", sButtonNo, mrNo},
    {"OK", sButtonOK, mrOk},             {"Cancel", sButtonCancel, mrCancel},
    {"Abort", sButtonAbort, mrAbort},    {"Retry", sButtonRetry, mrRetry},
    {"Ignore", sButtonIgnore, mrIgnore}, {"All", sButtonAll, mrAll},
    {"NoToAll", sButtonNoToAll, mrNoToAll}, {"YesToAll", sButtonYesToAll, mrYesToAll},
    {"Help", sButtonHelp, mrNone},
};
constexpr int ButtonCount = sizeof Buttons / sizeof Buttons[0];

struct TKindInfo {
    TConstId Caption;
    LPCSTR Icon;
};

const TKindInfo Kinds[] = {
    {sCaptionWarning, IDI_EXCLAMATION},
    {sCaptionError, IDI_HAND},
    {sCaptionInformation, IDI_ASTERISK},
    {sCaptionConfirmation, IDI_QUESTION},
};

bool InSet(TMsgDlgButtons set, TMsgDlgBtn button) { return (set & (1u << button)) != 0; }

// Measured once in the process and remembered, as the captions never change.
int CaptionWidth(TCanvas* canvas, int button) {
    static int widths[ButtonCount] = {0};
    if (widths[button] == 0) {
        TRect r{0, 0, 0, 0};
        canvas->DrawText(ConstText(Buttons[button].Caption), r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
        widths[button] = r.Right - r.Left + 8;
    }
    return widths[button];
}

std::string WithoutAmpersands(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

}  // namespace

const TClassInfo& TMessageForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMessageForm>("TMessageForm").Build();
    return info;
}

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {
    SetKeyPreview(true);
    OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) { CustomKeyDown(sender, key, shift); };
}

std::string TMessageForm::ClipboardText() {
    const std::string line(27, '-');
    std::string buttons;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(Components(i))) buttons += "   " + WithoutAmpersands(button->Caption());
    const std::string text = FMessage ? FMessage->Caption() : "";
    return line + "\r\n" + Caption() + "\r\n" + line + "\r\n" + text + "\r\n" + line + "\r\n" + buttons + "\r\n" + line + "\r\n";
}

void TMessageForm::CustomKeyDown(TObject*, WORD& key, TShiftState shift) {
    if (shift != ssCtrl || key != 'C') return;
    MessageBeep(0);
    Clipboard()->SetAsText(ClipboardText());
}

void TMessageForm::HelpButtonClick(TObject*) { Application->HelpContext(HelpContext()); }

TMessageForm* BuildMessageForm(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons) {
    auto* form = new TMessageForm(Application);
    form->SetBorderStyle(bsDialog);
    form->SetBiDiMode(Application->BiDiMode());
    UseMessageFont(form);

    HDC dc = GetDC(nullptr);
    TCanvas canvas;
    canvas.Font()->Assign(form->Font());
    canvas.SetHandle(dc);
    const TPoint unit = GetAveCharSize(&canvas);
    const int horzMargin = MulDiv(8, unit.X, 4);
    const int vertMargin = MulDiv(8, unit.Y, 8);
    const int horzSpacing = MulDiv(10, unit.X, 4);
    const int vertSpacing = MulDiv(10, unit.Y, 8);
    const int buttonHeight = MulDiv(14, unit.Y, 8);
    const int buttonSpacing = MulDiv(4, unit.X, 4);
    int buttonWidth = MulDiv(50, unit.X, 4);
    int buttonsShown = 0;
    for (int b = 0; b < ButtonCount; ++b) {
        if (!InSet(buttons, static_cast<TMsgDlgBtn>(b))) continue;
        ++buttonsShown;
        buttonWidth = std::max(buttonWidth, CaptionWidth(&canvas, b));
    }
    TRect textRect{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    canvas.DrawText(text, textRect, DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK);
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);

    const bool hasIcon = kind != mtCustom;
    int iconTextWidth = textRect.Right;
    int iconTextHeight = textRect.Bottom;
    if (hasIcon) {
        iconTextWidth += horzSpacing + 32;
        iconTextHeight = std::max(iconTextHeight, 32);
    }
    const int groupWidth = buttonsShown > 0 ? buttonsShown * buttonWidth + (buttonsShown - 1) * buttonSpacing : 0;
    form->SetClientWidth(std::max(iconTextWidth, groupWidth) + horzMargin * 2);
    form->SetClientHeight(iconTextHeight + buttonHeight + vertSpacing + vertMargin * 2);
    form->Centre();

    form->SetCaption(hasIcon ? ConstText(Kinds[kind].Caption) : Application->Title());
    if (hasIcon) {
        auto* image = new TImage(form);
        image->SetName("Image");
        image->SetParent(form);
        image->Picture()->SetIcon(LoadIconA(nullptr, Kinds[kind].Icon));
        image->SetBounds(horzMargin, vertMargin, 32, 32);
    }
    auto* message = new TLabel(form);
    message->SetName("Message");
    message->SetParent(form);
    message->SetWordWrap(true);
    message->SetCaption(text);
    message->SetBiDiMode(form->BiDiMode());
    int left = iconTextWidth - textRect.Right + horzMargin;
    if (form->IsRightToLeft()) left = form->ClientWidth() - left - textRect.Right;
    message->SetBounds(left, vertMargin, textRect.Right, textRect.Bottom);
    form->SetMessage(message);

    const TMsgDlgBtn defaultButton = InSet(buttons, mbOK) ? mbOK : InSet(buttons, mbYes) ? mbYes : mbRetry;
    const TMsgDlgBtn cancelButton = InSet(buttons, mbCancel) ? mbCancel : InSet(buttons, mbNo) ? mbNo : mbOK;
    int x = (form->ClientWidth() - groupWidth) / 2;
    const int y = iconTextHeight + vertMargin + vertSpacing;
    for (int b = 0; b < ButtonCount; ++b) {
        if (!InSet(buttons, static_cast<TMsgDlgBtn>(b))) continue;
        auto* button = new TButton(form);
        button->SetName(Buttons[b].Name);
        button->SetParent(form);
        button->SetCaption(ConstText(Buttons[b].Caption));
        button->SetModalResult(Buttons[b].ModalResult);
        if (b == defaultButton) button->SetDefault(true);
        if (b == cancelButton) button->SetCancel(true);
        button->SetBounds(x, y, buttonWidth, buttonHeight);
        if (b == mbHelp) button->OnClick = [form](TObject* sender) { form->HelpButtonClick(sender); };
        x += buttonWidth + buttonSpacing;
    }
    return form;
}

int MessageDialogPosHelp(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext, int x, int y,
                         const std::string& helpFile) {
    std::unique_ptr<TMessageForm> form(BuildMessageForm(text, kind, buttons));
    form->SetHelpContext(helpContext);
    form->SetHelpFile(helpFile);
    if (x >= 0) form->SetLeft(x);
    if (y >= 0) form->SetTop(y);
    return form->ShowModal();
}

int MessageDialogPos(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext, int x, int y) {
    return MessageDialogPosHelp(text, kind, buttons, helpContext, x, y, "");
}

int MessageDialog(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext) {
    return MessageDialogPosHelp(text, kind, buttons, helpContext, -1, -1, "");
}

void ShowNoticePos(const std::string& text, int x, int y) { MessageDialogPos(text, mtCustom, ButtonSet({mbOK}), 0, x, y); }

void ShowNotice(const std::string& text) { ShowNoticePos(text, -1, -1); }

bool PromptQuery(const std::string& caption, const std::string& prompt, std::string& value) { return InputQuery(caption, prompt, value); }

std::string PromptValue(const std::string& caption, const std::string& prompt, const std::string& defaultValue) {
    std::string value = defaultValue;
    PromptQuery(caption, prompt, value);
    return value;
}
