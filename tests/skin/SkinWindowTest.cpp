// A skinned window's procedure: the engine's private messages and their answers, what it does
// before its frame is laid out, its messages passed on once and unchanged, a caption change
// handled without running anything else in between, and the window given back whole.
#include "GuiTestSupport.h"
#include "SkinMessages.h"
#include "SkinWindowSupport.h"
#include "components/TButton.h"
#include "components/TMemoryStream.h"
#include "components/TPopupMenu.h"
#include "components/TTimer.h"

namespace {

using SkinWindow = SkinWindowTest;

constexpr UINT WM_TESTNOTE = WM_APP + 7;

// A form that counts what its own procedure gets.
class TCountingForm : public TForm {
public:
    using TForm::TForm;
    int Notes = 0;
    int FrameMeasures = 0;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_TESTNOTE) ++Notes;
        if (m.Msg == WM_NCCALCSIZE) ++FrameMeasures;
        TForm::WndProc(m);
    }
};

std::unique_ptr<TCountingForm> ShowCountingForm() {
    auto form = std::make_unique<TCountingForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    EXPECT_TRUE(WaitSkinned(form->Handle()));
    return form;
}

struct TWindowLook {
    LONG_PTR Procedure, Style, ExStyle;
    RECT Window, Client;
    int RegionKind;
    bool operator==(const TWindowLook& o) const {
        return Procedure == o.Procedure && Style == o.Style && ExStyle == o.ExStyle && EqualRect(&Window, &o.Window) &&
               EqualRect(&Client, &o.Client) && RegionKind == o.RegionKind;
    }
};

TWindowLook LookOf(HWND window) {
    TWindowLook look{GetWindowLongPtrA(window, GWLP_WNDPROC), GetWindowLongPtrA(window, GWL_STYLE),
                     GetWindowLongPtrA(window, GWL_EXSTYLE), {}, {}, 0};
    GetWindowRect(window, &look.Window);
    GetClientRect(window, &look.Client);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    look.RegionKind = GetWindowRgn(window, region);
    DeleteObject(region);
    return look;
}

}  // namespace

TEST_F(SkinWindow, ASkinnedWindowAnswersTheEnginesMessages) {
    const auto form = ShowForm();
    HWND window = form->Handle();
    EXPECT_EQ(SendMessageA(window, WM_SKINQUERY, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_SKINPROBE, 0, SkinAnswerKey), SkinAnswerKey);
    EXPECT_EQ(SendMessageA(window, WM_SKINPROBE, 0, 5), 1);
    EXPECT_EQ(SendMessageA(window, WM_SKINPAINTFRAMETO, 0, 5), 0) << "paints only when asked with the key";

    // The menu loop now open: the window's system menu, or any other menu.
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSystemMenu(window, FALSE)), MAKELPARAM(0, TRUE));
    EXPECT_EQ(SkinManager->MenuContext, mcSystemMenu);
    HMENU menu = CreatePopupMenu();
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    EXPECT_EQ(SkinManager->MenuContext, mcMenu);
    DestroyMenu(menu);
    SkinManager->MenuContext = mcNone;
}

