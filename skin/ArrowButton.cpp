#include "ArrowButton.h"

#include <algorithm>

#include "DataSkinObject.h"
#include "SkinDateTime.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/TClassInfo.h"

const TClassInfo& TArrowButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TArrowButton>("TArrowButton").Build();
    return info;
}

TArrowButton::TArrowButton(TComponent* owner) : TCustomControl(owner), ButtonSize(GetSystemMetrics(SM_CXHSCROLL)) {
    SetTabStop(false);
}

void TArrowButton::Bind(TWinControl* picker, TSkinDateTime* skin) {
    Picker = picker;
    Skin = skin;
    PickerWindow = picker->Handle();
    const bool leftButton = (GetWindowLongPtrA(PickerWindow, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const int left = leftButton ? 2 : picker->Width() - ButtonSize - 4;
    SetParent(picker);
    SetBounds(left, 0, ButtonSize, ButtonSize + 1);
    SetWindowLongPtrA(PickerWindow, GWL_STYLE, GetWindowLongPtrA(PickerWindow, GWL_STYLE) | WS_CLIPCHILDREN);
    HandleNeeded();
}

bool TArrowButton::PickerEnabled() const { return PickerWindow && IsWindowEnabled(PickerWindow); }

void TArrowButton::Paint() {
    TSkinData* skinData = Skin ? Skin->SkinData : nullptr;
    const TRect client = ClientRect();
    Canvas()->Brush()->SetColor(skinData ? skinData->Colours().ButtonFace : clBtnFace);
    Canvas()->FillRect(client);
    TDataSkinObject* arrow = skinData ? skinData->Objects.ComboxArrow.get() : nullptr;
    if (!arrow || !arrow->HasImage()) return;
    const int frames = std::max(arrow->Frame, 1);
    const int cell = arrow->Image.Width() / frames;
    const int frame = std::min(Hot ? 4 : 1, frames);
    HDC dc = Canvas()->Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.Width(), client.Height(), arrow->Image.Canvas()->Handle(), cell * (frame - 1), 0, cell,
               arrow->Image.Height(), SRCCOPY);
}

void TArrowButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (PickerEnabled()) {
            Hot = message.Msg == CM_MOUSEENTER;
            Invalidate();
        }
        break;
    case WM_LBUTTONDOWN: {
        TCustomControl::WndProc(message);
        // The picker opens its calendar for a click on its own button, under this one. The
        // calendar's loop may free the picker's skin, and this button with it.
        const int x = static_cast<short>(LOWORD(message.LParam)) + Left();
        const int y = static_cast<short>(HIWORD(message.LParam)) + Top();
        const std::weak_ptr<bool> life = Skin ? Skin->LifeToken() : std::weak_ptr<bool>();
        SendMessageA(PickerWindow, WM_LBUTTONDOWN, message.WParam, MAKELPARAM(x, y));
        if (!life.expired()) Invalidate();
        return;
    }
    default:
        break;
    }
    TCustomControl::WndProc(message);
}
