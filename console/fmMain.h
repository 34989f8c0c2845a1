#pragma once
// The console's main window: starts and stops the link service, shows its events and the data
// received, lists the terminals online, sends to one of them, and hands every packet to the
// data log, the serial bridge and the indicator lights.
#include "components/Win32.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "DataLogFile.h"
#include "MemoFeed.h"
#include "TerminalRows.h"
#include "UpdatePace.h"
#include "components/TButton.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomEdit.h"
#include "components/TCustomGroupBox.h"
#include "components/TCustomLabel.h"
#include "components/TCustomListView.h"
#include "components/TCustomMemo.h"
#include "components/TCustomPanel.h"
#include "components/TCustomStatusBar.h"
#include "components/TForm.h"
#include "components/TMainMenu.h"
#include "components/TRadioButton.h"
#include "components/TShape.h"
#include "components/TTimer.h"
#include "components/TToolBar.h"
#include "components/TToolButton.h"
#include "WinSkinData.h"
#include "verrin.h"

// The window message the link library sends for every event.
constexpr UINT WM_LINKEVENT = 4567;

class TForm1 : public TForm {
    DECLARE_CLASS(TForm1, TForm)
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // ---- components
    TToolBar* ToolBar1 = nullptr;
    TToolButton* ToolButton1 = nullptr;
    TToolButton* ToolButton2 = nullptr;
    TToolButton* ToolButton3 = nullptr;
    TToolButton* ToolButton4 = nullptr;
    TToolButton* ToolButton6 = nullptr;
    TPanel* Panel2 = nullptr;
    TPanel* Panel1 = nullptr;
    TListView* ListView1 = nullptr;
    TLabel* Label3 = nullptr;
    TCheckBox* CheckBox4 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TCheckBox* CheckBox2 = nullptr;
    TCheckBox* CheckBox3 = nullptr;
    TMemo* Memo1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TEdit* Edit2 = nullptr;
    TEdit* Edit1 = nullptr;
    TRadioButton* RadioButton2 = nullptr;
    TRadioButton* RadioButton1 = nullptr;
    TButton* BtnSend = nullptr;
    TCheckBox* CheckBoxAutoSend = nullptr;
    TEdit* EditInterval = nullptr;
    TLabel* LabelSendCount = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TTimer* Timer1 = nullptr;
    TTimer* Timer2 = nullptr;
    TTimer* TimerAutoSend = nullptr;
    TTimer* TimerQuery = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* N6 = nullptr;
    TMenuItem* N7 = nullptr;
    TMenuItem* N5 = nullptr;
    TMenuItem* IP1 = nullptr;
    TMenuItem* N9 = nullptr;
    TMenuItem* F1 = nullptr;
    TMenuItem* I1 = nullptr;
    TMenuItem* N8 = nullptr;
    TMenuItem* N14 = nullptr;
    TMenuItem* T1 = nullptr;
    TMenuItem* A1 = nullptr;
    TMenuItem* N13 = nullptr;
    TMenuItem* N11 = nullptr;
    TSkinData* SkinData1 = nullptr;  // the skin engine; no code of the form touches it

    // ---- settings and state (the dialogs write them straight in; only StartMode is stored)
    int BaudRate = 57600;
    int ComPortNo = 1;
    int Parity = NOPARITY;
    int DataBits = 8;
    int StopBits = ONESTOPBIT;
    int ComPortIndex = 0;
    int BaudRateIndex = 8;
    int ParityIndex = 2;
    int DataBitsIndex = 3;
    int StopBitsIndex = 0;
    HANDLE ComHandle = INVALID_HANDLE_VALUE;
    int ComOpen = 0;
    std::string LogDir = "NODIR";
    int RecordsPerFile = 1000;
    int RecordsInFile = 1000;
    std::string LogFileName;
    int LightMode = 1;
    TColor OnColor = 0x00FF00;
    TColor OffColor = 0x0000FF;
    TColor ErrorColor = 0;
    int TerminalInterval = 3;
    int ListenPort = 5002;
    UINT NotifyMessage = WM_LINKEVENT;
    int StartMode = 1;
    int Protocol = LINK_PROTOCOL_UDP;
    int SendCount = 0;

