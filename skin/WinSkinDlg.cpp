#include "WinSkinDlg.h"

#include <algorithm>
#include <cstdio>

#include "ImgUtil.h"
#include "SkinMessages.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "WinSkinPopMenu.h"
#include "components/SysUtils.h"
#include "components/TCustomForm.h"
#include "components/TScreen.h"
#include "components/TTimer.h"

TSkinManage* SkinManager = nullptr;
DWORD WindowsVersion = 0;
HINSTANCE ModuleInstance = nullptr;
ATOM ControlAtom = 0;

namespace {

constexpr int DisabledFormTag = 99;  // a form with this Tag is never skinned, whatever DisableTag says
constexpr int ClassNameLength = 100;

// What the unit does when the program starts and ends: the module and the control atom are
// noted; the manager, when there is one, ends with the program.
struct TUnitLifetime {
    TUnitLifetime() {
        ModuleInstance = GetModuleHandleA(nullptr);
        char name[64];
        std::snprintf(name, sizeof name, "ControlOfs%.8lX%.8lX",
                      static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(ModuleInstance)),
                      static_cast<unsigned long>(GetCurrentThreadId()));
        ControlAtom = GlobalAddAtomA(name);
    }
    ~TUnitLifetime() {
        Manager.reset();
        SkinManager = nullptr;
    }
    TUnitLifetime(const TUnitLifetime&) = delete;
    TUnitLifetime& operator=(const TUnitLifetime&) = delete;

    std::unique_ptr<TSkinManage> Manager;
};
TUnitLifetime Unit;

