#include "components/Dialogs.h"

#include "components/Win32.h"

#include "components/TApplication.h"
#include "components/TButton.h"
#include "components/TCanvas.h"
#include "components/TCustomEdit.h"
#include "components/TCustomLabel.h"
#include "components/TForm.h"
#include "components/TScreen.h"

std::string LoadResString(int id, const std::string& fallback) {
    char buffer[1024];
    const int length = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : fallback;
}

void ShowMessage(const std::string& text) { Application->MessageBox(text, Application->Title(), MB_OK); }

TPoint GetAveCharSize(TCanvas* canvas) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{0, 0};
    GetTextExtentPointA(canvas->Handle(), letters, 52, &size);
    return TPoint{size.cx / 52, size.cy};
}

TPoint MeasureDialogUnits(TFont* font) {
    HDC dc = GetDC(nullptr);
    TCanvas canvas;
    canvas.Font()->Assign(font);
    canvas.SetHandle(dc);
    const TPoint unit = GetAveCharSize(&canvas);
    canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    return unit;
}

void UseMessageFont(TControl* control) { control->Font()->Assign(Screen->MessageFont()); }

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    TForm form(nullptr);
    form.SetBorderStyle(bsDialog);
    form.SetCaption(caption);
    UseMessageFont(&form);
    const TPoint unit = MeasureDialogUnits(form.Font());
    auto dx = [&](int n) { return MulDiv(n, unit.X, 4); };
    auto dy = [&](int n) { return MulDiv(n, unit.Y, 8); };
    form.SetClientWidth(dx(180));

    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetWordWrap(true);
    label->SetBounds(dx(8), dy(8), dx(164), 0);
    label->SetCaption(prompt);
    label->AdjustBounds();

    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(dx(8), label->Top() + label->Height() + 5, dx(164), edit->Height());
    edit->SetMaxLength(255);
    edit->SetText(value);
    edit->SelectAll();

    const int buttonTop = edit->Top() + edit->Height() + 15;
    auto makeButton = [&](const std::string& text, int result, int left) {
        auto* button = new TButton(&form);
        button->SetParent(&form);
        button->SetCaption(text);
        button->SetModalResult(result);
        button->SetBounds(dx(left), buttonTop, dx(50), dy(14));
        return button;
    };
    makeButton(LoadResString(SMsgDlgOK, "OK"), mrOk, 38)->SetDefault(true);
    makeButton(LoadResString(SMsgDlgCancel, "Cancel"), mrCancel, 92)->SetCancel(true);
    form.SetClientHeight(buttonTop + dy(14) + 13);
    form.SetPosition(poScreenCenter);
    form.SetActiveControl(edit);

    if (form.ShowModal() != mrOk) return false;
    value = edit->Text();
    return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultValue) {
    std::string value = defaultValue;
    InputQuery(caption, prompt, value);
    return value;
}
