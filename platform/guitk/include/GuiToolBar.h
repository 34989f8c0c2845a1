// A tool bar built from a tool bar resource (button ids) and the bitmap of the same id.
#pragma once

#include "afxwin.h"

class CGuiToolBar : public CControlBar {
    DECLARE_DYNAMIC(CGuiToolBar)
public:
    BOOL CreateFromResource(CWnd* pParentWnd, UINT nIDResource);
    int GetButtonCount() const { return (int)SendMessage(TB_BUTTONCOUNT); }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