    // ---- handlers
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void ToolButton1Click(TObject* Sender);
    void ToolButton2Click(TObject* Sender);
    void ToolButton3Click(TObject* Sender);
    void ToolButton4Click(TObject* Sender);
    void N5Click(TObject* Sender);
    void recvmessage(TMessage& Message);
    void Timer1Timer(TObject* Sender);
    void ListView1Click(TObject* Sender);
    void BtnSendClick(TObject* Sender);
    void CheckBoxAutoSendClick(TObject* Sender);
    void TimerAutoSendTimer(TObject* Sender);
    void EditIntervalKeyPress(TObject* Sender, char& Key);
    void EditIntervalChange(TObject* Sender);
    void IP1Click(TObject* Sender);
    void T1Click(TObject* Sender);
    void N13Click(TObject* Sender);
    void N9Click(TObject* Sender);
    void F1Click(TObject* Sender);
    void I1Click(TObject* Sender);
    void N8Click(TObject* Sender);
    void N14Click(TObject* Sender);
    void N11Click(TObject* Sender);
    void A1Click(TObject* Sender);
    void CheckBox3Click(TObject* Sender);
    void CheckBox4Click(TObject* Sender);
    void Timer2Timer(TObject* Sender);
    void TimerQueryTimer(TObject* Sender);

    // ---- the event road and its sinks
    // One record taken from the link library: memo, terminal list, serial bridge, log, lights.
    void HandleLinkRecord(const TUserDataRecord& record);
    void WriteDataLog(const TUserDataRecord& record);
    void ShowLightPattern(const std::string& text);
    void StepRunningLight();
    // The light with the given number (1-16, its Tag); nullptr when the form lacks it.
    TShape* Light(int number) const;
    // Shows at once what the event road holds back for the next update of the screen.
    void ShowPending();

protected:
    void WndProc(TMessage& message) override;

private:
    void AskProtocol();
    void CollectLights();
    void AddMemoLine(const std::string& line);
    void ClearMemo();
    void SetLight(int number, TColor color);
    // A change of the screen: shown now, or with the next update while an event is handled.
    void DisplayChanged();
    void ShowWhenDue();
    void ShowUpdate(DWORD now);
    void PaceTimerTick(TObject* Sender);
    void ShowMemoChange();
    void ShowCounter();
    void ShowLights();
    void TerminalRowsChanged();
    void ShowTerminalRows();
    void TerminalRowData(TObject* Sender, TListItem* Item);
    void TerminalEvent(const TUserDataRecord& record);
    void RebuildTerminalList();
    void ShowReceivedData(const std::string& id, const std::string& time, const std::uint8_t* data, std::size_t length);
    void ShowReceivedLights(const std::uint8_t* data, std::size_t length);
    void CountEvent();
    void SetServiceRunning(bool running);
    // Edit1 as the bytes to send; false (after the notice) when its hex text is bad.
    bool TypedData(std::vector<std::uint8_t>& data);
    void SendToTerminal(const std::vector<std::uint8_t>& data);
    void ShowBadHexNotice(int position);
    void NoteSend();
    void OpenComBridge();
    void CloseComBridge();
    bool ComBridgeUsable() const;
    std::string DataLogFolder() const;
    template <class TDialog>
    void ShowSettingsDialog();

    std::array<TShape*, 16> FLights{};
    bool FShownOnce = false;

    // What the screen shows, kept here and shown at a steady pace while events stream in: each
    // change of the memo repaints its scroll bars, and reading a caption or the memo's text back
    // costs more than the event itself. A change of the memo's text costs the edit window tens of
    // milliseconds per hundred lines (it measures every line again), so the pace slows down as the
    // updates take longer: they take at most a fifth of the time, the events the rest.
    TMemoFeed FMemo;
    int FEventCount = 0;
    bool FCounterStale = false;
    std::array<TColor, 16> FLightColors{};
    bool FLightsStale = false;
    bool FInEventRoad = false;
    TUpdatePace FPace{200, 1000, 5};
    TTimer* FPaceTimer = nullptr;

    // The terminals as the library has them, and as the list shows them since its last update.
    TTerminalRows FTerminals;
    TTerminalRows FShownTerminals;
    bool FListStale = false;
    TDataLogFile FDataLog;
};

// The main form of the running program (the dialogs read and write its settings).
extern TForm1* Form1;
