// The skinned menu bar: its items read from the form's menu and laid out on the skin's bar
// picture, their hover look, opening them with the mouse and with Alt+letter, moving along the
// bar inside the menu loop, the drop-downs drawn from the skin, and Alt+letter behind a modal
// dialog.
#include "GuardedHeap.h"
#include "GuiTestSupport.h"
#include "MenuBtn.h"
#include "MenuLoopHook.h"
#include "SkinInputSupport.h"
#include "SkinMessages.h"
#include "WinSkinMenu.h"
#include "WinSkinPopMenu.h"
#include "components/TApplication.h"
#include "components/TScreen.h"

namespace {

using MenuBar = SkinWindowTest;

enum { MenuBarImage = 6, MenuItemImage = 25, MenuBackgroundImage = 26 };
constexpr TRgb ButtonHilight{253, 253, 251};

int CaptionWidth(const std::wstring& caption) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Screen->MenuFont()->Handle());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return r.right - r.left;
}

// The window point one pixel inside the item.
POINT Inside(const TMenuBtn& item) { return POINT{item.Rect.Left + 3, item.Rect.Top + 3}; }

// The WM_NCLBUTTONDOWN waiting for the window, as a window point; (-1, -1) when none waits.
POINT PostedClick(HWND window) {
    MSG msg{};
    if (!PeekMessageA(&msg, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) return POINT{-1, -1};
    RECT r{};
    GetWindowRect(window, &r);
    return POINT{MouseX(msg.lParam) - r.left, MouseY(msg.lParam) - r.top};
}

bool Holds(const TRect& r, POINT p) { return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom; }

void DropKeys(HWND window) {
    MSG msg{};
    while (PeekMessageA(&msg, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
    }
}

MSG Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    GetCursorPos(&msg.pt);
    return msg;
}

LRESULT Filter(MSG msg) { return MenuLoopFilterProc(MSGF_MENU, 0, reinterpret_cast<LPARAM>(&msg)); }

}  // namespace

TEST_F(MenuBar, TheBarTakesTheFormsMenuAndGivesItBack) {
    const TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    ASSERT_NE(skin->MenuBar, nullptr);
    TWinSkinMenu& bar = *skin->MenuBar;
    EXPECT_EQ(GetMenu(window), nullptr) << "the system draws no menu bar";
    EXPECT_EQ(skin->MenuBarHeight, GetSystemMetrics(SM_CYMENU));
    ASSERT_EQ(bar.Count(), 4);
    EXPECT_EQ(bar.Items(0)->Caption, L"&File");
    EXPECT_EQ(bar.Items(0)->MenuItem, made.File);
    EXPECT_EQ(bar.Items(0)->SubMenu, made.File->Handle());
    EXPECT_EQ(bar.Items(2)->Caption, L"");
    EXPECT_EQ(bar.Items(2)->SubMenu, nullptr);
    EXPECT_EQ(bar.Items(3)->MenuItem, made.Help);

    // A change of the menu reaches the bar.
    made.Help->SetEnabled(false);
    PumpMessages(50);
    ASSERT_EQ(skin->MenuBar->Count(), 4);
    EXPECT_FALSE(skin->MenuBar->Items(3)->Enabled);
    EXPECT_EQ(GetMenu(window), nullptr);

    RECT skinned{};
    GetClientRect(window, &skinned);
    TestSkin()->SetActive(false);
    PumpMessages(400);
    EXPECT_EQ(GetMenu(window), made.Menu->Handle());
    RECT unskinned{};
    GetClientRect(window, &unskinned);
    EXPECT_TRUE(EqualRect(&skinned, &unskinned)) << "the client area keeps its size both ways";
    TestSkin()->SetActive(true);
    PumpMessages(400);
}

