// A form made from the description in the program's resources.
#include <gtest/gtest.h>

#include "components/Win32.h"

#include <commctrl.h>

#include <memory>

#include "GuiTestSupport.h"
#include "components/PropertyAccess.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TButton.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomComboBox.h"
#include "components/TCustomEdit.h"
#include "components/TPageControl.h"
#include "components/TTabSheet.h"
#include "components/TToolBar.h"
#include "components/TToolButton.h"
#include "components/TCustomListView.h"
#include "components/TCustomPanel.h"
#include "components/TCustomStatusBar.h"
#include "components/TForm.h"
#include "components/TImage.h"
#include "components/TImageList.h"
#include "components/TMainMenu.h"
#include "components/TShape.h"
#include "components/TTimer.h"

class TTestForm : public TForm {
    DECLARE_CLASS(TTestForm, TForm)
public:
    explicit TTestForm(TComponent* owner) : TForm(owner) {}
    TPanel* Panel1 = nullptr;
    TButton* Button1 = nullptr;
    TListView* ListView1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TTimer* Timer1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* N3 = nullptr;
    int Created = 0;
    int ButtonClicks = 0;
    int MenuClicks = 0;
    void FormCreate(TObject*) { ++Created; }
    void Button1Click(TObject*) { ++ButtonClicks; }
    void N2Click(TObject*) { ++MenuClicks; }
};

const TClassInfo& TTestForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm")
        .Field("Panel1", &TTestForm::Panel1)
        .Field("Button1", &TTestForm::Button1)
        .Field("ListView1", &TTestForm::ListView1)
        .Field("ComboBox1", &TTestForm::ComboBox1)
        .Field("StatusBar1", &TTestForm::StatusBar1)
        .Field("Timer1", &TTestForm::Timer1)
        .Field("MainMenu1", &TTestForm::MainMenu1)
        .Field("N2", &TTestForm::N2)
        .Field("N3", &TTestForm::N3)
        .Handler("FormCreate", &TTestForm::FormCreate)
        .Handler("Button1Click", &TTestForm::Button1Click)
        .Handler("N2Click", &TTestForm::N2Click)
        .Build();
    return info;
}

namespace {

class FormResource : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareApplication();
        form.reset(NewForm<TTestForm>(nullptr));
    }
    std::unique_ptr<TTestForm> form;
};

TEST_F(FormResource, ComponentsArePlacedAndBoundFromTheDescription) {
    EXPECT_EQ(form->Created, 1) << "OnCreate runs once after reading";
    EXPECT_EQ(form->Caption(), "测试窗体");
    EXPECT_EQ(form->BorderStyle(), bsDialog);
    EXPECT_EQ(form->ClientWidth(), 400);
    EXPECT_EQ(form->ClientHeight(), 300);
    ASSERT_NE(form->Button1, nullptr);
    EXPECT_EQ(form->Button1->Parent(), form->Panel1);
    EXPECT_EQ(form->Button1->Owner(), form.get());
    EXPECT_EQ(form->Panel1->Color(), 0x10480D);
    EXPECT_EQ(form->Menu(), form->MainMenu1);
    auto* light = dynamic_cast<TShape*>(form->FindComponent("Light1"));
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->Tag(), 1);
    EXPECT_EQ(light->Brush()->Color(), clLime);
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_EQ(form->Timer1->Interval(), 30000u);

    form->Show();
    PumpMessages();
    EXPECT_EQ(WindowClassOf(form->Handle()), "TTestForm");
    EXPECT_EQ(WindowTextOf(form->Handle()), "测试窗体");
    SendMessageA(form->Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ButtonClicks, 1) << "the event bound by name runs";
    EXPECT_EQ(form->ComboBox1->ItemIndex(), 1);
    EXPECT_EQ(form->ComboBox1->Text(), "COM2");
}

TEST_F(FormResource, ListViewColumnsAndStatusPanelsReachTheirWindows) {
    form->HandleNeeded();
    HWND list = form->ListView1->Handle();
    char text[64] = {0};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(text, "移动网内IP地址");
    EXPECT_EQ(column.cx, 100);

    TListItem* row = form->ListView1->Items()->Add();
    row->SetCaption("13800000000");
    row->SubItems()->Add("10.0.0.1");
    row->SubItems()->Add("0");  // a value beyond the columns is kept but not shown
    LVITEMA cell{};
    cell.iSubItem = 1;
    cell.pszText = text;
    cell.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&cell));
    EXPECT_STREQ(text, "10.0.0.1");
    row->SetSelected(true);
    EXPECT_EQ(form->ListView1->Selected(), row);
    form->ListView1->Items()->Clear();
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);

    HWND status = form->StatusBar1->Handle();
    EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 3);
    SendMessageA(status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "服务停止");
    (*form->StatusBar1->Panels())[1]->SetText("服务运行");
    SendMessageA(status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "服务运行");
}

TEST_F(FormResource, MenuItemsCarryTheirCaptionsStatesAndCommands) {
    form->HandleNeeded();
    HMENU bar = GetMenu(form->Handle());
    ASSERT_EQ(bar, form->MainMenu1->Handle());
    char text[64] = {0};
    GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "控制(&C)");
    HMENU drop = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(drop), 4);
    EXPECT_TRUE(GetMenuState(drop, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(drop, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(drop, 3, MF_BYPOSITION) & MF_CHECKED);

    SendMessageA(form->Handle(), WM_COMMAND, static_cast<WPARAM>(form->N2->Command()), 0);
    EXPECT_EQ(form->MenuClicks, 1);
    form->N3->SetEnabled(true);
    EXPECT_FALSE(GetMenuState(drop, 1, MF_BYPOSITION) & MF_GRAYED);
    form->N2->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(drop), 3);
    EXPECT_EQ(form->MainMenu1->Handle(), bar) << "changes keep the menu's handle";
}

