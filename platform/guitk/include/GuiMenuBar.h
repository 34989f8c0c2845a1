// A menu bar as a tool bar: one button per menu of the resource, each dropping its menu.
#pragma once

#include "afxwin.h"

class CGuiMenuBar : public CControlBar {
    DECLARE_DYNAMIC(CGuiMenuBar)
public:
    CGuiMenuBar();
    BOOL CreateFromMenu(CWnd* pParentWnd, UINT nIDMenu);
    HMENU GetMenu() const { return m_menu.m_hMenu; }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    CMenu m_menu;
};
