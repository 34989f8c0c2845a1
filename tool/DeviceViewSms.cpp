// The device page's SMS commands: the frame around them, the one-click actions, the status
// query, and the read and send of the configuration groups that are ticked on the page.
#include "DeviceView.h"

#include "AppFolder.h"
#include "Log.h"
#include "MainFrm.h"
#include "SmsFrame.h"
#include "resource.h"

#include <stdlib.h>

#include <string>
#include <vector>

namespace {

const char kStatusQuery[] = "6x;Fq;";
const char kTooLong[] = "有参数长度太长，短信下发失败!";
const int kTrustListMax = 139;

// The groups of the page in the order they are sent, each with the box that ticks it.
struct GroupOrder {
    char letter;
    BOOL CDeviceView::*pEnabled;
};
const GroupOrder kSendOrder[] = {
    { 'A', &CDeviceView::m_bNmEnable },     { '8', &CDeviceView::m_bNmEnable },
    { 'E', &CDeviceView::m_bWmmpEnable },   { 'C', &CDeviceView::m_bSerialEnable },
    { 'B', &CDeviceView::m_bGatewayEnable }, { 'G', &CDeviceView::m_bMultiCenterEnable },
    { '7', &CDeviceView::m_bDialEnable },
};

std::string Text(const CString& str)
{
    return (LPCTSTR)str;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The frame.

// The run-time library's generator is never seeded: every run of the tool draws the same pairs.
CString CDeviceView::MakeRandomPair()
{
    int nDraw1 = rand();
    int nDraw2 = rand();
    return RandomPair(nDraw1, nDraw2).c_str();
}

CString CDeviceView::MakeCommandPrefix()
{
    return CString(m_bReplyRequired ? "+" : "-") + MakeRandomPair() + CString(m_chPrefixTail, 1);
}

int CDeviceView::SendCommandSms(const CString& strCommands, int nShowBox)
{
    CString strText = MakeCommandPrefix() + strCommands;
    switch (CheckFrameText(Text(strText))) {
    case FrameFault::TooLong:
        MessageBox(kTooLong);
        return -1;
    case FrameFault::ControlCharacter:
        MessageBox("短信内容含有控制字符，短信下发失败!");
        return -1;
    case FrameFault::None:
        break;
    }
    CString strFrame = SignFrame(Text(strText)).c_str();
    CMainFrame* pFrame = GetMainFrame();
    int nResult = pFrame != NULL ? pFrame->SendSms(m_strName, m_strPhone, strFrame) : -1;
    if (nShowBox)
        MessageBox(nResult < 0 ? "短信发送失败！" : "短信发送成功！");
    return nResult < 0 ? -1 : 0;
}

// A field that is no number has been pointed out by the data exchange; nothing is sent then.
BOOL CDeviceView::CheckPhoneNumber()
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_strPhone.IsEmpty()) {
        MessageBox("请设置手机号码！");
        return FALSE;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Actions.

void CDeviceView::SendAction(void (*pAppend)(CString&))
{
    if (!CheckPhoneNumber())
        return;
    CString strCommands;
    pAppend(strCommands);
    SendCommandSms(strCommands, 1);
}

void CDeviceView::OnRestartDevice()
{
    SendAction(AppendRestart);
}

void CDeviceView::OnForceOnline()
{
    SendAction(AppendForceOnline);
}

void CDeviceView::OnForceOffline()
{
    SendAction(AppendForceOffline);
}

void CDeviceView::OnFactoryReset()
{
    SendAction([](CString& strCommands) { AppendResetCommand(strCommands, FALSE); });
}

void CDeviceView::OnQueryDeviceStatus()
{
    QueryCheckedDevices(TRUE);
}

// A status query always asks for an answer; the page's own choice comes back afterwards. Each
// device queried is selected as it is shown, so that the page never holds one device while
// the selected row, which a save writes to, is another's.
void CDeviceView::QueryCheckedDevices(BOOL bSelectedOnly)
{
    int nSelected = m_list.GetNextItem(-1, LVNI_SELECTED);
    int nTicked = bSelectedOnly ? 0 : m_list.GetItemCountByState(RC_ITEM_CHECKED);
    if (nSelected < 0 && nTicked == 0) {
        MessageBox("请选中要查询的设备！");
        return;
    }
    BOOL bReplyRequired = IsDlgButtonChecked(IDC_REPLY_REQUIRED) != 0;
    m_bReplyRequired = TRUE;
    CMainFrame* pFrame = GetMainFrame();
    if (nTicked > 0) {
        for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow) {
            if (!m_list.IsItemInState(nRow, RC_ITEM_CHECKED))
                continue;
            SelectOnlyRow(nRow);
            ShowDevice(nRow);
            if (!CheckPhoneNumber())
                break;
            SendCommandSms(kStatusQuery, 0);
            if (pFrame != NULL && pFrame->IsClosePending())
                break;
        }
    } else {
        ShowDevice(nSelected);
        if (CheckPhoneNumber())
            SendCommandSms(kStatusQuery, 1);
    }
    m_bReplyRequired = bReplyRequired;
    UpdateData(FALSE);
}

// ---------------------------------------------------------------------------------------------
// Configuration groups.

void CDeviceView::OnReadConfig()
{
    if (!CheckPhoneNumber())
        return;
    CString strCommands;
    if (m_bNmEnable)
        strCommands += "Aq;8q;";
    if (m_bWmmpEnable)
        strCommands += "Eq;";
    if (m_bDialEnable)
        strCommands += "7q;";
    if (m_bSerialEnable)
        strCommands += "Cq;";
    if (m_bGatewayEnable)
        strCommands += "Bq;";
    if (m_bMultiCenterEnable)
        strCommands += "Gq;";
    if (strCommands.IsEmpty()) {
        MessageBox("请至少选择一个需要查询的参数!");
        return;
    }
    BOOL bReplyRequired = m_bReplyRequired;
    m_bReplyRequired = TRUE;
    SendCommandSms(strCommands, 1);
    m_bReplyRequired = bReplyRequired;
    UpdateData(FALSE);
}

// The page is saved first, whatever the sending does. The groups go in as few frames as the
// limit allows; a frame that fails stops the groups after it.
void CDeviceView::OnSendConfig()
{
    if (!CheckPhoneNumber())
        return;
    // What is sent is what the file holds: a page that could not be saved is not sent.
    if (!WriteConfigFile(GetDeviceConfigPath(m_strName)))
        return;
    if (m_bNmEnable) {
        if (m_strTrustList.Find(',') < 0) {
            m_strTrustList += ",";
            UpdateData(FALSE);
        }
        if (m_strTrustList.GetLength() > kTrustListMax) {
            MessageBox(kTooLong);
            return;
        }
    }
    DeviceConfigValues values = TakeConfigValues();
    CString strLetters;
    for (const GroupOrder& group : kSendOrder)
        if (this->*group.pEnabled)
            strLetters += group.letter;
    if (!RefuseUnsendableFields(strLetters, values))
        return;

    std::vector<std::string> groups;
    for (int i = 0; i < strLetters.GetLength(); ++i)
        groups.push_back(BuildSetGroup(strLetters[i], values));
    std::vector<std::string> frames = PackSetFrames(groups);
    if (frames.empty()) {
        MessageBox("请至少选择一个需要下发的参数!");
        return;
    }
    for (size_t i = 0; i + 1 < frames.size(); ++i) {
        if (SendCommandSms(frames[i].c_str(), 0) < 0) {
            MessageBox("短信下发失败!");
            return;
        }
    }
    SendCommandSms(frames.back().c_str(), 1);
}

// Nothing is sent while one field of a group to send would break its group.
BOOL CDeviceView::RefuseUnsendableFields(const char* pszLetters, const DeviceConfigValues& values)
{
    for (const char* pLetter = pszLetters; *pLetter != '\0'; ++pLetter) {
        FieldFault fault = CheckGroupFields(*pLetter, values);
        if (fault.label.empty())
            continue;
        CString strMessage;
        strMessage.Format("参数[%s]中不能有%s，短信下发失败!", fault.label.c_str(), fault.what.c_str());
        MessageBox(strMessage);
        return FALSE;
    }
    return TRUE;
}

void CDeviceView::ApplyReplyValues(const CString& strName, const CString& strPhone, char chLetter,
                                   const CString& strValue)
{
    DeviceConfigValues values = TakeConfigValues();
    ApplyAnswerFields(chLetter, Text(strValue), values);
    PutConfigValues(values);
    if (chLetter != '6')
        return;
    CString strStatus = WorkStatusText(Text(strName), Text(strPhone), Text(strValue)).c_str();
    WriteLog(LOG_INFO, strName, strPhone, "%s", (LPCTSTR)strStatus);
    MessageBox(strStatus);
}

CString CDeviceView::NextField(CString& strText, char chSeparator)
{
    std::string text = Text(strText);
    CString strField = ::NextField(text, chSeparator).c_str();
    strText = text.c_str();
    return strField;
}

// ---------------------------------------------------------------------------------------------
// The page's values as the commands see them.

DeviceConfigValues CDeviceView::TakeConfigValues() const
{
    DeviceConfigValues v;
    v.nmMode = m_cbNmMode.GetCurSel();
    v.nmDeviceId = Text(m_strNmDeviceId);
    v.serverAddr = Text(m_strServerAddr);
    v.serverPort = m_nServerPort;
    v.trustList = Text(m_strTrustList);
    v.platform = m_cbPlatform.GetCurSel();
    v.platformDeviceId = Text(m_strPlatformDeviceId);
    v.wmmpAddr = Text(m_strWmmpAddr);
    v.wmmpPort = m_nWmmpPort;
    v.heartbeat = m_nHeartbeat;
    v.smsCenter = Text(m_strSmsCenter);
    v.smsAlarm = Text(m_strSmsAlarm);
    v.baud = m_cbBaud.GetCurSel();
    v.dataBits = m_cbDataBits.GetCurSel();
    v.stopBits = m_cbStopBits.GetCurSel();
    v.parity = m_cbParity.GetCurSel();
    v.dtuId = Text(m_strDtuId);
    v.gatewayAddr = Text(m_strGatewayAddr);
    v.gatewayPort = m_nGatewayPort;
    v.link = m_cbLink.GetCurSel();
    v.strategy = m_cbStrategy.GetCurSel();
    const CString* addresses[] = { &m_strExt1Addr, &m_strExt2Addr, &m_strExt3Addr, &m_strExt4Addr };
    const int* ports[] = { &m_nExt1Port, &m_nExt2Port, &m_nExt3Port, &m_nExt4Port };
    for (int i = 0; i < 4; ++i) {
        v.extAddr[i] = Text(*addresses[i]);
        v.extPort[i] = *ports[i];
    }
    v.autoDial = m_cbAutoDial.GetCurSel();
    v.apn = Text(m_strApn);
    v.dialNumber = Text(m_strDialNumber);
    v.dialUser = Text(m_strDialUser);
    v.dialPassword = Text(m_strDialPassword);
    v.auth = m_cbAuth.GetCurSel();
    v.signal = Text(m_strSignal);
    v.version = Text(m_strVersion);
    return v;
}

void CDeviceView::PutConfigValues(const DeviceConfigValues& v)
{
    m_cbNmMode.SetCurSel(v.nmMode);
    m_strNmDeviceId = v.nmDeviceId.c_str();
    m_strServerAddr = v.serverAddr.c_str();
    m_nServerPort = v.serverPort;
    m_strTrustList = v.trustList.c_str();
    m_cbPlatform.SetCurSel(v.platform);
    m_strPlatformDeviceId = v.platformDeviceId.c_str();
    m_strWmmpAddr = v.wmmpAddr.c_str();
    m_nWmmpPort = v.wmmpPort;
    m_nHeartbeat = v.heartbeat;
    m_strSmsCenter = v.smsCenter.c_str();
    m_strSmsAlarm = v.smsAlarm.c_str();
    m_cbBaud.SetCurSel(v.baud);
    m_cbDataBits.SetCurSel(v.dataBits);
    m_cbStopBits.SetCurSel(v.stopBits);
    m_cbParity.SetCurSel(v.parity);
    m_strDtuId = v.dtuId.c_str();
    m_strGatewayAddr = v.gatewayAddr.c_str();
    m_nGatewayPort = v.gatewayPort;
    m_cbLink.SetCurSel(v.link);
    m_cbStrategy.SetCurSel(v.strategy);
    CString* addresses[] = { &m_strExt1Addr, &m_strExt2Addr, &m_strExt3Addr, &m_strExt4Addr };
    int* ports[] = { &m_nExt1Port, &m_nExt2Port, &m_nExt3Port, &m_nExt4Port };
    for (int i = 0; i < 4; ++i) {
        *addresses[i] = v.extAddr[i].c_str();
        *ports[i] = v.extPort[i];
    }
    m_cbAutoDial.SetCurSel(v.autoDial);
    m_strApn = v.apn.c_str();
    m_strDialNumber = v.dialNumber.c_str();
    m_strDialUser = v.dialUser.c_str();
    m_strDialPassword = v.dialPassword.c_str();
    m_cbAuth.SetCurSel(v.auth);
    m_strSignal = v.signal.c_str();
    m_strVersion = v.version.c_str();
}
