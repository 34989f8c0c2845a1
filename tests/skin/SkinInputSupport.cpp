#include "SkinInputSupport.h"

#include "GuiTestSupport.h"

LPARAM ScreenPointOf(HWND window, int x, int y) {
    RECT r{};
    GetWindowRect(window, &r);
    return MAKELPARAM(r.left + x, r.top + y);
}

LRESULT SendMouse(HWND window, UINT msg, int x, int y, WPARAM hit) {
    return SendMessageA(window, msg, hit, ScreenPointOf(window, x, y));
}

void ClickAt(HWND window, int x, int y) {
    SendMouse(window, WM_NCLBUTTONDOWN, x, y);
    SendMouse(window, WM_NCLBUTTONUP, x, y);
    PumpMessages(150);
}

TRgb ScreenPixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return TRgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

TMenuForm ShowMenuForm() {
    TMenuForm made;
    made.Form = ShowForm([&made](TForm& form) {
        form.SetBounds(100, 100, 400, 260);
        made.Menu = new TMainMenu(&form);
        TMenuItem* root = made.Menu->Items();
        made.File = AddItem(&form, root, "&File");
        AddItem(&form, made.File, "&Open");
        AddItem(&form, made.File, "&Save");
        made.Recent = AddItem(&form, made.File, "&Recent");
        AddItem(&form, made.Recent, "One");
        made.Edit = AddItem(&form, root, "&Edit");
        for (const char* caption : {"-", "-", "Cu&t", "-", "-", "&Paste", "-"}) AddItem(&form, made.Edit, caption);
        AddItem(&form, root, "");
        made.Help = AddItem(&form, root, "&Help");
        made.About = AddItem(&form, made.Help, "&About");
        form.SetMenu(made.Menu);
    });
    return made;
}

POINT TitleButton(HWND window, int xcoord) { return POINT{WindowSize(window).cx - xcoord + 8, 13}; }
