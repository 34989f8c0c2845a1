#include "ModemView.h"

#include "resource.h"

IMPLEMENT_DYNCREATE(CModemView, CFormView)

CModemView::CModemView() : CFormView(IDD_MODEM_VIEW)
{
}

void CModemView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    static const int fixedLists[] = { IDC_MODEM_MODEL, IDC_MODEM_BAUD, IDC_MODEM_DATA_BITS, IDC_MODEM_STOP_BITS,
                                      IDC_MODEM_PARITY, IDC_MODEM_FLOW };
    for (int id : fixedLists)
        SendDlgItemMessageA(m_hWnd, id, CB_SETCURSEL, 0, 0);
}
