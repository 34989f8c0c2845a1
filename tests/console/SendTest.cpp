// Sending to a terminal (text, hex, bad hex, nothing, on a timer), detaching, the port prompt,
// always-on-top, stopping and closing with their questions.
#include "ConsoleFixture.h"

#include <commctrl.h>

namespace {

class Sending : public ConsoleWithTerminalTest {
protected:
    void SetUp() override {
        ConsoleWithTerminalTest::SetUp();
        form->Edit2->SetText("13800000001");
    }

    void Send(const std::string& text, bool hex) {
        ClickControl(hex ? form->RadioButton1 : form->RadioButton2);
        form->Edit1->SetText(text);
        ClickControl(form->BtnSend);
    }

    // True when the terminal got no host data for a while.
    bool NothingArrives() { return ReceiveHostData(*terminal, 300).empty(); }
};

using ByteList = std::vector<std::uint8_t>;

BOOL CALLBACK CountNotice(HWND window, LPARAM count) {
    if (WindowClassOf(window) == "TMessageForm" && IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

TEST_F(Sending, TextGoesToTheTerminalAndIsNotedAndCounted) {
    Send("hello 终端", false);
    EXPECT_EQ(ReceiveHostData(*terminal), Bytes("hello 终端"));
    EXPECT_EQ(LastMemoLine(), "发送数据：hello 终端 至：13800000001");
    EXPECT_EQ(form->SendCount, 1);
    EXPECT_EQ(form->LabelSendCount->Caption(), "Send: 1");
}

TEST_F(Sending, HexTakesPairsOfDigitsAndDropsAnOddLastOne) {
    Send("0a1B", true);
    EXPECT_EQ(ReceiveHostData(*terminal), (ByteList{0x0A, 0x1B}));
    EXPECT_EQ(LastMemoLine(), "发送数据：0a1B 至：13800000001");
    Send("0a1", true);
    EXPECT_EQ(ReceiveHostData(*terminal), (ByteList{0x0A}));
    EXPECT_EQ(form->SendCount, 2);
}

TEST_F(Sending, ABadHexCharacterIsReportedWithItsPositionAndNothingIsSent) {
    const std::size_t lines = MemoLines().size();
    TDialogWatch notice = AnswerMessageBox("OK");
    Send("0g", true);
    ASSERT_TRUE(notice->Seen);
    EXPECT_EQ(notice->Caption, "SABLINK");
    EXPECT_EQ(notice->Text, "数据字符错误，位置:2\r数据字符应为：0~9、a~f、A~F");
    EXPECT_TRUE(NothingArrives());
    EXPECT_EQ(MemoLines().size(), lines) << "no memo line";
    EXPECT_EQ(form->SendCount, 0);

    notice = AnswerMessageBox("OK");
    Send("0a 1b", true);
    EXPECT_NE(notice->Text.find("位置:3"), std::string::npos) << "blanks are not allowed";
}

TEST_F(Sending, EmptyDataAddsTheMemoLineOnlyAndNoTerminalSendsNothing) {
    Send("", false);
    EXPECT_EQ(LastMemoLine(), "发送数据： 至：13800000001");
    EXPECT_TRUE(NothingArrives());
    EXPECT_EQ(form->SendCount, 0);

    const std::size_t lines = MemoLines().size();
    form->Edit2->SetText("");
    Send("lost", false);
    EXPECT_EQ(MemoLines().size(), lines) << "without a terminal nothing happens";
    EXPECT_TRUE(NothingArrives());
}

TEST_F(Sending, ClickingARowChoosesItsTerminal) {
    form->Edit2->SetText("");
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(form->ListView1->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
    PostMessageA(form->ListView1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(form->ListView1->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(PumpUntil([&] { return form->Edit2->Text() == "13800000001"; }));
}

TEST_F(Sending, AutoSendRepeatsAtTheTypedInterval) {
    PostMessageA(form->EditInterval->Handle(), WM_CHAR, 'x', 0);
    PumpMessages(20);
    EXPECT_EQ(form->EditInterval->Text(), "1000") << "only digits may be typed";
    form->EditInterval->SetText("150");
    EXPECT_EQ(form->TimerAutoSend->Interval(), 150u);

    form->Edit1->SetText("tick");
    ClickControl(form->CheckBoxAutoSend);
    EXPECT_TRUE(form->TimerAutoSend->Enabled());
    const DWORD start = GetTickCount();
    int received = 0;
    while (received < 4 && GetTickCount() - start < 3000) {
        PumpMessages(20);
        std::vector<verrin::Frame> frames;
        terminal->drain(frames);
        for (const auto& f : frames)
            if (f.type == static_cast<std::uint8_t>(verrin::FrameType::HostData) && f.payload == Bytes("tick")) ++received;
    }
    // The terminal's frames are read in batches: a slow round of the loop may bring two at once.
    EXPECT_GE(received, 4);
    EXPECT_GE(GetTickCount() - start, 3 * 150u) << "no faster than the interval";
    ClickControl(form->CheckBoxAutoSend);
    EXPECT_FALSE(form->TimerAutoSend->Enabled());
}

TEST_F(Sending, DetachingClosesTheTerminalAndRebuildsTheList) {
    ASSERT_EQ(form->ListView1->Items()->Count(), 1);
    ClickControl(form->ToolButton3);
    verrin::Frame close;
    ASSERT_TRUE(terminal->receiveType(verrin::FrameType::Close, close, 2000));
    EXPECT_EQ(close.payload, (ByteList{1})) << "detached by the host";
    EXPECT_EQ(form->ListView1->Items()->Count(), 0);
}

TEST_F(Sending, ThePortPromptTakesAnIntegerAndAsksOnceMoreAfterAnythingElse) {
    const int port = form->ListenPort;
    TDialogWatch prompt = AnswerInputBox("6001");
    ChooseMenuItem(form.get(), form->IP1);
    ASSERT_TRUE(prompt->Seen);
    EXPECT_EQ(prompt->Caption, "端口设置");
    EXPECT_EQ(prompt->Text, std::to_string(port)) << "the current port is offered";
    EXPECT_EQ(form->ListenPort, 6001);

    prompt = AnswerInputBox("abc");
    TDialogWatch again;
    RunLater([&] { again = AnswerInputBox("6002"); }, 1);
    ChooseMenuItem(form.get(), form->IP1);
    EXPECT_EQ(form->ListenPort, 6002);
    EXPECT_TRUE(MemoHas("端口号输入有误。"));

    prompt = AnswerInputBox("x");
    RunLater([&] { again = AnswerInputBox("y"); }, 1);
    ChooseMenuItem(form.get(), form->IP1);
    EXPECT_EQ(form->ListenPort, 6002) << "two wrong answers leave the port";
}

TEST_F(Sending, AlwaysOnTopTogglesWhileTheServiceIsStopped) {
    StopService();
    ASSERT_TRUE(form->T1->Enabled());
    ChooseMenuItem(form.get(), form->T1);
    EXPECT_TRUE(form->T1->Checked());
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ChooseMenuItem(form.get(), form->T1);
    EXPECT_FALSE(form->T1->Checked());
    EXPECT_EQ(form->FormStyle(), fsNormal);
    EXPECT_FALSE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(GetMenu(form->Handle()), form->MainMenu1->Handle());
    // The service started afterwards reaches the window as it is now.
    StartService();
    auto again = LoginTerminal("13800000002");
    EXPECT_EQ(form->ListView1->Items()->Count(), 1);
}

TEST_F(Sending, StoppingAsksFirstThenDetachesEveryoneAndStops) {
    TDialogWatch question = AnswerMessageBox("No");
    ClickControl(form->ToolButton2);
    ASSERT_TRUE(question->Seen);
    EXPECT_EQ(question->Text, "确定要停止服务吗？");
    EXPECT_TRUE(ServiceRunning());

    StopService();
    const auto lines = MemoLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].find("已分离全部终端"), 0u);
    EXPECT_EQ(lines.back().find("GPRS/CDMA 服务已停止"), 0u);
    verrin::Frame close;
    ASSERT_TRUE(terminal->receiveType(verrin::FrameType::Close, close, 2000));
    EXPECT_EQ(form->ListView1->Items()->Count(), 0);
    EXPECT_TRUE(form->ToolButton1->Enabled());
    EXPECT_TRUE(form->N2->Enabled());
    EXPECT_FALSE(form->N3->Enabled());
    EXPECT_FALSE(form->ToolButton3->Enabled());
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_TRUE(form->T1->Enabled());
    EXPECT_EQ((*form->StatusBar1->Panels())[1]->Text(), "服务停止");
    StartService();
}

TEST_F(Sending, ClosingAsksAndNoAtTheStopQuestionLeavesTheServiceRunning) {
    TDialogWatch question = AnswerMessageBox("No");
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    PumpUntil([&] { return question->Seen; });
    PumpMessages(50);
    EXPECT_EQ(question->Text, "确定要退出吗？");
    EXPECT_TRUE(IsWindowVisible(form->Handle())) << "No keeps the window";

    TDialogWatch exit = AnswerMessageBox("Yes");
    TDialogWatch stop;
    RunLater([&] { stop = AnswerMessageBox("No"); }, 1);
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return stop && stop->Seen; }));
    PumpMessages(50);
    EXPECT_EQ(stop->Text, "确定要停止服务吗？");
    EXPECT_FALSE(IsWindowVisible(form->Handle())) << "the form closes";
    EXPECT_TRUE(ServiceRunning());
    EXPECT_EQ(get_user_at(0, nullptr), -2) << "the library still serves";
    EXPECT_GT(get_max_user_amount(), 0);
}

TEST_F(Sending, ClosingWithYesTwiceStopsTheService) {
    TDialogWatch exit = AnswerMessageBox("Yes");
    TDialogWatch stop;
    RunLater([&] { stop = AnswerMessageBox("Yes"); }, 1);
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return stop && stop->Seen && !IsWindowVisible(form->Handle()); }));
    EXPECT_FALSE(ServiceRunning());
    EXPECT_EQ(get_max_user_amount(), 0);
}

