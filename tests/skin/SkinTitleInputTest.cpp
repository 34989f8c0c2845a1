// The title bar of a skinned window under the mouse: what the hit test answers in each zone,
// the hover and press looks of the title buttons as the screen shows them, what each button
// does to the window, double clicks, and the window's own copy of its system menu.
#include "GuiTestSupport.h"
#include "SkinInputSupport.h"
#include "SkinMessages.h"
#include "WinSysButton.h"
#include "components/TPopupMenu.h"

namespace {

using TitleInput = SkinWindowTest;

// Image numbers and places of the colour plan's title buttons.
enum { Close = 45, Maximise = 46, Restore = 47, Minimise = 48, Help = 50 };
enum { CloseX = 22, MaximiseX = 40, MinimiseX = 58, HelpX = 76 };

// A form that shows every button the program decides on, and notes the messages the engine
// passes on to it.
class TNotingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<WPARAM> Actions;
    int DoubleClicks = 0;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_SKINBUTTONQUERY) {
            m.Result = 1;
            return;
        }
        if (m.Msg == WM_SKINSYSACTION) Actions.push_back(m.WParam);
        if (m.Msg == WM_NCLBUTTONDBLCLK) ++DoubleClicks;
        TForm::WndProc(m);
    }
};

std::unique_ptr<TNotingForm> ShowNotingForm(TBorderIcons icons = biSystemMenu | biMinimize | biMaximize) {
    auto form = std::make_unique<TNotingForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    form->SetBorderIcons(icons);
    form->Show();
    SetForegroundWindow(form->Handle());
    EXPECT_TRUE(WaitSkinned(form->Handle()));
    PumpMessages(50);
    return form;
}

void Click(HWND window, POINT p) { ClickAt(window, p.x, p.y); }

TMenuItem* ItemOfCommand(TPopupMenu& menu, int command) {
    for (int i = 0; i < menu.Items()->Count(); ++i)
        if (menu.Items()->Items(i)->Tag() == command) return menu.Items()->Items(i);
    return nullptr;
}

}  // namespace

TEST_F(TitleInput, TheHitTestTellsTheSkinsTitleAndMenuBarsFromTheRest) {
    const TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    ASSERT_NE(skin, nullptr);
    const SIZE s = WindowSize(window);
    const auto hit = [&](int x, int y) { return SendMessageA(window, WM_NCHITTEST, 0, ScreenPointOf(window, x, y)); };
    EXPECT_EQ(hit(s.cx / 2, 12), HTCAPTION) << "the skin's title bar";
    EXPECT_EQ(hit(s.cx / 2, skin->BorderTop + skin->MenuBarHeight / 2), HTMENU);
    EXPECT_EQ(hit(s.cx / 2, s.cy / 2), HTCLIENT);
    EXPECT_EQ(hit(s.cx / 2, s.cy - 1), HTBOTTOM) << "the sizing borders stay the system's";
    EXPECT_EQ(hit(0, s.cy / 2), HTLEFT);

    // Without a menu bar the strip under the title is client area.
    const auto plain = ShowForm();
    EXPECT_EQ(SendMessageA(plain->Handle(), WM_NCHITTEST, 0, ScreenPointOf(plain->Handle(), 150, 30)), HTCLIENT);
}

TEST_F(TitleInput, TitleButtonsShowTheirHoverAndPressedLooksAndLetGo) {
    const auto form = ShowNotingForm();
    HWND window = form->Handle();
    TWinSkinForm* skin = SkinOf(window);
    const POINT close = TitleButton(window, CloseX), maximise = TitleButton(window, MaximiseX);
    ASSERT_EQ(ScreenPixel(window, close.x, close.y), Plan(Close, 1, 4));

    EXPECT_EQ(SendMouse(window, WM_NCMOUSEMOVE, close.x, close.y), 0);
    EXPECT_EQ(ScreenPixel(window, close.x, close.y), Plan(Close, 3, 4)) << "hot";
    ASSERT_NE(skin->HotObject, nullptr);
    EXPECT_EQ(skin->HotObject->State, ncHot);

    // Another button takes the hover over; a press shows the pressed look.
    SendMouse(window, WM_NCMOUSEMOVE, maximise.x, maximise.y);
    EXPECT_EQ(ScreenPixel(window, close.x, close.y), Plan(Close, 1, 4));
    EXPECT_EQ(ScreenPixel(window, maximise.x, maximise.y), Plan(Maximise, 3, 4));
    SendMouse(window, WM_NCLBUTTONDOWN, close.x, close.y);
    EXPECT_EQ(ScreenPixel(window, close.x, close.y), Plan(Close, 2, 4)) << "pressed";
    EXPECT_EQ(ScreenPixel(window, maximise.x, maximise.y), Plan(Maximise, 1, 4));

    // Off the buttons, onto the plain title: nothing is hot any more.
    SendMouse(window, WM_NCMOUSEMOVE, WindowSize(window).cx / 2, 12);
    EXPECT_EQ(skin->HotObject, nullptr);
    EXPECT_EQ(ScreenPixel(window, close.x, close.y), Plan(Close, 1, 4));

    // The hover timer lets go of a button the mouse has left.
    SendMouse(window, WM_NCMOUSEMOVE, maximise.x, maximise.y);
    SetCursorPos(0, 0);
    skin->TimerTick();
    EXPECT_EQ(skin->HotObject, nullptr);
    EXPECT_EQ(ScreenPixel(window, maximise.x, maximise.y), Plan(Maximise, 1, 4));

    // An inactive window takes no hover, and the system hears nothing of it.
    const auto raw = CreateRawWindow("SkinTestHover");
    Activate(raw->Handle);
    ASSERT_TRUE(WaitSkinned(raw->Handle));
    TWinSkinForm* rawSkin = SkinOf(raw->Handle);
    rawSkin->Active = false;
    const POINT rawClose = TitleButton(raw->Handle, CloseX);
    SendMouse(raw->Handle, WM_NCMOUSEMOVE, rawClose.x, rawClose.y);
    EXPECT_EQ(rawSkin->HotObject, nullptr);
    EXPECT_EQ(raw->Count(WM_NCMOUSEMOVE), 0);
    rawSkin->Active = true;
}

