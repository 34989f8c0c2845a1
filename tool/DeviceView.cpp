#include "DeviceView.h"

#include "AppFolder.h"
#include "DeviceName.h"
#include "Log.h"
#include "MainFrm.h"
#include "MarqtelDoc.h"
#include "PageColors.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CDeviceView, CFormView)

BEGIN_MESSAGE_MAP(CDeviceView, CFormView)
    ON_WM_CTLCOLOR()
    ON_WM_SIZE()
    ON_BN_CLICKED(IDC_NM_ENABLE, OnNmEnable)
    ON_BN_CLICKED(IDC_DIAL_ENABLE, OnDialEnable)
    ON_BN_CLICKED(IDC_SERIAL_ENABLE, OnSerialEnable)
    ON_BN_CLICKED(IDC_GATEWAY_ENABLE, OnGatewayEnable)
    ON_BN_CLICKED(IDC_WMMP_ENABLE, OnWmmpEnable)
    ON_BN_CLICKED(IDC_MULTI_CENTER_ENABLE, OnMultiCenterEnable)
    ON_BN_CLICKED(IDC_SAVE_CHANGES, OnSaveChanges)
    ON_BN_CLICKED(IDC_DISCARD_CHANGES, OnDiscardChanges)
    ON_BN_CLICKED(IDC_CHECK_ALL, OnCheckAll)
    ON_BN_CLICKED(IDC_INVERT_CHECKS, OnInvertChecks)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_DEVICE_LIST, OnListItemChanged)
    ON_BN_CLICKED(IDC_IMPORT_CONFIG, OnImportConfig)
    ON_BN_CLICKED(IDC_EXPORT_CONFIG, OnExportConfig)
    ON_EN_CHANGE(IDC_SERIAL, OnSerialChanged)
    ON_BN_CLICKED(IDC_RESTART_DEVICE, OnRestartDevice)
    ON_BN_CLICKED(IDC_FORCE_ONLINE, OnForceOnline)
    ON_BN_CLICKED(IDC_FORCE_OFFLINE, OnForceOffline)
    ON_BN_CLICKED(IDC_FACTORY_RESET, OnFactoryReset)
    ON_BN_CLICKED(IDC_QUERY_DEVICE, OnQueryDeviceStatus)
    ON_BN_CLICKED(IDC_READ_CONFIG, OnReadConfig)
    ON_BN_CLICKED(IDC_SEND_CONFIG, OnSendConfig)
END_MESSAGE_MAP()

namespace {

// The list's columns: the check box and icon, then the record's fields.
enum Column { kColumnCheck, kColumnName, kColumnPhone, kColumnSerial, kColumnVersion, kColumnSignal };

const char kNewDeviceName[] = "新建设备";
const DWORD kNoticeTime = 3000; // how long a save or discard notice stays

// The controls each group's check box enables.
const UINT kNmControls[] = { IDC_NM_MODE, IDC_EXT1_PORT, IDC_SERVER_ADDR, IDC_SERVER_PORT, IDC_TRUST_LIST,
                             IDC_EXT1_ADDR };
const UINT kDialControls[] = { IDC_AUTO_DIAL, IDC_APN, IDC_DIAL_NUMBER, IDC_DIAL_USER, IDC_DIAL_PASSWORD, IDC_AUTH };
const UINT kSerialControls[] = { IDC_BAUD, IDC_DATA_BITS, IDC_STOP_BITS, IDC_PARITY };
const UINT kGatewayControls[] = { IDC_DTU_ID, IDC_GATEWAY_ADDR, IDC_GATEWAY_PORT, IDC_LINK };
const UINT kWmmpControls[] = { IDC_PLATFORM, IDC_WMMP_ADDR, IDC_WMMP_PORT, IDC_PLATFORM_DEVICE_ID, IDC_HEARTBEAT,
                               IDC_SMS_CENTER, IDC_SMS_ALARM };
const UINT kMultiCenterControls[] = { IDC_STRATEGY, IDC_EXT1_ADDR, IDC_EXT1_PORT, IDC_EXT2_ADDR, IDC_EXT2_PORT,
                                      IDC_EXT3_ADDR, IDC_EXT3_PORT, IDC_EXT4_ADDR, IDC_EXT4_PORT };

template <size_t N>
int CountOf(const UINT (&)[N])
{
    return (int)N;
}

// Why a name cannot be committed, or NULL when it can.
const char* NameRefusal(const CString& strName)
{
    switch (CheckDeviceName((LPCTSTR)strName)) {
    case DeviceNameFault::ListSeparator:
        return "设备名称不能包含逗号或换行！";
    case DeviceNameFault::ControlCharacter:
        return "设备名称不能包含控制字符！";
    case DeviceNameFault::PathCharacter:
        return "设备名称不能包含下列字符：\\ / : * ? \" < > |";
    case DeviceNameFault::DotName:
        return "设备名称不能是“.”或“..”！";
    case DeviceNameFault::ReservedName:
        return "设备名称不能是系统保留的设备名（如 CON、NUL、COM1）！";
    case DeviceNameFault::None:
        break;
    }
    return NULL;
}

} // namespace

