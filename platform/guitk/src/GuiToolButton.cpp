#include "GuiToolButton.h"
#include "GuiButton.h"
#include "GuiDrawLayer.h"

IMPLEMENT_DYNAMIC(CGuiToolButton, CButton)
IMPLEMENT_DYNAMIC(CGuiButton, CGuiToolButton)

BEGIN_MESSAGE_MAP(CGuiToolButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CGuiToolButton::CGuiToolButton()
    : m_pImages(NULL), m_nImage(-1), m_layout(imageLeft), m_clrFace(CLR_NONE), m_clrCaption(CLR_NONE), m_bHot(FALSE)
{
}

BOOL CGuiToolButton::Create(LPCTSTR lpszCaption, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CButton::Create(lpszCaption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, pParentWnd, nID);
}

void CGuiToolButton::PreSubclassWindow()
{
    // A button from a dialog template becomes owner-drawn when it is taken over.
    SetButtonStyle((GetButtonStyle() & ~BS_TYPEMASK) | BS_OWNERDRAW, FALSE);
}

void CGuiToolButton::SetToolTip(LPCTSTR lpszToolTip)
{
    m_strToolTip = lpszToolTip ? lpszToolTip : "";
    if (m_strToolTip.IsEmpty() || m_hWnd == NULL)
        return;
    if (m_toolTip.m_hWnd == NULL) {
        if (!m_toolTip.Create(this))
            return;
        m_toolTip.AddTool(this, m_strToolTip);
    } else {
        m_toolTip.UpdateTipText(m_strToolTip, this);
    }
}

CSize CGuiToolButton::GetIdealSize()
{
    CString caption;
    GetWindowText(caption);
    CClientDC dc(this);
    HGDIOBJ hOld = ::SelectObject(dc, (HFONT)SendMessage(WM_GETFONT));
    CSize text = caption.IsEmpty() ? CSize(0, 0) : dc.GetTextExtent(caption);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, hOld);
    IMAGEINFO info = {};
    CSize image(0, 0);
    if (m_pImages != NULL && m_nImage >= 0 && m_pImages->GetImageInfo(m_nImage, &info))
        image = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    if (m_layout == imageAbove)
        return CSize(std::max((int)image.cx, (int)text.cx) + 8, image.cy + tm.tmHeight + 10);
    int gap = image.cx && text.cx ? 4 : 0;
    return CSize(image.cx + gap + text.cx + 10, std::max((int)image.cy, (int)tm.tmHeight) + 8);
}

void CGuiToolButton::DrawItem(LPDRAWITEMSTRUCT lpDis)
{
    CDC dc;
    dc.Attach(lpDis->hDC);
    CRect rc = lpDis->rcItem;
    BOOL bPressed = (lpDis->itemState & ODS_SELECTED) != 0;
    BOOL bDisabled = (lpDis->itemState & ODS_DISABLED) != 0;
    COLORREF face = m_clrFace != CLR_NONE ? m_clrFace : GuiDrawLayer::GetRGBColorFace();
    if (bPressed || m_bHot) {
        dc.FillSolidRect(&rc, bPressed ? GuiDrawLayer::GetRGBColorPressed() : GuiDrawLayer::GetRGBColorHot());
        CBrush border(GuiDrawLayer::GetRGBColorBorder());
        dc.FrameRect(&rc, &border);
    } else {
        dc.FillSolidRect(&rc, face);
    }

    CString caption;
    GetWindowText(caption);
    IMAGEINFO info = {};
    BOOL bImage = m_pImages != NULL && m_nImage >= 0 && m_pImages->GetImageInfo(m_nImage, &info);
    int cxImage = bImage ? info.rcImage.right - info.rcImage.left : 0;
    int cyImage = bImage ? info.rcImage.bottom - info.rcImage.top : 0;
    CRect rcText = rc;
    if (m_layout == imageAbove) {
        if (bImage)
            m_pImages->Draw(&dc, m_nImage, CPoint(rc.left + (rc.Width() - cxImage) / 2, rc.top + 4), ILD_TRANSPARENT);
        rcText.top += cyImage + 6;
    } else {
        if (bImage)
            m_pImages->Draw(&dc, m_nImage, CPoint(rc.left + 5, rc.top + (rc.Height() - cyImage) / 2), ILD_TRANSPARENT);
        rcText.left += 5 + cxImage + (cxImage ? 4 : 0);
    }
    dc.SetBkMode(TRANSPARENT);
    COLORREF text = m_clrCaption != CLR_NONE ? m_clrCaption : ::GetSysColor(COLOR_BTNTEXT);
    dc.SetTextColor(bDisabled ? ::GetSysColor(COLOR_GRAYTEXT) : text);
    HGDIOBJ hOld = ::SelectObject(dc, (HFONT)SendMessage(WM_GETFONT));
    UINT format = DT_SINGLELINE | DT_NOPREFIX | (m_layout == imageAbove ? DT_CENTER | DT_TOP : DT_LEFT | DT_VCENTER);
    dc.DrawText(caption, &rcText, format);
    ::SelectObject(dc, hOld);
    dc.Detach();
}

void CGuiToolButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHot) {
        m_bHot = TRUE;
        TRACKMOUSEEVENT tme = { sizeof tme, TME_LEAVE, m_hWnd, 0 };
        ::TrackMouseEvent(&tme);
        Invalidate(FALSE);
    }
    CButton::OnMouseMove(nFlags, point);
}

LRESULT CGuiToolButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHot = FALSE;
    Invalidate(FALSE);
    return 0;
}

// ---------------------------------------------------------------------------------------------

void CGuiButton::SetCaption(const CString& strCaption)
{
    SetWindowText(strCaption);
    Invalidate();
}

void CGuiButton::DrawItem(LPDRAWITEMSTRUCT lpDis)
{
    CGuiToolButton::DrawItem(lpDis);
    if (m_bHot || (lpDis->itemState & ODS_SELECTED) || m_nBorderStyle == borderNone)
        return;
    // At rest the button shows its border style.
    CDC dc;
    dc.Attach(lpDis->hDC);
    CRect rc = lpDis->rcItem;
    if (m_nBorderStyle == borderXP) {
        CBrush border(GuiDrawLayer::GetRGBColorShadow());
        dc.FrameRect(&rc, &border);
    } else {
        dc.Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    if (lpDis->itemState & ODS_FOCUS) {
        rc.DeflateRect(3, 3);
        dc.DrawFocusRect(&rc);
    }
    dc.Detach();
}
