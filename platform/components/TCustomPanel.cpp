#include "components/TCustomPanel.h"

#include "components/Graphics.h"
#include "components/TClassInfo.h"

const TEnumType BevelCutType{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};

const TClassInfo& TCustomPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomPanel>("TCustomPanel")
        .Str("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption)
        .Enum("Alignment", AlignmentType, &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).Default(taCenter)
        .Enum("BevelInner", BevelCutType, &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone)
        .Enum("BevelOuter", BevelCutType, &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised)
        .Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1)
        .Int("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0)
        .Enum("BorderStyle", BorderStyleType, &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle).Default(bsNone)
        .Bool("ParentBackground", &TCustomPanel::ParentBackground, &TCustomPanel::SetParentBackground).Default(1)
        .Build();
    return info;
}

const TClassInfo& TPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPanel>("TPanel").Build();
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomPanel::SetBevelInner(TBevelCut bevel) {
    FBevelInner = bevel;
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut bevel) {
    FBevelOuter = bevel;
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int width) {
    FBevelWidth = width < 1 ? 1 : width;
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int width) {
    FBorderWidth = width < 0 ? 0 : width;
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    Invalidate();
}

static void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    for (int i = 0; i < width; ++i) {
        if (cut != bvSpace) DrawEdge(dc, &r, cut == bvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        InflateRect(&r, -1, -1);
    }
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    RECT r = ClientRect().ToRECT();
    DrawBevel(canvas->Handle(), r, FBevelOuter, FBevelWidth);
    InflateRect(&r, -FBorderWidth, -FBorderWidth);
    DrawBevel(canvas->Handle(), r, FBevelInner, FBevelWidth);
    if (Caption().empty()) return;
    TRect text = TRect::From(r);
    const UINT align = FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    canvas->Brush()->SetStyle(bsClear);
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->DrawText(Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | align);
}

void TCustomPanel::WndProc(TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED) Invalidate();
    TCustomControl::WndProc(m);
}
