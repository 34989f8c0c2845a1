#include "GOut.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CGOut, CGuiVuzEvekView)

BEGIN_MESSAGE_MAP(CGOut, CGuiVuzEvekView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

static const COLORREF kMaskRed = RGB(255, 0, 0);

static BOOL CreateItemList(CGuiVuzEvek& list, CGuiFolder& folder)
{
    if (!list.Create(WS_VISIBLE, CRect(0, 0, 0, 0), &folder, 1))
        return FALSE;
    list.SetImageList(IDB_NAVIGATION, 32, 0, kMaskRed);
    return TRUE;
}

int CGOut::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CGuiVuzEvekView::OnCreate(lpcs) == -1)
        return -1;
    if (!CreateItemList(m_wndSystemList, m_wndFolder))
        return -1;
    m_wndSystemList.AddItem(ID_SHOW_MODEM, "短信模块配置", 2, "");
    m_wndSystemList.AddItem(ID_SHOW_SYSLOG, "查看操作日志", 3, "");
    m_wndSystemList.AddItem(ID_SHOW_CONTACT, "联系信息", 7, "");
    if (!CreateItemList(m_wndDeviceList, m_wndFolder))
        return -1;
    m_wndDeviceList.AddItem(ID_SHOW_DEVICES, "设备列表", 7, "");
    m_wndDeviceList.AddItem(ID_IMPORT_DEVICES, "导入设备列表", 1, "");
    m_wndDeviceList.AddItem(ID_EXPORT_DEVICES, "导出设备列表", 0, "");
    m_wndFolder.AddFolder(&m_wndDeviceList, "设备管理", -1);
    m_wndFolder.AddFolder(&m_wndSystemList, "系统维护", -1);
    m_wndFolder.SelectFolder(0);
    return 0;
}
