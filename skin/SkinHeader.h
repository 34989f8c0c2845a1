#pragma once
// The skin of a header control (the column titles of a list view): each item on the header
// image, the hot one in its second frame, the room after the last item in the first.
#include <vector>

#include "SkinControl.h"
#include <commctrl.h>

class TSkinHeader : public TSkinControl {
    DECLARE_CLASS(TSkinHeader, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    void AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form) override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    // The item under the mouse; -1 for none.
    int HotItem = -1;
    // Where the items were last painted, 3 pixels in from each side.
    std::vector<TRect> ItemRects;

private:
    void TrackHotItem(int x, int y);
    void PaintItem(TCanvas* canvas, int index, const RECT& itemRect, HIMAGELIST images);
};
