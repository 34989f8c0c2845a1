#include "components/TBrush.h"

#include "components/Graphics.h"
#include "components/TClassInfo.h"

const TEnumType BrushStyleType{"TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"}};

const TClassInfo& TBrush::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBrush>("TBrush")
        .Color("Color", &TBrush::Color, &TBrush::SetColor)
        .Enum("Style", BrushStyleType, &TBrush::Style, &TBrush::SetStyle).Default(bsSolid)
        .Build();
    return info;
}

void TBrush::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

HBRUSH TBrush::Handle() {
    if (!CachedHandle()) {
        LOGBRUSH lb{};
        lb.lbColor = ColorToRGB(FColor);
        switch (FStyle) {
        case bsSolid: lb.lbStyle = BS_SOLID; break;
        case bsClear: lb.lbStyle = BS_HOLLOW; break;
        default:
            lb.lbStyle = BS_HATCHED;
            lb.lbHatch = static_cast<ULONG_PTR>(FStyle - bsHorizontal);
            break;
        }
        SetCachedHandle(CreateBrushIndirect(&lb));
    }
    return static_cast<HBRUSH>(CachedHandle());
}

void TBrush::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBrush*>(source)) {
        FColor = other->FColor;
        FStyle = other->FStyle;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}
