// The settings dialogs: each opens on the current values, OK stores them, Cancel changes nothing.
#include "ConsoleFixture.h"

#include "components/TScreen.h"
#include "fmAbout.h"
#include "fmAccountManage.h"
#include "fmComSetting.h"
#include "fmFileManage.h"
#include "fmIntervalSetting.h"
#include "fmOtherSetting.h"

namespace {

class SettingsDialogs : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        CreateConsole();
    }

    // Opens the dialog of the menu item; the action runs on it while it is shown.
    template <class TDialog>
    void Open(TMenuItem* item, const std::string& windowClass, std::function<void(TDialog*)> action) {
        TDialogWatch seen = WhenFormShown<TDialog>(windowClass, [action](TDialog* dialog) {
            EXPECT_EQ(dialog->BorderStyle(), bsDialog);
            const int centre = (Screen->Width() - dialog->Width()) / 2;
            // Placed for the system's frame: the skin's frame, a few pixels narrower, keeps the
            // window's left edge where it was.
            EXPECT_NEAR(dialog->Left(), centre, 3) << "centred on the desktop";
            action(dialog);
        });
        ChooseMenuItem(form.get(), item);
        ASSERT_TRUE(seen->Seen) << windowClass;
        EXPECT_EQ(FindThreadWindow(windowClass), nullptr) << "closed";
    }
};

}  // namespace

TEST_F(SettingsDialogs, SerialSettingsStoreTheDriversCodesAndKeepTheChoices) {
    Open<Tfcomset>(form->N9, "Tfcomset", [](Tfcomset* d) {
        EXPECT_EQ(d->Caption(), "串口设置");
        EXPECT_EQ(d->ComboBox1->Text(), "COM1");
        EXPECT_EQ(d->ComboBox2->Text(), "57600");
        EXPECT_EQ(d->ComboBox3->Text(), "NOPARITY");
        EXPECT_EQ(d->ComboBox4->Text(), "8");
        EXPECT_EQ(d->ComboBox5->Text(), "1");
        EXPECT_EQ(d->ComboBox6->Text(), "无");
        EXPECT_FALSE(d->ComboBox6->Enabled());
        d->ComboBox1->SetItemIndex(2);
        d->ComboBox2->SetItemIndex(5);
        d->ComboBox3->SetItemIndex(3);
        d->ComboBox4->SetItemIndex(0);
        d->ComboBox5->SetItemIndex(1);
        ClickControl(d->Button1);
    });
    EXPECT_EQ(form->ComPortNo, 3);
    EXPECT_EQ(form->BaudRate, 9600);
    EXPECT_EQ(form->Parity, 1) << "ODDPARITY";
    EXPECT_EQ(form->DataBits, 5);
    EXPECT_EQ(form->StopBits, 1) << "1.5 stop bits";

    Open<Tfcomset>(form->N9, "Tfcomset", [](Tfcomset* d) {
        EXPECT_EQ(d->ComboBox1->ItemIndex(), 2) << "the choices come back";
        EXPECT_EQ(d->ComboBox3->Text(), "ODDPARITY");
        EXPECT_EQ(d->ComboBox5->Text(), "1.5");
        d->ComboBox3->SetItemIndex(1);
        d->ComboBox5->SetItemIndex(2);
        d->ComboBox4->SetItemIndex(3);
        ClickControl(d->Button1);
    });
    EXPECT_EQ(form->Parity, 3) << "MARKPARITY";
    EXPECT_EQ(form->StopBits, 2);
    EXPECT_EQ(form->DataBits, 8);

    Open<Tfcomset>(form->N9, "Tfcomset", [](Tfcomset* d) {
        d->ComboBox3->SetItemIndex(4);
        d->ComboBox1->SetItemIndex(0);
        ClickControl(d->Button2);
    });
    EXPECT_EQ(form->Parity, 3) << "Cancel changes nothing";
    EXPECT_EQ(form->ComPortNo, 3);
    EXPECT_EQ(form->ParityIndex, 1);
}

