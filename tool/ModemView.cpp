#include "ModemView.h"

#include "MainFrm.h"
#include "PageColors.h"
#include "SerialPort.h"
#include "resource.h"

#include <stdlib.h>

IMPLEMENT_DYNCREATE(CModemView, CFormView)

BEGIN_MESSAGE_MAP(CModemView, CFormView)
    ON_WM_CTLCOLOR()
    ON_CBN_SELCHANGE(IDC_MODEM_PORT, OnSelchangePort)
END_MESSAGE_MAP()

static const char kNoModem[] = "无";
static const int kPortsProbed = 128;

CModemView::CModemView() : CFormView(IDD_MODEM_VIEW)
{
}

void CModemView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MODEM_FLOW, m_cbFlowControl);
    DDX_Control(pDX, IDC_MODEM_STOP_BITS, m_cbStopBits);
    DDX_Control(pDX, IDC_MODEM_PARITY, m_cbParity);
    DDX_Control(pDX, IDC_MODEM_DATA_BITS, m_cbDataBits);
    DDX_Control(pDX, IDC_MODEM_PORT, m_cbPort);
    DDX_Control(pDX, IDC_MODEM_MODEL, m_cbModel);
    DDX_Control(pDX, IDC_MODEM_BAUD, m_cbBaud);
}

CMainFrame* CModemView::GetFrame() const
{
    return DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame());
}

void CModemView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    CreatePageBrush(m_brush);

    CMainFrame* pFrame = GetFrame();
    int nCurrent = pFrame != NULL ? pFrame->m_Port.GetPortNumber() : -1;
    FillPortList(nCurrent);
    if (nCurrent == -1)
        nCurrent = (int)AfxGetApp()->GetProfileInt("MODEM", "PORT", 0);
    SelectPort(nCurrent);

    CComboBox* fixedSettings[] = { &m_cbModel, &m_cbBaud, &m_cbDataBits, &m_cbStopBits, &m_cbParity, &m_cbFlowControl };
    for (CComboBox* pList : fixedSettings)
        pList->SetCurSel(0);
}

// "无", then every port that can be opened now. The frame's own port is listed as it is, open
// or not: probing it would take it from the modem link.
void CModemView::FillPortList(int nCurrent)
{
    m_cbPort.AddString(kNoModem);
    CSerialPort probe; // each InitPort closes the port the one before opened
    for (int n = 0; n < kPortsProbed; ++n) {
        if (n == nCurrent || probe.InitPort(this, n, 9600, 'N', 8, 1, 0, EV_RXCHAR | EV_CTS, 512, 512)) {
            CString strPort;
            strPort.Format("COM%d", n);
            m_cbPort.AddString(strPort);
        }
    }
}

// The whole name is looked for: "COM1" must not select "COM10".
void CModemView::SelectPort(int nPort)
{
    if (nPort == -1) {
        m_cbPort.SetCurSel(0);
        return;
    }
    CString strPort;
    strPort.Format("COM%d", nPort);
    int nItem = m_cbPort.FindStringExact(0, strPort);
    if (nItem != CB_ERR)
        m_cbPort.SetCurSel(nItem);
}

void CModemView::OnSelchangePort()
{
    SaveModemPort();
}

void CModemView::SaveModemPort()
{
    int nItem = m_cbPort.GetCurSel();
    if (nItem == CB_ERR)
        return;
    int nPort = -1;
    if (nItem != 0) {
        CString strPort;
        m_cbPort.GetLBText(nItem, strPort);
        nPort = atoi((LPCTSTR)strPort + 3); // after "COM"
    }
    AfxGetApp()->WriteProfileInt("MODEM", "PORT", nPort);
    if (CMainFrame* pFrame = GetFrame())
        pFrame->InitSmsModem();
}

HBRUSH CModemView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return PageCtlColor(pDC, nCtlColor, m_brush, CFormView::OnCtlColor(pDC, pWnd, nCtlColor));
}
