// The frame's static splitter, with bars painted in the theme.
#pragma once

#include "afxext.h"

class CGuiSplitterWnd : public CSplitterWnd {
    DECLARE_DYNAMIC(CGuiSplitterWnd)
public:
    void StyleDispl(DWORD dwStyle);

protected:
    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
};
