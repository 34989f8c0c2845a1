#pragma once
#include "components/TCustomControl.h"

class TImageList;
class TMainMenu;
class TToolButton;
class TToolBar;

using TToolBarCustomDrawEvent = std::function<void(TToolBar* Sender, const TRect& ARect, bool& DefaultDraw)>;
using TToolBarCustomDrawButtonEvent = std::function<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;

// A row of tool buttons and other controls, placed left to right in their order. Its background
// and each button may be drawn by the custom-draw events; what they leave is drawn plainly.
class TToolBar : public TCustomControl {
    DECLARE_CLASS(TToolBar, TCustomControl)
public:
    explicit TToolBar(TComponent* owner);

    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int height);
    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool show);
    int Indent() const { return FIndent; }
    void SetIndent(int indent);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    // A menu whose top-level items the bar shows as buttons (kept for whoever draws them).
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);
    int ButtonCount() const;
    TToolButton* Buttons(int index) const;

    void AlignControls() override;
    bool ArrangesChildren() const override { return true; }
    void Notification(TComponent* component, TOperation operation) override;

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

protected:
    void Paint() override;

private:
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    bool FFlat = false;
    bool FShowCaptions = false;
    int FIndent = 0;
    TImageList* FImages = nullptr;
    TMainMenu* FMenu = nullptr;
};
