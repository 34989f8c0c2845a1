// The device list document: the devices in display order, read from and written to devices.csv
// beside the program, with the question on closing a changed list.
#pragma once

#include "DeviceInfo.h"
#include "afxwin.h"

class CMarqtelDoc : public CDocument {
    DECLARE_DYNCREATE(CMarqtelDoc)
public:
    CList<DeviceInfo, DeviceInfo&> m_deviceList;

    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;
    BOOL SaveModified() override;
    // Writes devices.csv; the list counts as saved only when the file was written.
    BOOL SaveDeviceList();

    // The first record of that name, or NULL.
    POSITION FindDevice(const CString& strName) const;
    // The first record other than strOwnName's whose configuration file is strName's: its name
    // is strName as the system compares file names. NULL when there is none.
    POSITION FindOtherDeviceFile(const CString& strName, const CString& strOwnName) const;

protected:
    CMarqtelDoc() : m_deviceList(10) {}
};
