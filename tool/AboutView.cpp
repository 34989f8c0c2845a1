#include "AboutView.h"

#include "PageColors.h"
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
        CreatePageBrush(m_brush);
}

HBRUSH CAboutView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return PageCtlColor(pDC, nCtlColor, m_brush, CFormView::OnCtlColor(pDC, pWnd, nCtlColor));
}
