#pragma once
#include <vector>

#include "components/TComponent.h"
#include "components/TFont.h"

class TCustomForm;

// The program's forms and what it knows about the display.
class TScreen : public TComponent {
    DECLARE_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);

    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const { return FActiveForm; }
    int Width() const;
    int Height() const;
    // The font of menus, from the system's non-client metrics.
    TFont* MenuFont();
    // The font of message boxes, from the system's non-client metrics.
    TFont* MessageFont();

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form) { FActiveForm = form; }

private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TFont FMenuFont;
    TFont FMessageFont;
    bool FFontsRead = false;
    void ReadSystemFonts();
};

extern TScreen* Screen;