TEST(FormDescriptions, ABadDescriptionIsAClearErrorAndLeavesNothingBehind) {
    PrepareApplication();
    TForm form(nullptr);
    try {
        form.ReadFormText("TForm F {\n  TButton B { }\n  TGizmo G { }\n}", "bad.form");
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "bad.form(3): class TGizmo is not registered");
    }
    try {
        form.ReadFormText("TForm F { TButton C { Colour = clRed } }", "bad.form");
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "bad.form(1): TButton has no property Colour");
    }
    TForm noDescription(nullptr);
    EXPECT_THROW(noDescription.ReadFormResource(), EReadError) << "TForm has no description among the resources";
}

TEST(FormDescriptions, ADamagedPictureReadsAsNoneAndTheFormGoesOn) {
    PrepareApplication();
    TForm form(nullptr);
    form.ReadFormText("TForm F {\n  TImage Picture { PictureData = <424D00000000> }\n"
                      "  TImageList Glyphs { Bitmap = <424D360C0000000000003600000028000000200000002000> }\n"
                      "  TButton After { Caption = \"OK\" }\n}",
                      "damaged.form");
    auto* picture = dynamic_cast<TImage*>(form.FindComponent("Picture"));
    auto* glyphs = dynamic_cast<TImageList*>(form.FindComponent("Glyphs"));
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(glyphs, nullptr);
    EXPECT_TRUE(picture->Picture()->Empty());
    EXPECT_EQ(glyphs->Count(), 0);
    EXPECT_NE(form.FindComponent("After"), nullptr);
}

}  // namespace

namespace {

// The shape of the console's main form: a tool bar holding buttons, a separator and a light
// panel of shapes; a page control of sheets; a status bar.
const char* const ConsoleLikeForm = u8R"(
TForm Console {
  ClientWidth = 536
  ClientHeight = 410
  TToolBar ToolBar1 {
    ShowHint = True
    ButtonWidth = 60
    TToolButton ToolButton1 { Caption = "启动服务" Hint = "启动服务" }
    TToolButton ToolButton5 { Style = tbsSeparator Width = 8 }
    TToolButton ToolButton2 { Caption = "停止服务" Enabled = False }
    TPanel Panel1 {
      Width = 200
      Height = 22
      Color = 0x10480D
      TShape Shape1 { Left = 4 Top = 4 Width = 10 Height = 15 Tag = 1 }
      TShape Shape2 { Left = 16 Top = 4 Width = 10 Height = 15 Tag = 2 }
    }
  }
  TPageControl PageControl1 {
    Left = 8
    Top = 40
    Width = 300
    Height = 200
    ActivePage = TabSheet2
    TTabSheet TabSheet1 { Caption = "一" }
    TTabSheet TabSheet2 {
      Caption = "二"
      TCheckBox CheckBox1 { Caption = "和可执行文件在同一目录" Checked = True }
    }
  }
  TStatusBar StatusBar1 { Panels = { { Text = "状态：" Width = 50 } } }
}
)";

TEST(FormDescriptions, NestedContainersOfTheConsolesMainForm) {
    PrepareApplication();
    TForm form(nullptr);
    int clicks = 0;
    form.ReadFormText(ConsoleLikeForm, "console.form");
    auto* bar = dynamic_cast<TToolBar*>(form.FindComponent("ToolBar1"));
    auto* panel = dynamic_cast<TPanel*>(form.FindComponent("Panel1"));
    auto* second = dynamic_cast<TToolButton*>(form.FindComponent("ToolButton2"));
    auto* pages = dynamic_cast<TPageControl*>(form.FindComponent("PageControl1"));
    auto* check = dynamic_cast<TCheckBox*>(form.FindComponent("CheckBox1"));
    ASSERT_TRUE(bar && panel && second && pages && check);
    EXPECT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(panel->Parent(), bar);
    EXPECT_EQ(panel->ControlCount(), 2);
    EXPECT_EQ(second->Left(), 68) << "60 + the 8-pixel separator";
    EXPECT_EQ(panel->Left(), 128);
    EXPECT_FALSE(second->Enabled());
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage()->Name(), "TabSheet2");
    EXPECT_EQ(check->Parent(), pages->ActivePage());
    EXPECT_TRUE(check->Checked());
    check->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(clicks, 0) << "reading a checked box runs no click";

    form.Show();
    EXPECT_TRUE(IsWindowVisible(check->Handle()));
    EXPECT_FALSE(IsWindowVisible(pages->Pages(0)->Handle()));
    EXPECT_EQ(dynamic_cast<TToolButton*>(form.FindComponent("ToolButton1"))->Hint(), "启动服务");
    int tags = 0;
    for (int i = 0; i < panel->ControlCount(); ++i) tags += panel->Controls(i)->Tag();
    EXPECT_EQ(tags, 3);
}

TEST(FormDescriptions, ACheckBoxAcceleratorTogglesIt) {
    PrepareApplication();
    TForm form(nullptr);
    auto* check = new TCheckBox(&form);
    check->SetParent(&form);
    check->SetCaption("写日志(&L)");
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetMaxLength(4);
    form.Show();
    EXPECT_EQ(form.Perform(CM_DIALOGCHAR, 'l'), 1);
    EXPECT_TRUE(check->Checked());
    edit->SetFocus();
    for (char c : std::string("123456")) PostMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpMessages();
    EXPECT_EQ(edit->Text(), "1234") << "typing stops at MaxLength";
}

}  // namespace
