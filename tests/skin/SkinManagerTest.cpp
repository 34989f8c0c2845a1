// The skin manager's decisions: which windows it takes on and with which skin data component,
// what its action timer does for the components, windows that go, and popup menus.
#include <vector>

#include "GuiTestSupport.h"
#include "SkinMessages.h"
#include "SkinWindowSupport.h"
#include "WinSkinPopMenu.h"
#include "components/TTimer.h"

namespace {

using SkinManagement = SkinWindowTest;

std::unique_ptr<TForm> ShowUnskinnedForm(const std::function<void(TForm&)>& setUp) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    setUp(*form);
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpMessages(50);
    return form;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog of the system's dialog class, made in the name of another module.
HWND CreateForeignDialog(HINSTANCE module) {
    alignas(4) WORD buffer[32] = {0};
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(buffer);
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialog->cx = 160;
    dialog->cy = 80;
    // No menu, the default class and no title follow as three zero words.
    return CreateDialogIndirectParamA(module, dialog, nullptr, QuietDialogProc, 0);
}

// Ticks of the action timer until it has run.
void RunPendingAction() {
    for (int i = 0; i < 100 && SkinManager->Timer->Enabled(); ++i) PumpMessages(10);
}

}  // namespace

TEST_F(SkinManagement, WindowsOfThisProgramAreTakenOnceWhenActivated) {
    const auto form = ShowForm();
    EXPECT_EQ(SkinManager->Forms().size(), 1u);
    EXPECT_EQ(SkinOf(form->Handle())->Control, form.get());
    EXPECT_EQ(SkinOf(form->Handle())->SkinData, TestSkin());
    const auto other = ShowForm();
    SetForegroundWindow(form->Handle());
    PumpMessages(20);
    EXPECT_EQ(SkinManager->Forms().size(), 2u) << "activated again, not taken twice";

    // A dialog of the system's class is skinned whoever made it; another module's own windows
    // are left alone.
    HWND dialog = CreateForeignDialog(GetModuleHandleA("user32.dll"));
    Activate(dialog);
    EXPECT_TRUE(WaitSkinned(dialog));
    DestroyWindow(dialog);
    const auto foreign = CreateRawWindow("SkinTestForeign", false, GetModuleHandleA("kernel32.dll"));
    Activate(foreign->Handle);
    EXPECT_EQ(SkinOf(foreign->Handle), nullptr);
    EXPECT_EQ(SendMessageA(foreign->Handle, WM_SKINQUERY, 0, 0), 0);
}

