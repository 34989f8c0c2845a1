#include "ModemView.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CModemView, CFormView)

CModemView::CModemView() : CFormView(IDD_MODEM_VIEW)
{
}
