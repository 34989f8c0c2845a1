// A skinned window's non-client area: the four borders, the title bar with its text and
// buttons, the menu-bar strip, the window region cut from the borders' transparent pixels, and
// the client area inside the skin's borders.
#include <algorithm>

#include "ImgUtil.h"
#include "SkinDraw.h"
#include "SkinMessages.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"
#include "WinSysButton.h"
#include "components/Graphics.h"

namespace {

enum : int { bpLeft = 1, bpRight = 2, bpTop = 3, bpBottom = 4 };

// The two reference points of title buttons placed against them (alignments 2, 8 and 3, 9):
// nothing gives them a place, so such buttons are placed from the window's left edge.
constexpr int TitleReferenceA = 0;
constexpr int TitleReferenceB = 0;

// Visibility values of a title button.
enum : int {
    vsAlways = 0, vsMaximized = 1, vsNotMaximized = 2, vsActive = 3, vsInactive = 4, vsNever = 5,
    vsMaximizeBox = 6, vsNoMaximizeBox = 7, vsMinimizeBox = 8, vsNoMinimizeBox = 9,
    vsMDIButtons = 100, vsDialogFrame = 200, vsAskedFirst = 1000, vsAskedLast = 2000,
};

bool IsIconAction(int action) { return action == 3 || action == 11; }

}  // namespace

// ---- painting the frame -------------------------------------------------------------------------

void TWinSkinForm::PaintNonClient(HDC dc) {
    if (State != wsSkinned && State != wsReapplying) return;
    if (BorderKind == bkNoCaption || (WindowKind == wkMDIChild && ShowState == ssMaximized) || !SkinData) return;
    SkinBackBuffer();
    HDC target = dc ? dc : GetWindowDC(Handle);
    if (!target) return;
    try {
        RECT r{};
        GetWindowRect(Handle, &r);
        WindowRect = TRect::From(r);
        WindowWidth = r.right - r.left;
        WindowHeight = r.bottom - r.top;
        const int w = WindowWidth, h = WindowHeight;
        if (ShowState == ssMinimized) {
            PaintCaption(target);
        } else {
            DrawBorderPart(bpLeft, TRect{0, 0, BorderLeft, h}, target);
            DrawBorderPart(bpRight, TRect{w - BorderRight, 0, w, h}, target);
            DrawBorderPart(bpBottom, TRect{BorderLeft, h - BorderBottom, w - BorderRight, h}, target);
            PaintCaption(target);
            const TRect strip{BorderLeft, BorderTop, w - BorderRight, BorderTop + MenuBarHeight};
            if (MenuBar) {
                PaintMenuBar(target, strip);
            } else if (MenuBarHeight > 0) {
                const RECT fill = strip.ToRECT();
                FillRect(target, &fill, SkinData->FaceBrush());
            }
        }
    } catch (const std::exception& e) {
        // Painting never stops the window; the next paint tries again.
        SkinLog(std::string("paint: ") + e.what());
    }
    HotObject = nullptr;
    if (!dc) ReleaseDC(Handle, target);
}

TDataSkinBorder* TWinSkinForm::Border(int part) const {
    if (!SkinData || part < bpLeft || part > bpBottom) return nullptr;
    return SkinData->Objects.Borders[static_cast<std::size_t>(part - 1)].get();
}

void TWinSkinForm::DrawBorderPart(int part, const TRect& r, HDC dc) {
    if (r.Width() < 0 || r.Height() < 0) return;
    TDataSkinBorder* border = Border(part);
    if (!border || !border->HasImage()) return;
    // Frame 2 is the inactive look, where the image has one.
    const int frame = Active || border->Frame <= 1 ? 1 : 2;
    TBitmap* picture = BorderPicture(part, r.Width(), r.Height(), frame);
    if (picture->Empty()) return;
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), picture->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The border's frame at the size, made once for as long as the window keeps its size and look.
TBitmap* TWinSkinForm::BorderPicture(int part, int width, int height, int frame) {
    TBorderPicture& kept = FBorderPictures[static_cast<std::size_t>(part - 1)];
    if (!kept.Bitmap || kept.Width != width || kept.Height != height || kept.Frame != frame) {
        TDataSkinBorder* border = Border(part);
        const bool stacked = part == bpTop || part == bpBottom;
        kept.Bitmap = MakeSkinFrameBitmap(TRect{0, 0, width, height}, &border->Image, border->Margins(), stacked, border->Tile != 1,
                                          border->Frame, frame);
        kept.Width = width;
        kept.Height = height;
        kept.Frame = frame;
    }
    return kept.Bitmap.get();
}

