#pragma once
// The skin of a list view: its scroll bars as any control's, and its column header skinned
// as a header of its own.
#include "SkinScrollbar.h"

class TSkinHeader;

class TSkinListView : public TSkinScrollbar {
    DECLARE_CLASS(TSkinListView, TSkinScrollbar)
public:
    explicit TSkinListView(TComponent* owner) : TSkinScrollbar(owner, 0) {}

    void AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) override;

    TSkinHeader* Header = nullptr;  // owned by this skin; nullptr without a header window
};
