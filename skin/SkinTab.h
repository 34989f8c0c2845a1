#pragma once
// The skin of a tab control or page control: the tabs drawn on the skin's tab frames in a strip
// on whichever side they stand (drawn as if on top, then turned), the pane on the skin's pane
// image, and, for a page control that asks for them, a close mark on each tab.
#include <vector>

#include "SkinControl.h"
#include "components/TBitmap.h"

// Where the tabs stand.
enum TTabPosition : int { tpTop = 0, tpBottom = 1, tpLeft = 2, tpRight = 3 };

// The Tag of a page control whose tabs carry close marks.
constexpr int CloseMarkTag = 7777;

class TSkinTab : public TSkinControl {
    DECLARE_CLASS(TSkinTab, TSkinControl)
public:
    // tabMode 2: a page control or tab control of the component layer.
    TSkinTab(TComponent* owner, int tabMode);

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    void AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form) override;
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;
    void Reskin() override;

    int TabMode = 0;
    TTabPosition TabPosition = tpTop;
    bool CloseMarks = false;
    // Where each tab's close mark was last painted, in the tab strip's coordinates.
    std::vector<TRect> CloseRects;

private:
    void ReadTabPosition();
    void PrepareImages();
    void AttachUpDown();
    TRect DisplayRect(const TRect& r);
    TRect StripRect(const TRect& r, const TRect& display) const;
    TRect TabInStrip(RECT tab, const TRect& r, const TRect& display, const TRect& strip) const;
    std::wstring TabText(int index);
    void PaintTabs(HDC dc, const TRect& r, const TRect& display);
    void PaintCloseMark(TCanvas* canvas, const TRect& tab, int index);
    void PaintPane(HDC dc, const TRect& display);
    // A click on a close mark: the form is asked, and the page goes when it answers 0.
    bool ClickCloseMark(int x, int y);

    TBitmap FTabImage;
    TBitmap FPaneImage;
    TBitmap FWork;
    TSkinControl* FUpDown = nullptr;  // owned by this skin
    HWND FUpDownWindow = nullptr;
};
