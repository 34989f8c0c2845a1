#include "SkinComBox.h"

#include "SkinControlFactory.h"
#include <algorithm>

#include "DataSkinObject.h"
#include "SkinControlDraw.h"
#include "SkinDraw.h"
#include "SkinScrollbarH.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/TClassInfo.h"

namespace {

TDataSkinObject* WithImage(TDataSkinObject* object) { return object && object->HasImage() ? object : nullptr; }

int Frames(const TDataSkinObject* object) { return std::max(object->Frame, 1); }

void FrameColour(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

const TClassInfo& TSkinComBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinComBox>("TSkinComBox").Build();
    return info;
}

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner) { Info.cbSize = sizeof Info; }

TSkinComBox::~TSkinComBox() { LetEditGo(); }

void TSkinComBox::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, canvas, useSkinColor);
    if (Attached) AttachParts();
}

void TSkinComBox::AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form) {
    if (Attached) return;
    TSkinControl::AttachHandle(window, skinData, canvas, form);
    AttachParts();
}

void TSkinComBox::AttachParts() {
    Style = GetWindowLong(Handle, GWL_STYLE);
    if ((Style & 3) != CBS_SIMPLE) {
        FollowEdit();
        return;
    }
    // A simple box shows its list all the time, inside itself.
    auto getInfo = User32Entries().GetComboBoxInfo;
    if (!getInfo || !getInfo(Handle, &Info)) return;
    HWND list = Info.hwndList;
    if (list && !IsPopupWindow(list) && (GetWindowLongPtrA(list, GWL_STYLE) & WS_CHILD)) SkinList(list);
}

// The list's own scroll bars get the skin's overlays.
void TSkinComBox::SkinList(HWND list) {
    ListWindow = list;
    auto* bars = new TSkinScrollbarH(this);
    bars->AttachHandle(list, SkinData, Canvas, Form);
    FListScrollbar = bars;
    FListLife = bars->LifeToken();
}

TSkinScrollbarH* TSkinComBox::ListScrollbar() const { return FListLife.expired() ? nullptr : FListScrollbar; }

void TSkinComBox::FreeListScrollbar() {
    delete ListScrollbar();
    FListScrollbar = nullptr;
}

// The edit of a drop-down box paints over the box: the skin follows its paints and clicks.
void TSkinComBox::FollowEdit() {
    if (UnicodeWindow) return;
    HWND edit = GetWindow(Handle, GW_CHILD);
    if (!edit) return;
    if (FEditInstance.Install(edit, false, [self = this](UINT msg, WPARAM wParam, LPARAM lParam) {
            return self->EditMessage(msg, wParam, lParam);
        }))
        EditWindow = edit;
}

LRESULT TSkinComBox::EditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The edit's own handling may free this skin (a click whose handler closes the form).
    const auto life = LifeToken();
    const LRESULT result = FEditInstance.CallOld(msg, wParam, lParam);
    if (life.expired()) return result;
    switch (msg) {
    case WM_PAINT:
        PaintMessage(nullptr);
        break;
    case WM_NCDESTROY:
        LetEditGo();
        break;
    default:
        FollowPress(msg);
        break;
    }
    return result;
}

// A press on the box or on its edit shows the pressed look while the button is down.
bool TSkinComBox::FollowPress(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseState |= msPressed;
        break;
    case WM_LBUTTONUP:
        MouseState &= ~msPressed;
        break;
    default:
        return false;
    }
    PaintMessage(nullptr);
    return true;
}

void TSkinComBox::LetEditGo() {
    FEditInstance.Remove();
    EditWindow = nullptr;
}

void TSkinComBox::RestoreColors() {
    TSkinControl::RestoreColors();
    LetEditGo();
    FreeListScrollbar();
}

void TSkinComBox::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_DRAWITEM:
    case WM_NCPAINT:
        PaintMessage(nullptr);
        break;
    case CM_MOUSEENTER:
        // Shown hot at the next paint.
        if (WindowEnabled) MouseState |= msHot;
        break;
    case CM_MOUSELEAVE:
        if (WindowEnabled) {
            MouseState &= ~msHot;
            PaintMessage(nullptr);
        }
        break;
    default:
        if (!FollowPress(message.Msg)) TSkinControl::AfterMessage(message);
        break;
    }
}

