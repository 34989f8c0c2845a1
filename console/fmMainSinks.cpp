// The main form's received-data sinks: the rolling data log files, the serial bridge and the
// indicator lights.
#include <algorithm>

#include "ComPort.h"
#include "DataConvert.h"
#include "DataLogFile.h"
#include "DataLogFormat.h"
#include "IndicatorLights.h"
#include "SettingsFile.h"
#include "components/DateTimeText.h"
#include "fmMain.h"

namespace {

// The running light is always this green, whatever colour the pattern display uses.
constexpr TColor RunningLightColor = 0x00FF00;

}  // namespace

// ---- data log files ---------------------------------------------------------------------------

std::string TForm1::DataLogFolder() const { return LogDir == "NODIR" ? ProgramFolder() : LogDir; }

void TForm1::WriteDataLog(const TUserDataRecord& record) {
    if (RecordsInFile >= RecordsPerFile) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        const std::string path = FDataLog.Create(DataLogFolder(), DataLogFileName(DateTimeToStr(now)));
        if (path.empty()) {
            // RecordsInFile stays at the limit, so the next record tries a new file again.
            AddMemoLine("Cannot open log file.");
            return;
        }
        LogFileName = path;
        RecordsInFile = 0;
    }
    const std::size_t length = std::min<std::size_t>(record.DataLength, sizeof record.Data);
    switch (FDataLog.Append(LogFileName, DataLogRecord(record.Id, record.Time, record.Data, length))) {
    case TLogAppendResult::Written:
        ++RecordsInFile;
        break;
    case TLogAppendResult::CannotOpen:
        AddMemoLine("Cannot open log file.");
        break;
    case TLogAppendResult::CannotWrite:
        AddMemoLine("Cannot write log:" + LogFileName);
        break;
    }
}

void TForm1::CheckBox4Click(TObject*) {
    const bool logging = CheckBox4->Checked();
    F1->SetEnabled(!logging);
    if (logging) RecordsInFile = RecordsPerFile;
    // A file no longer written is let go: other programs may then move or delete it.
    else FDataLog.Close();
}

// ---- the serial bridge ------------------------------------------------------------------------

void TForm1::CheckBox3Click(TObject*) {
    if (CheckBox3->Checked()) OpenComBridge();
    else CloseComBridge();
}

void TForm1::OpenComBridge() {
    ComHandle = OpenComPort(ComPortNo);
    if (ComHandle == INVALID_HANDLE_VALUE) {
        AddMemoLine("打开串口失败。");
        CheckBox3->SetChecked(false);
        return;
    }
    PrepareComQueues(ComHandle, BaudRate);
    if (!SetComLine(ComHandle, BaudRate, DataBits, Parity, StopBits)) {
        AddMemoLine("设置串口属性时出错。");
        CloseComPort(ComHandle);
        return;
    }
    if (!WatchComInput(ComHandle)) {
        AddMemoLine("配置串口事件时出错。");
        CloseComPort(ComHandle);
        return;
    }
    ComOpen = 1;
    N9->SetEnabled(false);
    RadioButton2->SetChecked(true);
    RadioButton1->SetEnabled(false);
    Edit1->SetEnabled(false);
    BtnSend->SetEnabled(false);
    Timer2->SetEnabled(true);
    AddMemoLine("串口已打开。");
}

void TForm1::CloseComBridge() {
    CloseComPort(ComHandle);
    Timer2->SetEnabled(false);
    N9->SetEnabled(true);
    AddMemoLine("串口已关闭。");
    ComOpen = 0;
    RadioButton1->SetEnabled(true);
    Edit1->SetEnabled(true);
    BtnSend->SetEnabled(true);
}

// After the service stops, ComOpen stays 1 while the handle is gone: nothing may touch it then.
bool TForm1::ComBridgeUsable() const { return ComOpen == 1 && ComHandle != INVALID_HANDLE_VALUE; }

void TForm1::Timer2Timer(TObject*) {
    if (!ComBridgeUsable()) return;
    std::uint8_t input[1024];
    const std::size_t length = ReadQueuedComInput(ComHandle, input, sizeof input);
    if (length == 0) return;
    // Edit1 shows the bytes as text (a NUL ends it there); the terminal gets every byte read.
    Edit1->SetText(FieldText(reinterpret_cast<const char*>(input), length));
    if (!Edit2->Text().empty()) {
        SendToTerminal(std::vector<std::uint8_t>(input, input + length));
        NoteSend();
    }
    Edit1->SetText("从串口发送数据：");
}

// ---- indicator lights -------------------------------------------------------------------------

void TForm1::ShowLightPattern(const std::string& text) {
    TLightPattern pattern;
    if (!LightPatternOf(text, pattern)) return;
    for (int number = 1; number <= LightCount; ++number) {
        const TLightState state = pattern[static_cast<std::size_t>(number - 1)];
        SetLight(number, state == TLightState::On ? OnColor : state == TLightState::Off ? OffColor : ErrorColor);
    }
    DisplayChanged();
}

void TForm1::StepRunningLight() {
    for (int number = 1; number <= LightCount; ++number) SetLight(number, number == LightMode ? RunningLightColor : Panel1->Color());
    LightMode = NextRunningLightPosition(LightMode);
    DisplayChanged();
}