CDeviceView::CDeviceView()
    : CFormView(IDD_DEVICE_VIEW), m_bNmIdFree(1), m_chPrefixTail('T'), m_bGatewayEnable(FALSE), m_nGatewayPort(0),
      m_bSerialEnable(FALSE), m_bDialEnable(FALSE), m_bNmEnable(FALSE), m_nServerPort(0), m_bReplyRequired(FALSE),
      m_bWmmpEnable(FALSE), m_nWmmpPort(0), m_nHeartbeat(0), m_bMultiCenterEnable(FALSE), m_nExt1Port(0),
      m_nExt3Port(0), m_nExt2Port(0), m_nExt4Port(0)
{
}

void CDeviceView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AUTH, m_cbAuth);
    DDX_Control(pDX, IDC_STRATEGY, m_cbStrategy);
    DDX_Control(pDX, IDC_QUERY_DEVICE, m_btnQuery);
    DDX_Control(pDX, IDC_PLATFORM, m_cbPlatform);
    DDX_Control(pDX, IDC_NM_MODE, m_cbNmMode);
    DDX_Control(pDX, IDC_AUTO_DIAL, m_cbAutoDial);
    DDX_Control(pDX, IDC_FACTORY_RESET, m_btnFactory);
    DDX_Control(pDX, IDC_FORCE_OFFLINE, m_btnOffline);
    DDX_Control(pDX, IDC_NM_ENABLE, m_chkNm);
    DDX_Control(pDX, IDC_SERIAL, m_edSerial);
    DDX_Control(pDX, IDC_NM_DEVICE_ID, m_edNmId);
    DDX_Control(pDX, IDC_EXPORT_CONFIG, m_btnExport);
    DDX_Control(pDX, IDC_INVERT_CHECKS, m_btnInvert);
    DDX_Control(pDX, IDC_CHECK_ALL, m_btnSelectAll);
    DDX_Control(pDX, IDC_SAVE_CHANGES, m_btnSave);
    DDX_Control(pDX, IDC_SEND_CONFIG, m_btnSend);
    DDX_Control(pDX, IDC_DISCARD_CHANGES, m_btnDiscard);
    DDX_Control(pDX, IDC_IMPORT_CONFIG, m_btnImport);
    DDX_Control(pDX, IDC_STOP_BITS, m_cbStopBits);
    DDX_Control(pDX, IDC_PARITY, m_cbParity);
    DDX_Control(pDX, IDC_DATA_BITS, m_cbDataBits);
    DDX_Control(pDX, IDC_BAUD, m_cbBaud);
    DDX_Control(pDX, IDC_LINK, m_cbLink);
    DDX_Control(pDX, IDC_DEVICE_LIST, m_list);
    DDX_Control(pDX, IDC_UPGRADE, m_btnUpgrade);
    DDX_Control(pDX, IDC_RESTART_DEVICE, m_btnRestart);
    DDX_Control(pDX, IDC_READ_CONFIG, m_btnRead);
    DDX_Control(pDX, IDC_FORCE_ONLINE, m_btnOnline);

    DDX_Text(pDX, IDC_APN, m_strApn);
    DDX_Text(pDX, IDC_GATEWAY_ADDR, m_strGatewayAddr);
    DDX_Check(pDX, IDC_GATEWAY_ENABLE, m_bGatewayEnable);
    DDX_Text(pDX, IDC_DTU_ID, m_strDtuId);
    DDX_Text(pDX, IDC_GATEWAY_PORT, m_nGatewayPort);
    DDX_Check(pDX, IDC_SERIAL_ENABLE, m_bSerialEnable);
    DDX_Text(pDX, IDC_MODEL, m_strModel);
    DDX_Check(pDX, IDC_DIAL_ENABLE, m_bDialEnable);
    DDX_Text(pDX, IDC_DIAL_NUMBER, m_strDialNumber);
    DDX_Text(pDX, IDC_SERVER_ADDR, m_strServerAddr);
    DDX_Check(pDX, IDC_NM_ENABLE, m_bNmEnable);
    DDX_Text(pDX, IDC_TRUST_LIST, m_strTrustList);
    DDX_Text(pDX, IDC_SERVER_PORT, m_nServerPort);
    DDX_Text(pDX, IDC_VERSION, m_strVersion);
    DDX_Text(pDX, IDC_PHONE, m_strPhone);
    DDX_Text(pDX, IDC_DIAL_PASSWORD, m_strDialPassword);
    DDX_Text(pDX, IDC_SERIAL, m_strSerial);
    DDX_Text(pDX, IDC_DIAL_USER, m_strDialUser);
    DDX_Text(pDX, IDC_DEVICE_NAME, m_strName);
    DDX_Text(pDX, IDC_SIGNAL, m_strSignal);
    DDX_Text(pDX, IDC_NM_DEVICE_ID, m_strNmDeviceId);
    DDX_Check(pDX, IDC_REPLY_REQUIRED, m_bReplyRequired);
    DDX_Text(pDX, IDC_WMMP_ADDR, m_strWmmpAddr);
    DDX_Check(pDX, IDC_WMMP_ENABLE, m_bWmmpEnable);
    DDX_Text(pDX, IDC_WMMP_PORT, m_nWmmpPort);
    DDX_Text(pDX, IDC_PLATFORM_DEVICE_ID, m_strPlatformDeviceId);
    DDX_Text(pDX, IDC_SMS_CENTER, m_strSmsCenter);
    DDX_Text(pDX, IDC_SMS_ALARM, m_strSmsAlarm);
    DDX_Text(pDX, IDC_HEARTBEAT, m_nHeartbeat);
    DDX_Check(pDX, IDC_MULTI_CENTER_ENABLE, m_bMultiCenterEnable);
    DDX_Text(pDX, IDC_EXT1_ADDR, m_strExt1Addr);
    DDX_Text(pDX, IDC_EXT2_ADDR, m_strExt2Addr);
    DDX_Text(pDX, IDC_EXT3_ADDR, m_strExt3Addr);
    DDX_Text(pDX, IDC_EXT4_ADDR, m_strExt4Addr);
    DDX_Text(pDX, IDC_EXT1_PORT, m_nExt1Port);
    DDX_Text(pDX, IDC_EXT3_PORT, m_nExt3Port);
    DDX_Text(pDX, IDC_EXT2_PORT, m_nExt2Port);
    DDX_Text(pDX, IDC_EXT4_PORT, m_nExt4Port);
}

