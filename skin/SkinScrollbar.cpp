#include "SkinScrollbar.h"

#include "SkinMessages.h"
#include "SkinPropByName.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/Graphics.h"
#include "components/PropertyAccess.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinScrollbar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinScrollbar>("TSkinScrollbar").Build();
    return info;
}

TSkinScrollbar::TSkinScrollbar(TComponent* owner, int singleMode) : TSkinControl(owner), SingleMode(singleMode) {}

TSkinScrollbar::~TSkinScrollbar() { FreeBars(); }

static void FillWithColour(HDC dc, const RECT& r, TColor colour) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void TSkinScrollbar::AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) {
    if (Attached || !control) return;
    BindControl(control, form, skinData, canvas);
    UnicodeWindow = IsWindowUnicode(Handle) != FALSE;
    ReadWindowState();
    if (Form) Form->AddControl(this);

    std::string borderStyle;
    GetEnumPropByName(control, "BorderStyle", borderStyle);
    Border = !borderStyle.empty() && LowerCase(borderStyle) != "bsnone";
    if (control->ClassName() == "TImageScrollBox" || Kind == 1) Border = false;

    if (const TPropInfo* fixed = GetPropInfo(control, "FixedColor"); fixed && fixed->Kind == TTypeKind::Integer) {
        FSavedFixedColor = GetOrdPropByName(control, "FixedColor");
        FFixedColorReplaced = true;
        if (SkinData) SetPropByName(control, "FixedColor", std::to_string(static_cast<int>(SkinData->Colours().ButtonFace)));
    }

    FHorzBar = std::make_unique<TWScrollbar>(this, okHorizontal);
    FHorzBar->Bind(control);
    FVertBar = std::make_unique<TWScrollbar>(this, okVertical);
    FVertBar->Bind(control);
    if (!control->Visible()) {
        FHorzBar->Hide();
        FVertBar->Hide();
    }
    HookWindowProc(control);
    Attached = true;
    State = scAttached;
}

void TSkinScrollbar::FreeBars() {
    FHorzBar.reset();
    FVertBar.reset();
}

void TSkinScrollbar::PlaceBars() {
    if (FHorzBar) FHorzBar->Place();
    if (FVertBar) FVertBar->Place();
}

void TSkinScrollbar::RestoreColors() {
    if (FFixedColorReplaced && Control && State != scWindowGone) {
        SetPropByName(Control, "FixedColor", std::to_string(FSavedFixedColor));
        FFixedColorReplaced = false;
    }
    if (State != scWindowGone) FreeBars();
}

void TSkinScrollbar::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        PlaceBars();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (TWScrollbar* bar = message.Msg == WM_HSCROLL ? FHorzBar.get() : FVertBar.get()) {
            bar->SetHotPart(LOWORD(message.WParam));
            bar->Repaint();
        }
        break;
    case WM_MOUSEWHEEL:
    case WM_NCPAINT:
        // The system draws its own bar in the frame, under a sibling that does not clip it.
        if (FHorzBar) FHorzBar->Repaint();
        if (FVertBar) FVertBar->Repaint();
        if (message.Msg == WM_NCPAINT) TSkinControl::AfterMessage(message);
        break;
    case CM_VISIBLECHANGED:
        if (message.WParam) {
            PlaceBars();
        } else {
            if (FHorzBar) FHorzBar->Hide();
            if (FVertBar) FVertBar->Hide();
        }
        break;
    case CM_RECREATEWND:
        // The window skin makes this skin anew on the control's new window; it knows this one
        // by the window it was attached to (the control may make its window anew more than
        // once before the message is handled).
        if (Control && Form && Control->HandleAllocated())
            PostMessageW(Form->Handle, WM_SKINSCROLLBAR, reinterpret_cast<WPARAM>(Handle), 0);
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinScrollbar::PaintSkin(HDC dc, const TRect& r) {
    for (TWScrollbar* bar : {FVertBar.get(), FHorzBar.get()}) {
        if (!bar) continue;
        const LONG_PTR flag = bar->Vertical() ? WS_VSCROLL : WS_HSCROLL;
        if (bar->Shown()) bar->Repaint();
        else if (GetWindowLong(Handle, GWL_STYLE) & flag) bar->Place();
    }
    const TColor face = SkinData ? SkinData->Colours().ButtonFace : clBtnFace;
    if (FVertBar && FHorzBar && FVertBar->Shown() && FHorzBar->Shown()) {
        RECT vertical{}, horizontal{};
        GetWindowRect(FVertBar->Handle(), &vertical);
        GetWindowRect(FHorzBar->Handle(), &horizontal);
        // The square between the two bars, in the control window's coordinates.
        RECT corner{vertical.left, horizontal.top, vertical.right, horizontal.bottom};
        OffsetRect(&corner, -WindowRect.Left, -WindowRect.Top);
        FillWithColour(dc, corner, face);
    }
    if (Border) {
        RECT frame{r.Left, r.Top, r.Right, r.Bottom};
        HBRUSH shadow = CreateSolidBrush(ColorToRGB(SkinData ? SkinData->Colours().ButtonShadow : clBtnShadow));
        FrameRect(dc, &frame, shadow);
        DeleteObject(shadow);
        InflateRect(&frame, -1, -1);
        HBRUSH faceBrush = CreateSolidBrush(ColorToRGB(face));
        FrameRect(dc, &frame, faceBrush);
        DeleteObject(faceBrush);
    }
}