TEST_F(MenuBar, ItemsAreLaidOutOnTheSkinsBarPicture) {
    const TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    const auto frame = PaintFrame(window);
    TWinSkinMenu& bar = *skin->MenuBar;
    const int top = skin->BorderTop, bottom = skin->BorderTop + skin->MenuBarHeight;
    const int firstLeft = skin->BorderLeft + TestSkin()->Objects.MenuBar->LeftWidth + 4;

    TMenuBtn& file = *bar.Items(0);
    EXPECT_EQ(file.Rect.Left, firstLeft);
    EXPECT_EQ(file.Rect.Width(), CaptionWidth(L"&File") + 10);
    EXPECT_EQ(file.Rect.Top, top);
    EXPECT_EQ(file.Rect.Bottom, bottom - 1);
    EXPECT_EQ(bar.Items(1)->Rect.Left, file.Rect.Right) << "one after the other";
    EXPECT_EQ(bar.Items(2)->Rect.Width(), 0) << "no caption, no room";
    EXPECT_EQ(bar.Items(3)->Rect.Left, bar.Items(1)->Rect.Right);
    EXPECT_EQ(bar.ItemAt(TPoint{file.Rect.Left + 2, top + 2}), &file);
    EXPECT_EQ(bar.ItemAt(TPoint{file.Rect.Left + 2, bottom + 2}), nullptr);

    // The bar's picture: frame 1 active, frame 2 inactive; its right piece where no item is.
    const int right = WindowSize(window).cx - skin->BorderRight - 3;
    EXPECT_EQ(RgbAt(*frame, right, top + 3), Plan(MenuBarImage, 1, 5));
    EXPECT_EQ(RgbAt(*frame, skin->BorderLeft + 2, top + 3), Plan(MenuBarImage, 1, 3));
    skin->Active = false;
    const auto inactive = PaintFrame(window);
    skin->Active = true;
    EXPECT_EQ(RgbAt(*inactive, right, top + 3), Plan(MenuBarImage, 2, 5));
}

TEST_F(MenuBar, TheItemUnderTheMouseIsFramed) {
    const TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    PaintFrame(window);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    TMenuBtn& file = *skin->MenuBar->Items(0);
    TMenuBtn& edit = *skin->MenuBar->Items(1);
    const int middle = (file.Rect.Top + file.Rect.Bottom) / 2;
    ASSERT_EQ(ScreenPixel(window, file.Rect.Left, middle), Plan(MenuBarImage, 1, 4));

    SendMouse(window, WM_NCMOUSEMOVE, Inside(file).x, Inside(file).y, HTMENU);
    EXPECT_EQ(skin->HotObject, &file);
    EXPECT_EQ(file.State, ncHot);
    EXPECT_EQ(ScreenPixel(window, file.Rect.Left, middle), ButtonHilight);

    SendMouse(window, WM_NCMOUSEMOVE, Inside(edit).x, Inside(edit).y, HTMENU);
    EXPECT_EQ(skin->HotObject, &edit);
    EXPECT_EQ(file.State, ncNormal);
    EXPECT_EQ(ScreenPixel(window, file.Rect.Left, middle), Plan(MenuBarImage, 1, 4)) << "the bar shows again";
    EXPECT_EQ(ScreenPixel(window, edit.Rect.Right - 1, middle), ButtonHilight);
}

TEST_F(MenuBar, AltAndALetterOpensThatDropDown) {
    const TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    int openIndex = -2;
    bool tracking = false;
    HMENU tracked = nullptr;
    RunLater([&] {
        openIndex = MenuLoopState().OpenIndex;
        tracking = skin->MenuTracking;
        tracked = skin->TrackedMenu;
        EndMenu();
    }, 150);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'e'), 1);
    EXPECT_EQ(openIndex, 1);
    EXPECT_TRUE(tracking);
    EXPECT_EQ(tracked, made.Edit->Handle());
    EXPECT_FALSE(skin->MenuTracking);
    EXPECT_EQ(MenuLoopState().OpenIndex, -1);
    EXPECT_EQ(MenuLoopState().Hook, nullptr);

    // The drop-down shows no separator at its ends and one of each run.
    std::vector<bool> shown;
    for (int i = 0; i < made.Edit->Count(); ++i) shown.push_back(made.Edit->Items(i)->Visible());
    EXPECT_EQ(shown, (std::vector<bool>{false, false, true, false, true, true, false}));

    // From the form's keys: Alt with the letter; not with Ctrl as well, nor a letter of no item.
    PumpMessages(50);
    constexpr LPARAM WithAlt = 1 << 29;
    EXPECT_EQ(made.Form->Perform(CM_DIALOGCHAR, 'H', WithAlt), 1);
    EXPECT_TRUE(Holds(skin->MenuBar->Items(3)->Rect, PostedClick(window)));
    EXPECT_EQ(made.Form->Perform(CM_DIALOGCHAR, 'H', 0), 0);
    EXPECT_EQ(made.Form->Perform(CM_DIALOGCHAR, 'Z', WithAlt), 0);
    BYTE keys[256] = {0};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(made.Form->Perform(CM_DIALOGCHAR, 'H', WithAlt), 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(PostedClick(window).x, -1);

    // The engine's own request opens the item under a screen point.
    openIndex = -2;
    RunLater([&] {
        openIndex = MenuLoopState().OpenIndex;
        EndMenu();
    }, 150);
    const POINT help = Inside(*skin->MenuBar->Items(3));
    SendMessageA(window, WM_SKINMENUBAR, 0, ScreenPointOf(window, help.x, help.y));
    EXPECT_EQ(openIndex, 3);
}

