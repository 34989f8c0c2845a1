#pragma once
#include "components/TWinControl.h"

// A row of tabs on the standard tab window; descendants decide what the tabs stand for.
class TCustomTabControl : public TWinControl {
    DECLARE_CLASS(TCustomTabControl, TWinControl)
public:
    explicit TCustomTabControl(TComponent* owner);

    int TabIndex();
    void SetTabIndex(int index);
    // The area inside the tabs and border, in client coordinates.
    TRect DisplayRect();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    // The tabs shown, in order.
    void SetTabs(const std::vector<std::string>& captions);
    virtual void Change();
};
