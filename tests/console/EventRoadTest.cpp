// The event road: logins, the terminal list, data events in the memo, the memo's line limit,
// the display switch and the event counter.
#include "ConsoleFixture.h"

#include <commctrl.h>

#include <cstring>

#include "DataConvert.h"

namespace {

class EventRoad : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        CreateConsole();
        StartService();
    }

    std::vector<std::string> Row(int index) {
        TListItem* row = form->ListView1->Items()->Item(index);
        std::vector<std::string> cells{row->Caption()};
        for (int i = 0; i < row->SubItems()->Count(); ++i) cells.push_back(row->SubItems()->Get(i));
        return cells;
    }

    // What the list view's window itself shows in a cell.
    std::string ShownCell(int row, int column) {
        char text[128] = {0};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(form->ListView1->Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
};

}  // namespace

TEST_F(EventRoad, ALoginShowsItsLineAndTheTerminalInTheList) {
    auto terminal = LoginTerminal("13800000001", 0xC0A80001, 7001);
    const auto lines = MemoLines();
    ASSERT_EQ(lines.size(), 2u);
    const std::string login = lines[1];
    const std::string prefix = "用户 ID: 13800000001 登录，时间: ";
    EXPECT_EQ(login.substr(0, prefix.size()), prefix);
    EXPECT_EQ(login.size(), prefix.size() + 19 + 1) << "the library's time text, then a blank: " << login;
    EXPECT_EQ(EventCount(), 0) << "a login is no data event";

    ASSERT_EQ(form->ListView1->Items()->Count(), 1);
    const auto row = Row(0);
    ASSERT_EQ(row.size(), 7u) << "six columns and a seventh value";
    EXPECT_EQ(row[0], "13800000001");
    EXPECT_EQ(row[1], "192.168.0.1");
    EXPECT_EQ(row[2], "7001");
    EXPECT_EQ(row[3], login.substr(prefix.size(), 19)) << "login time";
    EXPECT_EQ(row[4], "127.0.0.1");
    EXPECT_EQ(row[5], std::to_string(terminal->localPort()));
    EXPECT_EQ(row[6], "0");
    EXPECT_EQ(ShownCell(0, 1), "192.168.0.1");
    EXPECT_EQ(ShownCell(0, 5), std::to_string(terminal->localPort()));
    EXPECT_EQ(form->ListView1->Columns()->Count(), 6);
}

TEST_F(EventRoad, ABurstOfLoginsEndsWithEveryLoginShownInOrderAndEveryTerminalListed) {
    std::vector<std::unique_ptr<DtuTerminal>> terminals;
    for (int i = 0; i < 30; ++i) {
        terminals.push_back(std::make_unique<DtuTerminal>(protocol, "1380000" + std::to_string(1000 + i)));
        ASSERT_TRUE(terminals.back()->connect("127.0.0.1", static_cast<std::uint16_t>(form->ListenPort)));
        ASSERT_TRUE(terminals.back()->sendLogin());
    }
    ASSERT_TRUE(PumpUntil([&] { return form->ListView1->Items()->Count() == 30; }));
    PumpMessages(50);
    std::vector<std::string> logins;
    for (const std::string& line : MemoLines())
        if (line.find(" 登录，时间: ") != std::string::npos) logins.push_back(line.substr(std::string("用户 ID: ").size(), 11));
    ASSERT_EQ(logins.size(), 30u);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(logins[static_cast<std::size_t>(i)], "1380000" + std::to_string(1000 + i)) << "in arrival order";
}

TEST_F(EventRoad, TheListIsRebuiltByItsTimerAndAfterEventsWithoutData) {
    auto first = LoginTerminal("13800000001");
    auto second = LoginTerminal("13800000002");
    ASSERT_EQ(form->ListView1->Items()->Count(), 2);
    second->sendLogout();
    ASSERT_TRUE(PumpUntil([&] { return form->ListView1->Items()->Count() == 1; })) << "a logout is an event without data";
    EXPECT_EQ(Row(0)[0], "13800000001");

    // The library itself still lists the terminal after the row was removed by hand; the
    // 30-second refresh puts it back.
    form->ListView1->Items()->Clear();
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->ListView1->Items()->Count(), 1);
    EXPECT_EQ(form->Timer1->Interval(), 30000u);
}

TEST_F(EventRoad, DataEventsShowAHeaderAndTheDataAsTextOrHex) {
    auto terminal = LoginTerminal("13800000001");
    SendFromTerminal(*terminal, Bytes("hello 数据"));
    auto lines = MemoLines();
    ASSERT_GE(lines.size(), 2u);
    const std::string header = lines[lines.size() - 2];
    const std::string prefix = "用户 ID: 13800000001   接收时间: ";
    EXPECT_EQ(header.substr(0, prefix.size()), prefix);
    EXPECT_EQ(header.substr(prefix.size() + 19), "  数据长度: 10");
    EXPECT_EQ(lines.back(), "接收的数据: hello 数据");

    ClickControl(form->CheckBox1);
    SendFromTerminal(*terminal, {0x00, 0x41, 0xFF});
    EXPECT_EQ(LastMemoLine(), "接收的数据: 00 41 FF ");

    ClickControl(form->CheckBox1);
    SendFromTerminal(*terminal, {'a', 'b', 0x00, 'c'});
    EXPECT_EQ(LastMemoLine(), "接收的数据: ab") << "as text the data end at a NUL";
    EXPECT_EQ(EventCount(), 3);
}

