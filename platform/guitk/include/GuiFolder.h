// A bar of folders: a title button per folder, the selected folder's window between the titles
// above it and those below it.
#pragma once

#include "GuiToolButton.h"

class CGuiFolder : public CWnd {
    DECLARE_DYNAMIC(CGuiFolder)
public:
    CGuiFolder();
    ~CGuiFolder() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL AddFolder(CWnd* pWnd, LPCTSTR lpszTitle, int nImage = -1);
    void SelectFolder(int nIndex);
    int GetSelectedFolder() const { return m_nSelected; }
    int GetCountFolder() const { return (int)m_folders.GetSize(); }
    CString GetFolderTitle(int nIndex) const;
    void RecalLayout();
    void StyleDispl(DWORD dwStyle);

    enum { kTitleHeight = 24, kFirstTitleId = 100 };

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    struct CFolder {
        CWnd* pWnd;
        CGuiToolButton* pTitle;
    };
    CArray<CFolder, const CFolder&> m_folders;
    int m_nSelected;
};
