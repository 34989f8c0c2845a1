#include "SkinEdit.h"

#include "SkinControlFactory.h"
#include "SkinMessages.h"
#include "SkinUpDown.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"

namespace {

void FrameColour(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

std::string WindowClassName(HWND window) {
    char name[100] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The window rectangle at the origin and the client size; false when the window has no border.
bool BorderedBounds(HWND window, int borderAllowance, RECT& whole) {
    RECT outer{}, client{};
    if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return false;
    whole = RECT{0, 0, outer.right - outer.left, outer.bottom - outer.top};
    return client.right + borderAllowance < whole.right && client.bottom + borderAllowance < whole.bottom;
}

}  // namespace

const TClassInfo& TSkinEdit::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinEdit>("TSkinEdit").Build();
    return info;
}

bool IsSpinClassName(const std::string& className) {
    const std::string lower = LowerCase(className);
    return lower == "msctls_updown32" || lower.find("spin") != std::string::npos || lower.find("updown") != std::string::npos;
}

TSkinUpDown* TSkinEdit::UpDown() const { return FUpDownLife.expired() ? nullptr : FUpDown; }

bool TSkinEdit::BeforeMessage(TMessage& message) {
    // The edit leaves its text clipping in a DC it is given; the border is drawn outside it.
    if ((message.Msg == WM_PAINT || message.Msg == WM_PRINT) && message.WParam && !FSavedDC)
        FSavedDC = SaveDC(reinterpret_cast<HDC>(message.WParam));
    return TSkinControl::BeforeMessage(message);
}

void TSkinEdit::RestoreGivenDC(const TMessage& message) {
    if (!FSavedDC) return;
    RestoreDC(reinterpret_cast<HDC>(message.WParam), FSavedDC);
    FSavedDC = 0;
}

void TSkinEdit::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        RestoreGivenDC(message);
        PaintMessage(reinterpret_cast<HDC>(message.WParam));
        break;
    case WM_PRINT: {
        RestoreGivenDC(message);
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        if (dc) {
            PrintFrame(dc);
        } else if (HDC windowDC = GetWindowDC(Handle)) {
            PrintFrame(windowDC);
            ReleaseDC(Handle, windowDC);
        }
        break;
    }
    case WM_SKINPAINTTO:
        if (message.LParam != SkinAnswerKey) return TSkinControl::AfterMessage(message);
        if (message.WParam) {
            TMessage paint{WM_PAINT, message.WParam, 0, 0};
            CallOldWindowProc(paint);
        }
        message.Result = SkinAnswerKey;
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinEdit::AttachSpinChild() {
    if (!SkinData || !(SkinData->SkinControls() & SkinControlBit(xcSpin)) || UpDown()) return;
    for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsSpinClassName(WindowClassName(child))) continue;
        auto* upDown = new TSkinUpDown(this);
        upDown->EditBuddyMode = true;
        upDown->AttachHandle(child, SkinData, Canvas, Form);
        FUpDown = upDown;
        FUpDownLife = upDown->LifeToken();
        return;
    }
}

void TSkinEdit::PaintSkin(HDC dc, const TRect&) {
    AttachSpinChild();
    RECT r{};
    if (!BorderedBounds(Handle, 0, r)) return;
    const COLORREF shadow = ColorToRGB(SkinData ? SkinData->Colours().ButtonShadow : clBtnShadow);
    FrameColour(dc, r, shadow);
    InflateRect(&r, -1, -1);
    FrameColour(dc, r, RGB(255, 255, 255));
    InflateRect(&r, -1, -1);
    FrameColour(dc, r, RGB(255, 255, 255));
}

// What a printed edit shows: the border in the DC's brush with the shadow line around it.
void TSkinEdit::PrintFrame(HDC dc) {
    RECT r{};
    if (!BorderedBounds(Handle, 2, r)) return;
    RECT inner = r;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    FrameColour(dc, r, ColorToRGB(SkinData ? SkinData->Colours().ButtonShadow : clBtnShadow));
}

TSkinControl* NewSkinEdit(TComponent* owner) { return new TSkinEdit(owner); }
