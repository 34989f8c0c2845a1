// Controls are real windows named after their classes; their messages pass the swappable
// WindowProc; the control of a window is found from its handle.
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "components/SysUtils.h"
#include "components/TButton.h"
#include "components/TColorBox.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomEdit.h"
#include "components/TCustomGroupBox.h"
#include "components/TCustomLabel.h"
#include "components/TCustomListView.h"
#include "components/TCustomMemo.h"
#include "components/TCustomPanel.h"
#include "components/TCustomStatusBar.h"
#include "components/TDirectoryListBox.h"
#include "components/TDriveComboBox.h"
#include "components/TImage.h"
#include "components/TPageControl.h"
#include "components/TRadioButton.h"
#include "components/TShape.h"
#include "components/TTabSheet.h"
#include "components/TToolBar.h"
#include "components/TToolButton.h"

namespace {

using ControlWindows = FormFixture;

TEST_F(ControlWindows, EveryControlClassNamesItsWindowClass) {
    auto* toolBar = Add<TToolBar>();
    auto* pages = Add<TPageControl>();
    auto* sheet = new TTabSheet(form.get());
    sheet->SetPageControl(pages);
    std::vector<TControl*> controls = {
        Add<TButton>(),    Add<TCheckBox>(),        Add<TRadioButton>(),      Add<TEdit>(),     Add<TMemo>(),
        Add<TLabel>(),     Add<TComboBox>(),        Add<TListBox>(),          Add<TGroupBox>(), Add<TPanel>(),
        Add<TShape>(),     Add<TImage>(),           Add<TColorBox>(),         Add<TDriveComboBox>(),
        Add<TDirectoryListBox>(), Add<TListView>(), Add<TStatusBar>(),        toolBar,          Add<TToolButton>(toolBar),
        pages,             sheet,
    };
    form->HandleNeeded();
    EXPECT_EQ(WindowClassOf(form->Handle()), "TForm");
    for (TControl* control : controls) {
        ASSERT_TRUE(control->HandleAllocated()) << control->ClassName() << " got its window with the form's";
        EXPECT_EQ(WindowClassOf(control->Handle()), control->ClassName());
        EXPECT_EQ(TControl::FindControl(control->Handle()), control);
        EXPECT_EQ(GetParent(control->Handle()), control->Parent()->Handle());
    }
    EXPECT_EQ(TControl::FindControl(GetDesktopWindow()), nullptr);
}

TEST_F(ControlWindows, BuiltOnStandardControlsWhereThereIsOne) {
    auto* button = Add<TButton>();
    auto* check = Add<TCheckBox>();
    auto* edit = Add<TEdit>();
    button->SetCaption("&Go");
    check->SetChecked(true);
    edit->SetText("typed");
    form->HandleNeeded();
    // The standard procedures answer their own messages through the new classes.
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(WindowTextOf(button->Handle()), "&Go");
    EXPECT_EQ(SendMessageA(edit->Handle(), WM_GETTEXTLENGTH, 0, 0), 5);
}

TEST_F(ControlWindows, ControlPropertyIsKeptUnderTheProcessAndThreadAtom) {
    auto* button = Add<TButton>();
    char name[64] = {0};
    GlobalGetAtomNameA(TControl::ControlAtom(), name, sizeof name);
    char expected[64];
    wsprintfA(expected, "ControlOfs%.8X%.8X", reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr)), GetCurrentThreadId());
    EXPECT_STREQ(name, expected);
    EXPECT_EQ(GetPropA(button->Handle(), reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(TControl::ControlAtom()))), button);
}

TEST_F(ControlWindows, SwappedWindowProcSeesEveryMessageAndRestoringGivesTheControlBack) {
    auto* edit = Add<TEdit>();
    form->HandleNeeded();
    std::vector<UINT> seen;
    TWndMethod old = edit->WindowProc;
    edit->WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_USER + 7) {
            m.Result = 77;
            return;  // taken here, never reaches the control
        }
        old(m);
    };
    SendMessageA(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    EXPECT_EQ(edit->Perform(WM_USER + 7), 77);
    edit->SetEnabled(false);
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_SETTEXT)), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_USER + 7)), seen.end()) << "Perform goes through WindowProc";
    EXPECT_NE(std::find(seen.begin(), seen.end(), CM_ENABLEDCHANGED), seen.end());
    EXPECT_EQ(edit->Text(), "abc") << "passed-on messages reach the control";

    edit->WindowProc = old;
    seen.clear();
    EXPECT_EQ(edit->Perform(WM_USER + 7), 0) << "the control's own procedure is back";
    edit->SetText("def");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(WindowTextOf(edit->Handle()), "def");
}

TEST_F(ControlWindows, ABrokenHandlerIsReportedNotThrownThroughTheSystem) {
    auto* button = Add<TButton>();
    form->HandleNeeded();
    ReportedErrors().clear();
    button->OnClick = [](TObject*) { throw EInvalidOperation("handler failed"); };
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_EQ(ReportedErrors()[0], "handler failed");
}

TEST_F(ControlWindows, DestroyingAControlsWindowKeepsTheControlAndItsState) {
    auto* combo = Add<TComboBox>();
    combo->Items()->Add("one");
    combo->Items()->Add("two");
    combo->SetItemIndex(1);
    form->HandleNeeded();
    HWND first = combo->Handle();
    combo->RecreateWnd();
    EXPECT_NE(combo->Handle(), first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(combo->Items()->Count(), 2);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
}

}  // namespace
