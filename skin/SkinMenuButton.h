#pragma once
// The skin of a button that drops a menu: the push-button picture, the caption left of an
// arrow area and a small arrow pointing down in it.
#include "SkinButton.h"

class TSkinMenuButton : public TSkinButton {
    DECLARE_CLASS(TSkinMenuButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;

    void PaintSkin(HDC dc, const TRect& r) override;

    // Width of the arrow area at the right edge.
    static constexpr int ArrowAreaWidth = 17;
};
