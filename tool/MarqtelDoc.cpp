#include "MarqtelDoc.h"

#include "AppFolder.h"
#include "DeviceListFile.h"
#include "DeviceName.h"
#include "Marqtel.h"

#include <set>
#include <string>
#include <vector>

IMPLEMENT_DYNCREATE(CMarqtelDoc, CDocument)

// The list is read from devices.csv, which is made empty when it is missing and never cut.
BOOL CMarqtelDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    CMarqtelApp* pApp = static_cast<CMarqtelApp*>(AfxGetApp());
    SetTitle("短信远程管理中心 " + (pApp != NULL ? pApp->m_strVersion : CString()));

    CString path = GetDeviceListPath();
    CFile file;
    if (file.Open(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite))
        file.Close();
    OnOpenDocument(path);
    return TRUE;
}

namespace {

DeviceRecord ToRecord(const DeviceInfo& device)
{
    DeviceRecord record;
    record.name = (LPCTSTR)device.m_strName;
    record.serial = (LPCTSTR)device.m_strSerial;
    record.phone = (LPCTSTR)device.m_strPhone;
    record.model = (LPCTSTR)device.m_strModel;
    record.version = (LPCTSTR)device.m_strVersion;
    record.signal = (LPCTSTR)device.m_strSignal;
    return record;
}

DeviceInfo ToDevice(const DeviceRecord& record)
{
    DeviceInfo device(record.name.c_str());
    device.m_strSerial = record.serial.c_str();
    device.m_strPhone = record.phone.c_str();
    device.m_strModel = record.model.c_str();
    device.m_strVersion = record.version.c_str();
    device.m_strSignal = record.signal.c_str();
    return device;
}

std::string ReadAll(CArchive& ar)
{
    std::string text;
    char buffer[4096];
    while (UINT n = ar.Read(buffer, sizeof buffer))
        text.append(buffer, n);
    return text;
}

} // namespace

// Opening a file adds its devices to those in the list; a name the list holds already is not
// added again.
void CMarqtelDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        std::vector<DeviceRecord> records;
        for (POSITION pos = m_deviceList.GetHeadPosition(); pos != NULL;)
            records.push_back(ToRecord(m_deviceList.GetNext(pos)));
        std::string text = FormatDeviceList(records);
        ar.Write(text.data(), (UINT)text.size());
        return;
    }
    std::set<std::string> names;
    for (POSITION pos = m_deviceList.GetHeadPosition(); pos != NULL;)
        names.insert((LPCTSTR)m_deviceList.GetNext(pos).m_strName);
    for (const DeviceRecord& record : ReadDeviceList(ReadAll(ar), names)) {
        DeviceInfo device = ToDevice(record);
        m_deviceList.AddTail(device);
    }
}

// Cancel keeps the program running. A list that could not be written keeps the program running
// too, so that the changes are not lost with it.
BOOL CMarqtelDoc::SaveModified()
{
    if (!IsModified())
        return TRUE;
    switch (::MessageBoxA(NULL, "设备列表已被更改，是否需要保存？", "提示", MB_YESNOCANCEL)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return SaveDeviceList();
    default:
        return TRUE;
    }
}

BOOL CMarqtelDoc::SaveDeviceList()
{
    if (!OnSaveDocument(GetDeviceListPath()))
        return FALSE;
    SetModifiedFlag(FALSE);
    return TRUE;
}

POSITION CMarqtelDoc::FindDevice(const CString& strName) const
{
    for (POSITION pos = m_deviceList.GetHeadPosition(); pos != NULL;) {
        POSITION current = pos;
        if (m_deviceList.GetNext(pos).m_strName == strName)
            return current;
    }
    return NULL;
}

POSITION CMarqtelDoc::FindOtherDeviceFile(const CString& strName, const CString& strOwnName) const
{
    for (POSITION pos = m_deviceList.GetHeadPosition(); pos != NULL;) {
        POSITION current = pos;
        const CString& name = m_deviceList.GetNext(pos).m_strName;
        if (name != strOwnName && SameFileName((LPCTSTR)name, (LPCTSTR)strName))
            return current;
    }
    return NULL;
}
