// The device page: the device list on the left; on the right the shown device's record and its
// configuration in six groups, each enabled by its own "启用设置" box; the SMS buttons at the
// top and the buttons that save, discard, import and export a device's configuration below.
// The page holds one device at a time: the one whose row last took the focus.
#pragma once

#include "ConfigGroups.h"
#include "GuiButton.h"
#include "ReportCtrl.h"
#include "afxext.h"

class CMainFrame;
class CMarqtelDoc;

class CDeviceView : public CFormView {
    DECLARE_DYNCREATE(CDeviceView)
public:
    void OnInitialUpdate() override;

    // The device list and the page.
    void FillDeviceList();
    void ShowDevice(int nRow);
    void ShowSelectedDevice();
    void AddNewDevice();
    void DeleteSelectedDevices();
    void RemoveDeviceRecord(int nRow);
    // Writes the page into the selected row's record, the row and the device's configuration
    // file. FALSE when nothing was written: no selected row, or the page was refused.
    BOOL CommitDevicePage();

    // SMS commands to the shown device (DeviceViewSms.cpp). SendCommandSms builds, signs and
    // sends one frame: 0 when the modem sent it, -1 when it was refused or not sent. A nonzero
    // nShowBox tells the outcome in a message box; a refusal is always told.
    int SendCommandSms(const CString& strCommands, int nShowBox);
    CString MakeCommandPrefix();
    CString MakeRandomPair();
    // Takes the controls into the members; FALSE, with a message, when there is no phone number.
    BOOL CheckPhoneNumber();
    static void AppendRestart(CString& strCommands) { strCommands += "1x;"; }
    static void AppendForceOnline(CString& strCommands) { strCommands += "4x;"; }
    static void AppendForceOffline(CString& strCommands) { strCommands += "5x;"; }
    static void AppendResetCommand(CString& strCommands, BOOL bKeyOnly) { strCommands += bKeyOnly ? "3x;" : "2x;"; }
    static void AppendStatusQuery(CString& strCommands) { strCommands += "6x;Fq;"; }
    // The status query of every ticked device, or of the selected one (bSelectedOnly, or when
    // none is ticked).
    void QueryCheckedDevices(BOOL bSelectedOnly);
    // Puts the fields of one answer into the page's values (not yet into its controls).
    void ApplyReplyValues(const CString& strName, const CString& strPhone, char chLetter, const CString& strValue);
    static CString NextField(CString& strText, char chSeparator);

    // Replies (DeviceViewReply.cpp): a message the modem link received goes to every device
    // whose phone number is the sender's.
    void OnSmsReply(const CString& strSender, const CString& strTime, const CString& strMessage);
    int ParseReply(const CString& strName, const CString& strPhone, const CString& strMessage);
    // Selects the device's row alone and shows the device; FALSE when no row has the name.
    BOOL ShowReplyDevice(const CString& strName);
    void ReportDeviceError(const CString& strName, const CString& strPhone, const CString& strValue,
                           CString& strMessage);

