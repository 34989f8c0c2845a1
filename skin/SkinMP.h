#pragma once
// The skin of a media player: a panel of skinned buttons laid over the player, kept on its
// size, position and visibility.
#include "SkinControl.h"

class TWMediaPlayer;

class TSkinMP : public TSkinControl {
    DECLARE_CLASS(TSkinMP, TSkinControl)
public:
    using TSkinControl::TSkinControl;
    ~TSkinMP() override;

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    void RestoreColors() override;
    void AfterMessage(TMessage& message) override;

    TWMediaPlayer* Overlay = nullptr;  // owned

private:
    void FitOverlay();
    void FreeOverlay();
};
