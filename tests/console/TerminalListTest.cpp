// The terminal list: an owner-data list view whose rows and cell texts come from the rows the
// console keeps, changed row by row as terminals come and go, the same as a full rebuild, with
// the chosen terminal kept chosen and detached from its row.
#include "ConsoleFixture.h"

#include <commctrl.h>

#include "components/SysUtils.h"

namespace {

class TerminalList : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        CreateConsole();
        StartService();
    }

    HWND List() { return form->ListView1->Handle(); }
    int WindowRows() { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

    // What the list view's window shows, row by row, every column.
    std::vector<std::string> Shown() {
        std::vector<std::string> rows;
        for (int row = 0; row < WindowRows(); ++row) {
            std::string line;
            for (int column = 0; column < 6; ++column) {
                char text[128] = {0};
                LVITEMA item{};
                item.iSubItem = column;
                item.pszText = text;
                item.cchTextMax = sizeof text;
                SendMessageA(List(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
                line += (column ? "|" : "") + std::string(text);
            }
            rows.push_back(line);
        }
        return rows;
    }

    std::vector<std::string> Ids() {
        std::vector<std::string> ids;
        for (int i = 0; i < form->ListView1->Items()->Count(); ++i) ids.push_back(form->ListView1->Items()->Item(i)->Caption());
        return ids;
    }

    int SelectedRow() { return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }

    void LogOut(DtuTerminal& terminal, int rowsAfter) {
        ASSERT_TRUE(terminal.sendLogout());
        ASSERT_TRUE(PumpUntil([&] { return WindowRows() == rowsAfter; })) << "logout of " << terminal.id();
    }

    std::unique_ptr<DtuTerminal> Login(const std::string& id, std::uint32_t address) { return LoginTerminal(id, address, 7000); }
};

}  // namespace

TEST_F(TerminalList, TheWindowKeepsNoRowsAndShowsTheCellsOfTheRowsKept) {
    EXPECT_TRUE(GetWindowLongA(List(), GWL_STYLE) & LVS_OWNERDATA);
    auto a = Login("13800000001", 0x0A000001);
    auto b = Login("13800000002", 0xC0A80102);
    ASSERT_EQ(WindowRows(), 2);
    TListItem* row = form->ListView1->Items()->Item(1);
    const std::string loginTime = row->SubItems()->Get(2);
    EXPECT_EQ(loginTime.size(), 19u);
    EXPECT_EQ(Shown()[1], "13800000002|192.168.1.2|7000|" + loginTime + "|127.0.0.1|" + std::to_string(b->localPort()));
    EXPECT_EQ(Shown()[0].substr(0, 21), "13800000001|10.0.0.1|");
    EXPECT_EQ(form->ListView1->Items()->Item(0)->SubItems()->Get(5), "0") << "the seventh value";
    EXPECT_THROW(form->ListView1->Items()->Item(2), EListError);
}

TEST_F(TerminalList, RowsChangedOneByOneMatchAFullRebuild) {
    std::vector<std::unique_ptr<DtuTerminal>> terminals;
    for (int i = 0; i < 5; ++i) terminals.push_back(Login("1380000000" + std::to_string(i), 0x0A000001u + static_cast<unsigned>(i)));
    LogOut(*terminals[1], 4);
    LogOut(*terminals[3], 3);
    // A new terminal takes a slot freed in the middle; one coming again keeps its place.
    auto late = Login("13900000009", 0x0A0000FF);
    ASSERT_EQ(WindowRows(), 4);
    ASSERT_TRUE(terminals[2]->sendLogin());
    ASSERT_TRUE(PumpUntil([&] {
        int logins = 0;
        for (const std::string& line : MemoLines()) logins += line.find("用户 ID: 13800000002 登录") == 0;
        return logins == 2;
    }));

    const auto incremental = Shown();
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(Shown(), incremental) << "what the 30-second refresh finds";
    EXPECT_EQ(Ids(), (std::vector<std::string>{"13800000000", "13900000009", "13800000002", "13800000004"})) << "in slot order";
}

TEST_F(TerminalList, TheChosenTerminalStaysChosenAsRowsMoveAndIsDetachedFromItsRow) {
    auto a = Login("13800000001", 0x0A000001);
    auto b = Login("13800000002", 0x0A000002);
    auto c = Login("13800000003", 0x0A000003);
    form->ListView1->Items()->Item(2)->SetSelected(true);
    form->ListView1Click(form->ListView1);
    EXPECT_EQ(form->Edit2->Text(), "13800000003");

    LogOut(*a, 2);
    EXPECT_EQ(SelectedRow(), 1) << "the chosen terminal moved up a row";
    ASSERT_NE(form->ListView1->Selected(), nullptr);
    EXPECT_EQ(form->ListView1->Selected()->Caption(), "13800000003");

    auto d = Login("13800000004", 0x0A000004);  // takes the first slot, before the chosen one
    EXPECT_EQ(form->ListView1->Selected()->Caption(), "13800000003");

    ClickControl(form->ToolButton3);
    verrin::Frame close;
    ASSERT_TRUE(c->receiveType(verrin::FrameType::Close, close, 2000));
    EXPECT_EQ(Ids(), (std::vector<std::string>{"13800000004", "13800000002"}));
    EXPECT_EQ(SelectedRow(), -1) << "the detached row took its choice with it";
    EXPECT_EQ(form->ListView1->Selected(), nullptr);
}

TEST_F(TerminalList, StoppingEmptiesTheListAndASecondStartListsAgain) {
    auto a = Login("13800000001", 0x0A000001);
    StopService();
    EXPECT_EQ(WindowRows(), 0);
    EXPECT_EQ(form->ListView1->Items()->Count(), 0);
    StartService();
    auto b = Login("13800000002", 0x0A000002);
    EXPECT_EQ(Ids(), (std::vector<std::string>{"13800000002"}));
}
