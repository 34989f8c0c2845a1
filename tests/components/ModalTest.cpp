// Modal showing: the modal loop, the other windows disabled meanwhile, modal results, closing.
#include <gtest/gtest.h>

#include <memory>

#include "GuiTestSupport.h"
#include "components/SysUtils.h"
#include "components/TButton.h"
#include "components/TForm.h"

namespace {

class Modal : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareApplication();
        owner = std::make_unique<TForm>(nullptr);
        owner->Show();
        dialog = std::make_unique<TForm>(nullptr);
        dialog->SetBorderStyle(bsDialog);
        ok = AddButton("OK", mrOk);
        ok->SetDefault(true);
        cancel = AddButton("Cancel", mrCancel);
        cancel->SetCancel(true);
        plain = AddButton("Plain", mrNone);
    }

    TButton* AddButton(const std::string& caption, int result) {
        auto* button = new TButton(dialog.get());
        button->SetParent(dialog.get());
        button->SetCaption(caption);
        button->SetModalResult(result);
        button->SetBounds(10 + 90 * dialog->ControlCount(), 10, 80, 25);
        return button;
    }

    std::unique_ptr<TForm> owner;
    std::unique_ptr<TForm> dialog;
    TButton* ok = nullptr;
    TButton* cancel = nullptr;
    TButton* plain = nullptr;
};

TEST_F(Modal, AButtonEndsTheLoopWithItsResultAndOtherWindowsWaitMeanwhile) {
    bool ownerDisabled = false;
    bool dialogShown = false;
    RunLater([&] {
        ownerDisabled = !IsWindowEnabled(owner->Handle());
        dialogShown = IsWindowVisible(dialog->Handle()) != FALSE;
        SendMessageA(cancel->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(dialogShown);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle())) << "enabled again afterwards";
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_FALSE(dialog->Visible());

    RunLater([&] { SendMessageA(ok->Handle(), BM_CLICK, 0, 0); });
    EXPECT_EQ(dialog->ShowModal(), mrOk) << "a form can be shown modally again";
}

TEST_F(Modal, ReturnClicksTheDefaultButtonAndEscapeTheCancelButton) {
    RunLater([&] {
        PostMessageA(plain->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    plain->SetFocus();
    EXPECT_EQ(dialog->ShowModal(), mrCancel);

    dialog->SetActiveControl(plain);
    HWND focusAfterTab = nullptr;
    RunLater([&] {
        // Tab from the last button wraps to the first; Return belongs to the focused button.
        PostMessageA(plain->Handle(), WM_KEYDOWN, VK_TAB, 0);
        RunLater([&] {
            focusAfterTab = GetFocus();
            PostMessageA(ok->Handle(), WM_KEYDOWN, VK_RETURN, 0);
        });
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(focusAfterTab, ok->Handle());
}

TEST_F(Modal, ClosingTheWindowCancelsUnlessCloseQuerySaysNo) {
    int queries = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
        canClose = ++queries > 1;
    };
    RunLater([&] {
        SendMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
        RunLater([&] {
            EXPECT_TRUE(IsWindowVisible(dialog->Handle())) << "still open after the first refusal";
            SendMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
        });
    });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);
}

TEST_F(Modal, AVisibleFormCannotBeMadeModal) {
    dialog->Show();
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

TEST_F(Modal, CentredDialogsAndStayOnTop) {
    dialog->SetBounds(0, 0, 300, 200);
    dialog->SetPosition(poScreenCenter);
    dialog->Show();
    EXPECT_EQ(dialog->Left(), (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
    EXPECT_EQ(dialog->Top(), (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);
    EXPECT_TRUE(GetWindowLongA(dialog->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    dialog->SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(GetWindowLongA(dialog->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    dialog->SetFormStyle(fsNormal);
    EXPECT_FALSE(GetWindowLongA(dialog->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Modal, CreateShowAndCloseEvents) {
    std::vector<std::string> events;
    dialog->OnShow = [&](TObject*) { events.push_back("show"); };
    dialog->OnHide = [&](TObject*) { events.push_back("hide"); };
    dialog->OnClose = [&](TObject*, TCloseAction& action) {
        events.push_back("close");
        action = caHide;
    };
    dialog->Show();
    dialog->Close();
    EXPECT_EQ(events, (std::vector<std::string>{"show", "close", "hide"}));
    EXPECT_FALSE(dialog->Visible());
}

}  // namespace