// A hover look that cannot be painted (no bitmap can be made for a button this size) is
// dropped: the user is not told (it would be a box for every move of the mouse), and the button
// still follows the mouse.
TEST_F(TitleInput, AHoverLookThatCannotBePaintedIsDroppedQuietly) {
    const auto form = ShowNotingForm();
    HWND window = form->Handle();
    TWinSkinForm* skin = SkinOf(window);
    const POINT close = TitleButton(window, CloseX);
    SendMouse(window, WM_NCMOUSEMOVE, close.x, close.y);
    TNCObject* button = skin->HotObject;
    ASSERT_NE(button, nullptr);
    SendMouse(window, WM_NCMOUSEMOVE, WindowSize(window).cx / 2, 12);
    ASSERT_EQ(skin->HotObject, nullptr);

    const TRect kept = button->Rect;
    button->Rect = TRect{kept.Left, kept.Top, kept.Left + 100000, kept.Top + 100000};
    const std::size_t reported = ReportedErrors().size();
    SendMouse(window, WM_NCMOUSEMOVE, close.x, close.y);
    EXPECT_EQ(ReportedErrors().size(), reported);
    EXPECT_EQ(skin->HotObject, button);
    EXPECT_EQ(button->State, ncHot);
    SendMouse(window, WM_NCMOUSEMOVE, WindowSize(window).cx / 2, 12);
    EXPECT_EQ(skin->HotObject, nullptr) << "and lets go";
    EXPECT_EQ(ReportedErrors().size(), reported);

    button->Rect = kept;
    SendMouse(window, WM_NCMOUSEMOVE, close.x, close.y);
    EXPECT_EQ(ScreenPixel(window, close.x, close.y), Plan(Close, 3, 4)) << "painted again once it can be";
}

