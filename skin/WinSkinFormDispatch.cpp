// A skinned window's controls each get the control skin their kind calls for when the window
// starts skinning. Four sources decide, in this order: the disable tag, the application's
// OnSkinControl handler, the skin data's lines for the classes of other libraries, and the
// classes of the component layer. Windows that no component made (the children of a system
// dialog) are decided by their window class and style. Where a kind of skin is not available
// the factory gives none and the control keeps its own looks.
#include "WinSkinForm.h"

#include <functional>

#include "SkinControl.h"
#include "SkinControlFactory.h"
#include "SkinMessages.h"
#include "SkinPropByName.h"
#include "WinSkinData.h"
#include "components/PropertyAccess.h"
#include "components/SysUtils.h"
#include "components/TButton.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomComboBox.h"
#include "components/TCustomEdit.h"
#include "components/TCustomForm.h"
#include "components/TCustomGroupBox.h"
#include "components/TCustomListBox.h"
#include "components/TCustomListView.h"
#include "components/TCustomMemo.h"
#include "components/TCustomPanel.h"
#include "components/TCustomStatusBar.h"
#include "components/TCustomTabControl.h"
#include "components/TMainMenu.h"
#include "components/TRadioButton.h"
#include "components/TTabSheet.h"
#include "components/TToolBar.h"
#include "components/TToolButton.h"
#include "components/TWinControl.h"

TSkinRequestProbe SkinRequestProbe;

namespace {

using TMake = std::function<TSkinControl*()>;

// A tab control whose owner draws its tabs (TCS_OWNERDRAWFIXED) keeps them.
constexpr LONG_PTR OwnerDrawnTabs = 0x2000;

bool Has(TSkinData* skinData, TSkinControlType type) {
    return skinData && (skinData->SkinControls() & SkinControlBit(type)) != 0;
}

bool HasTabImage(TSkinData* skinData) {
    return skinData && skinData->Objects.Tabs && skinData->Objects.Tabs->HasImage();
}

void Announce(const char* skinClass, TComponent* owner, int mode, TSkinAttachWay attach) {
    if (SkinRequestProbe) SkinRequestProbe(TSkinRequest{skinClass, owner, mode, attach});
}

// A control is offered more than once (by ownership, by its container, in tab order) and gets
// one skin only: a second skin hooked over the first would, once the first is freed, give the
// control back a procedure that still leads into the freed one.
bool SkinnedAlready(const TWinSkinForm& form, TControl* control) { return form.IsSkinned(control); }

// Makes a control skin of the class for the control and hooks it.
void AttachNew(TWinSkinForm& form, const char* skinClass, TControl* control, bool useSkinColor, const TMake& make,
               int mode = 0) {
    if (SkinnedAlready(form, control)) return;
    Announce(skinClass, control, mode, useSkinColor ? TSkinAttachWay::ControlInSkinColour : TSkinAttachWay::Control);
    if (TSkinControl* skin = make()) skin->AttachControl(&form, form.SkinData, form.Canvas.get(), useSkinColor);
}

// The scroll-bar skins hook their control through their own attach.
void AttachScrollbarSkin(TWinSkinForm& form, TControl* control, int singleMode) {
    if (SkinnedAlready(form, control)) return;
    Announce("TSkinScrollbar", control, singleMode, TSkinAttachWay::Scrollbars);
    if (TSkinControl* skin = NewSkinScrollbar(control, singleMode))
        AttachSkinScrollbars(skin, control, form.SkinData, &form, form.Canvas.get());
}

// A window no component made; its skin is owned by the window's skin.
void AttachToWindow(TWinSkinForm& form, const char* skinClass, HWND window, const std::function<TSkinControl*(TComponent*)>& make) {
    if (form.FindControlByHandle(window)) return;
    Announce(skinClass, &form, 0, TSkinAttachWay::Handle);
    if (TSkinControl* skin = make(&form)) skin->AttachHandle(window, form.SkinData, form.Canvas.get(), &form);
}

bool ContainsText(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// An edit that draws a border of its own: its window and client sizes differ.
bool HasBorder(TControl* control) {
    if (!control->HandleAllocated()) return false;
    RECT window{}, client{};
    GetWindowRect(control->Handle(), &window);
    GetClientRect(control->Handle(), &client);
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

// The kind word of the first line naming the class ("TcxButton=bitbtn"), lower-cased.
bool FindKindWord(TStrings* lines, const std::string& className, std::string& kind) {
    if (!lines) return false;
    const std::string prefix = LowerCase(className) + "=";
    for (int i = 0; i < lines->Count(); ++i) {
        const std::string line = LowerCase(lines->Get(i));
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        kind = line.substr(line.find('=') + 1, 50);
        return true;
    }
    return false;
}

std::vector<TControl*> ChildControls(TControl* control) {
    std::vector<TControl*> children;
    if (auto* parent = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < parent->ControlCount(); ++i) children.push_back(parent->Controls(i));
    return children;
}

}  // namespace

// ---- the controls of a form -----------------------------------------------------------------------

void TWinSkinForm::SkinChildControls(TControl* form) {
    PurgeDeadControls();
    SkinOwnedControls(form);
    auto* container = dynamic_cast<TWinControl*>(form);
    if (!container) return;
    std::vector<TWinControl*> tabOrder;
    container->GetTabOrderList(tabOrder);
    for (TWinControl* control : tabOrder)
        if (!IsSkipped(control)) SkinControl(control, form);
}

bool TWinSkinForm::IsSkipped(TControl* control) {
    if (!control->HandleAllocated()) return true;
    if (SkinData && control->Tag() == SkinData->DisableTag()) return true;
    return control->Perform(WM_SKINQUERY) == 1;
}

void TWinSkinForm::SkinOwnedControls(TComponent* owner) {
    // A control skinned here may make components of its own: the list is walked by index.
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(owner->Components(i))) SkinControl(control, owner);
    if (Has(SkinData, xcPopupMenu)) SkinMenus(owner, true);
}

void TWinSkinForm::SkinPanelChildren(TWinControl* parent) {
    for (TControl* child : ChildControls(parent)) SkinControl(child, parent);
}

void TWinSkinForm::DisableGroupChildren(TControl* control) {
    const std::string className = LowerCase(control->ClassName());
    if (!ContainsText(className, "radiogroup") && !ContainsText(className, "checkgroup")) return;
    for (TControl* child : ChildControls(control)) child->SetTag(SkinData->DisableTag());
}

bool TWinSkinForm::HasOwnScrollbars(TControl* control) const {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) return false;
    if (windowed->HandleAllocated() && (GetWindowLongPtrA(windowed->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)))
        return true;
    return control->Is<TCustomListBox>() || control->Is<TCustomMemo>();
}

