#include "components/TWinControl.h"

#include <algorithm>

#include "components/SysUtils.h"
#include "components/TApplication.h"
#include "components/TClassInfo.h"
#include "components/TCustomForm.h"

const TClassInfo& TWinControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TWinControl>("TWinControl")
        .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Build();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    DestroyHandle();
    for (TControl* child : FControls) child->FParent = nullptr;
    FControls.clear();
    FTabList.clear();
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FControls[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
    control->FParent = this;
    FControls.push_back(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) FTabList.push_back(win);
    control->ParentFontChanged();
    control->ParentColorChanged();
    if (HandleAllocated()) control->CreateHandle();
    if (control->Align() != alNone || ArrangesChildren()) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
    control->FParent = nullptr;
    if ((control->Align() != alNone || ArrangesChildren()) && !InState(csDestroying)) AlignControls();
}

bool TWinControl::ContainsControl(TControl* control) const {
    for (TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN | (FTabStop ? WS_TABSTOP : 0);
}

void TWinControl::CreateHandle() {
    if (HandleAllocated()) return;
    CreateWnd();
    for (TControl* child : std::vector<TControl*>(FControls)) child->CreateHandle();
    AlignControls();
}

// ---- focus and tab order -----------------------------------------------------------------

void TWinControl::SetTabStop(bool tabStop) {
    if (tabStop == FTabStop) return;
    FTabStop = tabStop;
    if (HandleAllocated()) {
        const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
        SetWindowLongA(Handle(), GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& list = Parent()->FTabList;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!Parent()) return;
    auto& list = Parent()->FTabList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::max(0, std::min(order, static_cast<int>(list.size())));
    list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() {
    for (TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() { return HandleAllocated() && GetFocus() == Handle(); }

void TWinControl::SetFocus() {
    if (TCustomForm* form = GetParentForm(this)) {
        if (form != this && !form->Visible()) {
            // The form remembers it and focuses it when it is shown.
            form->SetActiveControl(this);
            return;
        }
    }
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* child : FTabList) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int count = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start >= count) start = forward ? count - 1 : 0;
    int i = start;
    for (int step = 0; step < count; ++step) {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TWinControl* candidate = list[static_cast<size_t>(i)];
        if ((!checkTabStop || candidate->TabStop()) && candidate->CanFocus() && candidate != current) return candidate;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

void TWinControl::SelectFirst() { SelectNext(nullptr, true, true); }

void TWinControl::Broadcast(TMessage& message) {
    for (TControl* child : std::vector<TControl*>(FControls)) {
        child->WindowProc(message);
        if (message.Result != 0) return;
    }
}

// ---- layout ---------------------------------------------------------------------------------

void TWinControl::AlignControls() {
    if (FAligning) return;
    FAligning = true;
    TRect area = ClientRect();
    // Top and bottom bars first, then the sides, then what fills the rest.
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : FControls) {
            if (c->Align() != pass || !c->Visible()) continue;
            switch (pass) {
            case alTop:
                c->SetBounds(area.Left, area.Top, area.Width(), c->Height());
                area.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(area.Left, area.Bottom - c->Height(), area.Width(), c->Height());
                area.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(area.Left, area.Top, c->Width(), area.Height());
                area.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(area.Right - c->Width(), area.Top, c->Width(), area.Height());
                area.Right -= c->Width();
                break;
            default:
                c->SetBounds(area.Left, area.Top, area.Width(), area.Height());
                break;
            }
        }
    }
    FAligning = false;
}

void TWinControl::Resize() {
    AlignControls();
    TControl::Resize();
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TControl* child : FControls)
        if (child->Owner() == root) proc(child);
}

// ---- fonts and colours follow the parent ------------------------------------------------

void TWinControl::FontChanged() {
    TControl::FontChanged();
    ChildrenFontChanged();
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    ChildrenColorChanged();
}

void TWinControl::ParentFontChanged() { TControl::ParentFontChanged(); }

void TWinControl::ParentColorChanged() { TControl::ParentColorChanged(); }

void TWinControl::ChildrenFontChanged() {
    for (TControl* child : FControls) child->ParentFontChanged();
}

void TWinControl::ChildrenColorChanged() {
    for (TControl* child : FControls) child->ParentColorChanged();
}

// ---- messages -----------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::HandleKeyMessage(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    switch (m.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(m.WParam);
        const TShiftState shift = KeyDataToShiftState(m.LParam);
        if (form && form != this && form->KeyPreview()) form->PreviewKeyDown(key, shift);
        if (key) KeyDown(key, shift);
        if (key == 0) return true;
        if (form && form->IsShortCut(key, shift)) return true;
        if (form && IsDialogKey(key)) {
            const LRESULT code = Perform(WM_GETDLGCODE, key, 0);
            const bool wanted = (code & DLGC_WANTALLKEYS) || (key == VK_TAB && (code & DLGC_WANTTAB)) ||
                                ((key >= VK_LEFT && key <= VK_DOWN) && (code & DLGC_WANTARROWS));
            if (!wanted && form->Perform(CM_DIALOGKEY, key, m.LParam) != 0) return true;
        }
        return false;
    }
    case CN_CHAR:
    case CN_SYSCHAR: {
        char key = static_cast<char>(m.WParam);
        if (form && form != this && form->KeyPreview()) form->PreviewKeyPress(key);
        if (key) KeyPress(key);
        if (key == 0) return true;
        m.WParam = static_cast<unsigned char>(key);
        if (m.Msg == CN_SYSCHAR && form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return true;
        return false;
    }
    default:
        return false;
    }
}

void TWinControl::ReflectToChild(TMessage& m, HWND child) {
    TControl* control = FindControl(child);
    if (control && control != this) {
        m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
    }
    DefaultHandler(m);
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
    case CN_CHAR:
    case CN_SYSCHAR:
        m.Result = HandleKeyMessage(m) ? 1 : 0;
        return;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this)) form->FocusMoved(this);
        break;
    case WM_COMMAND:
        if (m.LParam) return ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
        break;
    case WM_NOTIFY:
        return ReflectToChild(m, reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
        if (m.LParam) return ReflectToChild(m, reinterpret_cast<HWND>(m.LParam));
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (item->CtlType == ODT_MENU) break;
        return ReflectToChild(m, item->hwndItem);
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (item->CtlType == ODT_MENU) break;
        return ReflectToChild(m, GetDlgItem(Handle(), static_cast<int>(item->CtlID)));
    }
    case WM_COMPAREITEM:
        return ReflectToChild(m, reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam)->hwndItem);
    case WM_DELETEITEM:
        return ReflectToChild(m, reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam)->hwndItem);
    case WM_SIZE:
        DefaultHandler(m);
        AlignControls();
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        // Notices for every control of a form reach the nested ones through their containers.
        Broadcast(m);
        return;
    default:
        break;
    }
    TControl::WndProc(m);
}