TEST_F(Sending, BadHexOnAutoSendShowsOneNoticeAndStopsAutoSend) {
    form->EditInterval->SetText("20");
    ClickControl(form->RadioButton1);
    form->Edit1->SetText("0z");
    // The notice stays open long enough for many ticks of the timer; then every notice open is
    // counted before the first is answered.
    int noticesOpen = 0;
    WhenShown("TMessageForm", [&](HWND first, TDialogSeen&) {
        RunLater([&, first] {
            EnumThreadWindows(GetCurrentThreadId(), CountNotice, reinterpret_cast<LPARAM>(&noticesOpen));
            PostMessageA(first, WM_CLOSE, 0, 0);
        }, 400);
    });
    ClickControl(form->CheckBoxAutoSend);
    ASSERT_TRUE(PumpUntil([&] { return noticesOpen > 0 && !FindThreadWindow("TMessageForm"); }));
    EXPECT_EQ(noticesOpen, 1);
    EXPECT_FALSE(form->CheckBoxAutoSend->Checked()) << "auto-send stopped with the notice";
    EXPECT_FALSE(form->TimerAutoSend->Enabled());
    PumpMessages(100);
    EXPECT_EQ(FindThreadWindow("TMessageForm"), nullptr) << "no notice after it";
    EXPECT_TRUE(NothingArrives());
    EXPECT_EQ(form->SendCount, 0);
}
