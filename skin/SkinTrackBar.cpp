#include "SkinTrackBar.h"

#include "SkinControlFactory.h"
#include "DataSkinObject.h"
#include "SkinControlDraw.h"
#include "SkinMessages.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"

namespace {

constexpr int ThumbFrames = 5;
constexpr int ThumbFrame = 2;

TDataSkinObject* WithImage(const std::unique_ptr<TDataSkinObject>& object) {
    return object && object->HasImage() ? object.get() : nullptr;
}

void Stretch(HDC dc, int x, int y, int w, int h, TBitmap& image, int sx, int sy, int sw, int sh) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    StretchBlt(dc, x, y, w, h, image.Canvas()->Handle(), sx, sy, sw, sh, SRCCOPY);
}

}  // namespace

const TClassInfo& TSkinTrackBar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinTrackBar>("TSkinTrackBar").Build();
    return info;
}

bool TSkinTrackBar::BeforeMessage(TMessage& message) {
    // The reflected notification shares its number with the skin's ready notice, whose lParam
    // is a key, not a record: only a record from the bar itself is read.
    if ((message.Msg == WM_NOTIFY || message.Msg == CN_NOTIFY) && message.LParam && message.LParam != SkinAnswerKey) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW) && header->hwndFrom == Handle) {
            message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam));
            return false;
        }
    }
    return TSkinControl::BeforeMessage(message);
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    switch (draw.dwItemSpec) {
    case TBCD_THUMB:
        DrawThumb(draw.hdc);
        return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL:
        DrawChannel(draw.hdc);
        return CDRF_SKIPDEFAULT;
    default:
        return CDRF_DODEFAULT;
    }
}

void TSkinTrackBar::DrawThumb(HDC dc) {
    RECT thumb{};
    SendMessageA(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const TRect r{thumb.left, thumb.top, thumb.right, thumb.bottom};
    TDataSkinObject* image = nullptr;
    if (SkinData) {
        const bool vertical = (GetWindowLong(Handle, GWL_STYLE) & TBS_VERT) != 0;
        if (vertical) image = WithImage(SkinData->Objects.ThumbVert);
        if (!image) image = WithImage(SkinData->Objects.ThumbHorz);
    }
    if (image) {
        DrawGlyphFrame(dc, r, &image->Image, ThumbFrame, ThumbFrames);
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(SkinData ? SkinData->Colours().ButtonShadow : clBtnShadow));
    HGDIOBJ old = SelectObject(dc, pen);
    Rectangle(dc, r.Left, r.Top, r.Right, r.Bottom);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void TSkinTrackBar::DrawChannel(HDC dc) {
    if (!SkinData) return;
    RECT channel{};
    SendMessageA(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const bool vertical = (GetWindowLong(Handle, GWL_STYLE) & TBS_VERT) != 0;
    TDataSkinObject* vert = WithImage(SkinData->Objects.TrackVert);
    if (vertical && vert) {
        // Windows reports a vertical channel lying down; others report it standing.
        const bool lying = channel.right - channel.left > channel.bottom - channel.top;
        const TRect r = lying ? TRect{channel.top, channel.left, channel.bottom, channel.right}
                              : TRect{channel.left, channel.top, channel.right, channel.bottom};
        TBitmap& image = vert->Image;
        const int iw = image.Width();
        const int ih = image.Height();
        const int x = iw < r.Width() ? r.Left + (r.Width() - iw) / 2 : r.Left;
        Stretch(dc, x, r.Top, iw, vert->TopHeight, image, 0, 0, iw, vert->TopHeight);
        Stretch(dc, x, r.Top + vert->TopHeight, iw, r.Height() - vert->TopHeight - vert->BottomHeight, image, 0,
                vert->TopHeight, iw, ih - vert->TopHeight - vert->BottomHeight);
        Stretch(dc, x, r.Bottom - vert->BottomHeight, iw, vert->BottomHeight, image, 0, ih - vert->BottomHeight, iw,
                vert->BottomHeight);
        return;
    }
    TDataSkinObject* track = WithImage(SkinData->Objects.Track);
    if (!track) return;
    const TRect r{channel.left, channel.top, channel.right, channel.bottom};
    TBitmap& image = track->Image;
    const int iw = image.Width();
    const int ih = image.Height();
    // Not centred: a thin image lies half the channel's height down.
    const int y = ih < r.Height() ? r.Top + r.Height() / 2 : r.Top;
    Stretch(dc, r.Left, y, track->LeftWidth, ih, image, 0, 0, track->LeftWidth, ih);
    Stretch(dc, r.Left + track->LeftWidth, y, r.Width() - track->LeftWidth - track->RightWidth, ih, image, track->LeftWidth, 0,
            iw - track->LeftWidth - track->RightWidth, ih);
    Stretch(dc, r.Right - track->RightWidth, y, track->RightWidth, ih, image, iw - track->RightWidth, 0, track->RightWidth, ih);
}

// Taking the focus and giving it back makes the bar draw itself anew with the new skin.
void TSkinTrackBar::Reskin() {
    HWND previous = SetFocus(Handle);
    if (previous && previous != Handle) SetFocus(previous);
    TSkinControl::Reskin();
}

TSkinControl* NewSkinTrackBar(TComponent* owner) { return new TSkinTrackBar(owner); }