void TWinSkinForm::PaintCaption(HDC dc) {
    const int w = WindowWidth, h = WindowHeight;
    TBitmap& buffer = *CaptionBuffer;
    TRect top;
    if (ShowState == ssMinimized) {
        buffer.SetSize(w, h);
        buffer.Canvas()->Brush()->SetColor(SkinData->Colours().ButtonFace);
        buffer.Canvas()->FillRect(TRect{0, 0, w, h});
        top = TRect{0, 0, w, BorderTop};
    } else {
        // The corners of the title strip are the side borders' tops, as the window shows them;
        // they are drawn again rather than read back from the screen, which is slow.
        buffer.SetSize(w, BorderTop);
        DrawBorderPart(bpLeft, TRect{0, 0, BorderLeft, h}, buffer.Canvas()->Handle());
        DrawBorderPart(bpRight, TRect{w - BorderRight, 0, w, h}, buffer.Canvas()->Handle());
        top = TRect{BorderLeft, 0, w - BorderRight, BorderTop};
    }
    if (buffer.Empty()) return;
    DrawBorderPart(bpTop, top, buffer.Canvas()->Handle());
    LayoutSysButtons();
    PaintTitleText(buffer.Canvas(), w);
    PaintSysButtons(buffer.Canvas());
    BitBlt(dc, 0, 0, buffer.Width(), buffer.Height(), buffer.Canvas()->Handle(), 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

// The window's text between the title's left shift and its right clip, from its top shift down,
// in the caption font and the skin's title colours. Title buttons shown within those margins
// keep it off: it begins after those placed from the left and ends before those placed from
// the right.
void TWinSkinForm::PaintTitleText(TCanvas* canvas, int width) {
    const TDataSkinTitle* title = SkinData->Objects.Title.get();
    if (!title) return;
    const std::wstring text = GetWindowTextWide(Handle);
    RECT r{title->LeftWidth, title->TopHeight, width - title->RightWidth, BorderTop};
    constexpr int Gap = 4;
    for (const auto& button : SysButtons) {
        const TDataSkinSysButton& d = *button->SkinButton;
        if (!button->Visible || d.Image.Empty() || d.Visibility == vsMDIButtons) continue;
        if (d.Align == 1) r.right = std::min<LONG>(r.right, button->Rect.Left - Gap);
        else if (d.Align == 0 || d.Align == 3 || d.Align == 9) r.left = std::max<LONG>(r.left, button->Rect.Right + Gap);
    }
    if (text.empty() || r.right <= r.left || r.bottom <= r.top) return;
    const TColor skinColour = Active ? title->ActiveText : title->InActiveText;
    const TColor colour = skinColour != clNone ? skinColour
                          : Active          ? SkinData->Colours().TitleTextActive
                                            : SkinData->Colours().TitleTextNoActive;
    canvas->Font()->Assign(CaptionFont.get());
    HDC dc = canvas->Handle();
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (title->TextAlignment == 1) format |= DT_CENTER;
    else if (title->TextAlignment == 2) format |= DT_RIGHT;
    if (title->Textbackground != 0 && title->HasImage()) {
        RECT measured = r;
        DrawTextWide(dc, text, measured, format | DT_CALCRECT);
        const int shift = (format & DT_CENTER) ? ((r.right - r.left) - (measured.right - measured.left)) / 2
                          : (format & DT_RIGHT) ? (r.right - r.left) - (measured.right - measured.left)
                                                : 0;
        const int imageHeight = title->Image.Height();
        const TRect back{static_cast<int>(measured.left) + shift - title->TXTBackleft, (BorderTop - imageHeight) / 2,
                         static_cast<int>(measured.right) + shift + title->TXTBackRight, (BorderTop + imageHeight) / 2};
        DrawSkinFrameStretched(dc, back, const_cast<TBitmap*>(&title->Image), title->Trans != 0, title->Frame, Active ? 1 : 2);
    }
    SetTextColor(dc, ColorToRGB(colour));
    SetBkMode(dc, TRANSPARENT);
    DrawTextWide(dc, text, r, format);
}

// ---- title-bar buttons ----------------------------------------------------------------------------

void TWinSkinForm::LayoutSysButtons() {
    const int w = WindowWidth;
    RightButtonsLeft = 0;
    for (std::size_t i = 0; i < SysButtons.size(); ++i) {
        TWinSysButton& button = *SysButtons[i];
        const TDataSkinSysButton& d = *button.SkinButton;
        if (!SysButtonVisible(static_cast<int>(i)) || d.Image.Empty()) {
            button.Rect = TRect{};
            continue;
        }
        const int boxWidth = d.Image.Width() / UsableFrameCount(d.Frame), boxHeight = d.Image.Height();
        int x = 0, y = 0;
        switch (d.Align) {
        case 0: x = d.Xcoord; y = d.Ycoord; break;
        case 1:
            x = w - d.Xcoord;
            y = d.Ycoord;
            if (x > 0) RightButtonsLeft = std::max(RightButtonsLeft, x);
            break;
        case 2:
        case 8: x = TitleReferenceA - boxWidth - d.Xcoord; y = d.Ycoord; break;
        case 3:
        case 9: x = d.Xcoord + TitleReferenceB; y = d.Ycoord; break;
        case 100: {
            // The MDI child's buttons, in the MDI form's menu bar.
            y = (MenuBarHeight - boxHeight) / 2 + BorderTop;
            const int margin = MenuBar ? MenuBarLeftMargin() : 0;
            x = RightToLeft ? d.Xcoord + margin + BorderLeft : w - d.Xcoord - BorderRight - margin;
            break;
        }
        default: break;
        }
        button.Rect = TRect{x, y, x + boxWidth, y + boxHeight};
    }
}

void TWinSkinForm::PaintSysButtons(TCanvas* canvas) {
    HDC dc = canvas->Handle();
    for (const auto& button : SysButtons) {
        TDataSkinSysButton& d = *button->SkinButton;
        if (!button->Visible || d.Image.Empty() || d.Visibility == vsMDIButtons) continue;
        if (IsIconAction(d.Action)) {
            DrawIcon(dc, button->Rect);
            continue;
        }
        // At rest: frame 1, or the inactive look (frame 4) where the strip has one.
        const int frame = !Active && d.Frame >= 4 ? 4 : 1;
        DrawSkinFrameStretched(dc, button->Rect, &d.Image, true, d.Frame, frame);
    }
}

bool TWinSkinForm::SysButtonVisible(int index) {
    if (index < 0 || index >= static_cast<int>(SysButtons.size())) return false;
    TWinSysButton& button = *SysButtons[static_cast<std::size_t>(index)];
    const TDataSkinSysButton& d = *button.SkinButton;
    const bool maximized = ShowState == ssMaximized;
    const bool maxBox = (ButtonSet & bsMaximizeBox) != 0, minBox = (ButtonSet & bsMinimizeBox) != 0;
    const bool sysMenu = (ButtonSet & bsSystemMenu) != 0;
    // The rule of one value; the second column asks less of some values than the first.
    const std::function<bool(int, bool)> rule = [&](int value, bool second) -> bool {
        switch (value) {
        case vsAlways: return true;
        case vsMaximized: return maximized;
        case vsNotMaximized: return !maximized;
        case vsActive: return Active;
        case vsInactive: return !Active;
        case vsNever: return false;
        case vsMaximizeBox: return maxBox && (second || sysMenu);
        case vsNoMaximizeBox: return !maxBox;
        case vsMinimizeBox: return minBox && (second || sysMenu);
        case vsNoMinimizeBox: return !minBox;
        case vsMDIButtons: return second ? rule(d.Visibility, false) : IsMDIChildMaximized() && MenuBar != nullptr;
        case vsDialogFrame: return !second && BorderKind == bkDialog && !IsDialog;
        default: break;
        }
        if (value > vsDialogFrame && value < vsAskedFirst) return !second;
        if (value >= vsAskedFirst && value <= vsAskedLast)
            return !second && SendMessageA(Handle, WM_SKINBUTTONQUERY, static_cast<WPARAM>(d.Action), value) > 0;
        return false;
    };
    bool visible = rule(d.Visibility, false) && rule(d.Visibility1, true);
    switch (d.Action) {
    case 0: visible = visible && sysMenu; break;
    case 1: visible = visible && maxBox; break;
    case 2: visible = visible && minBox; break;
    case 3:
    case 11:
    case 12: visible = visible && BorderKind != bkDialog; break;
    default: break;
    }
    button.Visible = visible;
    return visible;
}

bool TWinSkinForm::IsMDIChildMaximized() {
    if (WindowKind != wkMDIForm || !MDIClient) return false;
    BOOL maximized = FALSE;
    const LRESULT active = SendMessageA(MDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    return active != 0 && maximized;
}

// ---- the window region ----------------------------------------------------------------------------

// The piece of the region a border gives: its opaque pixels, moved to the piece's place.
HRGN TWinSkinForm::BorderPieceRegion(int part, const TRect& r) {
    return BitmapToRegion(BorderPicture(part, r.Width(), r.Height(), 1), r.Left, r.Top, 0, 0, 0, SkinKeyColour);
}

void TWinSkinForm::UpdateRegion() {
    if (State == wsGone || !SkinFrame || !SkinData) return;
    RECT r{};
    GetWindowRect(Handle, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    if (WindowKind == wkMDIChild && ShowState != ssNormal) return;
    if (RegionSet && w == RegionWidth && h == RegionHeight && WindowKind != wkMDIChild && State != wsReapplying) return;

    TDataSkinBorder *left = Border(bpLeft), *right = Border(bpRight), *top = Border(bpTop), *bottom = Border(bpBottom);
    RegionWidth = w;
    RegionHeight = h;
    HRGN region = nullptr;
    if (!left->Trans && !right->Trans && !top->Trans) {
        region = CreateRectRgn(0, 0, w, h);
    } else {
        region = CreateRectRgn(BorderLeft, BorderTop, w - BorderRight, h - BorderBottom);
        if (BorderKind != bkNoCaption) {
            const auto piece = [&](int part, const TRect& at, bool fromImage) {
                return fromImage ? BorderPieceRegion(part, at) : CreateRectRgn(at.Left, at.Top, at.Right, at.Bottom);
            };
            const TRect topRect{BorderLeft, 0, w - BorderRight, BorderTop};
            HRGN leftPiece = piece(bpLeft, TRect{0, 0, BorderLeft, h}, left->Trans == 1 && h > 1);
            HRGN rightPiece = piece(bpRight, TRect{w - BorderRight, 0, w, h}, right->Trans == 1 && h > 1);
            HRGN bottomPiece = piece(bpBottom, TRect{BorderLeft, h - BorderBottom, w - BorderRight, h},
                                     bottom->Trans == 1 && BorderBottom >= 2);
            HRGN topPiece = piece(bpTop, topRect,
                                  top->Trans == 1 && BorderTop > 1 && topRect.Width() > 0 && topRect.Height() > 0);
            CombineRgn(leftPiece, leftPiece, rightPiece, RGN_OR);
            CombineRgn(topPiece, topPiece, bottomPiece, RGN_OR);
            CombineRgn(leftPiece, leftPiece, topPiece, RGN_OR);
            CombineRgn(region, region, leftPiece, RGN_OR);
            for (HRGN made : {leftPiece, rightPiece, topPiece, bottomPiece}) DeleteObject(made);
        }
    }
    // The region is the system's from here on: it frees it when the window gets another one.
    SetWindowRgn(Handle, region, TRUE);
    Region = region;
    RegionSet = true;
}

void TWinSkinForm::ClearRegion() {
    if (!RegionSet) return;
    SetWindowRgn(Handle, nullptr, WindowKind == wkMDIChild);
    Region = nullptr;
    RegionSet = false;
    RegionWidth = RegionHeight = -1;
}

void TWinSkinForm::ShowWhole() {
    if (!RegionSet) return;
    ClearRegion();
    RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// ---- placement and the client area -------------------------------------------------------------

void TWinSkinForm::ReadPlacement() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(Handle, &placement)) return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: ShowState = ssMinimized; break;
    case SW_SHOWMAXIMIZED: ShowState = ssMaximized; break;
    default: ShowState = ssNormal; break;
    }
}

void TWinSkinForm::FindMDIClient() {
    WindowKind = wkPlain;
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowClassName(child) != "MDIClient") continue;
        WindowKind = wkMDIForm;
        MDIClient = child;
        if (SkinManager) {
            SkinManager->MDIClient = child;
            SkinManager->MDIForm = Control;
        }
        return;
    }
}

