#include "AppFolder.h"

#include "DeviceName.h"
#include "Marqtel.h"

CString GetAppFolder()
{
    CMarqtelApp* pApp = static_cast<CMarqtelApp*>(AfxGetApp());
    if (pApp != NULL && !pApp->m_strAppPath.IsEmpty())
        return pApp->m_strAppPath;
    char path[MAX_PATH + 1] = "";
    ::GetModuleFileNameA(NULL, path, MAX_PATH);
    CString folder = path;
    return folder.Left(folder.ReverseFind('\\'));
}

CString GetDeviceListPath()
{
    return GetAppFolder() + "\\devices.csv";
}

CString GetDeviceConfigPath(const CString& strName)
{
    if (!IsSafeFileName((LPCTSTR)strName))
        return CString();
    return GetAppFolder() + "\\devices\\" + strName + ".ini";
}
