#pragma once
#include "components/TBrush.h"
#include "components/TGraphicControl.h"
#include "components/TPen.h"

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
extern const TEnumType ShapeTypeType;

// A rectangle, square, rounded rectangle, ellipse or circle drawn with its brush and pen.
class TShape : public TGraphicControl {
    DECLARE_CLASS(TShape, TGraphicControl)
public:
    explicit TShape(TComponent* owner);

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType shape);
    TBrush* Brush() { return &FShapeBrush; }
    void SetBrush(TBrush* brush) { FShapeBrush.Assign(brush); }
    TPen* Pen() { return &FPen; }
    void SetPen(TPen* pen) { FPen.Assign(pen); }

protected:
    void Paint() override;

private:
    TShapeType FShape = stRectangle;
    TBrush FShapeBrush;
    TPen FPen;
};
