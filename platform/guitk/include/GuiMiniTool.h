// A small tool bar of captioned flat buttons; a click is passed to the frame as its command.
#pragma once

#include "GuiToolButton.h"

class CGuiMiniTool : public CWnd {
    DECLARE_DYNAMIC(CGuiMiniTool)
public:
    CGuiMiniTool();
    ~CGuiMiniTool() override;

    BOOL Create(LPCTSTR lpszName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Images cut from a bitmap resource, each cx wide; crMask is the transparent colour.
    BOOL SetImageList(UINT nBitmapID, int cx, int nCount, COLORREF crMask);
    BOOL AddButton(int nImage, UINT nCmd, CMenu* pMenu = NULL, LPCTSTR lpszCaption = NULL, LPCTSTR lpszToolTip = NULL);
    int GetCount() const { return (int)m_buttons.GetSize(); }
    CGuiToolButton* GetButton(int nIndex) const { return m_buttons[nIndex]; }
    void AutoSize(BOOL bAutoSize) { m_bAutoSize = bAutoSize; }
    void RecalLayout();
    int GetIdealWidth() const { return m_nIdealWidth; }

    void SetColor(COLORREF clrFace);
    void SetColorCaption(COLORREF clrCaption);
    void StyleDispl(DWORD dwStyle);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CImageList m_images;
    CArray<CGuiToolButton*, CGuiToolButton*> m_buttons;
    BOOL m_bAutoSize;
    int m_nIdealWidth;
    COLORREF m_clrFace;
    COLORREF m_clrCaption;
};
