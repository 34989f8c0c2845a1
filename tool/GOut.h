// The navigation bar of the left pane: the device folder and the system folder.
#pragma once

#include "GuiVuzEvek.h"
#include "GuiVuzEvekView.h"

class CGOut : public CGuiVuzEvekView {
    DECLARE_DYNCREATE(CGOut)
public:
    CGuiVuzEvek m_wndSystemList;
    CGuiVuzEvek m_wndDeviceList;

protected:
    CGOut() {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};