TEST_F(MenuBar, TheMouseOpensAnItemAndLeftAndRightMoveAlongTheBar) {
    const TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    std::vector<int> opened;
    RunLater([&] {
        opened.push_back(MenuLoopState().OpenIndex);
        PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    }, 150);
    RunLater([&] {
        opened.push_back(MenuLoopState().OpenIndex);
        EndMenu();
    }, 600);
    const POINT file = Inside(*skin->MenuBar->Items(0));
    SendMouse(window, WM_NCLBUTTONDOWN, file.x, file.y, HTMENU);
    PumpMessages(700);
    EXPECT_EQ(opened, (std::vector<int>{0, 1}));
    EXPECT_FALSE(skin->MenuTracking);
}

TEST_F(MenuBar, TheMenuLoopFilterMovesAlongTheBar) {
    const TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    PaintFrame(window);
    TWinSkinMenu& bar = *skin->MenuBar;
    const auto openAt = [&](int index) {
        SetMenuLoopItem(skin, index);
        StartMenuLoopHook();
        skin->TrackedMenu = bar.Items(index)->SubMenu;
    };

    openAt(3);
    Filter(Message(window, WM_KEYDOWN, VK_RIGHT));
    EXPECT_TRUE(Holds(bar.Items(0)->Rect, PostedClick(window))) << "from the last to the first";
    EXPECT_TRUE(MenuLoopState().Switching);
    DropKeys(window);
    openAt(0);
    Filter(Message(window, WM_KEYDOWN, VK_LEFT));
    EXPECT_TRUE(Holds(bar.Items(3)->Rect, PostedClick(window))) << "from the first to the last";
    openAt(1);
    Filter(Message(window, WM_KEYDOWN, VK_RIGHT));
    EXPECT_TRUE(Holds(bar.Items(3)->Rect, PostedClick(window))) << "past the item without a caption";

    // An item with a sub-menu selected: right opens the sub-menu, not the next bar item.
    openAt(0);
    Filter(Message(window, WM_MENUSELECT, MAKEWPARAM(2, MF_POPUP), reinterpret_cast<LPARAM>(made.File->Handle())));
    EXPECT_EQ(MenuLoopState().SelectedItem, made.Recent);
    Filter(Message(window, WM_KEYDOWN, VK_RIGHT));
    EXPECT_EQ(PostedClick(window).x, -1);
    // In the sub-menu, left goes back into the drop-down rather than along the bar.
    Filter(Message(window, WM_MENUSELECT, MAKEWPARAM(made.Recent->Items(0)->Command(), 0),
                   reinterpret_cast<LPARAM>(made.Recent->Handle())));
    Filter(Message(window, WM_KEYDOWN, VK_LEFT));
    EXPECT_EQ(PostedClick(window).x, -1);

    // A right-to-left menu swaps the two keys.
    made.Menu->SetBiDiMode(bdRightToLeft);
    Filter(Message(window, WM_MENUSELECT, MAKEWPARAM(made.File->Items(0)->Command(), 0),
                   reinterpret_cast<LPARAM>(made.File->Handle())));
    Filter(Message(window, WM_KEYDOWN, VK_LEFT));
    EXPECT_TRUE(Holds(bar.Items(1)->Rect, PostedClick(window)));
    made.Menu->SetBiDiMode(bdLeftToRight);

    // The mouse onto another bar item opens that one.
    openAt(0);
    MSG move = Message(window, WM_MOUSEMOVE, 0);
    const POINT help = Inside(*bar.Items(3));
    move.pt = POINT{skin->WindowRect.Left + help.x, skin->WindowRect.Top + help.y};
    Filter(move);
    EXPECT_TRUE(Holds(bar.Items(3)->Rect, PostedClick(window)));

    // The menu's end ends the window's tracking, unless another item is being opened.
    skin->MenuTracking = true;
    Filter(Message(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0));
    EXPECT_TRUE(skin->MenuTracking) << "switching";
    openAt(0);
    Filter(Message(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0));
    EXPECT_FALSE(skin->MenuTracking);
    StopMenuLoopHook();
    DropKeys(window);
    skin->TrackedMenu = nullptr;
}

