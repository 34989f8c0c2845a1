// The device page's configuration file: devices\<name>.ini in the private-profile format, one
// section per group of the page, every value as text.
#include "DeviceView.h"

#include "DeviceConfigRules.h"
#include "ProfileWriter.h"
#include "afxdlgs.h"
#include "resource.h"

#include <array>
#include <string>

namespace {

const char kBasicSection[] = "配置文件基本信息";
const char kNmSection[] = "网管平台相关设置";
const char kDialSection[] = "GPRS 拨号参数设置";
const char kSerialSection[] = "本地串口设置";
const char kGatewaySection[] = "企业网关相关设置";
const char kMultiCenterSection[] = "多中心相关设置";
const char kWorkModeSection[] = "DTU 工作模式设置";
const char kWmmpSection[] = "支撑平台相关设置";

// The name a file carries when it is a template rather than a device's own.
const char kTemplateName[] = "默认配置";

// Built-in defaults: documentation addresses and a placeholder password, to be replaced by the
// operator's own.
const std::array<const char*, 4> kDefaultServerAddr = { "192", "0", "2", "10" };
const std::array<const char*, 4> kDefaultWmmpAddr = { "198", "51", "100", "20" };
const std::array<const char*, 4> kDefaultCenterAddr = { "0", "0", "0", "0" };
const char kDefaultDialPassword[] = "DTUP";
const int kDefaultServerPort = 9000;
const int kDefaultCenterPort = 4321;
const int kDefaultWmmpPort = 54321;
const int kVendorId = 3;

// The lists' lengths (the page's template holds their items), and the item a number outside
// a list selects where it is not the first.
const int kYesNoItems = 2; // auto dial, platform link: "否", "是"
const int kAutoDialDefault = 1;
const int kAuthItems = 3;
const int kStrategyItems = 2;
const int kStopBitsItems = 3;
const int kParityItems = 3;
const int kLinkItems = 6;

const char kConfigFilter[] =
    "DTU 配置文件 (*.ini)|*.ini|DTU 二进制配置文件 (*bin)|*bin|路由器配置文件 (*.dat)|*.dat|所有文件 (*.*)|*.*||";

const int kProfileValueMax = 1024;

CString AddressKey(const char* pszPrefix, size_t nPart)
{
    CString key;
    key.Format("%sIP%d", pszPrefix, (int)nPart);
    return key;
}

// Reading one configuration file. Without a path every read gives its default.
class ProfileReader {
public:
    explicit ProfileReader(const CString& strPath) : m_strPath(strPath) {}

    CString GetString(LPCTSTR lpszSection, LPCTSTR lpszKey, LPCTSTR lpszDefault) const
    {
        if (m_strPath.IsEmpty())
            return lpszDefault;
        char value[kProfileValueMax] = "";
        ::GetPrivateProfileStringA(lpszSection, lpszKey, lpszDefault, value, sizeof value, m_strPath);
        return value;
    }
    int GetInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nDefault) const
    {
        if (m_strPath.IsEmpty())
            return nDefault;
        return (int)::GetPrivateProfileIntA(lpszSection, lpszKey, nDefault, m_strPath);
    }
    // The four keys <prefix>IP0..IP3 of an address.
    CString GetAddress(LPCTSTR lpszSection, const char* pszPrefix, const std::array<const char*, 4>& defaults) const
    {
        std::array<std::string, 4> parts;
        for (size_t i = 0; i < parts.size(); ++i)
            parts[i] = (LPCTSTR)GetString(lpszSection, AddressKey(pszPrefix, i), defaults[i]);
        return JoinAddress(parts).c_str();
    }

private:
    CString m_strPath;
};

// Every one of the four keys is written, so that a shorter address leaves no part of a longer one
// behind.
void WriteAddress(CProfileWriter& file, LPCTSTR lpszSection, const char* pszPrefix, const CString& strAddress)
{
    std::array<std::string, 4> parts = SplitAddress((LPCTSTR)strAddress);
    for (size_t i = 0; i < parts.size(); ++i)
        file.WriteString(lpszSection, AddressKey(pszPrefix, i), parts[i].c_str());
}

