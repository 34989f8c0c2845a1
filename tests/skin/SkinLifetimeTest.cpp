// A skinned window's own command, drop-down or system menu may unskin the window, free its
// form, or make its window anew and show a box (which frees the old window's skin): whatever
// the window's skin does after such a call must not touch the freed skin. Each case runs under
// the guarded heap, where a freed object cannot pass for a live one.
#include "GuardedHeap.h"
#include "GuiTestSupport.h"
#include "MenuLoopHook.h"
#include "SkinInputSupport.h"
#include "WinSkinMenu.h"
#include "components/TApplication.h"
#include "components/TPopupMenu.h"
#include "components/TTimer.h"

namespace {

class WindowLifetime : public SkinWindowTest {
protected:
    void TearDown() override {
        EndMenu();
        if (!TestSkin()->Active()) {
            TestSkin()->SetActive(true);
            PumpMessages(400);
        }
        SkinWindowTest::TearDown();
    }
};

// The manager's unskinning of every window (action 2), asked for and done at once, as its timer
// does it in whatever message loop runs when it fires.
void UnskinNow() {
    TestSkin()->SetActive(false);
    SkinManager->TimerProc();
}

TMenuItem* OpenItem(const TMenuForm& made) { return made.File->Items(0); }

}  // namespace

TEST_F(WindowLifetime, ACommandThatUnskinsItsWindowFreesItsFormOrRemakesItsWindowEndsTheSkinsWork) {
    const TGuardedHeap guard;
    {
        // The handler waits in a loop of its own (as behind a box) while the window is unskinned.
        const TMenuForm made = ShowMenuForm();
        HWND window = made.Handle();
        OpenItem(made)->OnClick = [](TObject*) {
            UnskinNow();
            PumpMessages(50);
        };
        SendMessageA(window, WM_COMMAND, OpenItem(made)->Command(), 0);
        EXPECT_EQ(SkinOf(window), nullptr);
        EXPECT_TRUE(IsWindowVisible(window));
        TestSkin()->SetActive(true);
        PumpMessages(400);
    }
    {
        TMenuForm made = ShowMenuForm();
        HWND window = made.Handle();
        TForm* form = made.Form.release();
        OpenItem(made)->OnClick = [form](TObject*) { delete form; };
        SendMessageA(window, WM_COMMAND, OpenItem(made)->Command(), 0);
        EXPECT_FALSE(IsWindow(window));
    }
    {
        // A form made anew gives up its old window; the box that comes up then frees that
        // window's skin.
        const TMenuForm made = ShowMenuForm();
        HWND window = made.Handle();
        TForm* form = made.Form.get();
        int boxes = 0;
        OpenItem(made)->OnClick = [&](TObject*) {
            form->SetBorderStyle(bsSingle);
            boxes = AnswerBoxesDuring([] { Application->MessageBox("made anew", "", MB_OK); });
        };
        SendMessageA(window, WM_COMMAND, OpenItem(made)->Command(), 0);
        EXPECT_EQ(boxes, 1);
        EXPECT_FALSE(IsWindow(window));
        SetForegroundWindow(form->Handle());
        EXPECT_TRUE(WaitSkinned(form->Handle())) << "the new window is skinned";
    }
}

TEST_F(WindowLifetime, ADropDownWhoseLoopUnskinsOrFreesItsWindowLeavesTheSkinAlone) {
    const TGuardedHeap guard;
    {
        const TMenuForm made = ShowMenuForm();
        HWND window = made.Handle();
        bool inLoop = false;
        RunLater([&] {
            inLoop = MenuLoopForm() != nullptr;
            UnskinNow();
            EndMenu();
        }, 150);
        EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'f'), 1);
        ASSERT_TRUE(inLoop) << "the drop-down was open";
        EXPECT_EQ(SkinOf(window), nullptr);
        EXPECT_EQ(MenuLoopForm(), nullptr);
        EXPECT_EQ(MenuLoopState().Hook, nullptr);
        EXPECT_NE(GetMenu(window), nullptr) << "the window has its menu back";
        TestSkin()->SetActive(true);
        PumpMessages(400);
    }
    {
        TMenuForm made = ShowMenuForm();
        HWND window = made.Handle();
        std::unique_ptr<TForm> form = std::move(made.Form);
        RunLater([&form] {
            form.reset();
            EndMenu();
        }, 150);
        SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'f');
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(MenuLoopState().Hook, nullptr);
    }
}

TEST_F(WindowLifetime, TheMenuLoopForgetsAWindowWhoseSkinIsGone) {
    const TGuardedHeap guard;
    TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    SetMenuLoopItem(skin, 0);
    StartMenuLoopHook();
    ASSERT_EQ(MenuLoopForm(), skin);
    made.Form.reset();
    EXPECT_EQ(MenuLoopForm(), nullptr);
    // What the loop still sees of the menu: selection, keys, the mouse.
    const auto filter = [](UINT message, WPARAM wParam, LPARAM lParam) {
        MSG msg{};
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        GetCursorPos(&msg.pt);
        msg.pt.x += 7;
        MenuLoopFilterProc(MSGF_MENU, 0, reinterpret_cast<LPARAM>(&msg));
    };
    filter(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    filter(WM_MENUSELECT, MAKEWPARAM(1, 0), 1);
    filter(WM_KEYDOWN, VK_RIGHT, 0);
    filter(WM_KEYDOWN, VK_LEFT, 0);
    filter(WM_MOUSEMOVE, 0, 0);
    filter(WM_SYSKEYDOWN, VK_MENU, 0);
    StopMenuLoopHook();
}

TEST_F(WindowLifetime, TheSystemMenuWhoseLoopUnskinsOrFreesItsWindowStaysUntilItsLoopEnds) {
    const TGuardedHeap guard;
    // The popup's items drawn again once their window's skin has gone.
    const auto redrawPopup = [] {
        if (HWND popup = FindThreadWindow("#32768")) RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    {
        const TMenuForm made = ShowMenuForm();
        HWND window = made.Handle();
        TWinSkinForm* skin = SkinOf(window);
        HMENU open = nullptr;
        bool stayed = false;
        RunLater([&] {
            if (skin->SysMenuPopup && FindThreadWindow("#32768")) open = skin->SysMenuPopup->Handle();
            UnskinNow();
            stayed = open && IsMenu(open);
            redrawPopup();
            EndMenu();
        }, 150);
        SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        ASSERT_NE(open, nullptr) << "the system menu was open";
        EXPECT_EQ(SkinOf(window), nullptr);
        EXPECT_TRUE(stayed) << "the open menu stays while its loop runs";
        EXPECT_FALSE(IsMenu(open)) << "and goes when the loop is over";
        TestSkin()->SetActive(true);
        PumpMessages(400);
    }
    {
        TMenuForm made = ShowMenuForm();
        HWND window = made.Handle();
        std::unique_ptr<TForm> form = std::move(made.Form);
        bool shown = false;
        RunLater([&] {
            shown = FindThreadWindow("#32768") != nullptr;
            form.reset();
            redrawPopup();
            EndMenu();
        }, 150);
        SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        EXPECT_TRUE(shown);
        EXPECT_FALSE(IsWindow(window));
    }
}
