// A flat button with an image and a caption, raised while the pointer is over it, with an
// optional tooltip. Its click reaches its parent as BN_CLICKED, as any button's does.
#pragma once

#include "afxcmn.h"

class CGuiToolButton : public CButton {
    DECLARE_DYNAMIC(CGuiToolButton)
public:
    enum Layout { imageLeft, imageAbove };

    CGuiToolButton();
    BOOL Create(LPCTSTR lpszCaption, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetImage(CImageList* pImages, int nImage) { m_pImages = pImages; m_nImage = nImage; }
    void SetToolTip(LPCTSTR lpszToolTip);
    CString GetToolTip() const { return m_strToolTip; }
    void SetLayout(Layout layout) { m_layout = layout; }
    void SetColor(COLORREF clrFace) { m_clrFace = clrFace; Invalidate(); }
    void SetColorCaption(COLORREF clrCaption) { m_clrCaption = clrCaption; Invalidate(); }
    CSize GetIdealSize();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    CImageList* m_pImages;
    int m_nImage;
    Layout m_layout;
    COLORREF m_clrFace;    // CLR_NONE: the theme's face colour
    COLORREF m_clrCaption; // CLR_NONE: the system's button text colour
    BOOL m_bHot;
    CString m_strToolTip;
    CToolTipCtrl m_toolTip;
};
