// The menu bar and the tool bar are each a bar window of the face colour holding one common
// tool bar control with their buttons; the bar is as high as its buttons.
#pragma once

#include "afxwin.h"

// The buttons' control within its bar.
const UINT kBarButtonsId = 1;

// Makes the bar's window under the parent and, in it, the buttons' control of the given extra
// style and first height; NULL when either fails.
HWND CreateBarButtons(CControlBar& bar, CWnd* pParentWnd, UINT nBarId, DWORD dwButtonsStyle, int cyButtons,
                      HINSTANCE hInst);
// Once the buttons are in: the bar takes their height and the control is fitted to it.
void FitBarToButtons(CControlBar& bar, HWND hButtons);
