// The toolkit's frame: a menu bar and a tool bar as control bars, a status bar, and the colour
// style shared by the toolkit's controls.
#pragma once

#include "GuiDrawLayer.h"
#include "GuiMenuBar.h"
#include "GuiToolBar.h"
#include "afxext.h"

class CGuiFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CGuiFrameWnd)
public:
    BOOL InitMenu(UINT nIDMenu);
    BOOL InitToolBar(UINT nIDToolBar);
    BOOL InitStatusBar(const UINT* lpIDArray, int nIDCount);
    virtual void StyleDispl(DWORD dwStyle);

    CGuiMenuBar m_wndMenuBar;
    CGuiToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    CString sProfile; // the frame's name inside the toolkit

protected:
    CGuiFrameWnd() {}
};
