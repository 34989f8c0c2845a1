#include "SkinBitButton.h"

#include <algorithm>

#include "DataSkinObject.h"
#include "ImgUtil.h"
#include "SkinControlDraw.h"
#include "SkinControlFactory.h"
#include "SkinDraw.h"
#include "SkinPropByName.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/SysUtils.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"
#include "components/TImageList.h"

const TClassInfo& TSkinBitButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinBitButton>("TSkinBitButton").Build();
    return info;
}

TSkinControl* NewSkinBitButton(TComponent* owner, const std::string& glyphProperty) {
    auto* skin = new TSkinBitButton(owner);
    skin->GraphicProperty = glyphProperty;
    return skin;
}

int LayoutIndex(const std::string& layoutName) {
    const std::string name = LowerCase(layoutName);
    if (name == "blglyphright") return 1;
    if (name == "blglyphtop") return 2;
    if (name == "blglyphbottom") return 3;
    return 0;
}

TGlyphLayout LayOutGlyphAndText(HDC dc, const std::wstring& text, const TGlyphLayoutInput& in) {
    const int cw = in.ClientWidth, ch = in.ClientHeight, gw = in.GlyphWidth, gh = in.GlyphHeight;
    const bool across = in.Layout == 0 || in.Layout == 1;
    RECT box{2, 2, cw - 2, ch - 2};
    if (across) box.right -= gw + 2;
    else box.top += gh + 2;
    int tw = 0, th = 0;
    if (!text.empty()) {
        DrawTextWide(dc, text, box, DT_CALCRECT | DT_WORDBREAK);
        tw = box.right - box.left;
        th = box.bottom - box.top;
    }

    TGlyphLayout out;
    int glyphX = 0, glyphY = 0, textX = 0, textY = 0;
    if (across) {
        glyphY = (ch - gh + 1) / 2;
        textY = (ch - th + 1) / 2;
    } else {
        glyphX = (cw - gw + 1) / 2;
        textX = (cw - tw + 1) / 2;
    }
    int margin = in.Margin, spacing = in.Spacing;
    if (tw == 0 || gw == 0) spacing = 0;
    const int length = across ? cw : ch;
    const int glyph = across ? gw : gh;
    const int extent = across ? tw : th;
    if (margin == -1 || in.Centred) {
        if (spacing == -1) {
            margin = spacing = (length - glyph - extent) / 3;
        } else {
            margin = (length - glyph - spacing - extent + 1) / 2;
            if (in.SpeedButton && in.Margin == -1) margin += 1;
        }
    } else if (spacing == -1) {
        spacing = (length - margin - glyph - extent + 1) / 2;
    }

    int glyphAt = margin, textAt = margin + glyph + spacing;
    if (in.Layout == 1 || in.Layout == 3) {
        glyphAt = length - margin - glyph;
        textAt = glyphAt - spacing - extent;
    }
    if (across) {
        glyphX = glyphAt;
        textX = textAt;
    } else {
        glyphY = glyphAt;
        textY = textAt;
    }
    out.Format = DT_WORDBREAK | (in.Layout == 1 ? DT_RIGHT : 0) | (across ? 0 : DT_CENTER);
    out.Glyph = TRect{glyphX, glyphY, glyphX + gw, glyphY + gh};
    out.Text = TRect{textX, textY, textX + tw, textY + th};
    return out;
}

void TSkinBitButton::DrawGlyph(TCanvas* canvas, const TRect& r, int frameCount, int glyphIndex, TBitmap* strip) {
    if (!strip || strip->Empty()) return;
    frameCount = std::max(frameCount, 1);
    const int width = strip->Width() / frameCount;
    if (width <= 0) return;
    const int index = glyphIndex > frameCount || glyphIndex < 1 ? 1 : glyphIndex;
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(width, strip->Height());
    BitBlt(glyph.Canvas()->Handle(), 0, 0, width, strip->Height(), strip->Canvas()->Handle(), width * (index - 1), 0,
           SRCCOPY);
    if (glyphIndex == 2) GrayBitmap(&glyph);
    glyph.SetTransparentColor(clDefault);
    glyph.SetTransparent(true);
    canvas->Draw(r.Left, r.Top, &glyph);
}

