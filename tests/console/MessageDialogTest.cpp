// The console's localized message, confirmation and input boxes.
#include <gtest/gtest.h>

#include <memory>

#include "../components/GuiTestSupport.h"
#include "components/Dialogs.h"
#include "components/TApplication.h"
#include "components/TButton.h"
#include "components/TClipboard.h"
#include "components/TCanvas.h"
#include "components/TCustomEdit.h"
#include "components/TCustomLabel.h"
#include "components/TImage.h"
#include "components/TScreen.h"
#include "unitConsts.h"
#include "unitCustomDialogs.h"

namespace {

// The measuring rules, worked out here from the message font.
struct TUnits {
    int HorzMargin, VertMargin, HorzSpacing, VertSpacing, ButtonWidth, ButtonHeight, ButtonSpacing;
};

TUnits Units() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Screen->MessageFont()->Handle());
    SIZE size;
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int x = size.cx / 52, y = size.cy;
    return TUnits{MulDiv(8, x, 4), MulDiv(8, y, 8), MulDiv(10, x, 4), MulDiv(10, y, 8), MulDiv(50, x, 4), MulDiv(14, y, 8), MulDiv(4, x, 4)};
}

RECT MeasureText(const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Screen->MessageFont()->Handle());
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return r;
}

TButton* ButtonNamed(TForm* form, const std::string& name) { return dynamic_cast<TButton*>(form->FindComponent(name)); }

// The message box now shown; keys go to it rather than to whatever has the focus, since other
// programs share the display.
HWND MessageBoxWindow() { return FindThreadWindow("TMessageForm"); }

// Clicks a button of the message box now shown.
void ClickButtonNamed(const std::string& name) {
    auto* form = dynamic_cast<TForm*>(TControl::FindControl(FindThreadWindow("TMessageForm")));
    if (!form) return;
    if (TButton* button = ButtonNamed(form, name)) SendMessageA(button->Handle(), BM_CLICK, 0, 0);
}

class MessageBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareApplication();
        Application->SetTitle("SABLINK");
        ReportedErrors().clear();
    }
};

TEST_F(MessageBoxes, TheStringTableHoldsTheLocalizedTexts) {
    EXPECT_EQ(ConstText(sButtonOK), "确定");
    EXPECT_EQ(ConstText(sButtonYes), "是");
    EXPECT_EQ(ConstText(sButtonNo), "否");
    EXPECT_EQ(ConstText(sButtonNoToAll), "N&o to All");
    EXPECT_EQ(ConstText(sCaptionConfirmation), "确认");
    EXPECT_EQ(ConstText(sCaptionError), "错误");
    EXPECT_EQ(ConstText(sCannotOpenClipboard), "Cannot open clipboard");
}