TEST_F(MenuBar, DropDownsAreDrawnFromTheSkin) {
    const TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    HWND popup = nullptr;
    SIZE background{};
    TRgb corner{}, item{}, repainted{};
    RunLater([&] {
        if (SkinManager->PopupMenus().empty()) {
            EndMenu();
            return;
        }
        TWinSkinPopMenu& skinned = *SkinManager->PopupMenus().front();
        popup = skinned.Handle;
        background = SIZE{skinned.Background->Width(), skinned.Background->Height()};
        corner = ScreenPixel(popup, 1, 1);
        // The second item ("Save"), not selected: the left piece of the skin's item picture.
        RECT r{};
        GetMenuItemRect(nullptr, made.File->Handle(), 1, &r);
        RECT at{};
        GetWindowRect(popup, &at);
        item = ScreenPixel(popup, r.left - at.left + 1, (r.top + r.bottom) / 2 - at.top);
        // A frame painted over, then the whole window's frame asked for again.
        HDC dc = GetWindowDC(popup);
        const RECT spoiled{0, 0, 3, 3};
        FillRect(dc, &spoiled, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(popup, dc);
        SendMessageA(popup, WM_NCPAINT, 1, 0);
        repainted = ScreenPixel(popup, 1, 1);
        EndMenu();
    }, 300);
    const POINT file = Inside(*skin->MenuBar->Items(0));
    SendMouse(window, WM_NCLBUTTONDOWN, file.x, file.y, HTMENU);
    PumpMessages(50);
    ASSERT_NE(popup, nullptr);
    EXPECT_GT(background.cx, 0);
    EXPECT_EQ(corner, Plan(MenuBackgroundImage, 1, 0));
    EXPECT_EQ(item, Plan(MenuItemImage, 1, 3));
    EXPECT_EQ(repainted, Plan(MenuBackgroundImage, 1, 0));
}

// Alt+letter that no control of a dialog takes is handed to the main form, but not while a modal
// dialog has disabled it: its menu would open and run its commands behind the dialog.
TEST_F(MenuBar, AltAndALetterBehindAModalDialogOpensNoMenuOfTheMainForm) {
    TForm* mainForm = nullptr;
    Application->CreateForm(mainForm);
    ASSERT_EQ(Application->MainForm(), mainForm);
    mainForm->Show();
    SetForegroundWindow(mainForm->Handle());
    ASSERT_TRUE(WaitSkinned(mainForm->Handle()));
    constexpr LPARAM WithAlt = 1 << 29;

    // An ordinary second window hands the letter on.
    const auto other = ShowForm();
    EXPECT_EQ(other->Perform(CM_DIALOGCHAR, 'C', WithAlt), 1);
    EXPECT_NE(PostedClick(mainForm->Handle()).x, -1);

    auto dialog = std::make_unique<TForm>(nullptr);
    dialog->SetBounds(150, 150, 200, 120);
    LRESULT answer = -1;
    bool skinned = false;
    RunLater([&] {
        skinned = SkinOf(dialog->Handle()) != nullptr;
        answer = dialog->Perform(CM_DIALOGCHAR, 'C', WithAlt);
        dialog->SetModalResult(mrCancel);
    }, 300);
    dialog->ShowModal();
    EXPECT_TRUE(skinned);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(PostedClick(mainForm->Handle()).x, -1);
    dialog.reset();
    delete mainForm;
}

// A window the component layer did not make: the bar and its drop-down come from the menu
// handle alone, the items drawn through stand-ins of their text.
TEST_F(MenuBar, ARawWindowsMenuIsReadFromItsHandle) {
    SkinManager->Active = false;
    const auto raw = CreateRawWindow("SkinTestMenuWindow");
    HMENU bar = CreateMenu();
    HMENU alpha = CreatePopupMenu();
    AppendMenuA(alpha, MF_STRING, 5001, "&First");
    AppendMenuA(alpha, MF_STRING, 5002, "&Second");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(alpha), "&Alpha");
    AppendMenuA(bar, MF_STRING | MF_GRAYED, 5003, "&Beta");
    SetMenu(raw->Handle, bar);
    SkinManager->Active = true;
    Activate(raw->Handle);
    ASSERT_TRUE(WaitSkinned(raw->Handle));
    TWinSkinForm* skin = SkinOf(raw->Handle);
    ASSERT_NE(skin->MenuBar, nullptr);
    ASSERT_EQ(skin->MenuBar->Count(), 2);
    EXPECT_EQ(skin->MenuBar->Items(0)->Caption, L"&Alpha");
    EXPECT_EQ(skin->MenuBar->Items(0)->SubMenu, alpha);
    EXPECT_EQ(skin->MenuBar->Items(0)->MenuItem, nullptr);
    EXPECT_FALSE(skin->MenuBar->Items(1)->Enabled);
    EXPECT_EQ(GetMenu(raw->Handle), nullptr);

    TRgb item{};
    RunLater([&] {
        if (!SkinManager->PopupMenus().empty()) {
            HWND popup = SkinManager->PopupMenus().front()->Handle;
            RECT r{}, at{};
            GetMenuItemRect(nullptr, alpha, 1, &r);
            GetWindowRect(popup, &at);
            item = ScreenPixel(popup, r.left - at.left + 1, (r.top + r.bottom) / 2 - at.top);
        }
        EndMenu();
    }, 300);
    EXPECT_EQ(SendMessageA(raw->Handle, WM_SYSCOMMAND, SC_KEYMENU, 'a'), 1);
    EXPECT_EQ(item, Plan(MenuItemImage, 1, 3));
    EXPECT_EQ(SendMessageA(raw->Handle, WM_SYSCOMMAND, SC_KEYMENU, 'b'), 0) << "a disabled item has no accelerator";

    // Unskinned, the window has its menu back, drawn by the system as before.
    TestSkin()->SetActive(false);
    PumpMessages(400);
    EXPECT_EQ(GetMenu(raw->Handle), bar);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(alpha, 1, TRUE, &info));
    EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
    TestSkin()->SetActive(true);
    PumpMessages(400);
}

