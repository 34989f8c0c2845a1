#pragma once
// The skin of an up-down (spin) control: its two buttons drawn from the skin's up-down strip,
// each in its own look (normal, pressed, disabled, hot), or as flat buttons with arrows when
// the skin has no strip. Also made for the up-down inside an edit (edit-buddy mode) and for
// the scroll arrows of tab controls.
#include "SkinControl.h"

class TBitmap;

class TSkinUpDown : public TSkinControl {
    DECLARE_CLASS(TSkinUpDown, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    // Set when the up-down sits inside an edit: it keeps clear of the edit's border.
    bool EditBuddyMode = false;
    // 1: the buttons lie left and right whatever the control's style says.
    int HorizontalMode = 0;

private:
    TRect KeepClearOfParentBorder(TRect r) const;
    // 1 normal, 2 pressed, 3 disabled, 4 hot; a button shows normal while the cursor is over
    // the other one.
    int ButtonState(const TRect& other, POINT cursor) const;
    void DrawButton(HDC dc, const TRect& button, int direction, int state, bool horizontal);
};
