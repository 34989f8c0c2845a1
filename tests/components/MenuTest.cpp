// Menus: owner drawing through the item events, short-cuts, pop-up menus, items going away.
#include <gtest/gtest.h>

#include "FormFixture.h"
#include "components/TButton.h"
#include "components/TCanvas.h"
#include "components/TMainMenu.h"
#include "components/TPopupMenu.h"

namespace {

class Menus : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        menu = new TMainMenu(form.get());
        top = Item("&File", menu->Items());
        open = Item("&Open", top);
        line = Item("-", top);
        quit = Item("E&xit", top);
        form->SetMenu(menu);
        form->Show();
    }

    TMenuItem* Item(const std::string& caption, TMenuItem* parent) {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }

    TMainMenu* menu = nullptr;
    TMenuItem *top = nullptr, *open = nullptr, *line = nullptr, *quit = nullptr;
};

TEST_F(Menus, OwnerDrawnItemsAreMeasuredAndDrawnByTheirEvents) {
    menu->SetOwnerDraw(true);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE | MIIM_DATA;
    GetMenuItemInfoA(top->Handle(), 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_EQ(reinterpret_cast<TMenuItem*>(info.dwItemData), open);

    open->OnMeasureItem = [](TObject*, TCanvas* canvas, int& width, int& height) {
        EXPECT_NE(canvas, nullptr);
        width = 123;
        height = 21;
    };
    TMenuItem* drawn = nullptr;
    bool selected = false;
    open->OnDrawItem = [&](TObject* sender, TCanvas*, TRect r, bool isSelected) {
        drawn = static_cast<TMenuItem*>(sender);
        selected = isSelected;
        EXPECT_EQ(r.Width(), 40);
    };
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, static_cast<UINT>(open->Command()), 0, 0, info.dwItemData};
    EXPECT_EQ(SendMessageA(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 1);
    EXPECT_EQ(measure.itemWidth, 123u);
    EXPECT_EQ(measure.itemHeight, 21u);

    HDC dc = GetDC(form->Handle());
    DRAWITEMSTRUCT draw{ODT_MENU, 0, static_cast<UINT>(open->Command()), ODA_DRAWENTIRE, ODS_SELECTED, reinterpret_cast<HWND>(top->Handle()), dc,
                        RECT{0, 0, 40, 20}, info.dwItemData};
    SendMessageA(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    ReleaseDC(form->Handle(), dc);
    EXPECT_EQ(drawn, open);
    EXPECT_TRUE(selected);

    // Item data that is no live item of these menus is left to the window's own handling.
    MEASUREITEMSTRUCT stranger{ODT_MENU, 0, 1, 0, 0, 0x1234};
    EXPECT_EQ(SendMessageA(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&stranger)), 0);
}

TEST_F(Menus, ShortCutsClickTheirItemsFromTheKeyboard) {
    int opened = 0;
    open->SetShortCut('O' | scCtrl);
    open->OnClick = [&](TObject*) { ++opened; };
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    EXPECT_TRUE(form->IsShortCut('O', ssCtrl));
    EXPECT_FALSE(form->IsShortCut('O', 0));
    open->SetEnabled(false);
    EXPECT_FALSE(form->IsShortCut('O', ssCtrl)) << "a disabled item takes no short-cut";
    EXPECT_EQ(opened, 1);
    char text[64] = {0};
    GetMenuStringA(top->Handle(), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Open\tCtrl+O");
}

TEST_F(Menus, FreedItemsLeaveTheirMenuAndTheirCommand) {
    const int command = quit->Command();
    delete quit;
    EXPECT_EQ(top->Count(), 2);
    EXPECT_EQ(GetMenuItemCount(top->Handle()), 2);
    EXPECT_EQ(menu->FindItemByCommand(command), nullptr);
    EXPECT_FALSE(menu->DispatchCommand(static_cast<WORD>(command)));
    EXPECT_EQ(menu->FindItemByHandle(top->Handle()), top);
    delete top;  // with its items
    EXPECT_EQ(GetMenuItemCount(menu->Handle()), 0);
}

TEST_F(Menus, APopupMenuRunsTheChosenItem) {
    auto* popup = new TPopupMenu(form.get());
    auto* copy = new TMenuItem(form.get());
    copy->SetCaption("Copy");
    popup->Items()->Add(copy);
    int copies = 0;
    copy->OnClick = [&](TObject*) { ++copies; };
    bool announced = false;
    popup->OnPopup = [&](TObject*) { announced = true; };
    RunLater([] {
        // The menu loop runs inside Popup; choosing the first entry by keyboard ends it.
        HWND menuWindow = FindWindowA("#32768", nullptr);
        if (menuWindow) {
            PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        }
    }, 100);
    popup->Popup(100, 100);
    EXPECT_TRUE(announced);
    EXPECT_EQ(copies, 1);
}

}  // namespace
