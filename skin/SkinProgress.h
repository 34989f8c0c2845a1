#pragma once
// The skin of a progress bar: the skin's bar with its filled part over it, or its chunks, in
// proportion to the position. Without the skin's progress image the bar paints itself.
#include "SkinControl.h"

class TBitmap;
class TDataSkinBorder;

class TSkinProgress : public TSkinControl {
    DECLARE_CLASS(TSkinProgress, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    // How much of a bar of that length the position fills; 0 when the position or the maximum
    // is not above 0.
    static int FilledLength(int length, int position, int maximum);

private:
    TDataSkinBorder* BarImage() const;
    void DrawFramed(TBitmap& work, TDataSkinBorder* bar, int filled);
    void DrawChunks(TBitmap& work, TDataSkinBorder* bar, int filled);
};
