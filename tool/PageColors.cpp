#include "PageColors.h"

#include "GuiDrawLayer.h"

void CreatePageBrush(CBrush& brush)
{
    brush.CreateSolidBrush(GuiDrawLayer::GetRGBColorFace(GUISTYLE_2003));
}

HBRUSH PageCtlColor(CDC* pDC, UINT nCtlColor, CBrush& pageBrush, HBRUSH hbrBase)
{
    if ((nCtlColor == CTLCOLOR_BTN || nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC) &&
        pageBrush.m_hObject != NULL) {
        pDC->SetBkMode(TRANSPARENT);
        return pageBrush;
    }
    return hbrBase;
}
