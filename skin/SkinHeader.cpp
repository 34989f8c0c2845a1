#include "SkinHeader.h"

#include <algorithm>

#include "DataSkinObject.h"
#include "FrameGeometry.h"
#include "SkinControlDraw.h"
#include "SkinDraw.h"
#include "SkinPanelDraw.h"
#include "WinSkinData.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"

const TClassInfo& TSkinHeader::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinHeader>("TSkinHeader").Build();
    return info;
}

namespace {

TDataSkinObject* HeaderImage(TSkinData* skinData) {
    if (!skinData || !skinData->Objects.Headerbar || !skinData->Objects.Headerbar->HasImage()) return nullptr;
    return skinData->Objects.Headerbar.get();
}

// Frame n of the strip as its description counts them (5 when it does not say); a strip of one
// frame shows it for every look.
void DrawHeaderFrame(HDC dc, const TRect& r, TDataSkinObject* image, int frame) {
    const int frames = UsableFrameCount(image->Frame);
    DrawSkinFrame(dc, r, &image->Image, false, image->Tile != 0, false, frames, std::min(frame, frames), image->Margins());
}

}  // namespace

void TSkinHeader::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    TSkinControl::AttachControl(form, skinData, canvas, useSkinColor);
    HotItem = -1;
}

void TSkinHeader::AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form) {
    TSkinControl::AttachHandle(window, skinData, canvas, form);
    HotItem = -1;
}

bool TSkinHeader::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        // Without its picture the header is drawn the plain way, by its own procedure.
        if (!HeaderImage(SkinData)) return true;
        PaintFromWmPaint(message);
        return false;
    case WM_ERASEBKGND:
        if (!HeaderImage(SkinData)) return true;
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinHeader::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        TrackHotItem(static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam)));
        break;
    case WM_MOUSELEAVE:
        HotItem = -1;
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinHeader::TrackHotItem(int x, int y) {
    for (std::size_t i = 0; i < ItemRects.size(); ++i) {
        const TRect& r = ItemRects[i];
        if (x < r.Left || x >= r.Right || y < r.Top || y >= r.Bottom) continue;
        if (HotItem != static_cast<int>(i)) {
            HotItem = static_cast<int>(i);
            Repaint();
        }
        break;
    }
    if (SkinData) SkinData->TrackMouseLeave(Handle);
}

void TSkinHeader::PaintItem(TCanvas* canvas, int index, const RECT& itemRect, HIMAGELIST images) {
    TDataSkinObject* image = HeaderImage(SkinData);
    wchar_t text[202] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = 201;
    SendMessageW(Handle, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));

    const TRect size{0, 0, itemRect.right - itemRect.left, itemRect.bottom - itemRect.top};
    if (size.Width() <= 0 || size.Height() <= 0) return;
    TBitmap face;
    face.SetPixelFormat(pf24bit);
    face.SetSize(size.Width(), size.Height());
    DrawHeaderFrame(face.Canvas()->Handle(), size, image, index == HotItem ? 2 : 1);
    const std::wstring caption = text;
    if (!caption.empty()) {
        const bool withImage = (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) != 0;
        const int alignment = (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? 2 : (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? 1 : 0;
        TCanvas* faceCanvas = face.Canvas();
        faceCanvas->Font()->Assign(canvas->Font());
        // The image and the caption laid out together, the caption after the image.
        DrawTextWithSystemImage(this, faceCanvas, size, images, withImage ? item.iImage : -1, caption, alignment);
    }
    BitBlt(canvas->Handle(), itemRect.left, itemRect.top, size.Width(), size.Height(), face.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TSkinHeader::PaintSkin(HDC dc, const TRect& r) {
    TDataSkinObject* image = HeaderImage(SkinData);
    if (!image) return;
    TBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(r.Width(), r.Height());
    TCanvas* canvas = work.Canvas();
    canvas->Brush()->SetColor(SkinData->Colours().ButtonFace);
    canvas->FillRect(r);
    SelectWindowFont(canvas, Handle);
    SetBkMode(canvas->Handle(), TRANSPARENT);
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, HDM_GETIMAGELIST, 0, 0));
    const int count = static_cast<int>(SendMessageW(Handle, HDM_GETITEMCOUNT, 0, 0));
    ItemRects.assign(static_cast<std::size_t>(std::max(count, 0)), TRect{0, 0, 0, 0});
    int rightmost = r.Left;
    for (int i = 0; i < count; ++i) {
        RECT itemRect{};
        if (!SendMessageW(Handle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&itemRect))) continue;
        PaintItem(canvas, i, itemRect, images);
        ItemRects[static_cast<std::size_t>(i)] = TRect{itemRect.left + 3, itemRect.top, itemRect.right - 3, itemRect.bottom};
        rightmost = std::max(rightmost, static_cast<int>(itemRect.right));
    }
    if (rightmost < r.Right) DrawHeaderFrame(canvas->Handle(), TRect{rightmost, r.Top, r.Right, r.Bottom}, image, 1);
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), canvas->Handle(), 0, 0, SRCCOPY);
}
