#include "MarqtelDoc.h"

#include "Marqtel.h"

#include "afxwin.h"

IMPLEMENT_DYNCREATE(CMarqtelDoc, CDocument)

BOOL CMarqtelDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    SetTitle("短信远程管理中心 " + static_cast<CMarqtelApp*>(AfxGetApp())->m_strVersion);
    return TRUE;
}

BOOL CMarqtelDoc::SaveModified()
{
    if (!IsModified())
        return TRUE;
    switch (::MessageBoxA(NULL, "设备列表已被更改，是否需要保存？", "提示", MB_YESNOCANCEL)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        SaveDeviceList();
        return TRUE;
    default:
        return TRUE;
    }
}

void CMarqtelDoc::SaveDeviceList()
{
    SetModifiedFlag(FALSE);
}
