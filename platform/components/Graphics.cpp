#include "components/Graphics.h"

COLORREF ColorToRGB(TColor color) {
    if (color & clSystemColor) return GetSysColor(color & 0xFF);
    if (color == clNone || color == clDefault) return 0;
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}
