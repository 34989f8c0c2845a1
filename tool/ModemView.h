// The modem page: the serial port of the GSM modem, chosen from the ports that can be opened,
// beside the modem's fixed settings (model, baud rate, data bits, stop bits, parity, flow
// control), which only show what the modem link uses.
#pragma once

#include "afxext.h"

class CMainFrame;

class CModemView : public CFormView {
    DECLARE_DYNCREATE(CModemView)
public:
    void OnInitialUpdate() override;
    // Stores the chosen port and starts the modem on it.
    void SaveModemPort();

    CComboBox m_cbPort;

protected:
    CModemView();
    void DoDataExchange(CDataExchange* pDX) override;
    CMainFrame* GetFrame() const;
    void FillPortList(int nCurrent);
    void SelectPort(int nPort);

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSelchangePort();
    DECLARE_MESSAGE_MAP()

    CBrush m_brush;
    CComboBox m_cbFlowControl;
    CComboBox m_cbStopBits;
    CComboBox m_cbParity;
    CComboBox m_cbDataBits;
    CComboBox m_cbModel;
    CComboBox m_cbBaud;
};