TEST_F(SkinManagement, WindowsThatAreLeftUnskinned) {
    // A form tagged 99 is never skinned, whatever the skin data's DisableTag; a form carrying
    // another DisableTag is.
    TestSkin()->SetDisableTag(5);
    const auto tagged = ShowUnskinnedForm([](TForm& f) { f.SetTag(99); });
    EXPECT_EQ(SkinOf(tagged->Handle()), nullptr);
    const auto other = ShowUnskinnedForm([](TForm& f) { f.SetTag(5); });
    EXPECT_TRUE(WaitSkinned(other->Handle()));
    TestSkin()->SetDisableTag(99);

    // A window without an area.
    const auto empty = CreateRawWindow("SkinTestEmpty");
    SetWindowLongPtrA(empty->Handle, GWL_STYLE, WS_POPUP);
    SetWindowPos(empty->Handle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ASSERT_EQ(WindowSize(empty->Handle).cx, 0);
    Activate(empty->Handle);
    EXPECT_EQ(SkinOf(empty->Handle), nullptr);

    // Print previews only with xoPreview; with it, the skin data's handler decides.
    const auto preview = CreateRawWindow("SkinTestPreviewWindow");
    TestSkin()->SetOptions(TestSkin()->Options() & ~SkinOptionBit(xoPreview));
    Activate(preview->Handle);
    EXPECT_EQ(SkinOf(preview->Handle), nullptr);
    TestSkin()->SetOptions(TestSkin()->Options() | SkinOptionBit(xoPreview));
    std::vector<std::string> asked;
    TestSkin()->OnFormSkin = [&](TObject*, const std::string& name, bool& doSkin) {
        asked.push_back(name);
        doSkin = false;
    };
    const auto refused = CreateRawWindow("SkinTestRefused");
    Activate(refused->Handle);
    TestSkin()->OnFormSkin = nullptr;
    EXPECT_EQ(SkinOf(refused->Handle), nullptr);
    EXPECT_EQ(asked, std::vector<std::string>{"SkinTestRefused"});
}

TEST_F(SkinManagement, EachWindowGetsTheSkinOfTheComponentForItsKind) {
    const auto plain = CreateRawWindow("SkinTestPlain");
    const auto message = CreateRawWindow("TMessageForm");
    const auto dialog = CreateRawWindow("#32770");
    EXPECT_EQ(SkinManager->ChooseSkinData(plain->Handle), TestSkin());

    // The later main-form component is chosen; the first stays the default.
    TSkinData second(nullptr), dialogs(nullptr), own(nullptr);
    dialogs.SetSkinFormtype(sfDialog);
    own.SetSkinFormtype(sfOnlyThisForm);
    SkinManager->RegisterSkinData(&second);
    EXPECT_EQ(SkinManager->ChooseSkinData(plain->Handle), &second);
    EXPECT_EQ(SkinManager->ChooseSkinData(message->Handle), &second) << "no dialog component yet";
    EXPECT_EQ(SkinManager->DefaultSkinData, TestSkin());
    SkinManager->RegisterSkinData(&dialogs);
    EXPECT_EQ(SkinManager->ChooseSkinData(message->Handle), &dialogs);
    EXPECT_EQ(SkinManager->ChooseSkinData(dialog->Handle), &dialogs);
    EXPECT_EQ(SkinManager->ChooseSkinData(plain->Handle), &second);

    // A component for its own form wins for that form.
    const TSkinForm form = ReadSkinForm({}, "SkinFormtype = sfOnlyThisForm");
    EXPECT_EQ(SkinManager->ChooseSkinData(form.Form->Handle()), form.Skin);
}

TEST_F(SkinManagement, TheActionTimerRunsWhatTheComponentsAsk) {
    // While the program loads, asking to skin everything only switches skinning on.
    SkinManager->RunState = rsLoading;
    SkinManager->Active = false;
    SkinManager->PostAction(saSkinAll, 250);
    EXPECT_TRUE(SkinManager->Active);
    EXPECT_FALSE(SkinManager->Timer->Enabled());
    SkinManager->RunState = rsRunning;

    // A tick that nobody asked for does nothing and tells nobody.
    int changes = 0;
    TestSkin()->OnSkinChanged = [&](TObject*) { ++changes; };
    const auto form = ShowForm();
    SkinManager->PostAction(saUnskinAll, 10);
    RunPendingAction();
    EXPECT_NE(SkinOf(form->Handle()), nullptr);
    EXPECT_EQ(changes, 0);

    // A component for its own form lets go of that form alone; the main skin of all windows.
    TSkinForm own = ReadSkinForm(FileBytes(SkinPackagePath()), "Active = True SkinFormtype = sfOnlyThisForm");
    own.Form->SetBounds(100, 100, 300, 200);
    own.Form->Show();
    ASSERT_TRUE(WaitSkinned(own.Form->Handle()));
    own->SetActive(false);
    RunPendingAction();
    EXPECT_EQ(SkinOf(own.Form->Handle()), nullptr);
    EXPECT_NE(SkinOf(form->Handle()), nullptr);
    TestSkin()->SetActive(false);
    RunPendingAction();
    EXPECT_TRUE(SkinManager->Forms().empty());
    EXPECT_FALSE(SkinManager->Active);
    EXPECT_EQ(changes, 1);
    TestSkin()->OnSkinChanged = nullptr;
    TestSkin()->SetActive(true);
    RunPendingAction();
    EXPECT_TRUE(WaitSkinned(form->Handle()));
}

TEST_F(SkinManagement, ASkinnedWindowThatGoesIsPurged) {
    auto raw = CreateRawWindow("SkinTestGoing");
    Activate(raw->Handle);
    ASSERT_TRUE(WaitSkinned(raw->Handle));
    HWND gone = raw->Handle;
    DestroyWindow(gone);
    TWinSkinForm* skin = SkinOf(gone);
    ASSERT_NE(skin, nullptr) << "kept until the next window is skinned";
    EXPECT_EQ(skin->State, wsGone);
    const auto next = ShowForm();
    EXPECT_EQ(SkinOf(gone), nullptr);
    EXPECT_EQ(SkinManager->Forms().size(), 1u);

    // A form's skin goes with the form.
    auto form = ShowForm();
    EXPECT_EQ(SkinManager->Forms().size(), 2u);
    form.reset();
    EXPECT_EQ(SkinManager->Forms().size(), 1u);
}

TEST_F(SkinManagement, PopupMenusAreSkinnedWhileTheyAreOpenAsTheMenuLoopAllows) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "One");
    std::size_t seen = 0;
    LRESULT answered = 0;
    const auto track = [&](HWND owner) {
        seen = 0;
        answered = 0;
        RunLater([&] {
            seen = SkinManager->PopupMenus().size();
            if (seen) answered = SendMessageA(SkinManager->PopupMenus().front()->Handle, WM_SKINQUERY, 0, 0);
            EndMenu();
        }, 100);
        TrackPopupMenu(menu, TPM_LEFTALIGN, 200, 200, 0, owner, nullptr);
        PumpMessages(20);
    };
    // From a skinned window: the window reports a menu of its own.
    const auto form = ShowForm();
    track(form->Handle());
    EXPECT_EQ(seen, 1u);
    EXPECT_EQ(answered, 1);
    EXPECT_TRUE(SkinManager->PopupMenus().empty());
    EXPECT_EQ(SkinManager->MenuContext, mcNone) << "reset when the last popup closed";

    // A context menu of a window that reports none needs xcPopupMenu.
    SkinManager->Active = false;
    const auto raw = CreateRawWindow("SkinTestMenuOwner");
    Activate(raw->Handle);
    SkinManager->Active = true;
    ASSERT_EQ(SkinOf(raw->Handle), nullptr);
    TestSkin()->SetSkinControls(TestSkin()->SkinControls() & ~SkinControlBit(xcPopupMenu));
    track(raw->Handle);
    EXPECT_EQ(seen, 0u);
    TestSkin()->SetSkinControls(TestSkin()->SkinControls() | SkinControlBit(xcPopupMenu));
    track(raw->Handle);
    EXPECT_EQ(seen, 1u);
    DestroyMenu(menu);
}
