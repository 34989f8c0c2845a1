#include "WScrollbar.h"

#include <algorithm>
#include <exception>
#include <string>

#include "DataSkinObject.h"
#include "ImgUtil.h"
#include "SkinControl.h"
#include "SkinControlDraw.h"
#include "SkinDraw.h"
#include "SkinPropByName.h"
#include "WinSkinData.h"
#include "components/SysUtils.h"
#include "components/TCanvas.h"
#include "components/TControl.h"

namespace {

constexpr wchar_t OverlayClassName[] = L"TWScrollbar";
constexpr int ScrollbarFrames = 23;
constexpr int TrackFrames = 4;

// Frames of the arrows and grips in the scroll-bar strip.
constexpr int UpArrowFrame = 9, DownArrowFrame = 13, LeftArrowFrame = 1, RightArrowFrame = 5;
constexpr int VerticalGripFrame = 20, HorizontalGripFrame = 17;


int WidthOf(const RECT& r) { return r.right - r.left; }
int HeightOf(const RECT& r) { return r.bottom - r.top; }

}  // namespace

TWScrollbar::TWScrollbar(TSkinControl* ownerSkin, TScrollOverlayKind kind)
    : FOwnerSkin(ownerSkin), FKind(kind), FVertical(kind == okVertical), FArrowSize(GetSystemMetrics(SM_CXHSCROLL)) {
    FWork.SetPixelFormat(pf24bit);
}

TWScrollbar::~TWScrollbar() {
    FLife.reset();
    if (FWindow && IsWindow(FWindow)) {
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
        DestroyWindow(FWindow);
    }
}

TSkinData* TWScrollbar::SkinData() const { return FOwnerSkin ? FOwnerSkin->SkinData : nullptr; }

// ---- binding and placing -------------------------------------------------------------------------

void TWScrollbar::CreateOverlayWindow(HWND parent) {
    static const ATOM overlayClass = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &TWScrollbar::WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = OverlayClassName;
        return RegisterClassExW(&wc);
    }();
    (void)overlayClass;
    // Tool-window style keeps it out of every list of the program's windows.
    FWindow = CreateWindowExW(WS_EX_TOOLWINDOW, OverlayClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                              nullptr, GetModuleHandleW(nullptr), this);
}

void TWScrollbar::Bind(TControl* control) {
    FControl = FKind == okControl ? control : nullptr;
    FTarget = control->Handle();
    if (FOwnerSkin) Color = FOwnerSkin->ParentColor(SkinData() ? SkinData()->Colours().ButtonFace : clBtnFace);
    if (FKind == okControl) {
        std::string kind;
        GetEnumPropByName(control, "Kind", kind);
        FVertical = LowerCase(kind) != "sbhorizontal";
    }
    CreateOverlayWindow(GetParent(FTarget));
    Place();
}

void TWScrollbar::BindHandle(HWND window) {
    FTarget = window;
    CreateOverlayWindow(GetParent(window));
    Place();
}

bool TWScrollbar::ReadInfo(SCROLLBARINFO& info, bool fromProperties) {
    info = SCROLLBARINFO{};
    info.cbSize = sizeof info;
    if (!FTarget || !IsWindow(FTarget)) return false;
    if (FKind == okControl) return ReadControlInfo(info, fromProperties);
    TSkinData* skinData = SkinData();
    const LONG object = FKind == okVertical ? OBJID_VSCROLL : OBJID_HSCROLL;
    return skinData && skinData->GetScrollBarInfoSafe(FTarget, object, info);
}

bool TWScrollbar::ReadControlInfo(SCROLLBARINFO& info, bool fromProperties) {
    int minimum = 0, maximum = 0, pageSize = 0, position = 0;
    if (fromProperties && FControl) {
        minimum = GetOrdPropByName(FControl, "Min");
        maximum = GetOrdPropByName(FControl, "Max");
        pageSize = GetOrdPropByName(FControl, "PageSize");
        position = GetOrdPropByName(FControl, "Position");
    } else {
        SCROLLINFO scroll{};
        scroll.cbSize = sizeof scroll;
        scroll.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
        if (!GetScrollInfo(FTarget, SB_CTL, &scroll)) return false;
        minimum = scroll.nMin;
        maximum = scroll.nMax;
        pageSize = static_cast<int>(scroll.nPage);
        position = scroll.nPos;
    }
    if (!GetWindowRect(FTarget, &info.rcScrollBar)) return false;
    const int length = FVertical ? HeightOf(info.rcScrollBar) : WidthOf(info.rcScrollBar);
    const TScrollThumb thumb = ControlThumb(length, FArrowSize, minimum, maximum, pageSize, position);
    info.dxyLineButton = FArrowSize;
    info.xyThumbTop = thumb.Start;
    info.xyThumbBottom = thumb.End;
    if (!IsWindowEnabled(FTarget)) info.rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    return true;
}

