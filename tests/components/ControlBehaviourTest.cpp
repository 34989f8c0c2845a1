// What the console's forms expect of the controls: states set from code run their events,
// lines and items, timers, keys.
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "components/Dialogs.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomEdit.h"
#include "components/TCustomMemo.h"
#include "components/TCustomPanel.h"
#include "components/TRadioButton.h"
#include "components/TTimer.h"
#include "components/TToolBar.h"
#include "components/TToolButton.h"

namespace {

class Controls : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form->SetBounds(100, 100, 400, 300);
    }
};

TEST_F(Controls, CheckedFromCodeRunsOnClickLikeAClick) {
    auto* box = Add<TCheckBox>();
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1) << "no change, no event";
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Controls, RadioButtonsOfOneParentExcludeEachOther) {
    auto* a = Add<TRadioButton>();
    auto* b = Add<TRadioButton>();
    auto* elsewhere = Add<TRadioButton>(Add<TPanel>());
    a->SetChecked(true);
    elsewhere->SetChecked(true);
    form->Show();
    SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(elsewhere->Checked());
    EXPECT_EQ(SendMessageA(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Controls, MemoLinesFollowTheText) {
    auto* memo = Add<TMemo>();
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    memo->Lines()->Add("first");
    form->Show();
    memo->Lines()->Add("second");
    memo->Lines()->Add("第三");
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n第三\r\n");
    EXPECT_EQ(memo->Lines()->Get(2), "第三");
    memo->Lines()->Delete(0);
    EXPECT_EQ(memo->Lines()->Get(0), "second");
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
    // More than the 32K an edit window takes by default.
    const std::string line(1000, 'x');
    for (int i = 0; i < 40; ++i) memo->Lines()->Add(line);
    EXPECT_EQ(memo->Lines()->Count(), 40);
}

TEST_F(Controls, KeyPressCanSwallowCharacters) {
    auto* edit = Add<TEdit>();
    edit->OnKeyPress = [](TObject*, char& key) {
        if ((key < '0' || key > '9') && key != '\b') key = 0;
    };
    form->Show();
    edit->SetFocus();
    for (char c : std::string("1a2")) PostMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpMessages();
    EXPECT_EQ(edit->Text(), "12");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("500");
    EXPECT_EQ(changes, 1);
}

TEST_F(Controls, TimersTickOnlyWhileEnabled) {
    auto* timer = new TTimer(form.get());
    int ticks = 0;
    timer->SetInterval(20);
    timer->OnTimer = [&](TObject*) { ++ticks; };
    PumpMessages(150);
    EXPECT_GT(ticks, 1);
    timer->SetEnabled(false);
    const int stopped = ticks;
    PumpMessages(100);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(Controls, ToolBarPlacesItsButtonsAndControlsInARow) {
    auto* bar = Add<TToolBar>();
    bar->SetShowHint(true);
    auto* first = Add<TToolButton>(bar);
    auto* gap = Add<TToolButton>(bar);
    gap->SetStyle(tbsSeparator);
    auto* panel = Add<TPanel>(bar);
    panel->SetWidth(60);
    auto* last = Add<TToolButton>(bar);
    first->SetHint("启动服务");
    int clicks = 0;
    first->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    EXPECT_EQ(bar->Align(), alTop);
    EXPECT_EQ(bar->Width(), form->ClientWidth());
    EXPECT_EQ(first->Left(), 0);
    EXPECT_EQ(gap->Left(), 23);
    EXPECT_EQ(panel->Left(), 31);
    EXPECT_EQ(last->Left(), 91);
    panel->SetWidth(100);
    EXPECT_EQ(last->Left(), 131) << "a wider control moves those after it";
    SendMessageA(first->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(first->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    first->SetEnabled(false);
    SendMessageA(first->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(first->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(bar->Buttons(2), last);
}

TEST_F(Controls, InputBoxGivesTheEditedTextOrTheDefault) {
    RunLater([] {
        HWND box = FindThreadWindow("TForm");
        HWND edit = FindWindowExA(box, nullptr, "TEdit", nullptr);
        SetWindowTextA(edit, "6000");
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(InputBox("Port", "Enter a port", "5002"), "6000");
    RunLater([] { PostMessageA(FindWindowExA(FindThreadWindow("TForm"), nullptr, "TEdit", nullptr), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(InputBox("Port", "Enter a port", "5002"), "5002");
}

}  // namespace
