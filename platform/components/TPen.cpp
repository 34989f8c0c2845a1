#include "components/TPen.h"

#include "components/Graphics.h"
#include "components/TClassInfo.h"

const TEnumType PenStyleType{"TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};

const TClassInfo& TPen::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPen>("TPen")
        .Color("Color", &TPen::Color, &TPen::SetColor)
        .Enum("Style", PenStyleType, &TPen::Style, &TPen::SetStyle).Default(psSolid)
        .Int("Width", &TPen::Width, &TPen::SetWidth).Default(1)
        .Build();
    return info;
}

void TPen::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width == FWidth || width < 0) return;
    FWidth = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

HPEN TPen::Handle() {
    if (!CachedHandle()) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        SetCachedHandle(CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor)));
    }
    return static_cast<HPEN>(CachedHandle());
}

void TPen::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPen*>(source)) {
        FColor = other->FColor;
        FWidth = other->FWidth;
        FStyle = other->FStyle;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}