// The classes of the component layer (and a few of other libraries by name), first match wins.
static void SkinByClass(TWinSkinForm& form, TControl* control, const std::string& name);

void TWinSkinForm::SkinControl(TComponent* component, TComponent* parent) {
    auto* control = dynamic_cast<TControl*>(component);
    if (!control || !SkinData) return;
    if (control->Tag() == SkinData->DisableTag()) {
        DisableGroupChildren(control);
        return;
    }
    if (!control->Parent() || IsSkinned(control)) return;
    const std::string name = UpperCase(control->ClassName());
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        try {
            windowed->HandleNeeded();
        } catch (...) {
            return;  // a control whose window cannot be made stays as it is
        }
    }
    if (SkinData->OnSkinControl) {
        TComponent* chosen = nullptr;
        SkinData->OnSkinControl(this, SkinData, dynamic_cast<TControl*>(parent), control, name, chosen);
        if (auto* skin = dynamic_cast<TSkinControl*>(chosen)) {
            if (!AddControl(skin)) {
                skin->AttachControl(this, SkinData, Canvas.get(), skin->UseSkinColor);
                if (auto* panel = dynamic_cast<TCustomPanel*>(control)) SkinPanelChildren(panel);
            }
            return;
        }
    }
    if (SkinControlByKind(name, control)) return;
    if (name == "TDBCOMBOBOXEH" || name == "TFRDESIGNERPAGE" || name == "TFRPBOX") return;
    SkinByClass(*this, control, name);
}

// ---- the kind words of other libraries' classes ------------------------------------------------------

// Each child of a radio or check group: a check mark of the group's own library, or the plain
// check box or radio button.
static void SkinGroupMarks(TWinSkinForm& form, TControl* group, int glyphMode) {
    for (TControl* child : ChildControls(group)) {
        if (ContainsText(UpperCase(child->ClassName()), "TRZ"))
            AttachNew(form, "TSkinObjImage", child, true, [child, glyphMode] { return NewSkinObjImage(child, glyphMode); },
                      glyphMode);
        else if (glyphMode == 2)
            AttachNew(form, "TSkinRadioButton", child, false, [child] { return NewSkinRadioButton(child); });
        else
            AttachNew(form, "TSkinCheckBox", child, false, [child] { return NewSkinCheckBox(child); });
    }
}