TEST_F(MessageBoxes, AShortTextWithAnIconIsAtLeastTheIconHigh) {
    const TUnits u = Units();
    const std::string text = "是否以 UDP 协议启动服务程序？";
    std::unique_ptr<TMessageForm> form(BuildMessageForm(text, mtConfirmation, mbYesNo));
    const RECT r = MeasureText(text);
    ASSERT_LT(r.bottom, 32);
    EXPECT_EQ(form->Caption(), "确认");
    EXPECT_EQ(form->ClientHeight(), 32 + u.ButtonHeight + u.VertSpacing + 2 * u.VertMargin);
    const int group = 2 * u.ButtonWidth + u.ButtonSpacing;
    EXPECT_EQ(form->ClientWidth(), std::max<int>(r.right + u.HorzSpacing + 32, group) + 2 * u.HorzMargin);
    auto* image = dynamic_cast<TImage*>(form->FindComponent("Image"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->BoundsRect(), Bounds(u.HorzMargin, u.VertMargin, 32, 32));
    EXPECT_EQ(image->Picture()->Icon(), LoadIconA(nullptr, IDI_QUESTION));
    TLabel* message = form->Message();
    EXPECT_EQ(message->Name(), "Message");
    EXPECT_EQ(message->Left(), u.HorzMargin + u.HorzSpacing + 32);
    EXPECT_EQ(message->Top(), u.VertMargin);
    EXPECT_EQ(ButtonNamed(form.get(), "Yes")->Top(), 32 + u.VertMargin + u.VertSpacing);
    EXPECT_EQ(ButtonNamed(form.get(), "Yes")->Left(), (form->ClientWidth() - group) / 2);
    EXPECT_EQ(ButtonNamed(form.get(), "No")->Left(), (form->ClientWidth() - group) / 2 + u.ButtonWidth + u.ButtonSpacing);
    EXPECT_EQ(form->Left(), (GetSystemMetrics(SM_CXSCREEN) - form->Width()) / 2) << "centred on the screen";
    EXPECT_EQ(WindowClassOf(form->Handle()), "TMessageForm");
}

TEST_F(MessageBoxes, ALongTextWrapsAtHalfTheScreenWidth) {
    const TUnits u = Units();
    std::string text;
    for (int i = 0; i < 40; ++i) text += "数据字符错误 ";
    std::unique_ptr<TMessageForm> form(BuildMessageForm(text, mtCustom, ButtonSet({mbOK})));
    const RECT r = MeasureText(text);
    EXPECT_LE(r.right, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GT(r.bottom, 32) << "several lines";
    EXPECT_EQ(form->Message()->Width(), r.right);
    EXPECT_EQ(form->Message()->Height(), r.bottom);
    EXPECT_EQ(form->Message()->Left(), u.HorzMargin) << "no icon, no room for one";
    EXPECT_EQ(form->ClientWidth(), r.right + 2 * u.HorzMargin);
    EXPECT_EQ(form->ClientHeight(), r.bottom + u.ButtonHeight + u.VertSpacing + 2 * u.VertMargin);
    EXPECT_EQ(form->Caption(), "SABLINK") << "a custom box is captioned with the application title";
    EXPECT_EQ(form->FindComponent("Image"), nullptr);
}

TEST_F(MessageBoxes, AShortTextWithoutAnIconKeepsItsOwnHeight) {
    const TUnits u = Units();
    std::unique_ptr<TMessageForm> form(BuildMessageForm("端口号", mtCustom, ButtonSet({mbOK})));
    const RECT r = MeasureText("端口号");
    EXPECT_EQ(form->ClientHeight(), r.bottom + u.ButtonHeight + u.VertSpacing + 2 * u.VertMargin);
    EXPECT_EQ(form->ClientWidth(), std::max<int>(r.right, u.ButtonWidth) + 2 * u.HorzMargin);
}

TEST_F(MessageBoxes, DefaultAndCancelButtonsFollowTheSet) {
    std::unique_ptr<TMessageForm> yesNo(BuildMessageForm("x", mtConfirmation, mbYesNo));
    EXPECT_TRUE(ButtonNamed(yesNo.get(), "Yes")->Default());
    EXPECT_TRUE(ButtonNamed(yesNo.get(), "No")->Cancel());
    std::unique_ptr<TMessageForm> okCancel(BuildMessageForm("x", mtWarning, ButtonSet({mbYes, mbOK, mbCancel, mbNo})));
    EXPECT_TRUE(ButtonNamed(okCancel.get(), "OK")->Default()) << "OK before Yes";
    EXPECT_FALSE(ButtonNamed(okCancel.get(), "Yes")->Default());
    EXPECT_TRUE(ButtonNamed(okCancel.get(), "Cancel")->Cancel()) << "Cancel before No";
    EXPECT_FALSE(ButtonNamed(okCancel.get(), "No")->Cancel());
    std::unique_ptr<TMessageForm> abortIgnore(BuildMessageForm("x", mtError, ButtonSet({mbAbort, mbIgnore})));
    for (const char* name : {"Abort", "Ignore"}) {
        EXPECT_FALSE(ButtonNamed(abortIgnore.get(), name)->Default());
        EXPECT_FALSE(ButtonNamed(abortIgnore.get(), name)->Cancel());
    }
}

TEST_F(MessageBoxes, ButtonsComeInTheFixedOrderWithTheirCaptionsAndResults) {
    const TMsgDlgButtons all = (1u << (mbHelp + 1)) - 1;
    std::unique_ptr<TMessageForm> form(BuildMessageForm("x", mtInformation, all));
    const char* names[] = {"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "NoToAll", "YesToAll", "Help"};
    const char* captions[] = {"是", "否", "确定", "取消", "中止", "重试", "忽略", "&All", "N&o to All", "Yes to &All", "帮助"};
    const int results[] = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0};
    int left = -1;
    for (int i = 0; i < 11; ++i) {
        TButton* button = ButtonNamed(form.get(), names[i]);
        ASSERT_NE(button, nullptr) << names[i];
        EXPECT_EQ(button->Caption(), captions[i]);
        EXPECT_EQ(button->ModalResult(), results[i]);
        EXPECT_GT(button->Left(), left) << "left to right in the fixed order";
        left = button->Left();
    }
    // "N&o to All" is wider than 50 dialog units: every button takes the widest caption's width.
    EXPECT_EQ(ButtonNamed(form.get(), "Yes")->Width(), ButtonNamed(form.get(), "NoToAll")->Width());
}

TEST_F(MessageBoxes, EachButtonEndsTheBoxWithItsResult) {
    for (auto [name, result] : std::vector<std::pair<std::string, int>>{{"Yes", mrYes}, {"No", mrNo}, {"Retry", mrRetry}, {"YesToAll", mrYesToAll}}) {
        RunLater([name = name] { ClickButtonNamed(name); });
        EXPECT_EQ(MessageDialog("x", mtConfirmation, ButtonSet({mbYes, mbNo, mbRetry, mbYesToAll}), 0), result) << name;
    }
}

TEST_F(MessageBoxes, ReturnAndEscapeUseTheDefaultAndCancelButtons) {
    RunLater([] { PostMessageA(MessageBoxWindow(), WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_EQ(MessageDialog("确定要停止服务吗？", mtConfirmation, mbYesNo, 0), mrNo);
    RunLater([] { PostMessageA(MessageBoxWindow(), WM_KEYDOWN, VK_RETURN, 0); });
    EXPECT_EQ(MessageDialog("确定要退出吗？", mtConfirmation, mbYesNo, 0), mrYes);
}

TEST_F(MessageBoxes, WithoutADefaultOrCancelButtonEscapeDoesNothing) {
    bool stillOpen = false;
    RunLater([&] {
        HWND box = FindThreadWindow("TMessageForm");
        PostMessageA(MessageBoxWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
        RunLater([&, box] {
            stillOpen = IsWindowVisible(box) != FALSE;
            ClickButtonNamed("Ignore");
        }, 100);
    });
    EXPECT_EQ(MessageDialog("x", mtError, ButtonSet({mbAbort, mbIgnore}), 0), mrIgnore);
    EXPECT_TRUE(stillOpen);
}

void PressCtrlC() {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(MessageBoxWindow(), WM_KEYDOWN, 'C', 0);
    RunLater([] {
        BYTE released[256];
        GetKeyboardState(released);
        released[VK_CONTROL] = 0;
        SetKeyboardState(released);
    });
}

TEST_F(MessageBoxes, CtrlCCopiesTheBoxAsText) {
    RunLater([] {
        PressCtrlC();
        RunLater([] { PostMessageA(MessageBoxWindow(), WM_KEYDOWN, VK_ESCAPE, 0); }, 100);
    });
    MessageDialog("Text", mtWarning, ButtonSet({mbYes, mbNo, mbAll}), 0);
    const std::string line = "---------------------------\r\n";
    EXPECT_EQ(Clipboard()->AsText(), line + "警告\r\n" + line + "Text\r\n" + line + "   是   否   All\r\n" + line);
}

TEST_F(MessageBoxes, ABusyClipboardIsReportedAndTheBoxStaysOpen) {
    bool stillOpen = false;
    RunLater([&] {
        HWND box = FindThreadWindow("TMessageForm");
        ASSERT_TRUE(OpenClipboard(box));
        PressCtrlC();
        RunLater([&, box] {
            CloseClipboard();
            stillOpen = IsWindowVisible(box) != FALSE;
            PostMessageA(MessageBoxWindow(), WM_KEYDOWN, VK_RETURN, 0);
        }, 100);
    });
    EXPECT_EQ(MessageDialog("x", mtInformation, ButtonSet({mbOK}), 0), mrOk);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_EQ(ReportedErrors()[0], "Cannot open clipboard");
}

TEST_F(MessageBoxes, NoticesUseTheApplicationTitleAndOnlyOK) {
    std::string caption;
    int buttons = 0;
    RunLater([&] {
        HWND box = FindThreadWindow("TMessageForm");
        caption = WindowTextOf(box);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (WindowClassOf(child) == "TButton") ++buttons;
        PostMessageA(MessageBoxWindow(), WM_KEYDOWN, VK_RETURN, 0);
    });
    ShowNotice("数据字符错误，位置:2\r数据字符应为：0~9、a~f、A~F");
    EXPECT_EQ(caption, "SABLINK");
    EXPECT_EQ(buttons, 1);
}

TEST_F(MessageBoxes, APositionPlacesTheBox) {
    TRect placed;
    RunLater([&] {
        HWND box = FindThreadWindow("TMessageForm");
        RECT r;
        GetWindowRect(box, &r);
        placed = TRect::From(r);
        PostMessageA(MessageBoxWindow(), WM_KEYDOWN, VK_RETURN, 0);
    });
    MessageDialogPos("x", mtInformation, ButtonSet({mbOK}), 0, 20, 30);
    EXPECT_EQ(placed.Left, 20);
    EXPECT_EQ(placed.Top, 30);
}

class Prompts : public ::testing::Test {
protected:
    void SetUp() override { PrepareApplication(); }

    static HWND PromptEdit() { return FindWindowExA(FindThreadWindow("TForm"), nullptr, "TEdit", nullptr); }
};

TEST_F(Prompts, PromptValueGivesItsDefaultOnCancelAndEscape) {
    RunLater([] {
        HWND box = FindThreadWindow("TForm");
        SetWindowTextA(PromptEdit(), "edited");
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (WindowTextOf(child) == "取消") SendMessageA(child, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(PromptValue("端口设置", "请输入端口号(1000~65535之间的整数)", "5002"), "5002");
    RunLater([] {
        SetWindowTextA(PromptEdit(), "edited");
        PostMessageA(PromptEdit(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(PromptValue("端口设置", "请输入端口号", "5002"), "5002");
}

TEST_F(Prompts, PromptQueryGivesTheEditedValueOnOK) {
    std::string ok, cancel, selected;
    RunLater([&] {
        HWND box = FindThreadWindow("TForm");
        HWND edit = PromptEdit();
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        selected = std::to_string(start) + "-" + std::to_string(end);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (WindowClassOf(child) != "TButton") continue;
            (ok.empty() ? ok : cancel) = WindowTextOf(child);
        }
        SetWindowTextA(edit, "6000");
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    });
    std::string value = "5002";
    EXPECT_TRUE(PromptQuery("端口设置", "请输入端口号", value));
    EXPECT_EQ(value, "6000");
    EXPECT_EQ(ok, "确定");
    EXPECT_EQ(cancel, "取消");
    EXPECT_EQ(selected, "0-4") << "the value comes fully selected";
}

}  // namespace
