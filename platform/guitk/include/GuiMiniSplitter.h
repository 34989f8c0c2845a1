// The holder of two mini tool bars: one kept at the left edge, one at the right.
#pragma once

#include "GuiMiniTool.h"

class CGuiMiniSplitter : public CWnd {
    DECLARE_DYNAMIC(CGuiMiniSplitter)
public:
    CGuiMiniSplitter();
    BOOL Create(CWnd* pParentWnd, UINT nID);
    BOOL AddMiniToolLeft(CGuiMiniTool* pTool);
    BOOL AddMiniToolRight(CGuiMiniTool* pTool);
    void RecalLayout();
    void SetColor(COLORREF clrShadow, COLORREF clrHighlight);
    void StyleDispl(DWORD dwStyle);

protected:
    BOOL AddMiniTool(CGuiMiniTool*& pSlot, CGuiMiniTool* pTool, UINT nID);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CGuiMiniTool* m_pLeft;
    CGuiMiniTool* m_pRight;
    COLORREF m_clrShadow;
    COLORREF m_clrHighlight;
};