// ---------------------------------------------------------------------------------------------
// Set-up and layout.

void CDeviceView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (m_brush.m_hObject == NULL)
        CreatePageBrush(m_brush);
    InitButtons();
    UpdateData(FALSE);
    InitList();
    FillDeviceList();
    RunGroupHandlers();
}

// Each page button paints its own caption in the toolkit's look.
void CDeviceView::InitButtons()
{
    static const UINT buttons[] = { IDC_CHECK_ALL, IDC_INVERT_CHECKS, IDC_READ_CONFIG, IDC_SEND_CONFIG,
                                    IDC_FACTORY_RESET, IDC_DISCARD_CHANGES, IDC_SAVE_CHANGES, IDC_FORCE_ONLINE,
                                    IDC_FORCE_OFFLINE, IDC_RESTART_DEVICE, IDC_UPGRADE, IDC_IMPORT_CONFIG,
                                    IDC_EXPORT_CONFIG, IDC_QUERY_DEVICE };
    for (UINT nID : buttons) {
        CGuiButton* pButton = DYNAMIC_DOWNCAST(CGuiButton, CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, nID)));
        if (pButton == NULL)
            continue;
        CString caption;
        pButton->GetWindowText(caption);
        pButton->SetCaption(caption);
        pButton->SetStyleBorder(CGuiButton::borderXP);
    }
}

