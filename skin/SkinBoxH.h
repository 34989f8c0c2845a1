#pragma once
// The skin of a dialog page of the system (a property sheet's page): its background and the
// backgrounds of its static texts in the skin's face colour.
#include "SkinControl.h"

class TSkinBoxH : public TSkinControl {
    DECLARE_CLASS(TSkinBoxH, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
};