    // The device's configuration file. An empty path stands for no file: every key takes its
    // default, and nothing is written. SaveDeviceConfig is FALSE when nothing was written: a
    // field was refused, or the file could not be written whole (it is named in a message and
    // stays as it was).
    void LoadDeviceConfig(const CString& strPath);
    BOOL SaveDeviceConfig(const CString& strPath);
    static BOOL WritePrivateProfileInt(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue, LPCTSTR lpszPath);
    // The management device id that a serial number gives, or an empty text.
    static CString DeriveDeviceId(const CString& strSerial);

protected:
    CDeviceView();
    void DoDataExchange(CDataExchange* pDX) override;
    CMarqtelDoc* GetDocument() const;
    CMainFrame* GetMainFrame() const;
    void InitButtons();
    void InitList();
    void RunGroupHandlers();
    void EnableControls(const UINT* pIds, int nCount, BOOL bEnable);
    BOOL CheckPageFields();
    CString MakeNewDeviceName() const;
    void TakeRecordFields(const CString& strName);
    void ShowNotice(LPCTSTR lpszText);
    void LoadConfigValues(const CString& strPath);
    BOOL WriteConfigFile(const CString& strPath);
    BOOL WriteConfigValues(const CString& strPath);
    int FindDeviceRow(const CString& strName) const;
    // Makes the row the only selected and focused one, so that a commit writes to its record.
    void SelectOnlyRow(int nRow);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DeviceConfigValues TakeConfigValues() const;
    void PutConfigValues(const DeviceConfigValues& values);
    void SendAction(void (*pAppend)(CString&));
    BOOL RefuseUnsendableFields(const char* pszLetters, const DeviceConfigValues& values);

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNmEnable();
    afx_msg void OnDialEnable();
    afx_msg void OnSerialEnable();
    afx_msg void OnGatewayEnable();
    afx_msg void OnWmmpEnable();
    afx_msg void OnMultiCenterEnable();
    afx_msg void OnSaveChanges();
    afx_msg void OnDiscardChanges();
    afx_msg void OnCheckAll();
    afx_msg void OnInvertChecks();
    afx_msg void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnImportConfig();
    afx_msg void OnExportConfig();
    afx_msg void OnSerialChanged();
    afx_msg void OnRestartDevice();
    afx_msg void OnForceOnline();
    afx_msg void OnForceOffline();
    afx_msg void OnFactoryReset();
    afx_msg void OnQueryDeviceStatus();
    afx_msg void OnReadConfig();
    afx_msg void OnSendConfig();
    DECLARE_MESSAGE_MAP()

    CBrush m_brush;
    CImageList m_imageList;

public:
    int m_bNmIdFree;     // no management device id derives from the serial number: its edit may be enabled
    char m_chPrefixTail; // fourth character of every command prefix

    // Controls.
    CComboBox m_cbAuth;
    CComboBox m_cbStrategy;
    CGuiButton m_btnQuery;
    CComboBox m_cbPlatform;
    CComboBox m_cbNmMode;
    CComboBox m_cbAutoDial;
    CGuiButton m_btnFactory;
    CGuiButton m_btnOffline;
    CButton m_chkNm;
    CEdit m_edSerial;
    CEdit m_edNmId;
    CGuiButton m_btnExport;
    CGuiButton m_btnInvert;
    CGuiButton m_btnSelectAll;
    CGuiButton m_btnSave;
    CGuiButton m_btnSend;
    CGuiButton m_btnDiscard;
    CGuiButton m_btnImport;
    CComboBox m_cbStopBits;
    CComboBox m_cbParity;
    CComboBox m_cbDataBits;
    CComboBox m_cbBaud;
    CComboBox m_cbLink;
    CReportCtrl m_list;
    CGuiButton m_btnUpgrade;
    CGuiButton m_btnRestart;
    CGuiButton m_btnRead;
    CGuiButton m_btnOnline;

    // Values.
    CString m_strApn;
    CString m_strGatewayAddr;
    BOOL m_bGatewayEnable;
    CString m_strDtuId;
    int m_nGatewayPort;
    BOOL m_bSerialEnable;
    CString m_strModel;
    BOOL m_bDialEnable;
    CString m_strDialNumber;
    CString m_strServerAddr;
    BOOL m_bNmEnable;
    CString m_strTrustList;
    int m_nServerPort;
    CString m_strVersion;
    CString m_strPhone;
    CString m_strDialPassword;
    CString m_strSerial;
    CString m_strDialUser;
    CString m_strName;
    CString m_strSignal;
    CString m_strNmDeviceId;
    BOOL m_bReplyRequired;
    CString m_strWmmpAddr;
    BOOL m_bWmmpEnable;
    int m_nWmmpPort;
    CString m_strPlatformDeviceId;
    CString m_strSmsCenter;
    CString m_strSmsAlarm;
    int m_nHeartbeat;
    BOOL m_bMultiCenterEnable;
    CString m_strExt1Addr;
    CString m_strExt2Addr;
    CString m_strExt3Addr;
    CString m_strExt4Addr;
    int m_nExt1Port;
    int m_nExt3Port;
    int m_nExt2Port;
    int m_nExt4Port;
};