void TWinSkinForm::CalcSize(TMessage& message) {
    CallDefault(message);
    const bool systemFrame = (WindowKind == wkMDIChild && ShowState != ssNormal) || BorderKind == bkNoCaption;
    // The client area inside the borders; a window smaller than its borders has an empty one.
    const auto inside = [this](int x, int y, int cx, int cy) {
        const int left = x + BorderLeft, top = y + BorderTop + MenuBarHeight;
        return RECT{left, top, std::max(left, x + cx - BorderRight), std::max(top, y + cy - BorderBottom)};
    };
    if (!message.WParam) {
        auto* r = reinterpret_cast<RECT*>(message.LParam);
        if (r && !systemFrame) *r = inside(r->left, r->top, r->right - r->left, r->bottom - r->top);
        message.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
    if (systemFrame) {
        params->rgrc[1] = params->rgrc[0];
        message.Result = WVR_VALIDRECTS;
        return;
    }
    const RECT& proposed = params->rgrc[0];
    const WINDOWPOS* pos = params->lppos;
    const RECT client = pos ? inside(pos->x, pos->y, pos->cx, pos->cy)
                            : inside(proposed.left, proposed.top, proposed.right - proposed.left, proposed.bottom - proposed.top);
    params->rgrc[0] = client;
    params->rgrc[1] = client;
    message.Result = WVR_VALIDRECTS;
    FrameComputed = true;
}

void TWinSkinForm::SetSysMenuStyle(bool remove) {
    if (ButtonSet & bsCaptionRemoved) return;
    const auto current = static_cast<DWORD>(GetWindowLongPtrA(Handle, GWL_STYLE));
    Style = current;
    if (remove) Style &= ~static_cast<DWORD>(WS_SYSMENU);
    else if (ButtonSet & bsSystemMenu) Style |= WS_SYSMENU;
    if (Style != current) SetWindowLongPtrA(Handle, GWL_STYLE, static_cast<LONG_PTR>(Style));
}