TEST_F(MenuBar, AFormGivenAnotherMenuShowsItAndLooksItsCommandsUpInIt) {
    const TGuardedHeap guard;
    TMenuForm made = ShowMenuForm();
    HWND window = made.Handle();
    TWinSkinForm* skin = SkinOf(window);
    auto* other = new TMainMenu(made.Form.get());
    TMenuItem* tools = AddItem(made.Form.get(), other->Items(), "&Tools");
    TMenuItem* run = AddItem(made.Form.get(), tools, "&Run");
    AddItem(made.Form.get(), other->Items(), "&View");
    made.Form->SetMenu(other);
    delete made.Menu;  // the old menu and its items are gone
    PumpMessages(50);

    EXPECT_EQ(skin->MenuBarMenu(), other);
    ASSERT_EQ(skin->MenuBar->Count(), 2);
    EXPECT_EQ(skin->MenuBar->Items(0)->Caption, L"&Tools");
    EXPECT_EQ(skin->MenuBar->Items(0)->MenuItem, tools);
    EXPECT_EQ(GetMenu(window), nullptr) << "the bar draws it";

    HMENU tracked = nullptr;
    RunLater([&] {
        tracked = skin->TrackedMenu;
        EndMenu();
    }, 150);
    EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 't'), 1);
    EXPECT_EQ(tracked, tools->Handle());
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, static_cast<UINT>(run->Command()), 0, 18, 0};
    EXPECT_EQ(SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 1) << "measured as its item";
}