CString CenterPrefix(int nCenter)
{
    CString prefix;
    prefix.Format("Ex%dCenter", nCenter);
    return prefix;
}

CString CenterPortKey(int nCenter)
{
    return CenterPrefix(nCenter) + "Port";
}

} // namespace

BOOL CDeviceView::WritePrivateProfileInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue, LPCTSTR lpszPath)
{
    CString value;
    value.Format("%d", nValue);
    return ::WritePrivateProfileStringA(lpszSection, lpszKey, value, lpszPath);
}

CString CDeviceView::DeriveDeviceId(const CString& strSerial)
{
    return ::DeriveDeviceId((LPCTSTR)strSerial).c_str();
}

// ---------------------------------------------------------------------------------------------
// Reading.

void CDeviceView::LoadDeviceConfig(const CString& strPath)
{
    LoadConfigValues(strPath);
    UpdateData(FALSE);
    OnSerialChanged();
}

void CDeviceView::LoadConfigValues(const CString& strPath)
{
    ProfileReader file(strPath);

    CString name = file.GetString(kBasicSection, "Name", "");
    if (m_strName.IsEmpty() && name != kTemplateName)
        m_strName = name;
    m_strVersion = file.GetString(kBasicSection, "Version", "");
    CString phone = file.GetString(kBasicSection, "PhoneNum", "");
    if (!phone.IsEmpty())
        m_strPhone = phone;

    CString serial = file.GetString(kNmSection, "SN", "");
    if (!serial.IsEmpty())
        m_strSerial = serial;
    m_cbNmMode.SetCurSel(NmModeItem(file.GetInt(kNmSection, "DmMode", 1)));
    m_strServerAddr = file.GetAddress(kNmSection, "DmCenter", kDefaultServerAddr);
    m_nServerPort = file.GetInt(kNmSection, "DmCenterPort", kDefaultServerPort);
    m_strTrustList = file.GetString(kNmSection, "DmPhoneList", "");
    file.GetInt(kNmSection, "DmVendorId", kVendorId); // read, but the vendor is always the same
    CString deviceId = file.GetString(kNmSection, "DmDevice", "");
    if (!deviceId.IsEmpty() && m_strNmDeviceId.IsEmpty())
        m_strNmDeviceId = deviceId;

    int autoDial = file.GetInt(kDialSection, "DialEnable", kAutoDialDefault);
    m_cbAutoDial.SetCurSel(ListItemOrDefault(autoDial, kYesNoItems, kAutoDialDefault));
    m_strDialNumber = file.GetString(kDialSection, "DialNumber", "*99***1#");
    m_strApn = file.GetString(kDialSection, "DialAPN", "cmnet");
    m_strDialUser = file.GetString(kDialSection, "DialUser", "GPRS");
    m_strDialPassword = file.GetString(kDialSection, "DialKey", kDefaultDialPassword);
    m_cbAuth.SetCurSel(ListItemOrDefault(file.GetInt(kDialSection, "DialAuthMode", 0), kAuthItems, 0));

    int strategy = file.GetInt(kMultiCenterSection, "MultiCenterMode", 0);
    m_cbStrategy.SetCurSel(ListItemOrDefault(strategy, kStrategyItems, 0));
    CString* addresses[] = { &m_strExt1Addr, &m_strExt2Addr, &m_strExt3Addr, &m_strExt4Addr };
    int* ports[] = { &m_nExt1Port, &m_nExt2Port, &m_nExt3Port, &m_nExt4Port };
    for (int i = 0; i < 4; ++i) {
        *addresses[i] = file.GetAddress(kMultiCenterSection, CenterPrefix(i + 1), kDefaultCenterAddr);
        *ports[i] = file.GetInt(kMultiCenterSection, CenterPortKey(i + 1), kDefaultCenterPort);
    }

    m_cbBaud.SetCurSel(BaudItem(file.GetInt(kSerialSection, "COMBaud", 0)));
    m_cbDataBits.SetCurSel(DataBitsItem(file.GetInt(kSerialSection, "COMData", 0)));
    m_cbStopBits.SetCurSel(ListItemOrDefault(file.GetInt(kSerialSection, "COMStop", 0), kStopBitsItems, 0));
    m_cbParity.SetCurSel(ListItemOrDefault(file.GetInt(kSerialSection, "COMCheck", 0), kParityItems, 0));

    m_strDtuId = file.GetString(kGatewaySection, "CompanyDTUDevice", "");
    m_strGatewayAddr = file.GetAddress(kGatewaySection, "CompanyCenter", kDefaultCenterAddr);
    m_nGatewayPort = file.GetInt(kGatewaySection, "CompanyCenterPort", kDefaultCenterPort);
    m_cbLink.SetCurSel(ListItemOrDefault(file.GetInt(kGatewaySection, "CompanyCenterLink", 0), kLinkItems, 0));

    m_cbPlatform.SetCurSel(ListItemOrDefault(file.GetInt(kWorkModeSection, "ModeUphold", 0), kYesNoItems, 0));

    m_strPlatformDeviceId = file.GetString(kWmmpSection, "UpholdDevice", "");
    m_strWmmpAddr = file.GetAddress(kWmmpSection, "UpholdCenter", kDefaultWmmpAddr);
    m_nWmmpPort = file.GetInt(kWmmpSection, "UpholdCenterPort", kDefaultWmmpPort);
    m_nHeartbeat = file.GetInt(kWmmpSection, "UpholdInterval", 0);
    m_strSmsCenter = file.GetString(kWmmpSection, "UpholdSMSCenter", "8613800100500");
    m_strSmsAlarm = file.GetString(kWmmpSection, "UpholdSMSAlarm", "");
}

