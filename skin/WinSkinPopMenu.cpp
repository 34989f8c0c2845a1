#include "WinSkinPopMenu.h"

#include "SkinDraw.h"
#include "SkinMessages.h"
#include "WinSkinData.h"
#include "components/TCanvas.h"

namespace {

// A popup menu's window draws its items this far in from its edges.
constexpr int PopupFrameWidth = 3;
// The window's own clipping styles hold for the DC (the headers of some systems leave it out).
constexpr DWORD DcxUseStyle = 0x00010000;

}  // namespace
#include "WinSkinDlg.h"

TWinSkinPopMenu::TWinSkinPopMenu() : Background(std::make_unique<TBitmap>()) {}

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData* skinData, int level) {
    Handle = window;
    SkinData = skinData;
    Level = level;
    // Popup menus are ANSI windows to the engine, whatever the system made them.
    FProc.Install(window, false, [this](UINT msg, WPARAM wParam, LPARAM lParam) { return WndProc(msg, wParam, lParam); });
}

void TWinSkinPopMenu::Detach() {
    if (!FProc.Installed()) return;
    if (FRegionHeld && FRegion) DeleteObject(FRegion);
    FRegion = nullptr;
    FRegionHeld = false;
    FProc.Remove();
    Background->SetSize(0, 0);
}

LRESULT TWinSkinPopMenu::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SKINQUERY) return 1;
    if (!SkinManager || !SkinManager->Active) return FProc.CallOld(msg, wParam, lParam);
    if (msg == WM_DESTROY) {
        const WNDPROC old = FProc.OldProc();
        HWND window = Handle;
        Detach();
        return CallWindowProcA(old, window, msg, wParam, lParam);
    }
    switch (msg) {
    case WM_ERASEBKGND:
        if (!(SkinData && (SkinData->Options() & SkinOptionBit(xoMenuBG)))) FProc.CallOld(msg, wParam, lParam);
        return 1;
    case WM_NCPAINT:
        if (!PaintFrame(reinterpret_cast<HRGN>(wParam))) return FProc.CallOld(msg, wParam, lParam);
        return 0;
    case WM_PAINT: {
        // Some systems draw a popup's border with its items, over the frame: it is drawn again.
        const LRESULT result = FProc.CallOld(msg, wParam, lParam);
        RepaintFrame();
        return result;
    }
    case WM_PRINT:
        if (!PrintBackground(reinterpret_cast<HDC>(wParam))) return FProc.CallOld(msg, wParam, lParam);
        return 0;
    default:
        return FProc.CallOld(msg, wParam, lParam);
    }
}

TDataSkinObject* TWinSkinPopMenu::BackgroundLook() const {
    if (!SkinData || SkinData->SkinEmpty()) return nullptr;
    TDataSkinObject* look = SkinData->Objects.MenuBackground.get();
    return look && look->HasImage() ? look : nullptr;
}

void TWinSkinPopMenu::MakeBackground(TDataSkinObject* look) {
    RECT r{};
    GetWindowRect(Handle, &r);
    Background = MakeSkinFrameBitmap(TRect{0, 0, r.right - r.left, r.bottom - r.top}, &look->Image, look->Margins(), false,
                                     look->Tile != 0, 1, 1);
}

// The region of WM_NCPAINT is the part to paint in screen coordinates, or 1 for the whole
// window: a region handle of 1 is no region, so the whole window takes the window's own DC.
bool TWinSkinPopMenu::PaintFrame(HRGN updateRegion) {
    TDataSkinObject* look = BackgroundLook();
    if (!look) return false;
    const bool whole = reinterpret_cast<UINT_PTR>(updateRegion) <= 1;
    HDC dc = whole ? GetWindowDC(Handle)
                   : GetDCEx(Handle, updateRegion, DCX_WINDOW | DCX_INTERSECTRGN | DcxUseStyle);
    if (!dc) return false;
    MakeBackground(look);
    BlitFrame(dc);
    ReleaseDC(Handle, dc);
    return true;
}

void TWinSkinPopMenu::RepaintFrame() {
    if (!BackgroundLook() || Background->Empty()) return;
    HDC dc = GetWindowDC(Handle);
    if (!dc) return;
    BlitFrame(dc);
    ReleaseDC(Handle, dc);
}

// Only the frame is copied: the items cover the rest.
void TWinSkinPopMenu::BlitFrame(HDC dc) {
    HRGN frame = FrameRegion();
    const int saved = SaveDC(dc);
    ExtSelectClipRgn(dc, frame, RGN_AND);
    BitBlt(dc, 0, 0, Background->Width(), Background->Height(), Background->Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    DeleteObject(frame);
}

bool TWinSkinPopMenu::PrintBackground(HDC dc) {
    TDataSkinObject* look = BackgroundLook();
    if (!look || !dc) return false;
    MakeBackground(look);
    const int width = Background->Width(), height = Background->Height();
    BitBlt(dc, 0, 0, width, height, Background->Canvas()->Handle(), 0, 0, SRCCOPY);
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, PopupFrameWidth, PopupFrameWidth, width - PopupFrameWidth, height - PopupFrameWidth);
    FProc.CallOld(WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    RestoreDC(dc, saved);
    return true;
}

// The window's 3-pixel frame, in window coordinates.
HRGN TWinSkinPopMenu::FrameRegion() const {
    RECT r{};
    GetWindowRect(Handle, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HRGN outer = CreateRectRgn(0, 0, width, height);
    HRGN inner = CreateRectRgn(PopupFrameWidth, PopupFrameWidth, width - PopupFrameWidth, height - PopupFrameWidth);
    CombineRgn(outer, outer, inner, RGN_DIFF);
    DeleteObject(inner);
    return outer;
}
