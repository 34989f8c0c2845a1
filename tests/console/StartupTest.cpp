// Start-up: the protocol question, the start mode from the settings file, starting the service.
#include "ConsoleFixture.h"

#include "SettingsFile.h"
#include "components/TForm.h"
#include "fmBootSetting.h"

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string StatusText(TForm1* form) { return (*form->StatusBar1->Panels())[1]->Text(); }

}  // namespace

using Startup = ConsoleTest;

TEST_F(Startup, TheProtocolQuestionIsAskedAndYesServesUdp) {
    TDialogWatch question = AnswerMessageBox("Yes");
    form.reset(NewForm<TForm1>(nullptr));
    Form1 = form.get();
    ASSERT_TRUE(question->Seen);
    EXPECT_EQ(question->Caption, "确认");
    EXPECT_EQ(question->Text, "是否以 UDP 协议启动服务程序？\r\r是 = UDP, 否 = TCP");
    EXPECT_EQ(form->Protocol, 0);
    EXPECT_EQ(form->Caption(), "GPRS/CDMA 数据中心演示程序2009-1-6 - UDP");
}

TEST_F(Startup, NoServesTcpAndTerminalsThenComeOverTcp) {
    CreateConsole(DtuProtocol::Tcp);
    EXPECT_EQ(form->Protocol, 1);
    EXPECT_TRUE(EndsWith(form->Caption(), " - TCP")) << form->Caption();
    StartService();
    auto terminal = LoginTerminal("13900000001");
    SendFromTerminal(*terminal, Bytes("over tcp"));
    EXPECT_EQ(LastMemoLine(), "接收的数据: over tcp");
}

TEST_F(Startup, ManualStartWaitsForTheStartButton) {
    CreateConsole();
    EXPECT_FALSE(ServiceRunning());
    EXPECT_TRUE(form->ToolButton1->Enabled());
    EXPECT_TRUE(form->N2->Enabled());
    EXPECT_FALSE(form->N3->Enabled());
    EXPECT_FALSE(form->ToolButton3->Enabled());
    EXPECT_TRUE(MemoLines().empty());

    StartService();
    EXPECT_EQ(LastMemoLine().find("GPRS/CDMA 服务已启动"), 0u) << "the library's status text";
    EXPECT_FALSE(form->ToolButton1->Enabled());
    EXPECT_FALSE(form->N2->Enabled());
    EXPECT_TRUE(form->N3->Enabled());
    EXPECT_TRUE(form->ToolButton3->Enabled());
    EXPECT_FALSE(form->T1->Enabled()) << "always-on-top is locked while the library holds the window";
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(StatusText(form.get()), "服务运行");
    EXPECT_EQ(form->Panel2->Caption(), "0");
    EXPECT_EQ(form->LabelSendCount->Caption(), "发送计数: 0");
}

TEST_F(Startup, AutomaticStartServesAsSoonAsTheFormIsShown) {
    WriteStartMode(StartAutomatic);
    CreateConsole();
    EXPECT_EQ(form->StartMode, 1);
    EXPECT_TRUE(ServiceRunning());
    auto terminal = LoginTerminal("13900000002");
    EXPECT_EQ(form->ListView1->Items()->Count(), 1);
}

TEST_F(Startup, APortThatIsTakenLeavesTheServiceStoppedAndReadyToRetry) {
    CreateConsole();
    SOCKET blocker = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(form->ListenPort));
    ASSERT_EQ(bind(blocker, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ClickControl(form->ToolButton1);
    closesocket(blocker);
    EXPECT_EQ(LastMemoLine(), "启动 GPRS/CDMA 服务失败。");
    EXPECT_FALSE(ServiceRunning());
    EXPECT_TRUE(form->ToolButton1->Enabled());
    StartService();
}

TEST_F(Startup, TheStartModeDialogStoresTheModeAndTheNextStartFollowsIt) {
    CreateConsole();
    TDialogWatch dialog = WhenFormShown<TFStart>("TFStart", [](TFStart* d) {
        EXPECT_TRUE(d->RadioButton1->Checked()) << "opens on the stored manual mode";
        EXPECT_EQ(d->Caption(), "启动设置");
        ClickControl(d->RadioButton2);
        ClickControl(d->Button1);
    });
    ChooseMenuItem(form.get(), form->N14);
    ASSERT_TRUE(dialog->Seen);
    EXPECT_EQ(form->StartMode, 1);
    char value[16] = {0};
    GetPrivateProfileStringA("SYSTEM", "m_iStartType", "", value, sizeof value, SettingsFilePath().c_str());
    EXPECT_STREQ(value, "1");
    EXPECT_FALSE(ServiceRunning()) << "it takes effect at the next start";

    DestroyConsole();
    CreateConsole();
    EXPECT_TRUE(ServiceRunning());

    dialog = WhenFormShown<TFStart>("TFStart", [](TFStart* d) {
        EXPECT_TRUE(d->RadioButton2->Checked());
        ClickControl(d->RadioButton1);
        ClickControl(d->Button2);
    });
    ChooseMenuItem(form.get(), form->N14);
    EXPECT_EQ(form->StartMode, 1) << "Cancel changes nothing";
    dialog = WhenFormShown<TFStart>("TFStart", [](TFStart* d) {
        ClickControl(d->RadioButton1);
        ClickControl(d->Button1);
    });
    ChooseMenuItem(form.get(), form->N14);
    EXPECT_EQ(ReadStartMode(), 2);
    DestroyConsole();
    CreateConsole();
    EXPECT_FALSE(ServiceRunning());
}

TEST_F(Startup, AStartModeThatCannotBeStoredIsSaidAndTheDialogStaysOpen) {
    CreateConsole();
    // A folder where the settings file should be: it cannot be written.
    DeleteFileA(SettingsFilePath().c_str());
    ASSERT_TRUE(CreateDirectoryA(SettingsFilePath().c_str(), nullptr));
    TDialogWatch error;
    bool stillOpen = false;
    TDialogWatch dialog = WhenFormShown<TFStart>("TFStart", [&](TFStart* d) {
        ClickControl(d->RadioButton2);
        error = AnswerMessageBox("OK");
        ClickControl(d->Button1);
        stillOpen = FindThreadWindow("TFStart") != nullptr;
        ClickControl(d->Button2);
    });
    ChooseMenuItem(form.get(), form->N14);
    RemoveDirectoryA(SettingsFilePath().c_str());
    ASSERT_TRUE(dialog->Seen);
    ASSERT_TRUE(error && error->Seen) << "the user is told";
    EXPECT_EQ(error->Caption, "错误");
    EXPECT_NE(error->Text.find(SettingsFilePath()), std::string::npos) << error->Text;
    EXPECT_TRUE(stillOpen) << "the dialog did not close as if it had stored the choice";
    EXPECT_EQ(form->StartMode, StartManual) << "the choice not stored is not taken";
}
