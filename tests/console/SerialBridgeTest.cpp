// The serial bridge over a pseudo-terminal pair: the console holds one end as a COM port, the
// test the other.
#include "ConsoleFixture.h"

namespace {

using ByteList = std::vector<std::uint8_t>;

class SerialBridge : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        if (!FirstSerialPair(consolePort, testPort)) GTEST_SKIP() << "no serial pair (run with --serial 1)";
        const std::string name = "\\\\.\\COM" + std::to_string(testPort);
        peer = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(peer, INVALID_HANDLE_VALUE);
        COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, 1000};
        SetCommTimeouts(peer, &timeouts);
        CreateConsole();
        form->ComPortNo = consolePort;
        StartService();
        terminal = LoginTerminal("13800000001");
        form->Edit2->SetText("13800000001");
    }

    void TearDown() override {
        ConsoleTest::TearDown();
        if (peer != INVALID_HANDLE_VALUE) CloseHandle(peer);
    }

    void OpenBridge() {
        ClickControl(form->CheckBox3);
        ASSERT_EQ(form->ComOpen, 1) << LastMemoLine();
    }

    // What reaches the test's end of the pair within the time.
    ByteList ReadPeer(std::size_t wanted, int timeoutMs = 2000) {
        ByteList bytes;
        const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
        while (bytes.size() < wanted && static_cast<int>(end - GetTickCount()) > 0) {
            std::uint8_t buffer[2048];
            DWORD read = 0;
            if (ReadFile(peer, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.insert(bytes.end(), buffer, buffer + read);
            else PumpMessages(10);
        }
        return bytes;
    }

    void WritePeer(const ByteList& bytes) {
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(peer, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        ASSERT_EQ(written, bytes.size());
    }

    DWORD QueuedAtConsole() {
        DWORD errors = 0;
        COMSTAT status{};
        ClearCommError(form->ComHandle, &errors, &status);
        return status.cbInQue;
    }

    int consolePort = 0;
    int testPort = 0;
    HANDLE peer = INVALID_HANDLE_VALUE;
    std::unique_ptr<DtuTerminal> terminal;
};

}  // namespace

TEST_F(SerialBridge, OpeningTakesThePortAndLocksTheSendControls) {
    form->BaudRate = 9600;
    form->DataBits = 5;
    form->Parity = ODDPARITY;
    form->StopBits = ONESTOPBIT;
    ClickControl(form->RadioButton1);
    OpenBridge();
    EXPECT_EQ(LastMemoLine(), "串口已打开。");
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(GetCommState(form->ComHandle, &dcb));
    // A pseudo-terminal keeps the speed; byte size and parity it does not report back.
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_FALSE(form->N9->Enabled());
    EXPECT_TRUE(form->RadioButton2->Checked()) << "text is chosen";
    EXPECT_FALSE(form->RadioButton1->Enabled());
    EXPECT_FALSE(form->Edit1->Enabled());
    EXPECT_FALSE(form->BtnSend->Enabled());
    EXPECT_TRUE(form->Timer2->Enabled());
    EXPECT_EQ(form->Timer2->Interval(), 100u);

    ClickControl(form->CheckBox3);
    EXPECT_EQ(LastMemoLine(), "串口已关闭。");
    EXPECT_EQ(form->ComOpen, 0);
    EXPECT_TRUE(form->N9->Enabled());
    EXPECT_TRUE(form->RadioButton1->Enabled());
    EXPECT_TRUE(form->Edit1->Enabled());
    EXPECT_TRUE(form->BtnSend->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
}

TEST_F(SerialBridge, ReceivedDataGoesOutOfThePortWhateverIsShown) {
    OpenBridge();
    SendFromTerminal(*terminal, Bytes("to the port"));
    EXPECT_EQ(ReadPeer(11), Bytes("to the port"));
    ChooseMenuItem(form.get(), form->N13);
    SendFromTerminal(*terminal, {0x00, 0x01, 0xFE});
    EXPECT_EQ(ReadPeer(3), (ByteList{0x00, 0x01, 0xFE})) << "forwarded with the display off";
}

TEST_F(SerialBridge, BytesAtThePortGoToTheTerminalAtMost1024APoll) {
    OpenBridge();
    form->Timer2->SetEnabled(false);
    ByteList input(1500);
    for (std::size_t i = 0; i < input.size(); ++i) input[i] = static_cast<std::uint8_t>(i * 7);  // NULs and all
    WritePeer(input);
    ASSERT_TRUE(PumpUntil([&] { return QueuedAtConsole() == 1500; })) << QueuedAtConsole();
    form->Timer2->SetEnabled(true);

    const ByteList first = ReceiveHostData(*terminal);
    const ByteList second = ReceiveHostData(*terminal);
    EXPECT_EQ(first, ByteList(input.begin(), input.begin() + 1024));
    EXPECT_EQ(second, ByteList(input.begin() + 1024, input.end()));
    PumpUntil([&] { return form->SendCount == 2; });
    EXPECT_EQ(form->SendCount, 2);
    EXPECT_EQ(form->Edit1->Text(), "从串口发送数据：");
    EXPECT_EQ(LastMemoLine().find("发送数据："), 0u);
    EXPECT_NE(LastMemoLine().find(" 至：13800000001"), std::string::npos);
}

TEST_F(SerialBridge, APortThatCannotBeOpenedIsReportedAndTheBoxUnticked) {
    form->ComPortNo = 99;
    ClickControl(form->CheckBox3);
    const auto lines = MemoLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "打开串口失败。");
    EXPECT_EQ(lines.back(), "串口已关闭。");
    EXPECT_FALSE(form->CheckBox3->Checked());
    EXPECT_EQ(form->ComOpen, 0);
    EXPECT_TRUE(form->BtnSend->Enabled());
}

TEST_F(SerialBridge, LineSettingsTheDriverRefusesCloseThePortAndNothingTouchesIt) {
    form->DataBits = 9;
    ClickControl(form->CheckBox3);
    EXPECT_EQ(LastMemoLine(), "设置串口属性时出错。");
    EXPECT_TRUE(form->CheckBox3->Checked());
    EXPECT_EQ(form->ComOpen, 0);
    EXPECT_EQ(form->ComHandle, INVALID_HANDLE_VALUE);
    SendFromTerminal(*terminal, Bytes("nowhere"));
    EXPECT_TRUE(ReadPeer(1, 300).empty());

    ClickControl(form->CheckBox3);
    EXPECT_EQ(LastMemoLine(), "串口已关闭。");
    form->DataBits = 8;
    OpenBridge();
}

TEST_F(SerialBridge, AfterTheServiceStopsTheClosedHandleIsNeverUsed) {
    OpenBridge();
    StopService();
    EXPECT_EQ(form->ComOpen, 1) << "the box and its state stay";
    EXPECT_TRUE(form->CheckBox3->Checked());
    EXPECT_EQ(form->ComHandle, INVALID_HANDLE_VALUE);

    // Another handle may now have the old value; the bridge must leave it alone.
    StartService();
    terminal = LoginTerminal("13800000001");
    SendFromTerminal(*terminal, Bytes("after the stop"));
    EXPECT_TRUE(ReadPeer(1, 300).empty());
    WritePeer(Bytes("from the port"));
    EXPECT_TRUE(ReceiveHostData(*terminal, 400).empty());

    ClickControl(form->CheckBox3);
    EXPECT_EQ(form->ComOpen, 0);
    OpenBridge();
    PumpMessages(150);
    SendFromTerminal(*terminal, Bytes("open again"));
    const ByteList got = ReadPeer(10);
    const std::string text(got.begin(), got.end());
    EXPECT_NE(text.find("open again"), std::string::npos) << text;
}