std::string ClassNameOf(HWND window) {
    char name[ClassNameLength + 1] = {0};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void OnHookCreateWindow(TSkinManage& manager, HWND window, const CREATESTRUCTA& create) {
    const std::string className = ClassNameOf(window);
    // A size grip made inside a skinned window gets its skin from that window.
    if (className == "ScrollBar" && (create.style & SBS_SIZEGRIP)) {
        if (TWinSkinForm* parent = manager.FindForm(create.hwndParent)) parent->SkinChildWindow(window);
    }
    if (!(create.style & WS_CHILD) && className == "#32768") manager.SkinPopupMenu(window);
    if (create.dwExStyle & WS_EX_MDICHILD) manager.SkinWindow(window);
}

// The hook sees every window of the GUI thread made, activated and destroyed.
LRESULT CALLBACK SkinCbtProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = SkinManager;
    const HHOOK hook = manager ? manager->HookHandle : nullptr;
    if (code >= 0 && manager) {
        // Nothing may unwind through the system's frames.
        try {
            HWND window = reinterpret_cast<HWND>(wParam);
            switch (code) {
            case HCBT_CREATEWND: {
                const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
                if (create && create->lpcs) OnHookCreateWindow(*manager, window, *create->lpcs);
                break;
            }
            case HCBT_DESTROYWND:
                manager->UnskinPopupMenu(window);
                break;
            case HCBT_ACTIVATE:
                if (manager->RunState == rsLoading) manager->RunState = rsRunning;
                manager->SkinWindow(window);
                break;
            default:
                break;
            }
        } catch (const std::exception& e) {
            SkinLog(std::string("hook: ") + e.what());
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

bool HasControls(TSkinData* skinData, TSkinControlType type) {
    return (skinData->SkinControls() & SkinControlBit(type)) != 0;
}

}  // namespace

TSkinManage* CreateSkinManager() {
    if (!SkinManager) {
        Unit.Manager = std::make_unique<TSkinManage>();
        SkinManager = Unit.Manager.get();
    }
    return SkinManager;
}

TSkinManage::TSkinManage() : Timer(std::make_unique<TTimer>(nullptr)) {
    Timer->SetEnabled(false);
    Timer->SetInterval(250);
    Timer->OnTimer = [this](TObject*) { TimerProc(); };
}

TSkinManage::~TSkinManage() {
    RunState = rsDestroying;
    Active = false;
    Timer.reset();
    if (!FForms.empty()) UnskinAll();
    FPopupMenus.clear();
    if (HookHandle) UnhookWindowsHookEx(HookHandle);
    HookHandle = nullptr;
}

// ---- the skin data components -----------------------------------------------------------------

void TSkinManage::RegisterSkinData(TSkinData* skinData) {
    FSkinDatas.push_back(skinData);
    if (!DefaultSkinData && skinData->SkinFormtype() == sfMainform) DefaultSkinData = skinData;
}

void TSkinManage::UnregisterSkinData(TSkinData* skinData) {
    FSkinDatas.erase(std::remove(FSkinDatas.begin(), FSkinDatas.end(), skinData), FSkinDatas.end());
    if (ActionSkinData == skinData) ActionSkinData = nullptr;
    if (DefaultSkinData != skinData) return;
    DefaultSkinData = nullptr;
    for (TSkinData* other : FSkinDatas)
        if (other->SkinFormtype() == sfMainform) {
            DefaultSkinData = other;
            break;
        }
}

// ---- finding and skinning windows -------------------------------------------------------------

void TSkinManage::InstallHook() {
    WindowsVersion = GetVersion();
    // A second main-form component finds the hook in place: one hook sees every window once.
    if (HookHandle) return;
    HookHandle = SetWindowsHookExA(WH_CBT, SkinCbtProc, nullptr, GetCurrentThreadId());
    char line[64];
    std::snprintf(line, sizeof line, "Windows Version %lx", static_cast<unsigned long>(WindowsVersion));
    SkinLog(line);
    std::snprintf(line, sizeof line, "Windows Version %d %d", static_cast<int>(LOBYTE(LOWORD(WindowsVersion))),
                  static_cast<int>(HIBYTE(LOWORD(WindowsVersion))));
    SkinLog(line);
    std::snprintf(line, sizeof line, "ThreadId %lx", static_cast<unsigned long>(GetCurrentThreadId()));
    SkinLog(line);
    std::snprintf(line, sizeof line, "HookCallback %lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(HookHandle)));
    SkinLog(line);
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!Active) return false;
    PurgeDeadForms();
    if (SendMessageA(window, WM_SKINQUERY, 0, 0) == 1 || FindForm(window)) return false;
    TControl* control = ControlOfWindow(window);
    if (!SkinAllPass && IsPlainChild(window)) return false;
    const std::string className = ClassNameOf(window);
    const bool ours = control || reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) == ModuleInstance ||
                      className == "#32770";  // the system's dialogs are skinned, whoever made them
    if (!ours) return false;
    RECT r{};
    GetWindowRect(window, &r);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    if ((r.right - r.left) * (r.bottom - r.top) == 0 && !(exStyle & WS_EX_MDICHILD)) return false;
    if (control && control->Tag() == DisabledFormTag) return false;
    if (Contains(className, "TcxPopupEditPopupWindow") || className == "TApplication") return false;
    if (!AskFormSkin(window, className)) return false;
    TSkinData* skinData = ChooseSkinData(window);
    if (!skinData || skinData->SkinEmpty()) return false;

    auto* form = new TWinSkinForm(control);
    form->Handle = window;
    if (control) form->AttachForm(skinData, control);
    else form->AttachWindow(skinData);
    FForms.push_back(form);
    PostMessageA(window, WM_SKINSTART, 0, SkinStartTag);
    return true;
}

void TSkinManage::SkinForm(TCustomForm* form) {
    if (!form || !form->Visible()) return;
    if (GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_CHILD) return;
    SkinWindow(form->Handle());
}

bool TSkinManage::IsPlainChild(HWND window) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    if (!(style & WS_CHILD) || (exStyle & WS_EX_MDICHILD)) return false;
    return LowerCase(ClassNameOf(GetParent(window))) != "mdiclient";
}

TControl* TSkinManage::ControlOfWindow(HWND window) {
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form->HandleAllocated() && form->Handle() == window) return form;
    }
    return ControlFromHandle(window);
}

bool TSkinManage::AskFormSkin(HWND window, const std::string& className) {
    if (!DefaultSkinData) return true;
    bool doSkin = true;
    if (!(DefaultSkinData->Options() & SkinOptionBit(xoPreview)) && Contains(LowerCase(className), "preview")) doSkin = false;
    DefaultSkinData->DoFormSkin(window, className, doSkin);
    return doSkin;
}

