// Containers and lists: alignment, page controls, list boxes, directory and colour boxes.
#include <gtest/gtest.h>

#include "components/Win32.h"

#include <commctrl.h>

#include "FormFixture.h"
#include "components/TColorBox.h"
#include "components/TCustomLabel.h"
#include "components/TCustomListBox.h"
#include "components/TCustomMemo.h"
#include "components/TCustomPanel.h"
#include "components/TCustomStatusBar.h"
#include "components/TDirectoryListBox.h"
#include "components/TDriveComboBox.h"
#include "components/TPageControl.h"
#include "components/TTabSheet.h"
#include "components/TToolBar.h"

namespace {

class Containers : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form->SetBounds(50, 50, 500, 400);
    }
};

TEST_F(Containers, AlignedControlsShareTheClientArea) {
    auto* bar = Add<TToolBar>();
    auto* status = Add<TStatusBar>();
    auto* memo = Add<TMemo>();
    memo->SetAlign(alClient);
    form->Show();
    const TRect client = form->ClientRect();
    EXPECT_EQ(bar->BoundsRect(), (TRect{0, 0, client.Right, 29}));
    EXPECT_EQ(status->BoundsRect(), (TRect{0, client.Bottom - 19, client.Right, client.Bottom}));
    EXPECT_EQ(memo->BoundsRect(), (TRect{0, 29, client.Right, client.Bottom - 19}));
    form->SetWidth(600);
    EXPECT_EQ(memo->Width(), form->ClientWidth()) << "resizing the form realigns";
    status->SetVisible(false);
    EXPECT_EQ(memo->Height(), form->ClientHeight() - 29);
}

TEST_F(Containers, APageControlShowsTheSheetOfTheChosenTab) {
    auto* pages = Add<TPageControl>();
    pages->SetBounds(0, 0, 300, 200);
    auto* first = new TTabSheet(form.get());
    first->SetPageControl(pages);
    first->SetCaption("文件存放目录");
    auto* second = new TTabSheet(form.get());
    second->SetPageControl(pages);
    second->SetCaption("Other");
    form->Show();
    EXPECT_EQ(pages->ActivePage(), first);
    EXPECT_TRUE(IsWindowVisible(first->Handle()));
    EXPECT_FALSE(IsWindowVisible(second->Handle()));
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);

    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    SendMessageA(pages->Handle(), TCM_SETCURSEL, 1, 0);
    NMHDR notice{pages->Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_TRUE(IsWindowVisible(second->Handle()));
    EXPECT_FALSE(IsWindowVisible(first->Handle()));
    EXPECT_EQ(changes, 1);
    const TRect display = pages->DisplayRect();
    EXPECT_EQ(second->BoundsRect(), display);
    delete second;
    EXPECT_EQ(pages->PageCount(), 1);
    EXPECT_EQ(pages->ActivePage(), first);
}

TEST_F(Containers, ListBoxesReportSelectionAndDoubleClicks) {
    auto* list = Add<TListBox>();
    list->Items()->Add("a");
    list->Items()->Add("b");
    int clicks = 0, doubles = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->OnDblClick = [&](TObject*) { ++doubles; };
    form->Show();
    SendMessageA(list->Handle(), LB_SETCURSEL, 1, 0);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list->Handle()), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list->Handle()));
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list->Handle()), LBN_DBLCLK), reinterpret_cast<LPARAM>(list->Handle()));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(list->Items()->Get(1), "b");
}

TEST_F(Containers, ADirectoryListOpensTheFolderDoubleClickedBeforeItsHandlerRuns) {
    const std::string base = TempPath("dirlist_test");
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA((base + "\\beta").c_str(), nullptr);
    CreateDirectoryA((base + "\\alpha").c_str(), nullptr);
    auto* list = Add<TDirectoryListBox>();
    auto* drives = Add<TDriveComboBox>();
    drives->SetDirList(list);
    list->SetDirectory(base);
    form->Show();
    const int count = list->Items()->Count();
    ASSERT_GE(count, 3);
    EXPECT_EQ(list->GetItemPath(count - 2), base + "\\alpha") << "the folders inside, sorted";
    EXPECT_EQ(list->GetItemPath(count - 1), base + "\\beta");
    EXPECT_EQ(list->Items()->Get(0).substr(1), ":\\");

    std::string seen;
    list->OnDblClick = [&](TObject*) { seen = list->Directory(); };
    list->SetItemIndex(count - 1);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list->Handle()), LBN_DBLCLK), reinterpret_cast<LPARAM>(list->Handle()));
    EXPECT_EQ(seen, base + "\\beta");
    RemoveDirectoryA((base + "\\beta").c_str());
    RemoveDirectoryA((base + "\\alpha").c_str());
    RemoveDirectoryA(base.c_str());
    EXPECT_GT(drives->Items()->Count(), 0);
}

TEST_F(Containers, AColourBoxSelectsNamedAndOtherColours) {
    auto* box = Add<TColorBox>();
    form->Show();
    box->SetSelected(clRed);
    EXPECT_EQ(box->Selected(), clRed);
    EXPECT_EQ(box->ColorNames(box->ItemIndex()), "clRed");
    box->SetSelected(0x10480D);
    EXPECT_EQ(box->Selected(), 0x10480D) << "a colour not in the list is added and selected";
    EXPECT_EQ(box->Colors(box->ItemIndex()), 0x10480D);
    box->SetSelected(0x0000FF);
    EXPECT_EQ(box->ColorNames(box->ItemIndex()), "clRed");
}

TEST_F(Containers, LabelsSizeThemselvesToTheirText) {
    auto* label = Add<TLabel>();
    label->SetCaption("终端号码");
    const int oneLine = label->Height();
    EXPECT_GT(label->Width(), 20);
    label->SetWordWrap(true);
    label->SetWidth(30);
    label->SetCaption("数据字符应为：0~9、a~f、A~F");
    EXPECT_GT(label->Height(), oneLine) << "wrapped in its width";
    EXPECT_EQ(label->Width(), 30);
}

}  // namespace