void TWScrollbar::Place() {
    SCROLLBARINFO info;
    if (!FWindow || !ReadInfo(info, false)) {
        FShown = false;
        return;
    }
    const bool targetVisible = (GetWindowLongPtrW(FTarget, GWL_STYLE) & WS_VISIBLE) != 0;
    if (!targetVisible || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
        Hide();
        return;
    }
    const RECT& bar = info.rcScrollBar;
    FLength = FVertical ? HeightOf(bar) : WidthOf(bar);
    FOrigin = POINT{bar.left, bar.top};
    POINT position = FOrigin;
    ScreenToClient(GetParent(FWindow), &position);
    const HWND above = GetWindow(FTarget, GW_HWNDPREV);
    if (above != FWindow)
        SetWindowPos(FWindow, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(FWindow, SW_SHOWNA);
    FShown = true;
    MoveWindow(FWindow, position.x, position.y, WidthOf(bar), HeightOf(bar), TRUE);
}

void TWScrollbar::Hide() {
    if (FWindow) ShowWindow(FWindow, SW_HIDE);
    FShown = false;
}

void TWScrollbar::Repaint() {
    if (!FWindow || !FShown) return;
    InvalidateRect(FWindow, nullptr, FALSE);
    UpdateWindow(FWindow);
}

// ---- the mouse ------------------------------------------------------------------------------------

TScrollThumb TWScrollbar::ThumbOf(const SCROLLBARINFO& info) const {
    const int length = FVertical ? HeightOf(info.rcScrollBar) : WidthOf(info.rcScrollBar);
    const TScrollThumb reported{info.xyThumbTop, info.xyThumbBottom, info.xyThumbBottom > info.xyThumbTop};
    return ClampThumb(reported, length, FArrowSize);
}

TScrollThumb TWScrollbar::PaintedThumb(const SCROLLBARINFO& info) const {
    const TScrollThumb thumb = ThumbOf(info);
    if (!(FPressed && FHotPart == spThumb && FKind != okControl && thumb.Shown)) return thumb;
    POINT cursor{};
    GetCursorPos(&cursor);
    const int delta = FVertical ? cursor.y - FDown.y : cursor.x - FDown.x;
    const int length = FVertical ? HeightOf(info.rcScrollBar) : WidthOf(info.rcScrollBar);
    return DraggedThumb(FThumbStartAtDown, thumb.Length(), delta, length, FArrowSize);
}

TScrollPart TWScrollbar::PartAt(int x, int y) {
    SCROLLBARINFO info;
    if (!ReadInfo(info, false)) return spNone;
    const int length = FVertical ? HeightOf(info.rcScrollBar) : WidthOf(info.rcScrollBar);
    return ScrollPartAt(FVertical ? y : x, length, FArrowSize, ThumbOf(info));
}

void TWScrollbar::MouseMove(int x, int y) {
    const int part = PartAt(x, y);
    if (part != FHotPart) {
        FHotPart = part;
        Repaint();
    }
    if (TSkinData* skinData = SkinData()) skinData->TrackMouseLeave(FWindow);
}

void TWScrollbar::MouseLeave() {
    if (FPressed) return;
    FHotPart = spNone;
    Repaint();
}

LPARAM TWScrollbar::TargetPoint(int x, int y) {
    if (FKind == okControl) return MAKELPARAM(x, y);
    return MAKELPARAM(x + FOrigin.x, y + FOrigin.y);
}

void TWScrollbar::ButtonDown(int x, int y) {
    GetCursorPos(&FDown);
    SCROLLBARINFO info;
    if (ReadInfo(info, FKind == okControl)) {
        FThumbStartAtDown = info.xyThumbTop;
        if (FKind != okControl) FOrigin = POINT{info.rcScrollBar.left, info.rcScrollBar.top};
    }
    FHotPart = PartAt(x, y);
    const LPARAM point = TargetPoint(x, y);
    FPressed = true;
    Repaint();
    ReleaseCapture();

    // The system scrolls, repeats and drags inside this call, dispatching every message that
    // comes meanwhile; one of them may free this overlay with its skin.
    const std::weak_ptr<bool> life = FLife;
    const HWND target = FTarget;
    switch (FKind) {
    case okVertical: SendMessageW(target, WM_NCLBUTTONDOWN, HTVSCROLL, point); break;
    case okHorizontal: SendMessageW(target, WM_NCLBUTTONDOWN, HTHSCROLL, point); break;
    case okControl: SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, point); break;
    }
    if (life.expired()) return;
    FPressed = false;
    ReleaseCapture();
    if (FKind == okControl) Repaint();
}