// One selected row at most: the row the page shows is the row a commit writes to. Ticks are the
// list's way of choosing several devices.
void CDeviceView::InitList()
{
    static const UINT icons[] = { IDI_LEVEL_0, IDI_LEVEL_1, IDI_LEVEL_2, IDI_LEVEL_3,
                                  IDI_LEVEL_4, IDI_LEVEL_5, IDI_LEVEL_6 };
    m_imageList.Create(16, 16, ILC_COLOR32, 0, 4);
    m_imageList.SetBkColor(RGB(255, 255, 255));
    for (UINT nID : icons)
        m_imageList.Add((HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID), IMAGE_ICON, 16, 16, 0));

    m_list.ModifyStyle(0, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, 0);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE |
                            LVS_EX_UNDERLINEHOT);
    m_list.SetImageList(&m_imageList);
    m_list.InsertColumn(kColumnCheck, "", LVCFMT_LEFT, 40);
    m_list.InsertColumn(kColumnName, "设备名称", LVCFMT_LEFT, 90);
    m_list.InsertColumn(kColumnPhone, "手机号码", LVCFMT_LEFT, 90);
    m_list.InsertColumn(kColumnSerial, "序列号", LVCFMT_LEFT, 120);
    m_list.InsertColumn(kColumnVersion, "软件版本号", LVCFMT_LEFT, 90);
    m_list.InsertColumn(kColumnSignal, "信号强度", LVCFMT_LEFT, 80);
}

// The select-all and invert buttons sit at the bottom left, the list above them.
void CDeviceView::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    int x = 5;
    int cyButton = 0;
    CWnd* buttons[] = { &m_btnSelectAll, &m_btnInvert };
    for (CWnd* pButton : buttons) {
        if (pButton->m_hWnd == NULL) {
            x += 100;
            continue;
        }
        CRect rc;
        pButton->GetWindowRect(&rc);
        cyButton = rc.Height();
        pButton->SetWindowPos(NULL, x, cy - rc.Height() - 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        x += rc.Width() + 5;
    }
    if (m_list.m_hWnd != NULL) {
        m_list.MoveWindow(2, 2, 370, cy - cyButton - 10);
        m_list.Invalidate();
    }
}

HBRUSH CDeviceView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return PageCtlColor(pDC, nCtlColor, m_brush, CFormView::OnCtlColor(pDC, pWnd, nCtlColor));
}

CMarqtelDoc* CDeviceView::GetDocument() const
{
    return DYNAMIC_DOWNCAST(CMarqtelDoc, CFormView::GetDocument());
}

CMainFrame* CDeviceView::GetMainFrame() const
{
    return DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame());
}

// A command of the page may wait for the modem or ask the user: the frame stays until it ends.
BOOL CDeviceView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CMainFrame::CBusyScope busy(GetMainFrame());
    return CFormView::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// The groups: each check box enables its fields. The management group also governs the first