// ---------------------------------------------------------------------------------------------
// Writing.

BOOL CDeviceView::SaveDeviceConfig(const CString& strPath)
{
    if (!UpdateData(TRUE))
        return FALSE; // a field that is no number has been pointed out; nothing is written
    return WriteConfigFile(strPath);
}

// A file that could not be written whole is named to the user and stays as it was.
BOOL CDeviceView::WriteConfigFile(const CString& strPath)
{
    if (WriteConfigValues(strPath))
        return TRUE;
    CString text;
    text.Format("无法保存文件 %s。", (LPCTSTR)strPath);
    MessageBox(text, NULL, MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CDeviceView::WriteConfigValues(const CString& strPath)
{
    CProfileWriter file(strPath);

    file.WriteString(kBasicSection, "Name", m_strName);
    file.WriteString(kBasicSection, "Version", m_strVersion);
    file.WriteString(kBasicSection, "PhoneNum", m_strPhone);

    file.WriteString(kNmSection, "SN", m_strSerial);
    file.WriteInt(kNmSection, "DmMode", m_cbNmMode.GetCurSel() + 1);
    WriteAddress(file, kNmSection, "DmCenter", m_strServerAddr);
    file.WriteInt(kNmSection, "DmCenterPort", m_nServerPort);
    file.WriteString(kNmSection, "DmPhoneList", m_strTrustList);
    file.WriteInt(kNmSection, "DmVendorId", kVendorId);
    file.WriteString(kNmSection, "DmDevice", m_strNmDeviceId);

    file.WriteInt(kDialSection, "DialEnable", m_cbAutoDial.GetCurSel());
    file.WriteString(kDialSection, "DialNumber", m_strDialNumber);
    file.WriteString(kDialSection, "DialAPN", m_strApn);
    file.WriteString(kDialSection, "DialUser", m_strDialUser);
    file.WriteString(kDialSection, "DialKey", m_strDialPassword);
    file.WriteInt(kDialSection, "DialAuthMode", m_cbAuth.GetCurSel());

    file.WriteInt(kSerialSection, "COMBaud", m_cbBaud.GetCurSel() + 1);
    file.WriteInt(kSerialSection, "COMData", m_cbDataBits.GetCurSel() + 5);
    file.WriteInt(kSerialSection, "COMStop", m_cbStopBits.GetCurSel());
    file.WriteInt(kSerialSection, "COMCheck", m_cbParity.GetCurSel());

    file.WriteString(kGatewaySection, "CompanyDTUDevice", m_strDtuId);
    WriteAddress(file, kGatewaySection, "CompanyCenter", m_strGatewayAddr);
    file.WriteInt(kGatewaySection, "CompanyCenterPort", m_nGatewayPort);
    file.WriteInt(kGatewaySection, "CompanyCenterLink", m_cbLink.GetCurSel());

    file.WriteInt(kMultiCenterSection, "MultiCenterMode", m_cbStrategy.GetCurSel());
    const CString* addresses[] = { &m_strExt1Addr, &m_strExt2Addr, &m_strExt3Addr, &m_strExt4Addr };
    const int* ports[] = { &m_nExt1Port, &m_nExt2Port, &m_nExt3Port, &m_nExt4Port };
    for (int i = 0; i < 4; ++i) {
        WriteAddress(file, kMultiCenterSection, CenterPrefix(i + 1), *addresses[i]);
        file.WriteInt(kMultiCenterSection, CenterPortKey(i + 1), *ports[i]);
    }

    file.WriteInt(kWorkModeSection, "ModeUphold", m_cbPlatform.GetCurSel());

    file.WriteString(kWmmpSection, "UpholdDevice", m_strPlatformDeviceId);
    WriteAddress(file, kWmmpSection, "UpholdCenter", m_strWmmpAddr);
    file.WriteInt(kWmmpSection, "UpholdCenterPort", m_nWmmpPort);
    file.WriteInt(kWmmpSection, "UpholdInterval", m_nHeartbeat);
    file.WriteString(kWmmpSection, "UpholdSMSCenter", m_strSmsCenter);
    file.WriteString(kWmmpSection, "UpholdSMSAlarm", m_strSmsAlarm);
    return file.Commit();
}

// ---------------------------------------------------------------------------------------------
// Import and export of one file. An imported file fills the page only; the device's own file is
// written when the page is committed. What was typed on the page and the file does not set
// stays as typed.

void CDeviceView::OnImportConfig()
{
    CFileDialog dlg(TRUE, "*.ini", "config.ini", 0, kConfigFilter, this);
    if (dlg.DoModal() != IDOK)
        return;
    if (!UpdateData(TRUE))
        return;
    LoadDeviceConfig(dlg.GetPathName());
}

void CDeviceView::OnExportConfig()
{
    CFileDialog dlg(FALSE, "*.ini", "config.ini", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kConfigFilter, this);
    if (dlg.DoModal() != IDOK)
        return;
    SaveDeviceConfig(dlg.GetPathName());
}

// ---------------------------------------------------------------------------------------------
// The management device id follows the serial number while one derives from it. An id typed by
// hand stays: the edit is cleared only when a derived id goes away.

void CDeviceView::OnSerialChanged()
{
    CString serial;
    GetDlgItemText(IDC_SERIAL, serial);
    CString id = DeriveDeviceId(serial);
    BOOL bWasDerived = !m_bNmIdFree;
    if (!id.IsEmpty())
        SetDlgItemText(IDC_NM_DEVICE_ID, id);
    else if (bWasDerived)
        SetDlgItemText(IDC_NM_DEVICE_ID, "");
    m_bNmIdFree = id.IsEmpty();
    if (CWnd* pEdit = GetDlgItem(IDC_NM_DEVICE_ID))
        pEdit->EnableWindow(m_bNmIdFree && IsDlgButtonChecked(IDC_NM_ENABLE));
}
