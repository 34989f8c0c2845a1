#include "fmMain.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "ComPort.h"
#include "DataConvert.h"
#include "IndicatorLights.h"
#include "SettingsFile.h"
#include "components/Dialogs.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "fmAbout.h"
#include "fmAccountManage.h"
#include "fmBootSetting.h"
#include "fmComSetting.h"
#include "fmFileManage.h"
#include "fmIntervalSetting.h"
#include "fmOtherSetting.h"
#include "unitCustomDialogs.h"

TForm1* Form1 = nullptr;

namespace {

constexpr int MemoLineLimit = 200;

// The library's 12-byte terminal id field for a typed id: NUL-padded, cut at 12 characters.
void FillIdField(char (&field)[12], const std::string& id) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, id.data(), std::min(id.size(), sizeof field));
}

std::string FormatLine(const char* format, const std::string& a, const std::string& b) {
    char line[256];
    std::snprintf(line, sizeof line, format, a.c_str(), b.c_str());
    return line;
}

}  // namespace

const TClassInfo& TForm1::StaticClass() {
    static const TClassInfo info = TClassBuilder<TForm1>("TForm1")
        .Field("ToolBar1", &TForm1::ToolBar1)
        .Field("ToolButton1", &TForm1::ToolButton1)
        .Field("ToolButton2", &TForm1::ToolButton2)
        .Field("ToolButton3", &TForm1::ToolButton3)
        .Field("ToolButton4", &TForm1::ToolButton4)
        .Field("ToolButton6", &TForm1::ToolButton6)
        .Field("Panel2", &TForm1::Panel2)
        .Field("Panel1", &TForm1::Panel1)
        .Field("ListView1", &TForm1::ListView1)
        .Field("Label3", &TForm1::Label3)
        .Field("CheckBox4", &TForm1::CheckBox4)
        .Field("CheckBox1", &TForm1::CheckBox1)
        .Field("CheckBox2", &TForm1::CheckBox2)
        .Field("CheckBox3", &TForm1::CheckBox3)
        .Field("Memo1", &TForm1::Memo1)
        .Field("GroupBox1", &TForm1::GroupBox1)
        .Field("Edit2", &TForm1::Edit2)
        .Field("Edit1", &TForm1::Edit1)
        .Field("RadioButton2", &TForm1::RadioButton2)
        .Field("RadioButton1", &TForm1::RadioButton1)
        .Field("BtnSend", &TForm1::BtnSend)
        .Field("CheckBoxAutoSend", &TForm1::CheckBoxAutoSend)
        .Field("EditInterval", &TForm1::EditInterval)
        .Field("LabelSendCount", &TForm1::LabelSendCount)
        .Field("StatusBar1", &TForm1::StatusBar1)
        .Field("Timer1", &TForm1::Timer1)
        .Field("Timer2", &TForm1::Timer2)
        .Field("TimerAutoSend", &TForm1::TimerAutoSend)
        .Field("TimerQuery", &TForm1::TimerQuery)
        .Field("MainMenu1", &TForm1::MainMenu1)
        .Field("N2", &TForm1::N2)
        .Field("N3", &TForm1::N3)
        .Field("N6", &TForm1::N6)
        .Field("N7", &TForm1::N7)
        .Field("N5", &TForm1::N5)
        .Field("IP1", &TForm1::IP1)
        .Field("N9", &TForm1::N9)
        .Field("F1", &TForm1::F1)
        .Field("I1", &TForm1::I1)
        .Field("N8", &TForm1::N8)
        .Field("N14", &TForm1::N14)
        .Field("T1", &TForm1::T1)
        .Field("A1", &TForm1::A1)
        .Field("N13", &TForm1::N13)
        .Field("N11", &TForm1::N11)
        .Field("SkinData1", &TForm1::SkinData1)
        .Handler("FormCreate", &TForm1::FormCreate)
        .Handler("FormShow", &TForm1::FormShow)
        .Handler("FormCloseQuery", &TForm1::FormCloseQuery)
        .Handler("FormClose", &TForm1::FormClose)
        .Handler("ToolButton1Click", &TForm1::ToolButton1Click)
        .Handler("ToolButton2Click", &TForm1::ToolButton2Click)
        .Handler("ToolButton3Click", &TForm1::ToolButton3Click)
        .Handler("ToolButton4Click", &TForm1::ToolButton4Click)
        .Handler("N5Click", &TForm1::N5Click)
        .Handler("Timer1Timer", &TForm1::Timer1Timer)
        .Handler("ListView1Click", &TForm1::ListView1Click)
        .Handler("BtnSendClick", &TForm1::BtnSendClick)
        .Handler("CheckBoxAutoSendClick", &TForm1::CheckBoxAutoSendClick)
        .Handler("TimerAutoSendTimer", &TForm1::TimerAutoSendTimer)
        .Handler("EditIntervalKeyPress", &TForm1::EditIntervalKeyPress)
        .Handler("EditIntervalChange", &TForm1::EditIntervalChange)
        .Handler("IP1Click", &TForm1::IP1Click)
        .Handler("T1Click", &TForm1::T1Click)
        .Handler("N13Click", &TForm1::N13Click)
        .Handler("N9Click", &TForm1::N9Click)
        .Handler("F1Click", &TForm1::F1Click)
        .Handler("I1Click", &TForm1::I1Click)
        .Handler("N8Click", &TForm1::N8Click)
        .Handler("N14Click", &TForm1::N14Click)
        .Handler("N11Click", &TForm1::N11Click)
        .Handler("A1Click", &TForm1::A1Click)
        .Handler("CheckBox3Click", &TForm1::CheckBox3Click)
        .Handler("CheckBox4Click", &TForm1::CheckBox4Click)
        .Handler("Timer2Timer", &TForm1::Timer2Timer)
        .Handler("TimerQueryTimer", &TForm1::TimerQueryTimer)
        .Build();
    return info;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {}

TForm1::~TForm1() {
    // A bridge still open when the window goes is closed with it.
    CloseComPort(ComHandle);
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::WndProc(TMessage& message) {
    if (message.Msg == NotifyMessage) {
        recvmessage(message);
        return;
    }
    TForm::WndProc(message);
}

// ---- creation, showing, closing ---------------------------------------------------------------

void TForm1::FormCreate(TObject*) {
    ErrorColor = Panel1->Color();
    if (Width() - 472 > 72) Panel2->SetWidth(Width() - 472);
    CollectLights();
    FMemo = TMemoFeed(Memo1->Lines()->Count());
    FEventCount = StrToIntDef(Panel2->Caption(), 0);
    FPaceTimer = new TTimer(this);
    FPaceTimer->SetEnabled(false);
    FPaceTimer->OnTimer = [this](TObject* sender) { PaceTimerTick(sender); };
    ListView1->SetOwnerData(true);
    ListView1->OnData = [this](TObject* sender, TListItem* item) { TerminalRowData(sender, item); };
    StartMode = ReadStartMode();
    AskProtocol();
}

void TForm1::AskProtocol() {
    const int answer = MessageDialog("是否以 UDP 协议启动服务程序？\r\r是 = UDP, 否 = TCP", mtConfirmation, mbYesNo, 0);
    Protocol = answer == mrYes ? LINK_PROTOCOL_UDP : LINK_PROTOCOL_TCP;
    SetCaption(Caption() + (Protocol == LINK_PROTOCOL_UDP ? " - UDP" : " - TCP"));
}

void TForm1::CollectLights() {
    FLights.fill(nullptr);
    FLightColors.fill(Panel1->Color());
    for (int i = 0; i < Panel1->ControlCount(); ++i) {
        auto* shape = dynamic_cast<TShape*>(Panel1->Controls(i));
        if (!shape || shape->Tag() < 1 || shape->Tag() > LightCount) continue;
        FLights[static_cast<std::size_t>(shape->Tag() - 1)] = shape;
        FLightColors[static_cast<std::size_t>(shape->Tag() - 1)] = shape->Brush()->Color();
    }
}

TShape* TForm1::Light(int number) const {
    return number >= 1 && number <= LightCount ? FLights[static_cast<std::size_t>(number - 1)] : nullptr;
}

void TForm1::FormShow(TObject*) {
    if (FShownOnce) return;
    FShownOnce = true;
    if (StartMode == StartAutomatic) ToolButton1Click(this);
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = MessageDialog("确定要退出吗？", mtConfirmation, mbYesNo, 0) == mrYes;
}

void TForm1::FormClose(TObject*, TCloseAction&) {
    if (ToolButton2->Enabled()) ToolButton2Click(this);
    if (ComOpen == 1) CloseComPort(ComHandle);
}

void TForm1::N5Click(TObject*) { Close(); }

// ---- the service ------------------------------------------------------------------------------

void TForm1::ToolButton1Click(TObject*) {
    if (SelectProtocol(Protocol) < 0) {
        AddMemoLine("选择通讯协议失败。");
        return;
    }
    char status[256] = {0};
    if (start_gprs_server(Handle(), static_cast<int>(NotifyMessage), ListenPort, status) < 0) {
        AddMemoLine("启动 GPRS/CDMA 服务失败。");
        return;
    }
    AddMemoLine(FieldText(status, sizeof status));
    SetServiceRunning(true);
    FTerminals.Clear();
    TerminalRowsChanged();
    FEventCount = 0;
    Panel2->SetCaption("0");
    RecordsInFile = RecordsPerFile;
    SendCount = 0;
    LabelSendCount->SetCaption("发送计数: " + IntToStr(SendCount));
}

void TForm1::ToolButton2Click(TObject*) {
    if (MessageDialog("确定要停止服务吗？", mtConfirmation, mbYesNo, 0) != mrYes) return;
    char status[256] = {0};
    do_close_all_user(status);
    AddMemoLine(FieldText(status, sizeof status));
    stop_gprs_server(status);
    AddMemoLine(FieldText(status, sizeof status));
    // The bridge's box, ComOpen and its poll stay as they are; without a handle they do nothing.
    if (ComOpen == 1) CloseComPort(ComHandle);
    // The next start begins a new log file; this one is complete.
    FDataLog.Close();
    FTerminals.Clear();
    TerminalRowsChanged();
    SetServiceRunning(false);
}

void TForm1::SetServiceRunning(bool running) {
    ToolButton1->SetEnabled(!running);
    N2->SetEnabled(!running);
    ToolButton2->SetEnabled(running);
    N3->SetEnabled(running);
    ToolButton3->SetEnabled(running);
    Timer1->SetEnabled(running);
    // The library keeps this window's handle while it runs; a style change could remake it.
    T1->SetEnabled(!running);
    (*StatusBar1->Panels())[1]->SetText(running ? "服务运行" : "服务停止");
}

// ---- events -----------------------------------------------------------------------------------

void TForm1::recvmessage(TMessage&) {
    TUserDataRecord record;
    char aux[1024];
    // A message whose event was taken already (or came after a stop) finds none: nothing changes.
    if (do_read_proc(&record, aux, CheckBox2->Checked() ? 1 : 0) > 0) HandleLinkRecord(record);
}

void TForm1::HandleLinkRecord(const TUserDataRecord& record) {
    FInEventRoad = true;
    const std::string id = FieldText(record.Id, sizeof record.Id);
    const std::string time = FieldText(record.Time, sizeof record.Time);
    if (record.Kind == LINK_EVENT_LOGIN) AddMemoLine(FormatLine("用户 ID: %s 登录，时间: %s ", id, time));
    // A length beyond the data field would read past the record; only the field is taken.
    const std::size_t length = std::min<std::size_t>(record.DataLength, sizeof record.Data);
    if (length == 0) {
        TerminalEvent(record);
    } else {
        if (FMemo.LineCount() >= MemoLineLimit) ClearMemo();
        if (N13->Checked()) ShowReceivedData(id, time, record.Data, length);
        if (ComBridgeUsable()) WriteComOutput(ComHandle, record.Data, length);
        if (CheckBox4->Checked()) WriteDataLog(record);
        if (N13->Checked()) ShowReceivedLights(record.Data, length);
        CountEvent();
    }
    FInEventRoad = false;
    ShowWhenDue();
}

void TForm1::ShowReceivedData(const std::string& id, const std::string& time, const std::uint8_t* data, std::size_t length) {
    char header[256];
    std::snprintf(header, sizeof header, "用户 ID: %s   接收时间: %s  数据长度: %d", id.c_str(), time.c_str(), static_cast<int>(length));
    AddMemoLine(header);
    const std::string shown = CheckBox1->Checked() ? BytesToHexText(data, length) : FieldText(reinterpret_cast<const char*>(data), length);
    AddMemoLine("接收的数据: " + shown);
}

void TForm1::ShowReceivedLights(const std::uint8_t* data, std::size_t length) {
    if (LightMode > 0) StepRunningLight();
    else if (length >= 4) ShowLightPattern(std::string(reinterpret_cast<const char*>(data), 4));
}

void TForm1::CountEvent() {
    ++FEventCount;
    FCounterStale = true;
    DisplayChanged();
}

// ---- the screen's pace ------------------------------------------------------------------------

void TForm1::AddMemoLine(const std::string& line) {
    FMemo.Add(line);
    DisplayChanged();
}

void TForm1::ClearMemo() {
    FMemo.Clear();
    DisplayChanged();
}

void TForm1::DisplayChanged() {
    if (!FInEventRoad) ShowPending();
}

// The first event after a quiet spell is shown at once, the ones after it with the next update;
// the timer shows what is left when the stream pauses.
void TForm1::ShowWhenDue() {
    const DWORD now = GetTickCount();
    if (FPace.Due(now)) {
        ShowUpdate(now);
        return;
    }
    if (FPaceTimer->Enabled()) return;
    FPaceTimer->SetInterval(std::max<std::uint32_t>(1, FPace.Wait(now)));
    FPaceTimer->SetEnabled(true);
}

void TForm1::PaceTimerTick(TObject*) {
    FPaceTimer->SetEnabled(false);
    ShowUpdate(GetTickCount());
}

// The controls changed draw themselves with the next paint; a stream of events that never lets
// the queue run dry would hold paints back, so an update paints at once.
void TForm1::ShowUpdate(DWORD now) {
    ShowPending();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    FPace.Shown(now, GetTickCount() - now);
}

void TForm1::ShowPending() {
    if (FListStale) ShowTerminalRows();
    ShowMemoChange();
    ShowCounter();
    ShowLights();
}

void TForm1::ShowMemoChange() {
    if (!FMemo.Pending()) return;
    const TMemoChange change = FMemo.Take();
    if (change.Replace) Memo1->ReplaceText(change.Text);
    else Memo1->AppendText(change.Text);
}

void TForm1::ShowCounter() {
    if (!FCounterStale) return;
    FCounterStale = false;
    Panel2->SetCaption(IntToStr(FEventCount));
}

void TForm1::SetLight(int number, TColor color) {
    FLightColors[static_cast<std::size_t>(number - 1)] = color;
    FLightsStale = true;
}

void TForm1::ShowLights() {
    if (!FLightsStale) return;
    FLightsStale = false;
    // A brush that keeps its colour does not repaint its light.
    for (int number = 1; number <= LightCount; ++number)
        if (TShape* light = Light(number)) light->Brush()->SetColor(FLightColors[static_cast<std::size_t>(number - 1)]);
}

// ---- the terminal list ------------------------------------------------------------------------

void TForm1::Timer1Timer(TObject*) {
    if (FTerminals.Rebuild()) TerminalRowsChanged();
}

void TForm1::TerminalRowsChanged() {
    FListStale = true;
    DisplayChanged();
}

void TForm1::RebuildTerminalList() { Timer1Timer(this); }

// A login, logout or drop changes one row; any other event without data lists every slot anew.
void TForm1::TerminalEvent(const TUserDataRecord& record) {
    const std::string id = FieldText(record.Id, sizeof record.Id);
    const bool known = record.Kind == LINK_EVENT_LOGIN || record.Kind == LINK_EVENT_LOGOUT || record.Kind == LINK_EVENT_DROPPED;
    if (!known || id.empty()) {
        RebuildTerminalList();
        return;
    }
    FTerminals.Refresh(id, record.Kind == LINK_EVENT_LOGIN);
    TerminalRowsChanged();
}

// The window holds only the count of the rows shown and asks for their texts as it paints; the
// rows it shows stay as they were until the next update, so that its row numbers (the chosen
// one's too) keep meaning the same terminals. The terminal chosen stays chosen while listed.
void TForm1::ShowTerminalRows() {
    FListStale = false;
    TListItem* selected = ListView1->Selected();
    const std::string chosen = selected ? selected->Caption() : std::string();
    if (selected) selected->SetSelected(false);
    FShownTerminals = FTerminals;
    ListView1->Items()->SetCount(FShownTerminals.Count());
    const int row = chosen.empty() ? -1 : FShownTerminals.IndexOf(chosen);
    if (row >= 0) ListView1->Items()->Item(row)->SetSelected(true);
}

void TForm1::TerminalRowData(TObject*, TListItem* item) {
    const int index = item->Index();
    if (index < 0 || index >= FShownTerminals.Count()) return;
    const TUserInfoRecord& info = FShownTerminals.Row(index);
    item->SetCaption(TerminalId(info));
    TStrings* cells = item->SubItems();
    cells->Add(IpToText(info.MobileAddress));
    cells->Add(IntToStr(info.MobilePort));
    cells->Add(FieldText(info.LoginTime, sizeof info.LoginTime));
    cells->Add(IpToText(info.PublicAddress));
    cells->Add(IntToStr(info.PublicPort));
    cells->Add("0");
}

void TForm1::ListView1Click(TObject*) {
    if (TListItem* row = ListView1->Selected()) Edit2->SetText(row->Caption());
}

void TForm1::ToolButton3Click(TObject*) {
    const std::string id = Edit2->Text();
    if (id.empty()) return;
    char idField[12];
    FillIdField(idField, id);
    char reply[256] = {0};
    do_close_one_user(idField, reply);
    Timer1Timer(this);
}

// ---- sending ----------------------------------------------------------------------------------

void TForm1::BtnSendClick(TObject*) {
    if (Edit2->Text().empty()) return;
    if (!Edit1->Text().empty()) {
        std::vector<std::uint8_t> data;
        if (!TypedData(data)) return;
        SendToTerminal(data);
    }
    NoteSend();
}

bool TForm1::TypedData(std::vector<std::uint8_t>& data) {
    const std::string text = Edit1->Text();
    if (!RadioButton1->Checked()) {
        data.assign(text.begin(), text.end());
        return true;
    }
    if (const int position = FirstNonHexPosition(text)) {
        ShowBadHexNotice(position);
        return false;
    }
    data = HexTextToBytes(text);
    return true;
}

// The notice runs a modal loop, in which timers tick: auto-send must not open one notice on top
// of the other, so it stops with the first (the user ticks it again once the data are right).
void TForm1::ShowBadHexNotice(int position) {
    if (CheckBoxAutoSend->Checked()) CheckBoxAutoSend->SetChecked(false);
    TimerAutoSend->SetEnabled(false);
    ShowNotice("数据字符错误，位置:" + IntToStr(position) + "\r" + "数据字符应为：0~9、a~f、A~F");
}

void TForm1::SendToTerminal(const std::vector<std::uint8_t>& data) {
    char id[12];
    FillIdField(id, Edit2->Text());
    char buffer[1024] = {0};
    const std::size_t length = std::min(data.size(), sizeof buffer);
    std::memcpy(buffer, data.data(), length);
    char reply[256] = {0};
    do_send_user_data(id, buffer, static_cast<int>(length), reply);
    ++SendCount;
    LabelSendCount->SetCaption("Send: " + IntToStr(SendCount));
}

void TForm1::NoteSend() { AddMemoLine("发送数据：" + Edit1->Text() + " 至：" + Edit2->Text()); }

void TForm1::CheckBoxAutoSendClick(TObject*) { TimerAutoSend->SetEnabled(CheckBoxAutoSend->Checked()); }

void TForm1::TimerAutoSendTimer(TObject*) { BtnSendClick(BtnSend); }

void TForm1::EditIntervalKeyPress(TObject*, char& Key) {
    if (!((Key >= '0' && Key <= '9') || Key == '\b')) Key = 0;
}

void TForm1::EditIntervalChange(TObject*) {
    int interval = 0;
    if (TryStrToInt(EditInterval->Text(), interval) && interval >= 0) TimerAutoSend->SetInterval(static_cast<unsigned>(interval));
}

// ---- menu settings ----------------------------------------------------------------------------

void TForm1::ToolButton4Click(TObject*) {
    ClearMemo();
    ShowLightPattern("gggg");
}

void TForm1::IP1Click(TObject*) {
    const std::string caption = "端口设置";
    const std::string prompt = "请输入端口号(1000~65535之间的整数)";
    int port = 0;
    if (TryStrToInt(InputBox(caption, prompt, IntToStr(ListenPort)), port)) {
        ListenPort = port;
        return;
    }
    AddMemoLine("端口号输入有误。");
    if (TryStrToInt(InputBox(caption, prompt, IntToStr(ListenPort)), port)) ListenPort = port;
}

void TForm1::T1Click(TObject*) {
    const bool onTop = T1->Checked();
    SetFormStyle(onTop ? fsNormal : fsStayOnTop);
    T1->SetChecked(!onTop);
}

void TForm1::N13Click(TObject*) { N13->SetChecked(!N13->Checked()); }

template <class TDialog>
void TForm1::ShowSettingsDialog() {
    std::unique_ptr<TDialog> dialog(NewForm<TDialog>(this));
    dialog->ShowModal();
}

void TForm1::N9Click(TObject*) { ShowSettingsDialog<Tfcomset>(); }
void TForm1::F1Click(TObject*) { ShowSettingsDialog<Tflog>(); }
void TForm1::I1Click(TObject*) { ShowSettingsDialog<Tfinterval>(); }
void TForm1::N8Click(TObject*) { ShowSettingsDialog<Tfotherset>(); }
void TForm1::N14Click(TObject*) { ShowSettingsDialog<TFStart>(); }
void TForm1::N11Click(TObject*) { ShowSettingsDialog<Tfabout>(); }
void TForm1::A1Click(TObject*) { ShowSettingsDialog<Tfaccount>(); }

void TForm1::TimerQueryTimer(TObject*) {}
