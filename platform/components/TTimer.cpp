#include "components/TTimer.h"

#include "components/TApplication.h"
#include "components/TClassInfo.h"

const TClassInfo& TTimer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTimer>("TTimer")
        .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(1)
        .Int("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000)
        .Event("OnTimer", &TTimer::OnTimer)
        .Build();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) { UpdateTimer(); }

TTimer::~TTimer() {
    if (FTimerId) Application->StopTimer(FTimerId);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned interval) {
    if (interval == FInterval) return;
    FInterval = interval;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (FTimerId) Application->StopTimer(FTimerId);
    FTimerId = 0;
    // A timer read from a form starts once the whole form is there.
    if (FEnabled && FInterval > 0 && !InState(csLoading)) FTimerId = Application->StartTimer(this, FInterval);
}

void TTimer::Tick() {
    if (OnTimer) OnTimer(this);
}
