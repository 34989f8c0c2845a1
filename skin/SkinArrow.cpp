#include "SkinArrow.h"

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The wedge's strokes, each from the tip side outwards.
void DrawUp(HDC dc, int x, int y) {
    Line(dc, x, y, x, y - 1);
    Line(dc, x + 1, y + 1, x + 4, y + 4);
    Line(dc, x, y + 1, x + 3, y + 4);
    Line(dc, x, y + 2, x + 2, y + 4);
    Line(dc, x - 1, y + 1, x - 4, y + 4);
    Line(dc, x, y + 2, x - 3, y + 4);
    Line(dc, x, y + 1, x - 2, y + 4);
}

void DrawDown(HDC dc, int x, int y) {
    Line(dc, x, y + 3, x, y + 4);
    Line(dc, x + 1, y + 2, x + 4, y - 1);
    Line(dc, x, y + 2, x + 3, y - 1);
    Line(dc, x, y + 1, x + 2, y);
    Line(dc, x - 1, y + 2, x - 4, y - 1);
    Line(dc, x, y + 1, x - 3, y - 1);
    Line(dc, x, y + 2, x - 2, y);
}

void DrawSideways(HDC dc, int x, int y, int back) {
    const POINT points[] = {{x, y}, {x + back, y + 2}, {x + back, y - 2}, {x - back, y}, {x + back, y + 2}};
    Polyline(dc, points, 5);
}

}  // namespace

void DrawArrow(HDC dc, int x, int y, int direction) {
    switch (direction) {
    case adUp:
        DrawUp(dc, x, y);
        break;
    case adDown:
        DrawDown(dc, x, y);
        break;
    case adLeft:
        DrawSideways(dc, x, y, 1);
        break;
    case adRight:
        DrawSideways(dc, x, y, -1);
        break;
    default:
        break;
    }
}