// extension centre, and the management device id only while no id derives from the serial
// number.

void CDeviceView::EnableControls(const UINT* pIds, int nCount, BOOL bEnable)
{
    for (int i = 0; i < nCount; ++i)
        if (CWnd* pControl = GetDlgItem(pIds[i]))
            pControl->EnableWindow(bEnable);
}

void CDeviceView::OnNmEnable()
{
    UpdateData(TRUE);
    OnSerialChanged();
    EnableControls(kNmControls, CountOf(kNmControls), m_bNmEnable);
    if (CWnd* pEdit = GetDlgItem(IDC_NM_DEVICE_ID))
        pEdit->EnableWindow(m_bNmEnable && m_bNmIdFree);
}

void CDeviceView::OnDialEnable()
{
    UpdateData(TRUE);
    EnableControls(kDialControls, CountOf(kDialControls), m_bDialEnable);
}

void CDeviceView::OnSerialEnable()
{
    UpdateData(TRUE);
    EnableControls(kSerialControls, CountOf(kSerialControls), m_bSerialEnable);
}

void CDeviceView::OnGatewayEnable()
{
    UpdateData(TRUE);
    EnableControls(kGatewayControls, CountOf(kGatewayControls), m_bGatewayEnable);
}

void CDeviceView::OnWmmpEnable()
{
    UpdateData(TRUE);
    EnableControls(kWmmpControls, CountOf(kWmmpControls), m_bWmmpEnable);
}

void CDeviceView::OnMultiCenterEnable()
{
    UpdateData(TRUE);
    EnableControls(kMultiCenterControls, CountOf(kMultiCenterControls), m_bMultiCenterEnable);
}

// The multi-centre group comes after the management group, so the first extension centre ends
// in the multi-centre group's state.
void CDeviceView::RunGroupHandlers()
{
    OnNmEnable();
    OnDialEnable();
    OnSerialEnable();
    OnGatewayEnable();
    OnWmmpEnable();
    OnMultiCenterEnable();
}

// ---------------------------------------------------------------------------------------------
// The list. A row is tied to its record by the name in its name column.

void CDeviceView::FillDeviceList()
{
    CMarqtelDoc* pDoc = GetDocument();
    m_list.DeleteAllItems(RC_ITEM_ALL);
    if (pDoc == NULL)
        return;
    for (POSITION pos = pDoc->m_deviceList.GetHeadPosition(); pos != NULL;) {
        const DeviceInfo& device = pDoc->m_deviceList.GetNext(pos);
        int nRow = m_list.InsertItem(m_list.GetItemCount(), "", 0);
        m_list.SetItemText(nRow, kColumnName, device.m_strName);
        m_list.SetItemText(nRow, kColumnPhone, device.m_strPhone);
        m_list.SetItemText(nRow, kColumnSerial, device.m_strSerial);
    }
}

void CDeviceView::OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLISTVIEW* pItem = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if ((pItem->uChanged & LVIF_STATE) && !(pItem->uOldState & LVIS_FOCUSED) && (pItem->uNewState & LVIS_FOCUSED))
        ShowDevice(pItem->iItem);
    *pResult = 0;
}

void CDeviceView::OnCheckAll()
{
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
        m_list.SetCheck(nRow, TRUE);
}

void CDeviceView::OnInvertChecks()
{
    m_list.InvertItemStates(RC_INVERT_CHECKMARK);
}

// ---------------------------------------------------------------------------------------------
// Showing a device. What the page held and was not committed is dropped.