TEST_F(EventRoad, TheMemoIsEmptiedAtTwoHundredLinesByDataEventsOnly) {
    auto terminal = LoginTerminal("13800000001");
    // The status line and the login, then two lines per event.
    for (int i = 0; i < 99; ++i) {
        ASSERT_TRUE(terminal->sendData(Bytes("packet " + std::to_string(i))));
        if (i % 10 == 9) Sleep(5);
    }
    ASSERT_TRUE(PumpUntil([&] { return EventCount() == 99; }));
    ASSERT_EQ(MemoLines().size(), 200u);

    auto again = LoginTerminal("13800000002");
    EXPECT_EQ(MemoLines().size(), 201u) << "a login line never empties the memo";
    form->Edit2->SetText("13800000002");
    form->Edit1->SetText("x");
    ClickControl(form->BtnSend);
    EXPECT_EQ(MemoLines().size(), 202u) << "nor does a send line";

    SendFromTerminal(*terminal, Bytes("the next"));
    const auto lines = MemoLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "接收的数据: the next");
    EXPECT_EQ(EventCount(), 100);
}

TEST_F(EventRoad, WithTheDisplayOffDataIsCountedAndLoggedButNotShownNorLit) {
    form->LightMode = 0;
    form->ShowLightPattern("gggg");
    ClickControl(form->CheckBox4);
    auto terminal = LoginTerminal("13800000001");
    ChooseMenuItem(form.get(), form->N13);
    ASSERT_FALSE(form->N13->Checked());
    const std::size_t before = MemoLines().size();
    SendFromTerminal(*terminal, Bytes("0F0f"));
    EXPECT_EQ(MemoLines().size(), before);
    EXPECT_EQ(form->Light(1)->Brush()->Color(), form->ErrorColor) << "lights unchanged";
    EXPECT_EQ(EventCount(), 1);
    const auto logs = FilesIn(folder, "*.log");
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_NE(ReadFileBytes(folder + "\\" + logs[0]).find("DATA：30 46 30 66 \r\n"), std::string::npos);

    ChooseMenuItem(form.get(), form->N13);
    EXPECT_TRUE(form->N13->Checked());
    SendFromTerminal(*terminal, Bytes("0F0f"));
    EXPECT_EQ(MemoLines().size(), before + 2);
    EXPECT_EQ(form->Light(1)->Brush()->Color(), form->OffColor);
}

TEST_F(EventRoad, TheReplyBoxAcknowledgesDataToTheTerminal) {
    auto terminal = LoginTerminal("13800000001");
    SendFromTerminal(*terminal, Bytes("no ack"));
    ClickControl(form->CheckBox2);
    SendFromTerminal(*terminal, Bytes("ack me"));
    verrin::Frame ack;
    ASSERT_TRUE(terminal->receiveType(verrin::FrameType::DataAck, ack, 2000));
    EXPECT_EQ(ack.sequence, terminal->lastDataSequence()) << "only the second packet is acknowledged";
}

TEST_F(EventRoad, ARecordLongerThanItsDataFieldIsReadOnlyToTheFieldsEnd) {
    ClickControl(form->CheckBox1);
    ClickControl(form->CheckBox4);
    TUserDataRecord record{};
    std::memcpy(record.Id, "13800000009", 11);
    std::memcpy(record.Time, "2009-01-06 10:20:30", 19);
    std::memset(record.Data, 0xAB, sizeof record.Data);
    record.DataLength = 0xFFFF;
    record.Kind = LINK_EVENT_DATA;
    form->HandleLinkRecord(record);

    EXPECT_NE(MemoLines()[MemoLines().size() - 2].find("数据长度: 1024"), std::string::npos);
    EXPECT_EQ(LastMemoLine().size(), std::string("接收的数据: ").size() + 3 * 1024);
    const auto logs = FilesIn(folder, "*.log");
    ASSERT_EQ(logs.size(), 1u);
    const std::string log = ReadFileBytes(folder + "\\" + logs[0]);
    EXPECT_NE(log.find("DATA_LENGTH：1024\r\n"), std::string::npos);
    EXPECT_EQ(log.size() - log.find("DATA：") - std::string("DATA：").size(), 3u * 1024 + 2);
}

TEST_F(EventRoad, MessagesWithoutAPendingEventChangeNothing) {
    auto terminal = LoginTerminal("13800000001");
    const auto lines = MemoLines();
    for (int i = 0; i < 3; ++i) SendMessageA(form->Handle(), WM_LINKEVENT, 0, 0);
    EXPECT_EQ(MemoLines(), lines);
    EXPECT_EQ(form->ListView1->Items()->Count(), 1);
    EXPECT_EQ(EventCount(), 0);
}
