#pragma once
// The skin manager: the one process-wide object that decides which windows of the GUI thread
// are skinned and with which skin data component. The skin data components create it on first
// use, register with it and ask it for actions (1 skin all forms, 2 unskin all, 3 re-apply a
// new skin).
//
// So far it keeps the books only: the registered components, the default and the asking one,
// the pending action, whether skinning is on and the run state. The thread hook, the action
// timer and the skinning of windows come with the window skins; InstallHook, SkinWindow and
// FreeSysButtons do nothing until then.
#include "components/Win32.h"

#include <vector>

class TSkinData;

// What a skin data component asks the manager to do on its next timer tick.
enum TSkinAction : int {
    saSkinAll = 1,
    saUnskinAll = 2,
    saReapply = 3,
    saFreeDestroyed = 6,
};

class TSkinManage {
public:
    TSkinManage() = default;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // Every component that ran Loaded, in that order; the first main-form one is the default.
    void RegisterSkinData(TSkinData* skinData);
    // A component that goes is forgotten, also as the default (the next main-form one takes
    // its place) and as the one that asked for the pending action.
    void UnregisterSkinData(TSkinData* skinData);
    // The window hook of the GUI thread, through which every later window is found.
    void InstallHook();
    // The action for the next tick of the one-shot timer, due after the interval.
    void PostAction(int action, int intervalMs);
    // Skins the window now; true when it was taken on.
    bool SkinWindow(HWND window);
    // Drops the title-bar buttons of the windows skinned with the asking component's skin.
    void FreeSysButtons();

    const std::vector<TSkinData*>& SkinDatas() const { return FSkinDatas; }

    HHOOK HookHandle = nullptr;
    bool Active = false;  // skinning is switched on
    // 0 while the program loads, 1 once running, 4 while the manager is destroyed.
    int RunState = 0;
    int PendingAction = 0;  // a TSkinAction
    int ActionInterval = 250;
    TSkinData* ActionSkinData = nullptr;   // the component that asked for the pending action
    TSkinData* DefaultSkinData = nullptr;  // the first registered main-form component

private:
    std::vector<TSkinData*> FSkinDatas;
};

// The manager of the process; nullptr until the first skin data component creates it.
extern TSkinManage* SkinManager;
// Creates the manager when there is none yet; it lives until the program ends.
TSkinManage* CreateSkinManager();