void TWScrollbar::ButtonUp(int x, int y) {
    const LPARAM point = TargetPoint(x, y);
    FPressed = false;
    ReleaseCapture();
    switch (FKind) {
    case okVertical: PostMessageW(FTarget, WM_NCLBUTTONUP, HTVSCROLL, point); break;
    case okHorizontal: PostMessageW(FTarget, WM_NCLBUTTONUP, HTHSCROLL, point); break;
    case okControl:
        PostMessageW(FTarget, WM_LBUTTONUP, MK_LBUTTON, point);
        Repaint();
        break;
    }
}

// ---- the window -----------------------------------------------------------------------------------

LRESULT CALLBACK TWScrollbar::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, msg, wParam, lParam);
    if (!self->FWindow) self->FWindow = window;  // messages come before CreateWindowEx returns
    // The object may be gone when this returns: nothing of it is touched after. Nothing may
    // unwind through the system's frames either (it would end the program).
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        SkinLog(std::string("scroll bar: ") + e.what());
    }
    return 0;
}

// A paint that fails (a system out of bitmaps) is dropped, as every control skin's paint: told
// to the user, it would come back with every paint; the next paint tries again.
void TWScrollbar::PaintQuietly(HDC dc) {
    try {
        Paint(dc);
    } catch (const std::exception& e) {
        SkinLog(std::string("paint: ") + e.what());
    }
}

LRESULT TWScrollbar::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (wParam) {
            PaintQuietly(reinterpret_cast<HDC>(wParam));
        } else {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(FWindow, &ps);
            PaintQuietly(dc);
            EndPaint(FWindow, &ps);
        }
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(x, y);
        return 0;
    case WM_MOUSELEAVE:
        MouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(x, y);
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(x, y);
        return 0;
    case WM_NCDESTROY: {
        HWND window = FWindow;
        FWindow = nullptr;
        FShown = false;
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    default:
        break;
    }
    return DefWindowProcW(FWindow, msg, wParam, lParam);
}

// ---- painting -------------------------------------------------------------------------------------

void TWScrollbar::PaintTrack(HDC dc, const TRect& r, bool enabled) {
    TSkinObjects& objects = SkinData()->Objects;
    TDataSkinObject* track = FVertical ? objects.VertScroll.get() : objects.HorzScroll.get();
    if (!track || !track->HasImage()) return;
    const TRect between = FVertical ? TRect{r.Left, r.Top + FArrowSize, r.Right, r.Bottom - FArrowSize}
                                    : TRect{r.Left + FArrowSize, r.Top, r.Right - FArrowSize, r.Bottom};
    if (between.Width() <= 0 || between.Height() <= 0) return;
    DrawSkinFrame(dc, between, &track->Image, false, track->Tile != 0, track->Trans != 0, TrackFrames, enabled ? 1 : 3,
                  track->Margins());
}