bool TWinSkinForm::SkinControlByKind(const std::string& className, TControl* control) {
    std::string kind;
    if (!FindKindWord(SkinData->Skin3rd(), className, kind)) return false;
    TWinSkinForm& form = *this;
    TSkinData* skin = SkinData;
    TControl* c = control;
    if (kind == "nil") {
    } else if (kind == "combobox") {
        if (Has(skin, xcCombo)) AttachNew(form, "TSkinComBox", c, false, [c] { return NewSkinComBox(c); });
    } else if (kind == "edit") {
        if (Has(skin, xcEdit) && HasBorder(c)) AttachNew(form, "TSkinEdit", c, false, [c] { return NewSkinEdit(c); });
    } else if (kind == "radiobutton") {
        if (Has(skin, xcRadioButton)) AttachNew(form, "TSkinRadioButton", c, false, [c] { return NewSkinRadioButton(c); });
    } else if (kind == "panel") {
        if (Has(skin, xcPanel)) {
            SetPropByName(c, "Transparent", "True");
            AttachNew(form, "TSkinBox", c, true, [c] { return NewSkinBox(c); });
        }
    } else if (kind == "trackbar") {
        if (Has(skin, xcTrackBar)) {
            SetPropByName(c, "Transparent", "True");
            AttachNew(form, "TSkinTrackBar", c, false, [c] { return NewSkinTrackBar(c); });
        }
    } else if (kind == "button") {
        if (Has(skin, xcButton)) AttachNew(form, "TSkinButton", c, false, [c] { return NewSkinButton(c); });
    } else if (kind == "datetimepicker") {
        if (Has(skin, xcCombo)) AttachNew(form, "TSkinDateTime", c, false, [c] { return NewSkinDateTime(c); });
    } else if (kind == "mediaplayer") {
        if (Has(skin, xcButton)) AttachNew(form, "TSkinMP", c, false, [c] { return NewSkinMP(c); });
    } else if (kind == "bitbtn") {
        if (Has(skin, xcButton)) {
            std::string buttonKind;
            GetEnumPropByName(c, "Kind", buttonKind);
            if (LowerCase(className) == "tcxbutton" && buttonKind == "cxbkDropDownButton")
                AttachNew(form, "TSkinMenuButton", c, false, [c] { return NewSkinMenuButton(c); });
            else
                AttachNew(form, "TSkinBitButton", c, false, [c] { return NewSkinBitButton(c, ""); });
        }
    } else if (kind == "pngbitbtn") {
        if (Has(skin, xcButton)) AttachNew(form, "TSkinBitButton", c, false, [c] { return NewSkinBitButton(c, "PngImage"); });
    } else if (kind == "menubtn") {
        if (Has(skin, xcButton)) AttachNew(form, "TSkinMenuButton", c, false, [c] { return NewSkinMenuButton(c); });
    } else if (kind == "speedbutton") {
        if (Has(skin, xcSpeedButton) && !SkinnedAlready(form, c)) {
            Announce("TSkinSpeedButton", c, 0, TSkinAttachWay::Own);
            if (TSkinControl* speed = NewSkinSpeedButton(c)) AttachSkinSpeedButton(speed, this, skin, Canvas.get());
        }
    } else if (kind == "tab") {
        if (Has(skin, xcTab) && HasTabImage(skin)) AttachNew(form, "TSkinTab", c, false, [c] { return NewSkinTab(c, 0); });
    } else if (kind == "progress") {
        if (Has(skin, xcProgress)) AttachNew(form, "TSkinProgress", c, false, [c] { return NewSkinProgress(c); });
    } else if (kind == "scrollbar") {
        if (Has(skin, xcScrollbar)) {
            AttachScrollbarSkin(form, c, 0);
            if (auto* container = dynamic_cast<TWinControl*>(c)) SkinPanelChildren(container);
        }
    } else if (kind == "singlescrollbar") {
        if (Has(skin, xcScrollbar)) AttachScrollbarSkin(form, c, 1);
    } else if (kind == "embedscrollbar") {
        if (Has(skin, xcScrollbar))
            for (TControl* child : ChildControls(c))
                if (HasOwnScrollbars(child)) AttachScrollbarSkin(form, child, 0);
    } else if (kind == "container") {
        if (auto* container = dynamic_cast<TWinControl*>(c)) SkinPanelChildren(container);
    } else if (kind == "groupbox") {
        if (Has(skin, xcGroupBox)) AttachNew(form, "TSkinGroupBox", c, true, [c] { return NewSkinGroupBox(c); });
    } else if (kind == "advpagecontrol") {
        if (Has(skin, xcTab)) AttachNew(form, "TSkinAdvPage", c, true, [c] { return NewSkinAdvPage(c, 4); }, 4);
    } else if (kind == "radiogroup" || kind == "checkgroup") {
        const bool radio = kind == "radiogroup";
        if (Has(skin, radio ? xcGroupBox : xcPanel)) {
            if (Has(skin, radio ? xcRadioButton : xcCheckBox)) SkinGroupMarks(form, c, radio ? 2 : 1);
            if (Has(skin, xcGroupBox)) AttachNew(form, "TSkinGroupBox", c, true, [c] { return NewSkinGroupBox(c); });
        }
    } else if (kind == "checkbox") {
        if (Has(skin, xcCheckBox)) AttachNew(form, "TSkinCheckBox", c, false, [c] { return NewSkinCheckBox(c); });
    }
    return true;
}