TEST_F(SettingsDialogs, LightSettingsSwitchBetweenRunningLightAndPatternColours) {
    // The form takes the lights' panel colour as the error colour when it is made; the skin
    // recolours the panel afterwards. The dialog compares with the panel's colour of the moment.
    form->ErrorColor = form->Panel1->Color();
    Open<Tfotherset>(form->N8, "Tfotherset", [](Tfotherset* d) {
        EXPECT_EQ(d->Caption(), "其它设置");
        EXPECT_EQ(d->ColorBox1->Selected(), 0x00FF00);
        EXPECT_EQ(d->ColorBox2->Selected(), 0x0000FF);
        EXPECT_TRUE(d->CheckBox1->Checked()) << "the error colour is the panel's";
        EXPECT_TRUE(d->CheckBox2->Checked()) << "the running light is on";
        EXPECT_FALSE(d->ColorBox1->Enabled());
        EXPECT_FALSE(d->CheckBox1->Enabled());
        ClickControl(d->CheckBox2);
        EXPECT_TRUE(d->ColorBox1->Enabled());
        EXPECT_TRUE(d->CheckBox1->Enabled());
        EXPECT_FALSE(d->ColorBox3->Enabled()) << "still the panel's colour";
        ClickControl(d->CheckBox1);
        EXPECT_TRUE(d->ColorBox3->Enabled());
        d->ColorBox1->SetSelected(clYellow);
        d->ColorBox2->SetSelected(clNavy);
        d->ColorBox3->SetSelected(clWhite);
        ClickControl(d->Button1);
    });
    EXPECT_EQ(form->LightMode, 0);
    EXPECT_EQ(form->OnColor, clYellow);
    EXPECT_EQ(form->OffColor, clNavy);
    EXPECT_EQ(form->ErrorColor, clWhite);

    form->LightMode = 0;
    Open<Tfotherset>(form->N8, "Tfotherset", [](Tfotherset* d) {
        EXPECT_FALSE(d->CheckBox1->Checked());
        EXPECT_EQ(d->ColorBox3->Selected(), clWhite);
        EXPECT_FALSE(d->CheckBox2->Checked());
        ClickControl(d->CheckBox1);
        ClickControl(d->CheckBox2);
        ClickControl(d->Button2);
    });
    EXPECT_EQ(form->LightMode, 0) << "Cancel changes nothing";
    EXPECT_EQ(form->ErrorColor, clWhite);

    form->LightMode = 9;
    Open<Tfotherset>(form->N8, "Tfotherset", [](Tfotherset* d) { ClickControl(d->Button1); });
    EXPECT_EQ(form->LightMode, 1) << "OK restarts the running light at light 1";
    EXPECT_EQ(form->OnColor, clYellow) << "colours unchanged";
}

