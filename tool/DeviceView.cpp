#include "DeviceView.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CDeviceView, CFormView)

CDeviceView::CDeviceView() : CFormView(IDD_DEVICE_VIEW)
{
}
