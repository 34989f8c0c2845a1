#include "SkinValueSupport.h"

#include "GuiTestSupport.h"
#include "components/TClassInfo.h"

namespace {

const TEnumType PlayerButtonType{"TMPBtnType",
                                 {"btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"}};

}  // namespace

TCommonControl::TCommonControl(TComponent* owner, const std::string& baseClass, DWORD style)
    : TWinControl(owner), FBaseClass(baseClass), FStyle(style) {}

void TCommonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = FBaseClass;
    params.WinClassName = "TTest_" + FBaseClass;
    params.Style |= FStyle;
}

void TCommonControl::WndProc(TMessage& message) {
    ++Seen[message.Msg];
    TWinControl::WndProc(message);
}

TCommonControl* PlaceCommon(TWinControl& parent, const std::string& baseClass, DWORD style, int width, int height) {
    auto* control = new TCommonControl(&parent, baseClass, style);
    control->SetParent(&parent);
    control->SetBounds(10, 10, width, height);
    control->HandleNeeded();
    return control;
}

const TClassInfo& TTestMediaPlayer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestMediaPlayer>("TTestMediaPlayer")
        .Set("VisibleButtons", PlayerButtonType, &TTestMediaPlayer::VisibleButtons)
        .Set("EnabledButtons", PlayerButtonType, &TTestMediaPlayer::EnabledButtons)
        .Set("ColoredButtons", PlayerButtonType, &TTestMediaPlayer::ColoredButtons)
        .Build();
    return info;
}

void TTestMediaPlayer::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONUP)
        Clicks.emplace_back(message.Msg, static_cast<short>(LOWORD(message.LParam)));
    TCustomControl::WndProc(message);
    if (message.Msg == WM_LBUTTONDOWN && OnButtonDown) OnButtonDown();
}

std::unique_ptr<TBitmap> ScreenOf(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages(40);
    const SIZE size = WindowSize(window);
    auto bitmap = BlankBitmap(size.cx, size.cy);
    HDC dc = GetWindowDC(window);
    BitBlt(bitmap->Canvas()->Handle(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return bitmap;
}

void ParkCursor() { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }

TRgb FaceRgb() { return ToRgb(TestSkin()->Colours().ButtonFace); }
TRgb ShadowRgb() { return ToRgb(TestSkin()->Colours().ButtonShadow); }