void CDeviceView::ShowDevice(int nRow)
{
    if (!m_list.IsValidItem(nRow))
        return;
    m_strName = m_list.GetItemText(nRow, kColumnName);
    m_strPhone = m_list.GetItemText(nRow, kColumnPhone);
    m_strSerial = m_list.GetItemText(nRow, kColumnSerial);
    m_strVersion = m_list.GetItemText(nRow, kColumnVersion);
    m_strSignal = m_list.GetItemText(nRow, kColumnSignal);
    TakeRecordFields(m_strName);
    // The previous device's id must not stand in the way of this device's own.
    m_strNmDeviceId.Empty();
    LoadDeviceConfig(GetDeviceConfigPath(m_strName));
    UpdateData(FALSE);
    RunGroupHandlers();
}

// The fields the list does not show (the model), or shows only once committed (the signal), come
// from the device's record, so that a commit keeps them. The software version is the
// configuration file's.
void CDeviceView::TakeRecordFields(const CString& strName)
{
    CMarqtelDoc* pDoc = GetDocument();
    POSITION pos = pDoc != NULL ? pDoc->FindDevice(strName) : NULL;
    m_strModel.Empty();
    if (pos == NULL)
        return;
    const DeviceInfo& device = pDoc->m_deviceList.GetAt(pos);
    m_strModel = device.m_strModel;
    if (m_strSignal.IsEmpty())
        m_strSignal = device.m_strSignal;
}

int CDeviceView::FindDeviceRow(const CString& strName) const
{
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
        if (m_list.GetItemText(nRow, kColumnName) == strName)
            return nRow;
    return -1;
}

void CDeviceView::SelectOnlyRow(int nRow)
{
    m_list.ChangeAllItemStates(RC_ITEM_SELECTED, RC_ITEM_UNSELECTED);
    m_list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CDeviceView::ShowSelectedDevice()
{
    int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow >= 0)
        ShowDevice(nRow);
}

// ---------------------------------------------------------------------------------------------
// Adding and deleting. A new device has a record and a row; its file is written when the page is
// first committed.

CString CDeviceView::MakeNewDeviceName() const
{
    CMarqtelDoc* pDoc = GetDocument();
    if (pDoc == NULL || pDoc->m_deviceList.IsEmpty())
        return kNewDeviceName;
    for (int n = 1;; ++n) {
        CString name;
        name.Format("%s%d", kNewDeviceName, n);
        if (pDoc->FindDevice(name) == NULL)
            return name;
    }
}

void CDeviceView::AddNewDevice()
{
    CMarqtelDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return;
    CString name = MakeNewDeviceName();
    DeviceInfo device(name);
    pDoc->m_deviceList.AddTail(device);
    pDoc->SetModifiedFlag(TRUE);

    int nRow = m_list.InsertItem(m_list.GetItemCount(), "", 0);
    m_list.SetItemText(nRow, kColumnName, name);
    m_list.SetItemText(nRow, kColumnPhone, "");
    // Focused too: a click on the row shown before must show that row again, not leave the new
    // device on the page while the earlier row is selected.
    SelectOnlyRow(nRow);
    ShowSelectedDevice();
}

// Ticked rows take precedence over the selected row; a selected row that is not ticked stays.
void CDeviceView::DeleteSelectedDevices()
{
    int nSelected = m_list.GetNextItem(-1, LVNI_SELECTED);
    int nTicked = m_list.GetItemCountByState(RC_ITEM_CHECKED);
    if (nSelected < 0 && nTicked == 0) {
        MessageBox("请选中要删除的设备！");
        return;
    }
    CString question;
    if (nTicked > 0) {
        question.Format("确定要删除%d个设备吗？", nTicked);
        if (MessageBox(question, "确认", MB_YESNO) != IDYES)
            return;
        for (int nRow = 0; nRow < m_list.GetItemCount();) {
            if (!m_list.IsItemInState(nRow, RC_ITEM_CHECKED)) {
                ++nRow;
                continue;
            }
            RemoveDeviceRecord(nRow);
            m_list.DeleteItem(nRow, FALSE);
        }
    } else {
        question.Format("确定要删除设备[%s]吗？", (LPCTSTR)m_list.GetItemText(nSelected, kColumnName));
        if (MessageBox(question, "确认", MB_YESNO) != IDYES)
            return;
        RemoveDeviceRecord(nSelected);
        m_list.DeleteItem(nSelected, FALSE);
    }
    FillDeviceList();
}

