#include "SkinSpeedButton.h"

#include "DataSkinObject.h"
#include "ImgUtil.h"
#include "SkinControlDraw.h"
#include "SkinControlFactory.h"
#include "SkinDraw.h"
#include "SkinPropByName.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/Graphics.h"
#include "components/SysUtils.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TGraphicControl.h"

const TClassInfo& TSkinSpeedButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinSpeedButton>("TSkinSpeedButton").Build();
    return info;
}

TSkinControl* NewSkinSpeedButton(TComponent* owner) { return new TSkinSpeedButton(owner); }

void AttachSkinSpeedButton(TSkinControl* skin, TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas) {
    if (auto* speed = dynamic_cast<TSkinSpeedButton*>(skin)) speed->AttachGraphic(form, skinData, canvas);
}

void TSkinSpeedButton::AttachGraphic(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas) {
    auto* control = dynamic_cast<TControl*>(Owner());
    if (!control || OldWindowProc) return;
    SkinData = skinData;
    Canvas = canvas;
    GraphicControl = control;
    Form = form;
    HookWindowProc(control);
    if (Form) Form->AddControl(this);
    State = scAttached;
    ReadTransparent();
}

// ---- messages -------------------------------------------------------------------------------------

bool TSkinSpeedButton::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        if (!ButtonObject()) return true;  // drawn the plain way
        PaintOnControlCanvas(message);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (!ButtonObject()) return true;
        const std::weak_ptr<bool> life = LifeToken();
        CallOldWindowProc(message);
        if (life.expired()) return false;
        MouseState |= msPressed;
        PaintMessage(nullptr);
        return false;
    }
    case WM_LBUTTONUP:
        return true;
    case WM_NCDESTROY:
        TSkinButton::BeforeMessage(message);
        UnhookWindowProc();
        return false;
    default:
        return TSkinButton::BeforeMessage(message);
    }
}

void TSkinSpeedButton::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
        break;
    case CM_RELEASE:
        UnhookWindowProc();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.WParam != VK_SPACE) return TSkinButton::AfterMessage(message);
        if (message.Msg == WM_KEYDOWN) MouseState |= msPressed;
        else MouseState &= ~msPressed;
        PaintMessage(nullptr);
        break;
    case WM_LBUTTONUP:
        MouseState &= ~msPressed;
        PaintMessage(nullptr);
        break;
    case CM_MOUSEENTER:
        MouseState |= msHot;
        PaintMessage(nullptr);
        break;
    case CM_MOUSELEAVE:
        MouseState = 0;
        if (GraphicControl && GraphicControl->Visible()) PaintMessage(nullptr);
        break;
    default:
        TSkinButton::AfterMessage(message);
        break;
    }
}

// ---- painting -------------------------------------------------------------------------------------

TRect TSkinSpeedButton::ClientArea() const {
    if (!GraphicControl) return TRect{};
    return TRect{0, 0, GraphicControl->Width(), GraphicControl->Height()};
}

void TSkinSpeedButton::PaintOnControlCanvas(TMessage& message) {
    auto* control = dynamic_cast<TGraphicControl*>(GraphicControl);
    message.Result = 1;
    if (!control) return;
    PAINTSTRUCT ps{};
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    // Here a speed button has a window of its own, which the system asks to paint without a DC.
    const bool ownPaint = !dc && control->HandleAllocated();
    if (ownPaint) dc = BeginPaint(control->Handle(), &ps);
    if (dc) {
        TCanvas* canvas = control->Canvas();
        canvas->Lock();
        canvas->SetHandle(dc);
        try {
            PaintOnCanvas(canvas, ClientArea());
        } catch (const std::exception& e) {
            SkinLog(std::string("paint: ") + e.what());  // dropped, as every control skin's paint
        }
        canvas->SetHandle(nullptr);
        canvas->Unlock();
    }
    if (ownPaint) EndPaint(control->Handle(), &ps);
}

void TSkinSpeedButton::PaintMessage(HDC) {
    auto* control = dynamic_cast<TGraphicControl*>(GraphicControl);
    if (!control) return;
    TCanvas* canvas = control->Canvas();
    if (canvas->HandleAllocated()) {
        canvas->Lock();
        PaintOnCanvas(canvas, ClientArea());
        canvas->Unlock();
    } else if (control->HandleAllocated()) {
        // Outside a paint the canvas has no DC: the control's window paints the new look now.
        RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

void TSkinSpeedButton::PaintSkin(HDC dc, const TRect& r) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    PaintOnCanvas(&canvas, r);
    canvas.SetHandle(nullptr);
}

TSkinSpeedButton::TLook TSkinSpeedButton::LookOf(unsigned mouseState, bool enabled, bool down) {
    TLook look;
    if (down) look.Frame = 2;
    else if (!enabled) look.Frame = 3;
    else if (mouseState & msPressed) look.Frame = 2;
    else if (mouseState & msHot) look.Frame = 4;
    look.Glyph = down ? 4 : look.Frame == 2 ? 3 : look.Frame == 3 ? 2 : 1;
    return look;
}

void TSkinSpeedButton::PaintOnCanvas(TCanvas* target, const TRect& r) {
    TDataSkinButton* object = ButtonObject();
    if (!object || FPainting || !GraphicControl) return;
    // Painting may run the application's messages and with them another paint of this button.
    struct TPaintingFlag {
        bool& Flag;
        explicit TPaintingFlag(bool& flag) : Flag(flag) { Flag = true; }
        ~TPaintingFlag() { Flag = false; }
    } painting(FPainting);
    std::string enabled, down, flat;
    GetEnumPropByName(GraphicControl, "Enabled", enabled);
    GetEnumPropByName(GraphicControl, "Down", down);
    GetEnumPropByName(GraphicControl, "Flat", flat);
    WindowEnabled = LowerCase(enabled) != "false";
    Focused = false;
    ReadText();
    const TLook look = LookOf(MouseState, WindowEnabled, LowerCase(down) == "true");

    TBitmap* buffer = SkinBackBuffer();
    buffer->SetSize(r.Width(), r.Height());
    const TRect area{0, 0, r.Width(), r.Height()};
    TCanvas* canvas = buffer->Canvas();
    TakeFont(canvas);
    PaintBackground(canvas->Handle(), area);
    if (look.Frame == 2 || look.Frame == 4 || LowerCase(flat) != "true")
        DrawSkinObject(canvas->Handle(), area, object, look.Frame, 5);

    int frameCount = 1;
    TBitmap* strip = GlyphStrip(frameCount);
    if (!strip || strip->Width() * strip->Height() == 0) {
        canvas->Font()->SetColor(FrameTextColour(look.Frame, canvas->Font()->Color()));
        DrawCaption(canvas, area, DT_CENTER);
    } else {
        PaintContent(canvas, area, look.Frame, look.Glyph, false, true, false);
    }
    target->Draw(r.Left, r.Top, buffer);
}
