#pragma once
// One item of a skinned menu bar: its caption, whether it is enabled, the command it sends and
// the drop-down menu it opens. It reacts to the mouse like a title-bar button; hot and pressed
// items are framed.
#include "components/Win32.h"

#include <string>

#include "NCObject.h"

class TMenuItem;
class TSkinData;

class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm* form, TSkinData* skinData, int index) : TNCObject(form), SkinData(skinData), Index(index) {}

    void Paint() override;

    TMenuItem* MenuItem = nullptr;  // the component's item, when the window's menu has one
    TSkinData* SkinData;
    int Index;  // its place in the bar
    std::wstring Caption;
    bool Enabled = true;
    HMENU SubMenu = nullptr;  // the drop-down it opens; nullptr for an item that opens none
    UINT Command = 0;
};
