#include "components/TToolBar.h"

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TImageList.h"
#include "components/TMainMenu.h"
#include "components/TToolButton.h"

const TClassInfo& TToolBar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TToolBar>("TToolBar")
        .Int("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22)
        .Int("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23)
        .Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(0)
        .Object("Images", &TToolBar::Images, &TToolBar::SetImages)
        .Int("Indent", &TToolBar::Indent, &TToolBar::SetIndent).Default(0)
        .Object("Menu", &TToolBar::Menu, &TToolBar::SetMenu)
        .Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(0)
        .Build();
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    SetControlStyle(csAcceptsControls);
}

int TToolBar::ButtonCount() const {
    int count = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TToolButton*>(Controls(i))) ++count;
    return count;
}

TToolButton* TToolBar::Buttons(int index) const {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* button = dynamic_cast<TToolButton*>(Controls(i)))
            if (index-- == 0) return button;
    throw EListError("List index out of bounds");
}

void TToolBar::SetButtonWidth(int width) {
    FButtonWidth = width;
    AlignControls();
}

void TToolBar::SetButtonHeight(int height) {
    FButtonHeight = height;
    AlignControls();
}

void TToolBar::SetFlat(bool flat) {
    FFlat = flat;
    for (int i = 0; i < ButtonCount(); ++i) Buttons(i)->Invalidate();
}

void TToolBar::SetShowCaptions(bool show) {
    FShowCaptions = show;
    AlignControls();
}

void TToolBar::SetIndent(int indent) {
    FIndent = indent;
    AlignControls();
}

void TToolBar::SetImages(TImageList* images) {
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (images) images->FreeNotification(this);
    AlignControls();
}

void TToolBar::SetMenu(TMainMenu* menu) {
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FImages) FImages = nullptr;
    if (component == FMenu) FMenu = nullptr;
}

void TToolBar::AlignControls() {
    if (FAligning) return;
    FAligning = true;
    int x = FIndent;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        int width = c->Width();
        int height = c->Height();
        if (auto* button = dynamic_cast<TToolButton*>(c)) {
            width = button->PreferredWidth();
            height = FButtonHeight;
        }
        c->SetBounds(x, 0, width, height);
        x += width;
    }
    FAligning = false;
}

void TToolBar::Paint() {
    bool defaultDraw = true;
    if (OnCustomDraw) OnCustomDraw(this, ClientRect(), defaultDraw);
}
