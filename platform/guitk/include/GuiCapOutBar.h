// The caption bar along the top of the frame; it holds a mini splitter with the tool bars.
#pragma once

#include "GuiMiniSplitter.h"

class GuiCapOutBar : public CControlBar {
    DECLARE_DYNAMIC(GuiCapOutBar)
public:
    GuiCapOutBar();
    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT nID, int nHeight);
    BOOL SetSplitter(CGuiMiniSplitter* pSplitter);
    CGuiMiniSplitter* GetSplitter() const { return m_pSplitter; }
    void StyleDispl(DWORD dwStyle);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CGuiMiniSplitter* m_pSplitter;
};