// ---- the classes of the component layer ----------------------------------------------------------

static void SkinToolBar(TWinSkinForm& form, TToolBar* toolBar) {
    if (SkinnedAlready(form, toolBar)) return;
    Announce("TSkinBox", toolBar, 0, TSkinAttachWay::Control);
    TSkinControl* box = NewSkinBox(toolBar);
    // The box's skin is what gives the bar its drawing handlers back when the window is
    // unskinned: without one the bar keeps its own looks.
    if (!box) return;
    SetPropByName(toolBar, "Flat", "True");
    TWinSkinForm* self = &form;
    if (!toolBar->OnCustomDrawButton)
        toolBar->OnCustomDrawButton = [self](TToolBar* bar, TToolButton* button, TCustomDrawState state, bool& draw) {
            self->DrawToolButton(bar, button, state, draw);
        };
    if (!toolBar->OnCustomDraw)
        toolBar->OnCustomDraw = [self](TToolBar* bar, const TRect& r, bool& draw) { self->DrawToolbarBackground(bar, r, draw); };
    box->AttachControl(&form, form.SkinData, form.Canvas.get(), false);
    if (TMainMenu* menu = toolBar->Menu())
        for (int i = 0; i < menu->Items()->Count(); ++i) form.SkinMenuItems(menu->Items()->Items(i), true);
}

// Controls of another library that hold a number of buttons: one drops a list, none is an edit.
static void SkinButtonEdit(TWinSkinForm& form, TControl* c) {
    const int buttons = GetOrdPropByName(c, "NumButtons");
    if (buttons == 1 && Has(form.SkinData, xcCombo)) {
        AttachNew(form, "TSkinComBox", c, false, [c] { return NewSkinComBox(c); });
    } else if (buttons == 0 && Has(form.SkinData, xcEdit) && !SkinnedAlready(form, c) && !form.FindControlByHandle(c->Handle())) {
        Announce("TSkinEdit", c, 0, TSkinAttachWay::Handle);
        if (TSkinControl* skin = NewSkinEdit(c)) skin->AttachHandle(c->Handle(), form.SkinData, form.Canvas.get(), &form);
    }
}