TEST_F(SkinWindow, UntilItsFrameIsLaidOutTheSystemPaintsNoFrame) {
    const auto raw = CreateRawWindow("SkinTestEarly");
    ShowWindow(raw->Handle, SW_SHOWNORMAL);
    TWinSkinForm* skin = SkinOf(raw->Handle);
    ASSERT_NE(skin, nullptr) << "taken on when it was activated";
    ASSERT_EQ(skin->State, wsAttached) << "its start is still queued";
    const int painted = raw->Count(WM_NCPAINT);
    EXPECT_EQ(SendMessageA(raw->Handle, WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(raw->Count(WM_NCPAINT), painted);
    ASSERT_TRUE(WaitSkinned(raw->Handle));
    EXPECT_EQ(skin->State, wsSkinned);
}

TEST_F(SkinWindow, MessagesReachTheWindowOnceAndTextsUnchanged) {
    const auto raw = CreateRawWindow("SkinTestSizes");
    Activate(raw->Handle);
    ASSERT_TRUE(WaitSkinned(raw->Handle));
    const int sized = raw->Count(WM_SIZE);
    SetWindowPos(raw->Handle, nullptr, 0, 0, 333, 222, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(raw->Count(WM_SIZE), sized + 1);

    // A Unicode window keeps its texts: they pass through the skin in the wide form.
    const auto wide = CreateRawWindow("SkinTestWide", true);
    Activate(wide->Handle);
    ASSERT_TRUE(WaitSkinned(wide->Handle));
    ASSERT_TRUE(SkinOf(wide->Handle)->IsUnicode);
    const std::wstring title = L"\x6570\x636E\x4E2D\x5FC3 Sablink";
    SetWindowTextW(wide->Handle, title.c_str());
    wchar_t text[64] = {0};
    GetWindowTextW(wide->Handle, text, 64);
    EXPECT_EQ(std::wstring(text), title);
}

// The caption is changed with the window's drawing held and the frame painted again; nothing
// waiting in the queue runs in between.
TEST_F(SkinWindow, ACaptionChangeRunsNothingElseAndRepaintsTheFrame) {
    for (bool maximized : {false, true}) {
        SCOPED_TRACE(maximized ? "maximised" : "normal");
        const auto form = ShowCountingForm();
        if (maximized) {
            form->SetWindowState(wsMaximized);
            PumpMessages(50);
        }
        PostMessageA(form->Handle(), WM_TESTNOTE, 0, 0);
        const int measured = form->FrameMeasures;
        form->SetCaption(maximized ? "Maximised" : "Normal");
        EXPECT_EQ(form->Notes, 0) << "the queued message waits";
        EXPECT_GT(form->FrameMeasures, measured) << "the frame was laid out and painted again";
        MSG stray{};
        EXPECT_FALSE(PeekMessageA(&stray, reinterpret_cast<HWND>(-1), WM_SKINMDIREDRAW, WM_SKINMDIREDRAW, PM_REMOVE))
            << "no redraw posted to a client window that is not there";
        PumpMessages(20);
        EXPECT_EQ(form->Notes, 1);
        wchar_t text[32] = {0};
        GetWindowTextW(form->Handle(), text, 32);
        EXPECT_EQ(std::wstring(text), maximized ? L"Maximised" : L"Normal");
    }
}

TEST_F(SkinWindow, UnskinningGivesTheWindowBackAsItWas) {
    // Shown unskinned, then skinned as the skin data asks for every shown form.
    SkinManager->Active = false;
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    form->SetColor(clWindow);
    form->Show();
    SetForegroundWindow(form->Handle());
    const TWindowLook before = LookOf(form->Handle());
    ASSERT_EQ(SkinOf(form->Handle()), nullptr);
    TestSkin()->SetActive(false);
    TestSkin()->SetActive(true);
    PumpMessages(400);
    ASSERT_TRUE(WaitSkinned(form->Handle()));
    EXPECT_EQ(form->Color(), TestSkin()->Colours().ButtonFace);
    EXPECT_FALSE(LookOf(form->Handle()) == before);

    TestSkin()->SetActive(false);
    PumpMessages(400);
    EXPECT_EQ(SkinOf(form->Handle()), nullptr);
    EXPECT_EQ(SendMessageA(form->Handle(), WM_SKINQUERY, 0, 0), 0);
    const TWindowLook after = LookOf(form->Handle());
    EXPECT_EQ(after.Procedure, before.Procedure);
    EXPECT_EQ(after.Style, before.Style);
    EXPECT_EQ(after.ExStyle, before.ExStyle);
    EXPECT_TRUE(EqualRect(&after.Window, &before.Window));
    EXPECT_TRUE(EqualRect(&after.Client, &before.Client));
    EXPECT_EQ(after.RegionKind, ERROR) << "no region";
    EXPECT_EQ(form->Color(), clWindow);
    TestSkin()->SetActive(true);
    PumpMessages(400);
}

TEST_F(SkinWindow, ADialogNarrowerThanItsTitleIsWidenedWithItsControlsInTheMiddle) {
    const auto dialog = CreateRawWindow("TMessageForm");
    SetWindowTextA(dialog->Handle, "A title wider than the dialog is");
    SetWindowPos(dialog->Handle, nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER);
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 60, 24, dialog->Handle, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    RECT client{};
    GetClientRect(dialog->Handle, &client);
    Activate(dialog->Handle);
    ASSERT_TRUE(WaitSkinned(dialog->Handle));
    TWinSkinForm* skin = SkinOf(dialog->Handle);
    EXPECT_TRUE(skin->IsDialog);
    EXPECT_EQ(skin->BorderKind, bkDialog);
    const int needed = 30 + skin->CaptionTextWidth + 120;
    EXPECT_GT(skin->CaptionTextWidth, 0);
    EXPECT_EQ(WindowSize(dialog->Handle).cx, needed);
    RECT r{};
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, dialog->Handle, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10 + (needed - (client.right + 10)) / 2);
}

// A form whose window is made anew is skinned anew; its menus are never left drawing through
// the skin object of the window that went.
TEST_F(SkinWindow, AWindowMadeAnewIsSkinnedAgainWithItsMenus) {
    const auto form = ShowForm();
    auto* popup = new TPopupMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption("Item");
    popup->Items()->Add(item);
    TWinSkinForm* first = SkinOf(form->Handle());
    first->SkinMenus(form.get(), true);
    ASSERT_TRUE(popup->OwnerDraw());
    ASSERT_TRUE(static_cast<bool>(item->OnDrawItem));

    form->SetBorderIcons(biSystemMenu);  // the window is destroyed and made again
    EXPECT_FALSE(static_cast<bool>(item->OnDrawItem)) << "handlers of the skin that went are taken back";
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(WaitSkinned(form->Handle()));
    EXPECT_EQ(SkinManager->Forms().size(), 1u) << "the skin of the window that went is purged";
    SkinOf(form->Handle())->SkinMenus(form.get(), true);
    TBitmap target;
    target.SetSize(120, 20);
    ASSERT_TRUE(static_cast<bool>(item->OnDrawItem));
    item->OnDrawItem(item, target.Canvas(), TRect{0, 0, 120, 20}, false);
    EXPECT_EQ(RgbAt(target, 118, 10), Plan(25, 1, 5)) << "drawn through the window's new skin";
}

TEST_F(SkinWindow, ANewSkinIsAppliedToTheWindowsSkinnedWithIt) {
    TSkinForm own = ReadSkinForm(FileBytes(SkinPackagePath()), "Active = True SkinFormtype = sfOnlyThisForm");
    own.Form->SetBounds(100, 100, 300, 200);
    own.Form->Show();
    ASSERT_TRUE(WaitSkinned(own.Form->Handle()));
    const auto other = ShowForm();
    const std::string file = TempPath("reapplied.skn");
    const TBytes package = EditedSkinPackage([](std::string& ini) {
        SetIniKey(ini, "Colours", "ButtonFace", "7 8 9");
        SetIniKey(ini, "Personality", "LeftTrans", "0");
    });
    TMemoryStream out;
    out.WriteBuffer(package.data(), static_cast<std::int64_t>(package.size()));
    out.SaveToFile(file);
    own->SetSkinFile(file);
    DeleteFileA(file.c_str());
    own->Reapply();
    for (int i = 0; i < 100 && SkinManager->Timer->Enabled(); ++i) PumpMessages(10);

    EXPECT_EQ(own.Form->Color(), static_cast<TColor>(RGB(7, 8, 9)));
    EXPECT_EQ(other->Color(), TestSkin()->Colours().ButtonFace) << "a window of another skin keeps its own";
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(own.Form->Handle(), region);
    EXPECT_TRUE(PtInRegion(region, 0, 1)) << "the region made anew: the left border is opaque now";
    EXPECT_FALSE(PtInRegion(region, WindowSize(own.Form->Handle()).cx - 1, 1));
    DeleteObject(region);
    EXPECT_EQ(SkinOf(own.Form->Handle())->State, wsSkinned);
}

// A window deactivated while minimised draws its inactive look; a second main-form component
// finds the one window hook in place.
TEST_F(SkinWindow, AMinimisedWindowThatLosesTheActivationIsInactive) {
    const auto form = ShowForm();
    const auto other = ShowForm();
    SetForegroundWindow(form->Handle());
    PumpMessages(20);
    ASSERT_TRUE(SkinOf(form->Handle())->Active);
    ShowWindow(form->Handle(), SW_MINIMIZE);
    SetForegroundWindow(other->Handle());
    PumpMessages(50);
    EXPECT_EQ(SkinOf(form->Handle())->ShowState, ssMinimized);
    EXPECT_FALSE(SkinOf(form->Handle())->Active);

    const HHOOK hook = SkinManager->HookHandle;
    const TSkinForm second = ReadSkinForm(FileBytes(SkinPackagePath()));
    EXPECT_EQ(SkinManager->HookHandle, hook);
}

TEST_F(SkinWindow, AnExceptionInTheSkinsWorkIsReportedAndNeverEndsTheProgram) {
    // What the skinning of the window's controls lets through, as a handler of the application's
    // or a bitmap the system refuses would raise it, inside the window's own procedure.
    ReportedErrors().clear();
    TestSkin()->OnSkinControl = [](TComponent*, TSkinData*, TControl*, TControl*, const std::string&, TComponent*&) {
        throw std::runtime_error("no skin for this control");
    };
    TForm* shown = nullptr;
    const auto form = ShowForm([&](TForm& f) {
        shown = &f;
        auto* button = new TButton(&f);
        button->SetParent(&f);
    });
    TestSkin()->OnSkinControl = nullptr;
    EXPECT_EQ(ReportedErrors(), std::vector<std::string>{"no skin for this control"});
    EXPECT_TRUE(IsWindow(shown->Handle()));
    EXPECT_EQ(SendMessageA(shown->Handle(), WM_SKINQUERY, 0, 0), 1) << "the window keeps its skin";
}
