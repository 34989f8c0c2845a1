#pragma once
// Colour resolution and small drawing helpers shared by the graphics classes and the controls.
#include "components/Win32.h"

#include "components/Colors.h"

// A plain colour as it stands; a system colour looked up now; clNone and clDefault as black.
COLORREF ColorToRGB(TColor color);
