#include "GuiSplitterWnd.h"
#include "GuiDrawLayer.h"

IMPLEMENT_DYNAMIC(CGuiSplitterWnd, CSplitterWnd)

void CGuiSplitterWnd::StyleDispl(DWORD)
{
    Invalidate();
}

void CGuiSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType, const CRect& rect)
{
    pDC->FillSolidRect(&rect, GuiDrawLayer::GetRGBColorFace());
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), GuiDrawLayer::GetRGBColorShadow());
}
