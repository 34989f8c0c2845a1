#include "SkinUpDown.h"

#include "SkinControlFactory.h"
#include "DataSkinObject.h"
#include "SkinArrow.h"
#include "SkinControlDraw.h"
#include "SkinDraw.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"

namespace {

constexpr int UpDownFrames = 8;
// What the up-down keeps between itself and the border of the edit it sits in.
constexpr int BuddyClearance = 3;

void FillColour(HDC dc, const TRect& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

bool Contains(const TRect& r, POINT p) { return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom; }

}  // namespace

const TClassInfo& TSkinUpDown::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinUpDown>("TSkinUpDown").Build();
    return info;
}

bool TSkinUpDown::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        PaintFromWmPaint(message);
        return false;
    case WM_ERASEBKGND:
        if (!Control) {
            RECT client{};
            GetClientRect(Handle, &client);
            FillColour(reinterpret_cast<HDC>(message.WParam), TRect{0, 0, client.right, client.bottom}, RGB(255, 255, 255));
        }
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: {
        // The control's own click may scroll a buddy whose handler frees this skin.
        const auto life = LifeToken();
        if (message.Msg == WM_LBUTTONUP) MouseState &= ~msPressed;
        CallOldWindowProc(message);
        if (life.expired()) return false;
        if (message.Msg != WM_LBUTTONUP) MouseState |= msPressed;
        PaintMessage(nullptr);
        return false;
    }
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

// Pulls the rectangle in where the up-down comes closer than the clearance to its parent's
// top, bottom or right edge.
TRect TSkinUpDown::KeepClearOfParentBorder(TRect r) const {
    RECT own{}, parent{};
    HWND parentWindow = GetParent(Handle);
    if (!parentWindow || !GetWindowRect(Handle, &own) || !GetWindowRect(parentWindow, &parent)) return r;
    const int topShortfall = BuddyClearance - (own.top - parent.top);
    const int bottomShortfall = BuddyClearance - (parent.bottom - own.bottom);
    const int rightShortfall = BuddyClearance - (parent.right - own.right);
    if (topShortfall > 0) r.Top += topShortfall;
    if (bottomShortfall > 0) r.Bottom -= bottomShortfall;
    if (rightShortfall > 0) r.Right -= rightShortfall;
    return r;
}

int TSkinUpDown::ButtonState(const TRect& other, POINT cursor) const {
    if (!WindowEnabled) return 3;
    if (Contains(other, cursor)) return 1;
    if (MouseState & msPressed) return 2;
    if (MouseState & msHot) return 4;
    return 1;
}

void TSkinUpDown::DrawButton(HDC dc, const TRect& button, int direction, int state, bool horizontal) {
    TDataSkinBorder* image = nullptr;
    if (SkinData) image = horizontal ? SkinData->Objects.UpDownHorz.get() : SkinData->Objects.UpDownVert.get();
    const int second = (direction == adDown || direction == adRight) ? 1 : 0;
    const int frame = 4 * second + state;
    if (image && image->HasImage()) {
        DrawGlyphFrame(dc, button, &image->Image, frame, UpDownFrames);
        if (!image->Image2.Empty()) DrawSkinFrameCentered(dc, button, &image->Image2, true, UpDownFrames, frame);
        return;
    }
    const TSkinColours colours = SkinData ? SkinData->Colours() : TSkinColours{};
    const TColor fill = (state == 2 || state == 4) ? colours.ButtonShadow : colours.ButtonFace;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(fill));
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(colours.ButtonDkShadow));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, button.Left, button.Top, button.Right, button.Bottom);
    const int x = button.Left + button.Width() / 2;
    const int middle = button.Top + button.Height() / 2;
    DrawArrow(dc, x, horizontal ? middle : middle - 2, direction);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void TSkinUpDown::PaintSkin(HDC dc, const TRect& whole) {
    TRect r = whole;
    if (EditBuddyMode) {
        FillColour(dc, whole, RGB(255, 255, 255));
        r = KeepClearOfParentBorder(whole);
    }
    const int w = r.Width();
    const int h = r.Height();
    if (w <= 0 || h <= 0) return;

    TBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(w, h);
    HDC workDC = work.Canvas()->Handle();
    FillColour(workDC, TRect{0, 0, w, h}, ColorToRGB(SkinData ? SkinData->Colours().ButtonFace : clBtnFace));

    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle, &cursor);
    cursor.x -= r.Left;
    cursor.y -= r.Top;
    const LONG_PTR style = GetWindowLong(Handle, GWL_STYLE);
    WindowEnabled = (style & WS_DISABLED) == 0;

    const bool horizontal = HorizontalMode == 1 || (style & UDS_HORZ);
    TRect first, second;
    if (horizontal) {
        first = TRect{0, 0, w / 2, h};
        second = TRect{w / 2, 0, w, h};
    } else {
        first = TRect{0, 0, w, h / 2};
        second = TRect{0, h / 2, w, h};
    }
    DrawButton(workDC, first, horizontal ? adLeft : adUp, ButtonState(second, cursor), horizontal);
    DrawButton(workDC, second, horizontal ? adRight : adDown, ButtonState(first, cursor), horizontal);
    BitBlt(dc, r.Left, r.Top, w, h, workDC, 0, 0, SRCCOPY);
}

TSkinControl* NewSkinUpDown(TComponent* owner) { return new TSkinUpDown(owner); }
