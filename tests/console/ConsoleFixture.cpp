#include "ConsoleFixture.h"

#include <algorithm>

#include "SettingsFile.h"
#include "components/SysUtils.h"
#include "components/TApplication.h"

void ConsoleTest::SetUp() {
    static const bool started = [] {
        WSADATA wsa;
        return WSAStartup(MAKEWORD(2, 2), &wsa) == 0;
    }();
    ASSERT_TRUE(started);
    PrepareApplication();
    Application->SetTitle("SABLINK");
    ReportedErrors().clear();
    folder = MakeTempFolder();
    ASSERT_FALSE(folder.empty());
    DeleteFileA(SettingsFilePath().c_str());
    WriteStartMode(StartManual);
}

void ConsoleTest::TearDown() {
    DestroyConsole();
    RemoveFolder(folder);
    DeleteFileA(SettingsFilePath().c_str());
    EXPECT_TRUE(ReportedErrors().empty()) << ReportedErrors().front();
}

void ConsoleTest::CreateConsole(DtuProtocol wanted) {
    protocol = wanted;
    TDialogWatch question = AnswerMessageBox(wanted == DtuProtocol::Udp ? "Yes" : "No");
    form.reset(NewForm<TForm1>(nullptr));
    Form1 = form.get();
    ASSERT_TRUE(question->Seen) << "the protocol question";
    form->LogDir = folder;
    form->ListenPort = FreePort(wanted == DtuProtocol::Tcp);
    form->Show();
    PumpMessages(20);
}

void ConsoleTest::DestroyConsole() {
    if (!form) return;
    if (ServiceRunning()) {
        char status[256];
        do_close_all_user(status);
        stop_gprs_server(status);
    }
    form.reset();
    Form1 = nullptr;
}

void ConsoleTest::StartService() {
    ClickControl(form->ToolButton1);
    ASSERT_TRUE(ServiceRunning()) << LastMemoLine();
}

void ConsoleTest::StopService() {
    TDialogWatch question = AnswerMessageBox("Yes");
    ClickControl(form->ToolButton2);
    ASSERT_TRUE(question->Seen);
    ASSERT_FALSE(ServiceRunning());
}

std::unique_ptr<DtuTerminal> ConsoleTest::LoginTerminal(const std::string& id, std::uint32_t mobileAddress, std::uint16_t mobilePort) {
    auto terminal = std::make_unique<DtuTerminal>(protocol, id, mobileAddress, mobilePort);
    EXPECT_TRUE(terminal->connect("127.0.0.1", static_cast<std::uint16_t>(form->ListenPort)));
    EXPECT_TRUE(terminal->sendLogin());
    verrin::Frame reply;
    EXPECT_TRUE(terminal->receiveType(verrin::FrameType::LoginReply, reply, 3000));
    EXPECT_TRUE(PumpUntil([&] {
        const auto lines = MemoLines();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.find("用户 ID: " + id + " 登录") == 0; });
    })) << "login of " << id << " shown";
    return terminal;
}

int ConsoleTest::EventCount() const { return StrToIntDef(form->Panel2->Caption(), -1); }

void ConsoleTest::SendFromTerminal(DtuTerminal& terminal, const std::vector<std::uint8_t>& data) {
    const int before = EventCount();
    ASSERT_TRUE(terminal.sendData(data));
    ASSERT_TRUE(PumpUntil([&] { return EventCount() == before + 1; })) << "data event counted";
}

std::vector<std::uint8_t> ConsoleTest::ReceiveHostData(DtuTerminal& terminal, DWORD timeoutMs) {
    // The console works on this very thread: keep its messages flowing while waiting.
    std::deque<std::vector<std::uint8_t>>& pending = hostData[&terminal];
    const DWORD end = GetTickCount() + timeoutMs;
    while (pending.empty()) {
        std::vector<verrin::Frame> frames;
        terminal.drain(frames);
        for (const verrin::Frame& frame : frames)
            if (frame.type == static_cast<std::uint8_t>(verrin::FrameType::HostData)) pending.push_back(frame.payload);
        if (!pending.empty()) break;
        if (static_cast<int>(end - GetTickCount()) <= 0) return {};
        PumpMessages(5);
    }
    std::vector<std::uint8_t> data = std::move(pending.front());
    pending.pop_front();
    return data;
}

std::vector<std::string> ConsoleTest::MemoLines() const {
    std::vector<std::string> lines;
    TStrings* memo = form->Memo1->Lines();
    for (int i = 0; i < memo->Count(); ++i) lines.push_back(memo->Get(i));
    return lines;
}

std::string ConsoleTest::LastMemoLine() const {
    const auto lines = MemoLines();
    return lines.empty() ? std::string() : lines.back();
}

bool ConsoleTest::MemoHas(const std::string& line) const {
    const auto lines = MemoLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void ConsoleWithTerminalTest::SetUp() {
    ConsoleTest::SetUp();
    CreateConsole();
    StartService();
    terminal = LoginTerminal("13800000001");
}
