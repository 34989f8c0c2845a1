// The contact page: the maker's contact lines on the theme's face colour.
#pragma once

#include "afxext.h"

class CAboutView : public CFormView {
    DECLARE_DYNCREATE(CAboutView)
public:
    void OnInitialUpdate() override;

protected:
    CAboutView();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CBrush m_brush;
};