TEST_F(TitleInput, EachTitleButtonActsOnItsWindow) {
    const auto form = ShowNotingForm();
    HWND window = form->Handle();

    Click(window, TitleButton(window, MaximiseX));
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(SkinOf(window)->ShowState, ssMaximized);
    // Maximised, the same place holds the restore button (action 22).
    const auto maximised = PaintFrame(window);
    const POINT restore = TitleButton(window, MaximiseX);
    ASSERT_EQ(RgbAt(*maximised, restore.x, restore.y), Plan(Restore, 1, 4));
    Click(window, TitleButton(window, MaximiseX));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(SkinOf(window)->ShowState, ssNormal);

    Click(window, TitleButton(window, MinimiseX));
    EXPECT_TRUE(IsIconic(window));
    ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    PumpMessages(100);

    // A button of an action the engine has no use of tells the window.
    Click(window, TitleButton(window, HelpX));
    EXPECT_EQ(form->Actions, std::vector<WPARAM>{40});

    Click(window, TitleButton(window, CloseX));
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(TitleInput, TheCloseButtonAsksTheSystemMenuAndCloseCommandsArriveAsSystemCommands) {
    const auto form = ShowNotingForm();
    HWND window = form->Handle();
    // A window whose system menu has no close command cannot be closed by the button.
    DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
    EXPECT_FALSE(SkinOf(window)->HasCloseCommand());
    Click(window, TitleButton(window, CloseX));
    EXPECT_TRUE(IsWindowVisible(window));

    // The owner-drawn system menu's commands come as WM_COMMAND.
    SendMessageA(window, WM_COMMAND, SC_MAXIMIZE, 0);
    PumpMessages(100);
    EXPECT_TRUE(IsZoomed(window));
    SendMessageA(window, WM_COMMAND, SC_CLOSE, 0);
    PumpMessages(100);
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(TitleInput, DoubleClicks) {
    const auto form = ShowNotingForm();
    HWND window = form->Handle();
    const int middle = WindowSize(window).cx / 2;
    SendMouse(window, WM_NCLBUTTONDBLCLK, middle, 12);
    PumpMessages(100);
    EXPECT_TRUE(IsZoomed(window)) << "the title maximises";
    SendMouse(window, WM_NCLBUTTONDBLCLK, WindowSize(window).cx / 2, 12);
    PumpMessages(100);
    EXPECT_FALSE(IsZoomed(window)) << "and restores";
    EXPECT_EQ(form->DoubleClicks, 0);

    // On a button other than the icon nothing happens; on the icon the window closes.
    const POINT close = TitleButton(window, CloseX);
    SendMouse(window, WM_NCLBUTTONDBLCLK, close.x, close.y);
    PumpMessages(100);
    EXPECT_TRUE(IsWindowVisible(window));
    SendMouse(window, WM_NCLBUTTONDBLCLK, 13, 13);
    PumpMessages(100);
    EXPECT_FALSE(IsWindowVisible(window));

    // Without a maximize box the system has the double click.
    const auto fixed = ShowNotingForm(biSystemMenu | biMinimize);
    SendMouse(fixed->Handle(), WM_NCLBUTTONDBLCLK, 150, 12);
    PumpMessages(100);
    EXPECT_EQ(fixed->DoubleClicks, 1);
    EXPECT_FALSE(IsZoomed(fixed->Handle()));
}

TEST_F(TitleInput, TheSystemMenuCopyFollowsTheWindowsState) {
    const auto form = ShowNotingForm(biSystemMenu | biMaximize);
    HWND window = form->Handle();
    TWinSkinForm* skin = SkinOf(window);
    skin->BuildSysMenu();
    ASSERT_NE(skin->SysMenuPopup, nullptr);
    TPopupMenu& menu = *skin->SysMenuPopup;
    EXPECT_TRUE(menu.OwnerDraw());
    EXPECT_EQ(menu.Items()->Count(), GetMenuItemCount(GetSystemMenu(window, FALSE)));
    ASSERT_NE(ItemOfCommand(menu, SC_RESTORE), nullptr);
    EXPECT_FALSE(ItemOfCommand(menu, SC_RESTORE)->Enabled());
    EXPECT_TRUE(ItemOfCommand(menu, SC_MOVE)->Enabled());
    EXPECT_TRUE(ItemOfCommand(menu, SC_MAXIMIZE)->Enabled());
    EXPECT_FALSE(ItemOfCommand(menu, SC_MINIMIZE)->Enabled()) << "no minimize box";
    EXPECT_EQ(ItemOfCommand(menu, SC_CLOSE)->ImageIndex(), 3);
    EXPECT_EQ(ItemOfCommand(menu, SC_MAXIMIZE)->ImageIndex(), 1);

    // An item's click is the system command.
    ItemOfCommand(menu, SC_MAXIMIZE)->Click();
    PumpMessages(100);
    ASSERT_TRUE(IsZoomed(window));
    skin->BuildSysMenu();
    TPopupMenu& maximised = *skin->SysMenuPopup;
    EXPECT_TRUE(ItemOfCommand(maximised, SC_RESTORE)->Enabled());
    EXPECT_FALSE(ItemOfCommand(maximised, SC_MOVE)->Enabled());
    EXPECT_FALSE(ItemOfCommand(maximised, SC_SIZE)->Enabled());
    EXPECT_FALSE(ItemOfCommand(maximised, SC_MAXIMIZE)->Enabled());
}

TEST_F(TitleInput, TheSystemMenuPopsUpSkinnedAndASecondClickOnTheIconCloses) {
    const auto form = ShowNotingForm();
    HWND window = form->Handle();
    TWinSkinForm* skin = SkinOf(window);
    const auto popUp = [&](const std::function<void()> open) {
        bool shown = false;
        int context = mcNone;
        RunLater([&] {
            shown = !SkinManager->PopupMenus().empty();
            context = SkinManager->MenuContext;
            EndMenu();
        }, 150);
        open();
        PumpMessages(50);
        EXPECT_TRUE(shown);
        EXPECT_EQ(context, mcSystemMenu);
    };
    popUp([&] { SendMouse(window, WM_NCRBUTTONDOWN, 150, 12); });
    skin->LastSysMenuTick = GetTickCount() - skin->DoubleClickTime - 1;
    popUp([&] { SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' '); });

    // Within the double-click time: a right click on the title again does nothing; a click on
    // the window icon (the hot object) closes the window.
    skin->LastSysMenuTick = GetTickCount();
    SendMouse(window, WM_NCRBUTTONDOWN, 150, 12);
    PumpMessages(100);
    EXPECT_TRUE(IsWindowVisible(window));
    skin->LastSysMenuTick = GetTickCount();
    SendMouse(window, WM_NCLBUTTONDOWN, 13, 13);
    SendMouse(window, WM_NCLBUTTONUP, 13, 13);
    PumpMessages(100);
    EXPECT_FALSE(IsWindowVisible(window));
}
