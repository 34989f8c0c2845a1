#include "components/TScreen.h"

#include <algorithm>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TCustomForm.h"

TScreen* Screen = new TScreen(nullptr);

const TClassInfo& TScreen::StaticClass() {
    static const TClassInfo info = TClassBuilder<TScreen>("TScreen").Build();
    return info;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FForms[static_cast<size_t>(index)];
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }

int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

void TScreen::ReadSystemFonts() {
    if (FFontsRead) return;
    FFontsRead = true;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        FMenuFont.AssignLogFont(metrics.lfMenuFont);
        FMessageFont.AssignLogFont(metrics.lfMessageFont);
    }
}

TFont* TScreen::MenuFont() {
    ReadSystemFonts();
    return &FMenuFont;
}

TFont* TScreen::MessageFont() {
    ReadSystemFonts();
    return &FMessageFont;
}

void TScreen::AddForm(TCustomForm* form) { FForms.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FActiveForm == form) FActiveForm = nullptr;
}
