// A tool bar built from a tool bar resource (button ids) and the bitmap of the same id.
#pragma once

#include "afxwin.h"

class CGuiToolBar : public CControlBar {
    DECLARE_DYNAMIC(CGuiToolBar)
public:
    BOOL CreateFromResource(CWnd* pParentWnd, UINT nIDResource);
    // The buttons live in a tool bar control inside the bar's window.
    int GetButtonCount() const;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
