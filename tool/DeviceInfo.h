// One device of the list, as the device list file and the device page know it.
#pragma once

#include "afx.h"

class DeviceInfo {
public:
    DeviceInfo() {}
    explicit DeviceInfo(const CString& strName) : m_strName(strName) {}
    virtual ~DeviceInfo() {}
    DeviceInfo(const DeviceInfo&) = default;
    DeviceInfo& operator=(const DeviceInfo&) = default;

    // The list is written as text by the document; a record stores nothing of its own.
    virtual void Serialize(CArchive&) {}

    CString m_strName; // unique within the list; also the base name of the configuration file
    CString m_strSerial;
    CString m_strPhone; // the SIM's number, which replies are matched to
    CString m_strModel;
    CString m_strVersion;
    CString m_strSignal;
};
