#pragma once
#include "components/TStatusPanel.h"
#include "components/TWinControl.h"

class TCustomStatusBar;
using TDrawPanelEvent = std::function<void(TCustomStatusBar* Sender, TStatusPanel* Panel, const TRect& Rect)>;

// A status bar (the standard status window) with panels of given widths; the last panel reaches
// to the right edge. It sits at the bottom of its parent.
class TCustomStatusBar : public TWinControl {
    DECLARE_CLASS(TCustomStatusBar, TWinControl)
public:
    explicit TCustomStatusBar(TComponent* owner);

    TStatusPanels* Panels() { return &FPanels; }
    void SetPanels(TStatusPanels* panels) { FPanels.Assign(panels); }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool simple);
    const std::string& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool grip);

    TDrawPanelEvent OnDrawPanel;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;

private:
    void UpdatePanels();
    void UpdatePanel(int index);

    TStatusPanels FPanels;
    bool FSimplePanel = false;
    std::string FSimpleText;
    bool FSizeGrip = true;
};

class TStatusBar : public TCustomStatusBar {
    DECLARE_CLASS(TStatusBar, TCustomStatusBar)
public:
    explicit TStatusBar(TComponent* owner) : TCustomStatusBar(owner) {}
};
