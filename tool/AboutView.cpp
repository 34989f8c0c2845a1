#include "AboutView.h"

#include "GuiDrawLayer.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CAboutView, CFormView)

BEGIN_MESSAGE_MAP(CAboutView, CFormView)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CAboutView::CAboutView() : CFormView(IDD_ABOUT_VIEW)
{
}

void CAboutView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (m_brush.m_hObject == NULL)
        m_brush.CreateSolidBrush(GuiDrawLayer::GetRGBColorFace(GUISTYLE_2003));
}

HBRUSH CAboutView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hbr = CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
    if ((nCtlColor == CTLCOLOR_BTN || nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC) &&
        m_brush.m_hObject != NULL) {
        pDC->SetBkMode(TRANSPARENT);
        return m_brush;
    }
    return hbr;
}