static void SkinByClass(TWinSkinForm& form, TControl* c, const std::string& name) {
    TSkinData* skin = form.SkinData;
    const bool tabs = Has(skin, xcTab) && HasTabImage(skin);
    if (c->Is<TCustomTabControl>()) {
        if (tabs) AttachNew(form, "TSkinTab", c, false, [c] { return NewSkinTab(c, 2); }, 2);
    } else if (auto* toolButton = dynamic_cast<TToolButton*>(c)) {
        if (form.SkinFrame && toolButton->MenuItem()) form.SkinMenuItems(toolButton->MenuItem(), true);
    } else if (name == "TTABSET") {
        if (tabs) AttachNew(form, "TSkinTab31", c, false, [c] { return NewSkinTab31(c); });
    } else if (c->Is<TTabSheet>()) {
        if (tabs) AttachNew(form, "TSkinTabSheet", c, false, [c] { return NewSkinTabSheet(c); });
    } else if (name == "TTABBEDNOTEBOOK") {
        if (tabs) AttachNew(form, "TSkinTab", c, false, [c] { return NewSkinTab(c, 0); });
    } else if (name == "TMVCPANEL") {
        if (auto* container = dynamic_cast<TWinControl*>(c)) form.SkinPanelChildren(container);
    } else if (c->Is<TCustomCheckBox>()) {
        if (Has(skin, xcCheckBox)) AttachNew(form, "TSkinCheckBox", c, false, [c] { return NewSkinCheckBox(c); });
    } else if (name == "TUPDOWN" || name == "TSPINBUTTON") {
        if (Has(skin, xcSpin)) AttachNew(form, "TSkinUpDown", c, false, [c] { return NewSkinUpDown(c); });
    } else if (name == "TMEDIAPLAYER") {
        if (Has(skin, xcButton)) AttachNew(form, "TSkinMP", c, false, [c] { return NewSkinMP(c); });
    } else if (name == "TDBNAVIGATOR") {
        if (Has(skin, xcPanel)) {
            AttachNew(form, "TSkinBox", c, true, [c] { return NewSkinBox(c); });
            for (TControl* child : ChildControls(c)) form.SkinControl(child, c);
        }
    } else if (name == "TRZDBCHECKBOX" || name == "TRZCHECKBOX") {
        if (Has(skin, xcCheckBox)) AttachNew(form, "TSkinObjImage", c, true, [c] { return NewSkinObjImage(c, 1); }, 1);
    } else if (name == "TRZRADIOBUTTON" || name == "TRZDBRADIOBUTTON") {
        if (Has(skin, xcRadioButton)) AttachNew(form, "TSkinObjImage", c, true, [c] { return NewSkinObjImage(c, 2); }, 2);
    } else if (name == "TCXDBCHECKBOX" || name == "TCXCHECKBOX") {
        if (Has(skin, xcCheckBox)) AttachNew(form, "TSkinObjImage", c, true, [c] { return NewSkinObjImage(c, 3); }, 3);
    } else if (auto* groupBox = dynamic_cast<TCustomGroupBox*>(c)) {
        if (Has(skin, xcPanel)) {
            form.SkinPanelChildren(groupBox);
            AttachNew(form, "TSkinGroupBox", c, true, [c] { return NewSkinGroupBox(c); });
        }
    } else if (c->Is<TRadioButton>()) {
        if (Has(skin, xcRadioButton)) AttachNew(form, "TSkinRadioButton", c, false, [c] { return NewSkinRadioButton(c); });
    } else if (auto* toolBar = dynamic_cast<TToolBar*>(c)) {
        if (Has(skin, xcToolbar)) SkinToolBar(form, toolBar);
    } else if (c->Is<TCustomStatusBar>()) {
        if (Has(skin, xcStatusBar)) AttachNew(form, "TSkinStatusBar", c, false, [c] { return NewSkinStatusBar(c); });
    } else if (name == "TTNTCOMBOBOX" || c->Is<TCustomComboBox>()) {
        if (Has(skin, xcCombo)) AttachNew(form, "TSkinComBox", c, false, [c] { return NewSkinComBox(c); });
    } else if (name == "TRICHEDIT" || name == "TWWDBRICHEDIT" || name == "TDXDBMEMO") {
        if (Has(skin, xcScrollbar)) AttachScrollbarSkin(form, c, 0);
    } else if (auto* panel = dynamic_cast<TCustomPanel*>(c)) {
        if (Has(skin, xcPanel)) {
            form.SkinPanelChildren(panel);
            AttachNew(form, "TSkinBox", c, true, [c] { return NewSkinBox(c); });
        }
    } else if (name == "TDXTREELIST" || name == "TDXDBTREELIST" || name == "TDXDBGRID") {
        if (Has(skin, xcScrollbar)) AttachScrollbarSkin(form, c, 0);
    } else if (c->Is<TCustomListView>()) {
        if (Has(skin, xcScrollbar) && !SkinnedAlready(form, c)) {
            Announce("TSkinListView", c, 0, TSkinAttachWay::Scrollbars);
            if (TSkinControl* list = NewSkinListView(c)) AttachSkinScrollbars(list, c, skin, &form, form.Canvas.get());
        }
    } else if (c->Is<TCustomMemo>() || form.HasOwnScrollbars(c)) {
        if (Has(skin, xcScrollbar)) AttachScrollbarSkin(form, c, 0);
    } else if (c->Is<TButton>()) {
        if (Has(skin, xcButton)) AttachNew(form, "TSkinButton", c, false, [c] { return NewSkinButton(c); });
    } else if (c->Is<TCustomEdit>()) {
        if (Has(skin, xcEdit)) AttachNew(form, "TSkinEdit", c, false, [c] { return NewSkinEdit(c); });
    } else if (name == "TDCEDIT" || name == "TDCDBEDIT") {
        SkinButtonEdit(form, c);
    } else if (c->Is<TCustomForm>()) {
        AttachNew(form, "TSkinBox", c, true, [c] { return NewSkinBox(c); });
        form.SkinOwnedControls(c);
    }
}

