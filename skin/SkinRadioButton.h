#pragma once
// The radio button's skin: a mark of the skin's radio strip for unchecked and checked, each also
// disabled; strips of eight frames hold hot and pressed looks in between.
#include "SkinMarkButton.h"

class TSkinRadioButton : public TSkinMarkButton {
    DECLARE_CLASS(TSkinRadioButton, TSkinMarkButton)
public:
    using TSkinMarkButton::TSkinMarkButton;

    void AfterMessage(TMessage& message) override;
    // The frame of a strip: checked or not, disabled or not.
    static int FrameOf(bool checked, bool disabled, int frameCount);

protected:
    TBitmap* MarkStrip(int& frameCount) const override;
    int MarkFrame(int frameCount) override;
    int RightInset() const override { return 1; }
};
