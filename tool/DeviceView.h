// The device page. For now: its template and list, and the operations the shell calls, which do
// nothing yet; the page itself comes with the device page work.
#pragma once

#include "afxext.h"

class CDeviceView : public CFormView {
    DECLARE_DYNCREATE(CDeviceView)
public:
    void AddNewDevice() {}
    void DeleteSelectedDevices() {}
    void QueryCheckedDevices(BOOL) {}
    void CommitDevicePage() {}
    void FillDeviceList() {}
    // A message the modem link received, handed on to the page. It is only taken in until the
    // page reads replies.
    void OnSmsReply(const CString&, const CString&, const CString&) {}

protected:
    CDeviceView();
};