TBitmap* TSkinBitButton::GlyphStrip(int& frameCount) const {
    frameCount = 1;
    if (!GraphicProperty.empty())
        return dynamic_cast<TBitmap*>(GetObjectPropByName(Source(), GraphicProperty, TBitmap::StaticClass()));
    // A count of 0 (or none) is one look: the strip is never divided by 0.
    frameCount = std::max(1, GetOrdPropByName(Source(), "NumGlyphs"));
    return dynamic_cast<TBitmap*>(GetObjectPropByName(Source(), "Glyph", TBitmap::StaticClass()));
}

void TSkinBitButton::PaintContent(TCanvas* canvas, const TRect& area, int frame, int glyphIndex, bool centredByAlignment,
                                  bool speedButton, bool focusRect) {
    int frameCount = 1;
    TBitmap* strip = GlyphStrip(frameCount);
    if (strip && strip->Empty()) strip = nullptr;
    auto* images = dynamic_cast<TImageList*>(GetObjectPropByName(Source(), "Images", TImageList::StaticClass()));
    const int imageIndex = GetOrdPropByName(Source(), "ImageIndex");
    TGlyphLayoutInput in;
    in.ClientWidth = area.Width();
    in.ClientHeight = area.Height();
    if (strip) {
        in.GlyphWidth = strip->Width() / frameCount;
        in.GlyphHeight = strip->Height();
    } else if (images && imageIndex != -1) {
        in.GlyphWidth = images->Width();
        in.GlyphHeight = images->Height();
    }
    std::string layout, alignment;
    GetEnumPropByName(Source(), "Layout", layout);
    GetEnumPropByName(Source(), "Alignment", alignment);
    in.Layout = LayoutIndex(layout);
    in.Margin = GetOrdPropByName(Source(), "Margin");
    in.Spacing = GetOrdPropByName(Source(), "Spacing");
    in.Centred = centredByAlignment && LowerCase(alignment) == "tacenter";
    in.SpeedButton = speedButton;

    if (auto* font = dynamic_cast<TFont*>(GetObjectPropByName(Source(), "Font", TFont::StaticClass())))
        canvas->Font()->Assign(font);
    const std::wstring text = ReplaceFirst(Text, L"||", L"\r\n");
    HDC dc = canvas->Handle();
    const TGlyphLayout place = LayOutGlyphAndText(dc, text, in);

    if (strip) {
        DrawGlyph(canvas, place.Glyph, frameCount, glyphIndex, strip);
    } else if (images) {
        const int disabledIndex = GetOrdPropByName(Source(), "DisabledIndex");
        if (WindowEnabled && imageIndex != -1) images->Draw(canvas, place.Glyph.Left, place.Glyph.Top, imageIndex, true);
        else if (!WindowEnabled && disabledIndex != -1)
            images->Draw(canvas, place.Glyph.Left, place.Glyph.Top, disabledIndex, true);
        else if (!WindowEnabled && imageIndex != -1)
            images->Draw(canvas, place.Glyph.Left, place.Glyph.Top, imageIndex, false);
    }

    dc = canvas->Handle();
    SetTextColor(dc, ColorToRGB(FrameTextColour(frame, canvas->Font()->Color())));
    SetBkMode(dc, TRANSPARENT);
    RECT box{place.Text.Left, place.Text.Top, place.Text.Right, place.Text.Bottom};
    DrawTextWide(dc, text, box, place.Format);
    if (focusRect && Focused && !(SkinData->Options() & SkinOptionBit(xoNoFocusRect))) {
        InflateRect(&box, 2, 2);
        DrawFocusRect(dc, &box);
    }
}

void TSkinBitButton::PaintSkin(HDC dc, const TRect& r) {
    TDataSkinButton* object = ButtonObject();
    if (!object) return;
    ReadWindowState();
    ReadText();
    int frame = 1;
    if (!WindowEnabled) frame = 3;
    else if (MouseState & msPressed) frame = 2;
    else if (MouseState & msHot) frame = 4;
    else if (Focused) frame = 5;
    const int glyphIndex = (MouseState & msPressed) && WindowEnabled ? 3 : (!WindowEnabled ? 2 : 1);

    TBitmap* buffer = SkinBackBuffer();
    buffer->SetSize(r.Width(), r.Height());
    const TRect area{0, 0, r.Width(), r.Height()};
    TCanvas* canvas = buffer->Canvas();
    TakeFont(canvas);
    PaintBackground(canvas->Handle(), area);
    DrawSkinObject(canvas->Handle(), area, object, frame, 5);
    PaintContent(canvas, area, frame, glyphIndex, true, false, true);
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), canvas->Handle(), 0, 0, SRCCOPY);
}