int TSkinComBox::LookState(bool plainPainter) const {
    const bool focused = GetFocus() == Handle;
    const bool enabled = (Style & WS_DISABLED) == 0;
    const bool pressed = (MouseState & msPressed) != 0;
    const bool hot = focused || (MouseState & msHot);
    // The plain look lets a press or the focus show even on a disabled box.
    if (plainPainter) return pressed ? 2 : hot ? 4 : enabled ? 1 : 3;
    return !enabled ? 3 : pressed ? 2 : hot ? 4 : 1;
}

void TSkinComBox::PaintSkin(HDC dc, const TRect& r) {
    auto* button = static_cast<TDataSkinBorder*>(WithImage(SkinData ? SkinData->Objects.ComboButton.get() : nullptr));
    if (!button) return;
    Style = GetWindowLong(Handle, GWL_STYLE);
    ExStyle = GetWindowLong(Handle, GWL_EXSTYLE);
    WindowEnabled = (Style & WS_DISABLED) == 0;
    if (auto getInfo = User32Entries().GetComboBoxInfo) {
        Info.cbSize = sizeof Info;
        if (getInfo(Handle, &Info) && (Info.stateButton & STATE_SYSTEM_INVISIBLE)) return;
    }
    if (button->Style == 1) PaintPlain(dc, r, button);
    else PaintFramed(dc, r, button, LookState(false));
}

void TSkinComBox::PaintFramed(HDC dc, const TRect& r, TDataSkinBorder* button, int state) {
    TDataSkinObject* edge = WithImage(SkinData->Objects.SunkEdge.get());
    const bool rtl = RightToLeft();
    if (button->Style == 2) {
        // The skin holds the whole box, edge and button, with a see-through inside.
        TDataSkinObject* whole = rtl && edge ? edge : button;
        DrawSkinFrame(dc, r, &whole->Image, false, whole->Tile != 0, true, Frames(whole), state, whole->Margins());
        return;
    }
    const int f = GetSystemMetrics(SM_CXHSCROLL);
    const int w = r.Width();
    const int h = r.Height();
    const int saved = SaveDC(dc);
    // The text stays as the box drew it.
    if (rtl) ExcludeClipRect(dc, f + 4, 2, w - 2, h - 2);
    else ExcludeClipRect(dc, 2, 2, w - f - 4, h - 2);
    if (edge) DrawSkinObject(dc, r, edge, state, Frames(edge));
    const TRect buttonRect = rtl ? TRect{0, 0, f + 2, h} : TRect{w - f - 2, 0, w, h};
    TBitmap* strip = rtl && !button->Image2.Empty() ? &button->Image2 : &button->Image;
    DrawGlyphFrameMasked(dc, buttonRect, strip, state, Frames(button));
    if (TDataSkinObject* arrow = WithImage(SkinData->Objects.ExtraImages.get())) {
        const TRect arrowArea = rtl ? TRect{2, 0, f + 2, h} : TRect{w - f - 2, 0, w - 2, h};
        DrawSkinFrameCentered(dc, arrowArea, &arrow->Image, true, 5, state);
    }
    RestoreDC(dc, saved);
}

void TSkinComBox::PaintPlain(HDC dc, const TRect& r, TDataSkinBorder* button) {
    const int state = LookState(true);
    HBRUSH brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    RECT outer{r.Left, r.Top, r.Right, r.Bottom};
    RECT inner = outer;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, brush);
    InflateRect(&inner, -1, -1);
    const int columnWidth = GetSystemMetrics(SM_CYVTHUMB);
    RECT column = RightToLeft() ? RECT{inner.left, inner.top, inner.left + columnWidth, inner.bottom}
                                : RECT{inner.right - columnWidth, inner.top, inner.right, inner.bottom};
    FillRect(dc, &column, brush);
    FrameColour(dc, outer, ColorToRGB(SkinData->Colours().ButtonShadow));
    const int frames = Frames(button);
    const int cellWidth = button->Image.Width() / frames;
    int height = column.bottom - column.top;
    if (button->Image.Height() < columnWidth) height = std::min(height, button->Image.Height());
    DrawGlyphFrame(dc, TRect{column.left, column.top, column.left + cellWidth, column.top + height}, &button->Image, state,
                   frames);
}

TSkinControl* NewSkinComBox(TComponent* owner) { return new TSkinComBox(owner); }
