// Where the tool keeps its files: the program's folder, the device list in it, and one
// configuration file per device in its devices folder.
#pragma once

#include "afx.h"

// The application's folder (m_strAppPath), without a trailing backslash; the running program's
// folder where no application object has set it (a host that builds the frame itself).
CString GetAppFolder();
// devices.csv in the application's folder.
CString GetDeviceListPath();
// devices\<name>.ini in the application's folder; empty for a name that may not become a file
// name, so that no path is ever made of it.
CString GetDeviceConfigPath(const CString& strName);