void TWScrollbar::PaintArrows(TCanvas* canvas, const TRect& r) {
    TBitmap* strip = &SkinData()->Objects.Scrollbar->Image;
    const int length = FVertical ? r.Height() : r.Width();
    const int extent = ArrowExtent(length, FArrowSize);
    const int hotStep = FPressed ? 1 : 3;
    int first = FVertical ? UpArrowFrame : LeftArrowFrame;
    int second = FVertical ? DownArrowFrame : RightArrowFrame;
    if (FHotPart == spFirstArrow) first += hotStep;
    if (FHotPart == spSecondArrow) second += hotStep;
    const TRect firstBox = FVertical ? TRect{r.Left, r.Top, r.Right, r.Top + extent} : TRect{r.Left, r.Top, r.Left + extent, r.Bottom};
    const TRect secondBox =
        FVertical ? TRect{r.Left, r.Bottom - extent, r.Right, r.Bottom} : TRect{r.Right - extent, r.Top, r.Right, r.Bottom};
    DrawGlyphFrameTransparent(canvas, firstBox, strip, first, ScrollbarFrames);
    DrawGlyphFrameTransparent(canvas, secondBox, strip, second, ScrollbarFrames);
}

void TWScrollbar::PaintThumb(HDC dc, TCanvas* canvas, const TScrollThumb& thumb, int breadth) {
    TSkinObjects& objects = SkinData()->Objects;
    RECT client{};
    GetClientRect(FWindow, &client);
    const int farEdge = FVertical ? client.bottom : client.right;
    if (!thumb.Shown || thumb.Start >= farEdge || thumb.End > farEdge) return;
    const bool hot = FHotPart == spThumb;
    TDataSkinObject* look = FVertical ? objects.VertScrollThumb.get() : objects.HorzScrollThumb.get();
    if (look && look->HasImage()) {
        const int frames = std::max(look->Frame, 1);
        const int frame = hot ? (FPressed ? 2 : 3) : 1;
        const TRect box = FVertical ? TRect{0, thumb.Start, breadth, thumb.End} : TRect{thumb.Start, 0, thumb.End, breadth};
        DrawSkinFrame(dc, box, &look->Image, false, false, look->Trans != 0, frames, std::min(frame, frames), look->Margins());
    }
    TBitmap* strip = &objects.Scrollbar->Image;
    const int grip = strip->Height();
    if (grip + 2 > thumb.Length()) return;
    const int offset = (thumb.Length() - grip) / 2;
    const int gripStart = thumb.Start + offset;
    if (gripStart + grip > farEdge) return;
    int frame = FVertical ? VerticalGripFrame : HorizontalGripFrame;
    if (hot) frame += FPressed ? 1 : 2;
    const TRect box = FVertical ? TRect{0, gripStart, breadth, gripStart + grip} : TRect{gripStart, 0, gripStart + grip, breadth};
    DrawGlyphFrameTransparent(canvas, box, strip, frame, ScrollbarFrames);
}

void TWScrollbar::Paint(HDC dc) {
    TSkinData* skinData = SkinData();
    if (!FWindow || !skinData || !skinData->Objects.Scrollbar || !skinData->Objects.Scrollbar->HasImage()) return;
    SCROLLBARINFO info;
    if (!ReadInfo(info, false) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
    const bool enabled = (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    RECT client{};
    GetClientRect(FWindow, &client);
    TRect r{0, 0, WidthOf(info.rcScrollBar), HeightOf(info.rcScrollBar)};
    if (r.Right < 0 || r.Bottom < 0 || r.Right > client.right || r.Bottom > client.bottom) return;

    const int breadth = BarBreadth(skinData->Objects.Scrollbar->Image.Height(), FArrowSize);
    const auto narrow = [&](TRect& box) { (FVertical ? box.Right : box.Bottom) = breadth; };
    if (FKind == okControl) narrow(r);
    FWork.SetSize(r.Width(), r.Height());
    TCanvas* canvas = FWork.Canvas();
    HDC work = canvas->Handle();
    SetStretchBltMode(work, COLORONCOLOR);
    canvas->Brush()->SetColor(skinData->Colours().ButtonFace);
    canvas->FillRect(TRect{0, 0, FWork.Width(), FWork.Height()});
    if (FKind != okControl) narrow(r);

    work = canvas->Handle();
    PaintTrack(work, r, enabled);
    PaintArrows(canvas, r);
    if (enabled) PaintThumb(canvas->Handle(), canvas, PaintedThumb(info), breadth);

    work = canvas->Handle();
    if (FKind == okControl) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, client.right, client.bottom, work, 0, 0, FWork.Width(), FWork.Height(), SRCCOPY);
    } else {
        BitBlt(dc, 0, 0, FWork.Width(), FWork.Height(), work, 0, 0, SRCCOPY);
    }
}
