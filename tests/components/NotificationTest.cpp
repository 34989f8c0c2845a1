// The component notifications arrive where the skinning code listens for them.
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "components/TButton.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomEdit.h"
#include "components/TCustomPanel.h"
#include "components/TMainMenu.h"

namespace {

class Notifications : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 200, 100);
        button = new TButton(form.get());
        button->SetParent(panel);
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetTop(120);
        form->Show();
        PumpMessages();
    }

    // Records what passes a control's WindowProc.
    std::vector<TMessage> Listen(TControl* control) {
        TWndMethod old = control->WindowProc;
        control->WindowProc = [this, old](TMessage& m) {
            heard.push_back(m);
            old(m);
        };
        return {};
    }

    size_t Count(UINT msg) const {
        return static_cast<size_t>(std::count_if(heard.begin(), heard.end(), [msg](const TMessage& m) { return m.Msg == msg; }));
    }

    TPanel* panel = nullptr;
    TButton* button = nullptr;
    TEdit* edit = nullptr;
    std::vector<TMessage> heard;
};

TEST_F(Notifications, EnabledAndVisibleChanges) {
    Listen(button);
    button->SetEnabled(false);
    button->SetVisible(false);
    button->SetVisible(true);
    EXPECT_EQ(Count(CM_ENABLEDCHANGED), 1u);
    ASSERT_EQ(Count(CM_VISIBLECHANGED), 2u);
    auto last = std::find_if(heard.rbegin(), heard.rend(), [](const TMessage& m) { return m.Msg == CM_VISIBLECHANGED; });
    EXPECT_EQ(last->WParam, 1u);
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
}

TEST_F(Notifications, FocusChangesAreBroadcastToNestedControlsWithEnterAndExit) {
    Listen(button);
    edit->SetFocus();
    PumpMessages();
    heard.clear();
    button->SetFocus();
    PumpMessages();
    EXPECT_EQ(form->ActiveControl(), button);
    auto focus = std::find_if(heard.begin(), heard.end(), [](const TMessage& m) { return m.Msg == CM_FOCUSCHANGED; });
    ASSERT_NE(focus, heard.end()) << "a control inside a panel hears of the focus change";
    EXPECT_EQ(reinterpret_cast<TControl*>(focus->LParam), button);
    EXPECT_EQ(Count(CM_ENTER), 1u);
    heard.clear();
    edit->SetFocus();
    PumpMessages();
    EXPECT_EQ(Count(CM_EXIT), 1u);
}

TEST_F(Notifications, MouseEnterAndLeave) {
    Listen(button);
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(Count(CM_MOUSEENTER), 1u) << "once when the mouse comes, not at every move";
    SendMessageA(edit->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(Count(CM_MOUSELEAVE), 1u) << "left for another control";
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Count(CM_MOUSELEAVE), 2u) << "left the window";
}

// A window procedure installed over the form's, as skinning code subclasses windows.
WNDPROC PreviousProcedure = nullptr;
std::vector<UINT> SubclassHeard;
LRESULT CALLBACK Subclass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    SubclassHeard.push_back(msg);
    return CallWindowProcA(PreviousProcedure, window, msg, wParam, lParam);
}

TEST_F(Notifications, MenuChangesReachTheWindowProcedureItself) {
    auto* menu = new TMainMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption("File");
    menu->Items()->Add(item);
    form->SetMenu(menu);
    PreviousProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(form->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
    SubclassHeard.clear();
    item->SetCaption("Edit");
    SetWindowLongPtrA(form->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousProcedure));
    EXPECT_NE(std::find(SubclassHeard.begin(), SubclassHeard.end(), CM_MENUCHANGED), SubclassHeard.end());
    EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());

    // Taken away (as a skinned menu bar does), the form's own handling puts the menu back.
    SetMenu(form->Handle(), nullptr);
    SendMessageA(form->Handle(), CM_MENUCHANGED, 0, 0);
    EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
}

TEST_F(Notifications, NotificationsOfStandardControlsAreReflectedToThem) {
    Listen(button);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    auto reflected = std::find_if(heard.begin(), heard.end(), [](const TMessage& m) { return m.Msg == CN_COMMAND; });
    ASSERT_NE(reflected, heard.end());
    EXPECT_EQ(HIWORD(reflected->WParam), BN_CLICKED);
    EXPECT_EQ(CN_NOTIFY, 0xBC4Eu);
    EXPECT_EQ(CN_VSCROLL, 0xBD15u);
}

TEST_F(Notifications, RecreatingTheWindowIsAnnouncedFirst) {
    Listen(edit);
    edit->SetText("kept");
    HWND before = edit->Handle();
    edit->SetBorderStyle(bsNone);
    EXPECT_EQ(Count(CM_RECREATEWND), 1u);
    EXPECT_NE(edit->Handle(), before);
    EXPECT_EQ(edit->Text(), "kept");
    EXPECT_FALSE(GetWindowLongA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(Notifications, DialogCharsReachAcceleratorsInsideContainers) {
    int clicks = 0;
    button->SetCaption("&Start");
    button->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 's'), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'x'), 0);
}

}  // namespace
