#pragma once
// The small arrow of spin buttons drawn without a skin image: a filled wedge about 9 pixels wide
// pointing from (x, y), in the DC's current pen.
#include "components/Win32.h"

enum TArrowDirection { adUp = 0, adDown = 1, adLeft = 2, adRight = 3 };

// Any other direction draws nothing.
void DrawArrow(HDC dc, int x, int y, int direction);