// ---- windows no component made ---------------------------------------------------------------------

// A raw button by its style: group boxes and bitmap buttons keep their looks.
static void SkinRawButton(TWinSkinForm& form, HWND window, LONG_PTR style) {
    if ((style & 7) == 7 || (style & 0x80)) return;
    if ((style & 3) == 3 || (style & 2) == 2 || (style & 5) == 5)
        AttachToWindow(form, "TSkinCheckBox", window, NewSkinCheckBox);
    else if ((style & 9) == 9 || (style & 4) == 4)
        AttachToWindow(form, "TSkinRadioButton", window, NewSkinRadioButton);
    else
        AttachToWindow(form, "TSkinButton", window, NewSkinButton);
}

// A panel of the component layer in a window the engine sees raw: its children are walked and
// its control takes the skin's face colour.
static void TakeFaceColour(TWinSkinForm& form, HWND window) {
    if (TControl* control = TControl::FindControl(window)) control->SetColor(form.SkinData->Colours().ButtonFace);
}

void TWinSkinForm::SkinChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    for (HWND child : children) SkinChildWindow(child);
}

void TWinSkinForm::SkinChildWindow(HWND window) {
    if (!window || !SkinData || FindControlByHandle(window)) return;
    const std::string className = LowerCase(GetWindowClassName(window));
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    TWinSkinForm& form = *this;
    if (className == "button" && (style & 0xB) != 0xB) {
        SkinRawButton(form, window, style);
    } else if (className == "combobox") {
        if ((style & 3) != CBS_SIMPLE) AttachToWindow(form, "TSkinComBox", window, NewSkinComBox);
    } else if (className == "comboboxex32") {
        if (HWND inner = GetWindow(window, GW_CHILD)) AttachToWindow(form, "TSkinComBox", inner, NewSkinComBox);
    } else if (className == "scrollbar") {
        if (!(style & 0x10000)) AttachToWindow(form, "TSkinSizer", window, NewSkinSizer);
    } else if (className == "#32770") {
        if (!(style & 0x10000)) {
            SkinChildWindows(window);
            AttachToWindow(form, "TSkinBoxH", window, NewSkinBoxH);
        }
    } else if (className == "tpanel" || className == "ttntpanel.unicodeclass" ||
               className == "ttntsilentpaintpanel.unicodeclass") {
        SkinChildWindows(window);
        TakeFaceColour(form, window);
    } else if (className == "tsilentpaintpanel") {
        TakeFaceColour(form, window);
    } else if (className == "tcheckbox") {
        AttachToWindow(form, "TSkinCheckBox", window, NewSkinCheckBox);
    } else if (className == "tcombobox") {
        AttachToWindow(form, "TSkinComBox", window, NewSkinComBox);
    } else if (className == "tbutton") {
        AttachToWindow(form, "TSkinButton", window, NewSkinButton);
    } else if (className == "tprogressbar") {
        AttachToWindow(form, "TSkinProgress", window, NewSkinProgress);
    } else if (className == "systabcontrol32") {
        if (!(style & OwnerDrawnTabs))
            AttachToWindow(form, "TSkinTab", window, [](TComponent* owner) { return NewSkinTab(owner, 0); });
    } else if (className == "edit") {
        AttachToWindow(form, "TSkinEdit", window, NewSkinEdit);
    }
}

// ---- a control's window made anew ------------------------------------------------------------------

void TWinSkinForm::ReskinScrollbar(HWND window) {
    for (std::size_t i = Controls.size(); i-- > 0;) {
        TSkinControl* old = Controls[i];
        if (old->Handle != window) continue;
        TControl* control = old->Control;
        const bool listView = IsSkinListView(old);
        delete old;
        if (!control) return;
        TSkinControl* skin = listView ? NewSkinListView(control) : NewSkinScrollbar(control, 0);
        if (skin) AttachSkinScrollbars(skin, control, SkinData, this, Canvas.get());
        return;
    }
}
