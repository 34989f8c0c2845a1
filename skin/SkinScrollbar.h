#pragma once
// The skin of a control's own window scroll bars (memos, rich edits, grids, lists): an overlay
// over each bar, kept in place as the control moves, sizes, shows and hides, and told which
// part the system is scrolling so that it shows pressed.
#include <memory>

#include "SkinControl.h"
#include "WScrollbar.h"

class TSkinScrollbar : public TSkinControl {
    DECLARE_CLASS(TSkinScrollbar, TSkinControl)
public:
    // singleMode 1: the control shows one scroll bar only.
    TSkinScrollbar(TComponent* owner, int singleMode);
    ~TSkinScrollbar() override;

    // Lays the overlays over the control's scroll bars and hooks the control.
    virtual void AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas);
    void RestoreColors() override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    TWScrollbar* HorzBar() const { return FHorzBar.get(); }
    TWScrollbar* VertBar() const { return FVertBar.get(); }
    bool Border = false;  // a 2-pixel border around the control
    int SingleMode = 0;

protected:
    void PlaceBars();
    void FreeBars();

private:
    std::unique_ptr<TWScrollbar> FHorzBar;
    std::unique_ptr<TWScrollbar> FVertBar;
    int FSavedFixedColor = 0;
    bool FFixedColorReplaced = false;
};
