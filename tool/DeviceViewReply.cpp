// The device page's part in a reply: the devices whose phone number sent it, the reply cut into
// entries, each told in the log and in message boxes, the values put into the page, and the
// page committed to the device's record and configuration file.
#include "DeviceView.h"

#include "Log.h"
#include "MarqtelDoc.h"
#include "ReplyParser.h"

#include <utility>
#include <vector>

namespace {

std::string Text(const CString& str)
{
    return (LPCTSTR)str;
}

} // namespace

// Every device of the number gets the whole reply; a device without a number never matches.
// The matches are taken first: the boxes of a reply run the message loop.
void CDeviceView::OnSmsReply(const CString& strSender, const CString&, const CString& strMessage)
{
    CMarqtelDoc* pDoc = GetDocument();
    if (pDoc == NULL || strSender.IsEmpty())
        return;
    std::vector<std::pair<CString, CString>> devices;
    for (POSITION pos = pDoc->m_deviceList.GetHeadPosition(); pos != NULL;) {
        const DeviceInfo& device = pDoc->m_deviceList.GetNext(pos);
        if (!device.m_strPhone.IsEmpty() && device.m_strPhone == strSender)
            devices.push_back({ device.m_strName, device.m_strPhone });
    }
    for (const auto& device : devices) {
        WriteLog(LOG_INFO, device.first, device.second, "%s", ReceivedText(Text(strMessage)).c_str());
        ParseReply(device.first, device.second, strMessage);
    }
}

int CDeviceView::ParseReply(const CString& strName, const CString& strPhone, const CString& strMessage)
{
    std::vector<ReplyEntry> entries;
    switch (CutReply(Text(strMessage), entries)) {
    case ReplyShape::TooShort:
        return -1;
    case ReplyShape::NotAReply:
        WriteLog(LOG_DEVICE_ERROR, strName, strPhone, "%s", NotAReplyLogText(Text(strMessage)).c_str());
        MessageBox(NotAReplyBoxText(Text(strName), Text(strPhone), Text(strMessage)).c_str());
        return -1;
    case ReplyShape::Entries:
        break;
    }

    // Values go into the page only while it shows this device in its own selected row.
    BOOL bShown = ShowReplyDevice(strName);
    CString strSummary;
    for (const ReplyEntry& entry : entries) {
        ReplyOutcome outcome = InterpretEntry(entry, Text(strName), Text(strPhone));
        CString strValue = entry.value.c_str();
        if (outcome.bApply && outcome.bApplyFirst && bShown)
            ApplyReplyValues(strName, strPhone, entry.letter, strValue);
        CString strText = outcome.text.c_str();
        if (outcome.bDeviceError) {
            ReportDeviceError(strName, strPhone, strValue, strText);
        } else {
            WriteLog(LOG_INFO, strName, strPhone, "%s", (LPCTSTR)strText);
            if (outcome.bBox)
                MessageBox(strText);
        }
        if (outcome.bApply && !outcome.bApplyFirst && bShown)
            ApplyReplyValues(strName, strPhone, entry.letter, strValue);
        strSummary += outcome.summaryLine.c_str();
    }
    if (bShown) {
        UpdateData(FALSE);
        CommitDevicePage();
    }
    if (!strSummary.IsEmpty())
        MessageBox(strSummary);
    return 0;
}

BOOL CDeviceView::ShowReplyDevice(const CString& strName)
{
    int nRow = FindDeviceRow(strName);
    if (nRow < 0)
        return FALSE;
    SelectOnlyRow(nRow);
    ShowDevice(nRow);
    return TRUE;
}

void CDeviceView::ReportDeviceError(const CString& strName, const CString& strPhone, const CString& strValue,
                                    CString& strMessage)
{
    strMessage += DeviceErrorText(Text(strValue)).c_str();
    // The log keeps one line per event: its copy has the line break as a blank.
    CString strLogged = strMessage;
    strLogged.Replace("\n", " ");
    WriteLog(LOG_INFO, strName, strPhone, "%s", (LPCTSTR)strLogged);
    MessageBox(strMessage);
}
