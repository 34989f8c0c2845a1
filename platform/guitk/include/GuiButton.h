// The flat push button of the pages: a dialog button subclassed to paint in the theme.
#pragma once

#include "GuiToolButton.h"

class CGuiButton : public CGuiToolButton {
    DECLARE_DYNAMIC(CGuiButton)
public:
    enum BorderStyle { borderNone = 0, borderFlat = 1, borderSemiFlat = 2, borderXP = 3 };

    void SetCaption(const CString& strCaption);
    void SetStyleBorder(int nStyle) { m_nBorderStyle = nStyle; Invalidate(); }
    int GetStyleBorder() const { return m_nBorderStyle; }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    int m_nBorderStyle = borderNone;
};
