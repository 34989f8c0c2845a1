// The pages on the right of the frame show the toolkit's face colour behind their buttons and
// texts, as the bars around them do.
#pragma once

#include "afxwin.h"

// The page's background brush, of the face colour.
void CreatePageBrush(CBrush& brush);
// A page's answer to WM_CTLCOLOR: for buttons, the page itself and static texts a transparent
// text background on the page's brush; for other kinds the base class's brush.
HBRUSH PageCtlColor(CDC* pDC, UINT nCtlColor, CBrush& pageBrush, HBRUSH hbrBase);
