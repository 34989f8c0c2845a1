#include "WinSkinDlg.h"

#include <algorithm>
#include <memory>

#include "WinSkinData.h"

TSkinManage* SkinManager = nullptr;

namespace {

// Ends the manager with the program; a component freed later finds no manager.
struct TManagerLifetime {
    std::unique_ptr<TSkinManage> Manager;
    ~TManagerLifetime() {
        if (Manager) Manager->RunState = 4;
        SkinManager = nullptr;
    }
} ManagerLifetime;

}  // namespace

TSkinManage* CreateSkinManager() {
    if (!SkinManager) {
        ManagerLifetime.Manager = std::make_unique<TSkinManage>();
        SkinManager = ManagerLifetime.Manager.get();
    }
    return SkinManager;
}

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

void TSkinManage::InstallHook() {}

void TSkinManage::PostAction(int action, int intervalMs) {
    PendingAction = action;
    ActionInterval = intervalMs;
}

bool TSkinManage::SkinWindow(HWND) { return false; }

void TSkinManage::FreeSysButtons() {}
