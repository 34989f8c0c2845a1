#pragma once
#include "components/TCustomControl.h"

class TPageControl;

// A page of a page control; its caption is the tab's text.
class TTabSheet : public TCustomControl {
    DECLARE_CLASS(TTabSheet, TCustomControl)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* control);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool visible);
    int PageIndex() const;
    void SetParentComponent(TComponent* parent) override;
    // The page control is being freed before its sheets.
    void PageControlGone() { FPageControl = nullptr; }

protected:
    void WndProc(TMessage& message) override;

private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};