TSkinData* TSkinManage::ChooseSkinData(HWND window) {
    const auto last = [this](const std::function<bool(TSkinData*)>& matches) -> TSkinData* {
        TSkinData* found = nullptr;
        for (TSkinData* skinData : FSkinDatas)
            if (matches(skinData)) found = skinData;
        return found;
    };
    if (TSkinData* own = last([window](TSkinData* s) {
            auto* owner = dynamic_cast<TControl*>(s->Owner());
            return s->SkinFormtype() == sfOnlyThisForm && owner && owner->HandleAllocated() && owner->Handle() == window;
        }))
        return own;
    const std::string className = LowerCase(ClassNameOf(window));
    if (className == "tmessageform" || className == "#32770")
        if (TSkinData* dialog = last([](TSkinData* s) { return s->SkinFormtype() == sfDialog; })) return dialog;
    if (TSkinData* main = last([](TSkinData* s) { return s->SkinFormtype() == sfMainform; })) return main;
    return FSkinDatas.empty() ? nullptr : FSkinDatas.front();
}

TWinSkinForm* TSkinManage::FindForm(HWND window) const {
    for (TWinSkinForm* form : FForms)
        if (form->Handle == window) return form;
    return nullptr;
}

void TSkinManage::RemoveForm(TWinSkinForm* form) {
    if (RunState == rsDestroying) return;
    const auto at = std::find(FForms.begin(), FForms.end(), form);
    if (at != FForms.end()) FForms.erase(at);
}

void TSkinManage::FreeForm(TWinSkinForm* form) {
    RemoveForm(form);
    delete form;
}

void TSkinManage::PurgeDeadForms() {
    if (RunState == rsDestroying) return;
    FreeDestroyedForms();
}

void TSkinManage::FreeDestroyedForms() {
    for (std::size_t i = FForms.size(); i-- > 0;) {
        if (i >= FForms.size()) continue;  // a destructor took others off meanwhile
        TWinSkinForm* form = FForms[i];
        if (form->State == wsGone) FreeForm(form);
    }
}

void TSkinManage::UnskinAll() {
    Active = false;
    while (!FForms.empty()) {
        TWinSkinForm* form = FForms.back();
        FForms.pop_back();
        form->UnskinDestroyed();
        delete form;
    }
}

// ---- actions ----------------------------------------------------------------------------------

void TSkinManage::PostAction(int action, int intervalMs) {
    PendingAction = action;
    Timer->SetInterval(static_cast<unsigned>(std::max(1, intervalMs)));
    if (RunState != rsLoading) {
        Timer->SetEnabled(true);
        return;
    }
    // While the program loads, the first window is skinned by the hook when it is activated.
    if (action == saSkinAll) Active = true;
    else if (action == saUnskinAll) Active = false;
}

void TSkinManage::TimerProc() {
    Timer->SetEnabled(false);
    TSkinData* skinData = ActionSkinData;
    if (!skinData) return;
    switch (PendingAction) {
    case saSkinAll: SkinAllForms(skinData); break;
    case saUnskinAll: UnskinForms(skinData); break;
    case saReapply: ReapplySkin(skinData); break;
    case saFreeDestroyed: FreeDestroyedForms(); break;
    default: break;
    }
    skinData->DoSkinChanged();
    ActionSkinData = nullptr;
}

void TSkinManage::SkinAllForms(TSkinData* skinData) {
    Active = true;
    SkinAllPass = true;
    if (skinData->SkinFormtype() == sfOnlyThisForm) {
        for (int i = Screen->FormCount(); i-- > 0;)
            if (Screen->Forms(i) == skinData->Owner()) {
                SkinForm(Screen->Forms(i));
                break;
            }
    } else {
        PurgeDeadForms();
        for (int i = Screen->FormCount(); i-- > 0;)
            if (i < Screen->FormCount()) SkinForm(Screen->Forms(i));
    }
    SkinAllPass = false;
}

void TSkinManage::UnskinForms(TSkinData* skinData) {
    Active = false;
    PurgeDeadForms();
    const auto release = [this](TWinSkinForm* form) {
        form->Unskin();
        RedrawWindowNow(form->Handle);
        FreeForm(form);
    };
    // A component for its own form lets go of that form alone; any other of every window.
    if (skinData->SkinFormtype() == sfOnlyThisForm) {
        for (std::size_t i = FForms.size(); i-- > 0;)
            if (FForms[i]->SkinData == skinData) return release(FForms[i]);
        return;
    }
    while (!FForms.empty()) release(FForms.front());
}

