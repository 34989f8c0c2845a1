#pragma once
// The skin of the window scroll bars of a window the component layer did not make (the list of
// a simple combo box, say): overlays as for a control, kept in place from the window's own
// size and frame painting.
#include <memory>

#include "SkinControl.h"
#include "WScrollbar.h"

class TSkinScrollbarH : public TSkinControl {
    DECLARE_CLASS(TSkinScrollbarH, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollbarH() override;

    void AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form) override;
    void RestoreColors() override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    TWScrollbar* HorzBar() const { return FHorzBar.get(); }
    TWScrollbar* VertBar() const { return FVertBar.get(); }

private:
    std::unique_ptr<TWScrollbar> FHorzBar;
    std::unique_ptr<TWScrollbar> FVertBar;
};
