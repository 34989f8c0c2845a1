#pragma once
#include "components/Win32.h"

#include "components/ControlTypes.h"
#include "components/TComponent.h"

// Runs OnTimer every Interval milliseconds while Enabled, on the GUI thread.
class TTimer : public TComponent {
    DECLARE_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned interval);
    void Loaded() override;
    // One tick: OnTimer, when set.
    void Tick();

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    UINT_PTR FTimerId = 0;
};
