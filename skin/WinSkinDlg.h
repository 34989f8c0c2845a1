#pragma once
// The skin manager: the one process-wide object that decides which windows of the GUI thread
// are skinned and with which skin data component. The skin data components create it on first
// use, register with it and ask it for actions (skin all forms, unskin all, re-apply a new
// skin) through its one-shot action timer; every later window is found through its hook on
// window creation and activation. It owns one TWinSkinForm per skinned window and one
// TWinSkinPopMenu per open popup menu.
#include "components/Win32.h"

#include <memory>
#include <string>
#include <vector>

class TControl;
class TCustomForm;
class TBitmap;
class TSkinData;
class TTimer;
class TWinSkinForm;
class TWinSkinPopMenu;

// What a skin data component asks the manager to do on its next timer tick.
enum TSkinAction : int {
    saSkinAll = 1,
    saUnskinAll = 2,
    saReapply = 3,
    saFreeDestroyed = 6,
};

// The run state of the manager.
enum : int { rsLoading = 0, rsRunning = 1, rsDestroying = 4 };

// The menu loop now open, as the skinned windows report it.
enum : int { mcNone = 0, mcMenu = 1, mcSystemMenu = 2 };

class TSkinManage {
public:
    TSkinManage();
    // Every skinned window gets its procedure and styles back first.
    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // ---- the skin data components
    // Every component that ran Loaded, in that order; the first main-form one is the default.
    void RegisterSkinData(TSkinData* skinData);
    // A component that goes is forgotten, also as the default (the next main-form one takes
    // its place) and as the one that asked for the pending action.
    void UnregisterSkinData(TSkinData* skinData);
    const std::vector<TSkinData*>& SkinDatas() const { return FSkinDatas; }

    // ---- finding and skinning windows
    // The window hook of the GUI thread, through which every later window is found (once).
    void InstallHook();
    // Skins the window when it is one to skin; true when it was taken on.
    bool SkinWindow(HWND window);
    // A shown top-level form is skinned.
    void SkinForm(TCustomForm* form);
    // A child window that is not an MDI child.
    static bool IsPlainChild(HWND window);
    // The form or control the component layer made for the window; nullptr for others.
    static TControl* ControlOfWindow(HWND window);
    // Whether the window of that class may be skinned: the preview rule, then the default
    // component's OnFormSkin.
    bool AskFormSkin(HWND window, const std::string& className);
    // The component whose skin the window gets; nullptr when none is registered.
    TSkinData* ChooseSkinData(HWND window);
    TWinSkinForm* FindForm(HWND window) const;
    // Takes the object off the list without freeing it (its destructor does this).
    void RemoveForm(TWinSkinForm* form);
    // Frees the skins of windows that are gone.
    void PurgeDeadForms();
    void FreeDestroyedForms();
    // Lets go of every skinned window (they are being destroyed, or the program ends).
    void UnskinAll();
    const std::vector<TWinSkinForm*>& Forms() const { return FForms; }

    // ---- actions
    // The action for the next tick of the one-shot timer, due after the interval.
    void PostAction(int action, int intervalMs);
    void TimerProc();
    // Drops the title-bar buttons of the windows skinned with the asking component's skin.
    void FreeSysButtons();

    // ---- popup menus
    void SkinPopupMenu(HWND window);
    bool UnskinPopupMenu(HWND window);
    bool HasPopupMenu(HWND window) const;
    void MarkPopupMenus();
    // Ties the menu to the newest popup window that has none yet.
    void AssignPopupWindow(HMENU menu);
    // The background of the popup window showing the menu; nullptr when none shows it.
    TBitmap* PopupBitmap(HMENU menu) const;
    const std::vector<std::unique_ptr<TWinSkinPopMenu>>& PopupMenus() const { return FPopupMenus; }

    // ---- MDI
    void SetMDIMaximized(bool maximized);

    std::unique_ptr<TTimer> Timer;
    HHOOK HookHandle = nullptr;
    bool Active = false;       // skinning is switched on
    bool SkinAllPass = false;  // an action 1 is walking the forms
    int RunState = rsLoading;
    int MenuContext = mcNone;
    bool MarkNewPopups = false;
    bool MDIMaximized = false;
    HWND MDIClient = nullptr;
    TControl* MDIForm = nullptr;
    int PendingAction = 0;  // a TSkinAction
    TSkinData* ActionSkinData = nullptr;   // the component that asked for the pending action
    TSkinData* DefaultSkinData = nullptr;  // the first registered main-form component

private:
    void SkinAllForms(TSkinData* skinData);
    void UnskinForms(TSkinData* skinData);
    void ReapplySkin(TSkinData* skinData);
    void FreeForm(TWinSkinForm* form);

    std::vector<TWinSkinForm*> FForms;  // owned, in attach order
    std::vector<std::unique_ptr<TWinSkinPopMenu>> FPopupMenus;
    std::vector<TSkinData*> FSkinDatas;
};

// The manager of the process; nullptr until the first skin data component creates it.
extern TSkinManage* SkinManager;
// Creates the manager when there is none yet; it lives until the program ends.
TSkinManage* CreateSkinManager();

// The value of GetVersion when the hook was installed (top bit set: a Windows 9x system).
extern DWORD WindowsVersion;
// The module whose windows the engine skins.
extern HINSTANCE ModuleInstance;
// The atom under which the component layer keeps a window's control.
extern ATOM ControlAtom;