TEST_F(SettingsDialogs, LogFileSettingsTakeAnExistingFolderAndTheRecordsPerFile) {
    form->LogDir = "NODIR";
    const std::string chosen = folder + "\\logs";
    ASSERT_TRUE(CreateDirectoryA(chosen.c_str(), nullptr));
    Open<Tflog>(form->F1, "Tflog", [&](Tflog* d) {
        EXPECT_EQ(d->Caption(), "数据文件管理");
        EXPECT_TRUE(d->CheckBox1->Checked());
        EXPECT_FALSE(d->DirectoryListBox1->Enabled());
        EXPECT_FALSE(d->DriveComboBox1->Enabled());
        EXPECT_EQ(d->Memo1->Text(), "NODIR");
        EXPECT_TRUE(d->Memo1->ReadOnly());
        EXPECT_EQ(d->ComboBox1->Text(), "1000");
        ClickControl(d->CheckBox1);
        EXPECT_TRUE(d->DirectoryListBox1->Enabled());
        // A double click in the folder list names the folder clicked.
        d->DirectoryListBox1->SetDirectory(folder);
        TStrings* lines = d->DirectoryListBox1->Items();
        int row = -1;
        for (int i = 0; i < lines->Count(); ++i)
            if (d->DirectoryListBox1->GetItemPath(i) == chosen) row = i;
        ASSERT_GE(row, 0);
        RECT r;
        SendMessageA(d->DirectoryListBox1->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
        SendMessageA(d->DirectoryListBox1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(d->DirectoryListBox1->Handle(), WM_LBUTTONUP, 0, at);
        SendMessageA(d->DirectoryListBox1->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(d->DirectoryListBox1->Handle(), WM_LBUTTONUP, 0, at);
        EXPECT_EQ(d->Memo1->Text(), chosen);
        d->ComboBox1->SetItemIndex(0);
        ClickControl(d->Button1);
    });
    EXPECT_EQ(form->LogDir, chosen);
    EXPECT_EQ(form->RecordsPerFile, 100);

    // The folder goes away after it was chosen: OK refuses, Cancel leaves everything.
    RemoveDirectoryA(chosen.c_str());
    TDialogWatch refusal;
    bool stillOpen = false;
    Open<Tflog>(form->F1, "Tflog", [&](Tflog* d) {
        EXPECT_FALSE(d->CheckBox1->Checked());
        EXPECT_EQ(d->Memo1->Text(), chosen);
        EXPECT_EQ(d->ComboBox1->Text(), "100");
        d->ComboBox1->SetItemIndex(2);
        refusal = AnswerSystemMessageBox();
        ClickControl(d->Button1);
        PumpUntil([&] { return refusal->Seen; });
        stillOpen = IsWindowVisible(d->Handle()) != FALSE;
        ClickControl(d->Button2);
    });
    EXPECT_EQ(refusal->Text, "目录不存在");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(form->LogDir, chosen);
    EXPECT_EQ(form->RecordsPerFile, 100);

    Open<Tflog>(form->F1, "Tflog", [&](Tflog* d) {
        ClickControl(d->CheckBox1);
        ClickControl(d->Button1);
    });
    EXPECT_EQ(form->LogDir, "NODIR");
}

TEST_F(SettingsDialogs, TheIntervalIsOneToFourMinutes) {
    Open<Tfinterval>(form->I1, "Tfinterval", [](Tfinterval* d) {
        EXPECT_EQ(d->Caption(), "时间间隔设置");
        EXPECT_EQ(d->ComboBox1->Text(), "3分钟");
        d->ComboBox1->SetItemIndex(0);
        ClickControl(d->Button1);
    });
    EXPECT_EQ(form->TerminalInterval, 1);
    Open<Tfinterval>(form->I1, "Tfinterval", [](Tfinterval* d) {
        EXPECT_EQ(d->ComboBox1->Text(), "1分钟");
        d->ComboBox1->SetItemIndex(3);
        ClickControl(d->Button2);
    });
    EXPECT_EQ(form->TerminalInterval, 1);
}

TEST_F(SettingsDialogs, TheAboutBoxAndTheHiddenAccountListOnlyClose) {
    Open<Tfabout>(form->N11, "Tfabout", [](Tfabout* d) {
        EXPECT_EQ(d->Caption(), "关于");
        EXPECT_EQ(d->Label1->Caption(), "GPRS/CDMA  数据中心服务演示程序");
        EXPECT_FALSE(d->Image1->Picture()->Empty());
        EXPECT_EQ(d->Button1->Caption(), "确定");
        ClickControl(d->Button1);
    });
    EXPECT_FALSE(form->A1->Visible());
    Open<Tfaccount>(form->A1, "Tfaccount", [](Tfaccount* d) {
        EXPECT_EQ(d->Caption(), "帐号管理");
        ClickControl(d->Button4);
    });
}
