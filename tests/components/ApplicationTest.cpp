// The application: its window, its loop, its main form; forms freeing themselves; key preview.
#include <gtest/gtest.h>

#include <memory>

#include "GuiTestSupport.h"
#include "components/TApplication.h"
#include "components/TButton.h"
#include "components/TCustomEdit.h"
#include "components/TForm.h"
#include "components/TMainMenu.h"
#include "components/TScreen.h"
#include "components/TTimer.h"
#include "components/TWriter.h"
#include "components/TextCodec.h"
#include "components/SysUtils.h"

namespace {

TEST(ApplicationWindow, IsAHiddenWindowOfItsOwnClassCarryingTheTitle) {
    PrepareApplication();
    Application->SetTitle("SABLINK");
    HWND window = Application->Handle();
    EXPECT_EQ(WindowClassOf(window), "TApplication");
    EXPECT_EQ(WindowTextOf(window), "SABLINK");
    EXPECT_FALSE(IsWindowVisible(window));
    TForm form(nullptr);
    form.HandleNeeded();
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), window) << "without a main form the application window owns the forms";
}

TEST(ApplicationWindow, ScreenKnowsTheFormsAndTheActiveOne) {
    PrepareApplication();
    const int before = Screen->FormCount();
    auto form = std::make_unique<TForm>(nullptr);
    EXPECT_EQ(Screen->FormCount(), before + 1);
    EXPECT_EQ(Screen->Forms(before), form.get());
    form->Show();
    SendMessageA(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Screen->ActiveForm(), form.get());
    form.reset();
    EXPECT_EQ(Screen->FormCount(), before);
    EXPECT_EQ(Screen->ActiveForm(), nullptr) << "a freed form is no longer the active one";
    EXPECT_GT(Screen->MenuFont()->Name().size(), 0u);
}

TEST(ApplicationWindow, ErrorsInTimerHandlersAreReported) {
    PrepareApplication();
    ReportedErrors().clear();
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        throw EInvalidOperation("tick failed");
    };
    PumpMessages(100);
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_EQ(ReportedErrors()[0], "tick failed");
}

// A window that only counts the messages posted to it.
int floodHandled = 0;

LRESULT CALLBACK CountFlood(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcA(window, message, wParam, lParam);
    ++floodHandled;
    return 0;
}

// A real click: input the system queues for the window under the mouse.
void ClickWithTheMouse(HWND window) {
    RECT box;
    GetWindowRect(window, &box);
    INPUT input[3]{};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = (box.left + box.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        i.mi.dy = (box.top + box.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof input[0]);
}

// The system hands out posted messages before input and timers: a loop that took them in that
// order would answer a click, and tick a timer, only once thousands of posted messages are done.
TEST(ApplicationLoop, AFloodOfPostedMessagesHoldsBackNeitherClicksNorTimers) {
    PrepareApplication();
    TForm form(nullptr);
    form.SetBounds(200, 200, 240, 120);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(20, 20, 120, 40);
    int handledAtClick = -1;
    button->OnClick = [&](TObject*) { handledAtClick = floodHandled; };
    form.Show();
    SetForegroundWindow(form.Handle());
    PumpMessages(100);

    HWND sink = CreateHiddenWindow("FloodSink", CountFlood);
    floodHandled = 0;
    constexpr int Posted = 20000;
    for (int i = 0; i < Posted; ++i) ASSERT_TRUE(PostMessageA(sink, WM_APP, 0, 0));
    int handledAtTick = -1;
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        if (handledAtTick < 0) handledAtTick = floodHandled;
    };
    ClickWithTheMouse(button->Handle());
    const DWORD start = GetTickCount();
    while (floodHandled < Posted && GetTickCount() - start < 60000) Application->HandleMessage();
    PumpMessages(100);
    timer.SetEnabled(false);
    DestroyWindow(sink);

    ASSERT_EQ(floodHandled, Posted);
    ASSERT_GE(handledAtClick, 0) << "the click was not answered at all";
    EXPECT_LT(handledAtClick, Posted) << "the click waited for every posted message";
    ASSERT_GE(handledAtTick, 0) << "the timer never ticked";
    EXPECT_LT(handledAtTick, Posted) << "the timer waited for every posted message";
}

TEST(Forms, KeyPreviewSeesKeysBeforeTheControl) {
    PrepareApplication();
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    std::string order;
    form.SetKeyPreview(true);
    form.OnKeyPress = [&](TObject*, char& key) {
        order += "form ";
        if (key == 'x') key = 'y';
    };
    edit->OnKeyPress = [&](TObject*, char& key) { order += std::string("edit:") + key; };
    form.Show();
    edit->SetFocus();
    PostMessageA(edit->Handle(), WM_CHAR, 'x', 1);
    PumpMessages();
    EXPECT_EQ(order, "form edit:y");
    EXPECT_EQ(edit->Text(), "y") << "the key as changed by the preview reaches the window";
}

TEST(Forms, StayOnTopComesAndGoesOnAShownOwnedForm) {
    PrepareApplication();
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    auto* menu = new TMainMenu(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption("控制(&C)");
    menu->Items()->Add(item);
    form.SetMenu(menu);
    form.Show();
    ASSERT_NE(GetWindow(form.Handle(), GW_OWNER), nullptr);
    form.SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    form.SetFormStyle(fsNormal);
    EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(GetParent(button->Handle()), form.Handle()) << "the controls stay on the form";
    EXPECT_EQ(GetMenu(form.Handle()), menu->Handle()) << "and so does the menu";
    EXPECT_TRUE(IsMenu(menu->Handle()));
}

TEST(Forms, ReleaseFreesTheFormAfterItsMessages) {
    PrepareApplication();
    auto* form = new TForm(nullptr);
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->Show();
    form->Release();
    EXPECT_FALSE(destroyed);
    PumpMessages();
    EXPECT_TRUE(destroyed);
}

TEST(Forms, AFormThatCannotBeReadIsNotHandedOut) {
    PrepareApplication();
    TForm* main = reinterpret_cast<TForm*>(1);
    // TForm has no description among this program's resources.
    EXPECT_THROW(Application->CreateForm(main), EReadError);
    EXPECT_EQ(main, nullptr) << "a form that could not be read is not handed out";
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Forms, AWrittenFormReadsBackTheSame) {
    PrepareApplication();
    TForm form(nullptr);
    form.SetName("Sample");
    form.SetCaption("样本");
    form.SetBorderStyle(bsDialog);
    auto* button = new TButton(&form);
    button->SetName("Button1");
    button->SetParent(&form);
    button->SetCaption("确定");
    button->SetModalResult(mrOk);
    button->Font()->SetStyle(fsBold);
    const std::string text = TWriter(GbkToUtf8).WriteRoot(&form);
    EXPECT_NE(text.find("TButton Button1 {"), std::string::npos);

    TForm copy(nullptr);
    copy.ReadFormText(text, "written");
    auto* copied = dynamic_cast<TButton*>(copy.FindComponent("Button1"));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->Parent(), &copy);
    EXPECT_EQ(copied->Caption(), "确定");
    EXPECT_EQ(copied->ModalResult(), mrOk);
    EXPECT_EQ(copied->Font()->Style(), static_cast<TFontStyles>(fsBold));
    EXPECT_EQ(copy.Caption(), "样本");
    EXPECT_EQ(copy.BorderStyle(), bsDialog);
}

}  // namespace
