// The device list document. For now it carries the title, the modified flag and the save and
// close questions the shell relies on; the devices.csv reader and writer come with the device
// list work.
#pragma once

#include "afxwin.h"

class CMarqtelDoc : public CDocument {
    DECLARE_DYNCREATE(CMarqtelDoc)
public:
    BOOL OnNewDocument() override;
    BOOL SaveModified() override;
    void SaveDeviceList();

protected:
    CMarqtelDoc() {}
};
