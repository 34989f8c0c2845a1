// The navigation view: a folder bar filling the view.
#pragma once

#include "GuiFolder.h"

class CGuiVuzEvekView : public CView {
    DECLARE_DYNAMIC(CGuiVuzEvekView)
public:
    CGuiFolder m_wndFolder;

protected:
    CGuiVuzEvekView() {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};
