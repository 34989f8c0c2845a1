#pragma once
// The skin of a scroll bar control: one overlay over the whole control, repainted whenever the
// control's position changes.
#include <memory>

#include "SkinControl.h"
#include "WScrollbar.h"

class TSkinScControl : public TSkinControl {
    DECLARE_CLASS(TSkinScControl, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinScControl() override;

    // Lays the overlay over the control (the owner) and hooks it.
    void AttachScrollControl(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas);
    void RestoreColors() override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    TWScrollbar* Bar() const { return FBar.get(); }

private:
    std::unique_ptr<TWScrollbar> FBar;
};
