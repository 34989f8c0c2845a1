#pragma once
// The check box's skin: a mark of the skin's check strip for unchecked, checked and grey, each
// also disabled; strips of twelve frames hold hot and pressed looks in between.
#include "SkinMarkButton.h"

class TSkinCheckBox : public TSkinMarkButton {
    DECLARE_CLASS(TSkinCheckBox, TSkinMarkButton)
public:
    using TSkinMarkButton::TSkinMarkButton;

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    void AfterMessage(TMessage& message) override;

    // The frame of a strip: state 1 unchecked, 2 checked, 4 grey; disabled and indeterminate
    // as the window reports them.
    static int FrameOf(int state, bool disabled, bool indeterminate, int frameCount);

    // The state last set with BM_SETCHECK, plus 1 (0: none).
    int StoredState = 0;

protected:
    TBitmap* MarkStrip(int& frameCount) const override;
    int MarkFrame(int frameCount) override;

private:
    // The state the control's properties give (1, 2 or 4), the window's when it has none.
    int ControlState(int windowState) const;
};
