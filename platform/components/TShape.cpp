#include "components/TShape.h"

#include <algorithm>

#include "components/TClassInfo.h"

const TEnumType ShapeTypeType{"TShapeType", {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"}};

const TClassInfo& TShape::StaticClass() {
    static const TClassInfo info = TClassBuilder<TShape>("TShape")
        .Object("Brush", &TShape::Brush, &TShape::SetBrush)
        .Object("Pen", &TShape::Pen, &TShape::SetPen)
        .Enum("Shape", ShapeTypeType, &TShape::Shape, &TShape::SetShape).Default(stRectangle)
        .Build();
    return info;
}

TShape::TShape(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 65);
    auto repaint = [this](TObject*) { Invalidate(); };
    FShapeBrush.OnChange = repaint;
    FPen.OnChange = repaint;
}

void TShape::SetShape(TShapeType shape) {
    if (shape == FShape) return;
    FShape = shape;
    Invalidate();
}

void TShape::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Pen()->Assign(&FPen);
    canvas->Brush()->Assign(&FShapeBrush);
    const int inset = FPen.Width() / 2;
    int x = inset, y = inset;
    int w = Width() - FPen.Width() + 1;
    int h = Height() - FPen.Width() + 1;
    if (FPen.Width() == 0) {
        w -= 1;
        h -= 1;
    }
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        const int side = std::min(w, h);
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = h = side;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare: canvas->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: canvas->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4); break;
    case stEllipse:
    case stCircle: canvas->Ellipse(x, y, x + w, y + h); break;
    }
}
