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

protected:
    CMarqtelDoc() : m_deviceList(10) {}
};