void TSkinManage::ReapplySkin(TSkinData* skinData) {
    PurgeDeadForms();
    const std::vector<TWinSkinForm*> forms = FForms;
    if (skinData->SkinFormtype() == sfOnlyThisForm) {
        for (TWinSkinForm* form : forms)
            if (form->SkinData == skinData) {
                form->FreeSysButtons();
                form->UpdateMetrics();
                form->ApplyColors();
                return;
            }
        return;
    }
    // Every frame measures itself first, then each window is laid out again.
    for (TWinSkinForm* form : forms)
        if (form->SkinData == skinData) {
            form->FreeSysButtons();
            form->UpdateMetrics();
        }
    for (TWinSkinForm* form : forms)
        if (form->SkinData == skinData && std::find(FForms.begin(), FForms.end(), form) != FForms.end()) form->ApplyColors();
}

void TSkinManage::FreeSysButtons() {
    for (TWinSkinForm* form : FForms)
        if (form->SkinData == ActionSkinData) form->FreeSysButtons();
}

// ---- popup menus ------------------------------------------------------------------------------

void TSkinManage::SkinPopupMenu(HWND window) {
    if (!Active || SendMessageA(window, WM_SKINQUERY, 0, 0) == 1 || HasPopupMenu(window)) return;
    TSkinData* skinData = ChooseSkinData(window);
    if (!skinData || skinData->SkinEmpty()) return;
    bool allowed = true;
    switch (MenuContext) {
    case mcNone: allowed = HasControls(skinData, xcPopupMenu); break;
    case mcMenu: allowed = HasControls(skinData, xcMainMenu) || HasControls(skinData, xcMenuItem); break;
    case mcSystemMenu: allowed = HasControls(skinData, xcSystemMenu); break;
    default: break;
    }
    if (!allowed) return;
    auto popup = std::make_unique<TWinSkinPopMenu>();
    popup->Attach(window, skinData, 0);
    if (MarkNewPopups) popup->RepaintMark = true;
    FPopupMenus.push_back(std::move(popup));
}

bool TSkinManage::UnskinPopupMenu(HWND window) {
    const auto at = std::find_if(FPopupMenus.begin(), FPopupMenus.end(), [window](const auto& p) { return p->Handle == window; });
    const bool found = at != FPopupMenus.end();
    if (found) {
        (*at)->Detach();
        FPopupMenus.erase(at);
    }
    if (FPopupMenus.empty()) {
        MarkNewPopups = false;
        MenuContext = mcNone;
    }
    return found;
}

bool TSkinManage::HasPopupMenu(HWND window) const {
    return std::any_of(FPopupMenus.begin(), FPopupMenus.end(), [window](const auto& p) { return p->Handle == window; });
}

void TSkinManage::MarkPopupMenus() {
    for (const auto& popup : FPopupMenus) popup->RepaintMark = true;
}

void TSkinManage::AssignPopupWindow(HMENU menu) {
    for (std::size_t i = FPopupMenus.size(); i-- > 0;)
        if (!FPopupMenus[i]->Menu) {
            FPopupMenus[i]->Menu = menu;
            return;
        }
}

TBitmap* TSkinManage::PopupBitmap(HMENU menu) const {
    for (const auto& popup : FPopupMenus)
        if (popup->Menu == menu) return popup->Background.get();
    return nullptr;
}

// ---- MDI --------------------------------------------------------------------------------------

void TSkinManage::SetMDIMaximized(bool maximized) {
    if (maximized == MDIMaximized) return;
    MDIMaximized = maximized;
    if (DefaultSkinData && (DefaultSkinData->Options() & SkinOptionBit(xoMDIChildBorder))) return;
    for (TWinSkinForm* form : FForms) {
        if (form->WindowKind != wkMDIChild) continue;
        if (maximized) {
            if (form->RegionSet) form->ClearRegion();
            form->SetCaptionStyle(true);
        } else if (form->ShowState == ssMinimized) {
            form->SetCaptionStyle(true);
        } else {
            form->ShowState = ssNormal;
            form->UpdateRegion();
            form->SetCaptionStyle(false);
            if (!form->RegionSet) form->FrameChanged();
        }
    }
}
