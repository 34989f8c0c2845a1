// One folder's list of navigation items: a large image above each caption; a click on an item
// is passed to the frame as the item's command.
#pragma once

#include "GuiToolButton.h"

class CGuiVuzEvek : public CWnd {
    DECLARE_DYNAMIC(CGuiVuzEvek)
public:
    CGuiVuzEvek();
    ~CGuiVuzEvek() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetImageList(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL AddItem(UINT nCmd, LPCTSTR lpszText, int nImage, LPCTSTR lpszToolTip = NULL);
    int GetItemCount() const { return (int)m_items.GetSize(); }
    CGuiToolButton* GetItem(int nIndex) const { return m_items[nIndex]; }
    void StyleDispl(DWORD dwStyle);

protected:
    void RecalLayout();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CImageList m_images;
    CArray<CGuiToolButton*, CGuiToolButton*> m_items;
};
