#pragma once
#include "components/TGraphicControl.h"

class TMenuItem;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
extern const TEnumType ToolButtonStyleType;

// A button of a tool bar: its image from the bar's image list, its caption when the bar shows
// captions, its hint. A click runs OnClick, or the bound menu item's when there is no OnClick.
class TToolButton : public TGraphicControl {
    DECLARE_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* owner);

    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle style);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    bool Down() const { return FDown; }
    void SetDown(bool down);
    TMenuItem* MenuItem() const { return FMenuItem; }
    void SetMenuItem(TMenuItem* item);
    int Index() const;
    TToolBar* ToolBar() const;
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    TCustomDrawState ButtonState() const;
    int PreferredWidth();

    void Click() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    void PaintPlain(TCanvas* canvas, const TRect& r);

    TToolButtonStyle FStyle = tbsButton;
    int FImageIndex = -1;
    bool FDown = false;
    bool FHot = false;
    bool FPressed = false;
    TMenuItem* FMenuItem = nullptr;
};