// The device's configuration file stays on disk.
void CDeviceView::RemoveDeviceRecord(int nRow)
{
    CMarqtelDoc* pDoc = GetDocument();
    CString name = m_list.GetItemText(nRow, kColumnName);
    POSITION pos = pDoc != NULL ? pDoc->FindDevice(name) : NULL;
    if (pos == NULL)
        return;
    WriteLog(LOG_INFO, NULL, NULL, "删除设备[%s]", (LPCTSTR)name);
    pDoc->m_deviceList.RemoveAt(pos);
    pDoc->SetModifiedFlag(TRUE);
}

// ---------------------------------------------------------------------------------------------
// Committing: page -> record, row and configuration file.

// A name becomes a file name and every field a field of devices.csv: what either cannot hold is
// refused before anything is written.
BOOL CDeviceView::CheckPageFields()
{
    if (m_strName.IsEmpty()) {
        MessageBox("设备名称不能为空！");
        return FALSE;
    }
    if (const char* pszRefusal = NameRefusal(m_strName)) {
        MessageBox(pszRefusal);
        return FALSE;
    }
    if (HoldsListSeparator((LPCTSTR)m_strSerial)) {
        MessageBox("序列号不能包含逗号或换行！");
        return FALSE;
    }
    if (HoldsListSeparator((LPCTSTR)m_strPhone)) {
        MessageBox("手机号码不能包含逗号或换行！");
        return FALSE;
    }
    return TRUE;
}

// The file is written first: a page whose file could not be written changes neither the record
// nor the row. A name that names another device's file, as the system compares file names, is
// taken.
BOOL CDeviceView::CommitDevicePage()
{
    int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return FALSE;
    if (!UpdateData(TRUE) || !CheckPageFields())
        return FALSE;
    CMarqtelDoc* pDoc = GetDocument();
    CString oldName = m_list.GetItemText(nRow, kColumnName);
    if (pDoc != NULL && pDoc->FindOtherDeviceFile(m_strName, oldName) != NULL) {
        MessageBox("设备已经存在，请输入一个不同的设备名称！");
        return FALSE;
    }
    // After a rename the file under the old name stays as it was.
    if (!WriteConfigFile(GetDeviceConfigPath(m_strName)))
        return FALSE;

    if (POSITION pos = pDoc != NULL ? pDoc->FindDevice(oldName) : NULL) {
        DeviceInfo& device = pDoc->m_deviceList.GetAt(pos);
        device.m_strName = m_strName;
        device.m_strPhone = m_strPhone;
        device.m_strSerial = m_strSerial;
        device.m_strModel = m_strModel;
        device.m_strVersion = m_strVersion;
        device.m_strSignal = m_strSignal;
        pDoc->SetModifiedFlag(TRUE);
    }
    m_list.SetItemText(nRow, kColumnName, m_strName);
    m_list.SetItemText(nRow, kColumnPhone, m_strPhone);
    m_list.SetItemText(nRow, kColumnSerial, m_strSerial);
    m_list.SetItemText(nRow, kColumnVersion, m_strVersion);
    m_list.SetItemText(nRow, kColumnSignal, m_strSignal);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Save and discard, each with a notice in the frame's progress pop-up.

void CDeviceView::ShowNotice(LPCTSTR lpszText)
{
    CMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL)
        return;
    pFrame->ShowProgress(lpszText, 1, 3);
    pFrame->Delay(kNoticeTime);
    pFrame->ShowProgress("", 0, 0);
}

void CDeviceView::OnSaveChanges()
{
    if (CommitDevicePage())
        ShowNotice("设备配置已保存！");
}

void CDeviceView::OnDiscardChanges()
{
    ShowSelectedDevice();
    ShowNotice("设备配置已重置！");
}
