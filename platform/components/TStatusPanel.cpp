#include "components/TStatusPanel.h"

#include "components/TClassInfo.h"

const TEnumType StatusPanelBevelType{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}};
const TEnumType StatusPanelStyleType{"TStatusPanelStyle", {"psText", "psOwnerDraw"}};

const TClassInfo& TStatusPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStatusPanel>("TStatusPanel")
        .Enum("Alignment", AlignmentType, &TStatusPanel::Alignment, &TStatusPanel::SetAlignment).Default(taLeftJustify)
        .Enum("Bevel", StatusPanelBevelType, &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered)
        .Enum("Style", StatusPanelStyleType, &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText)
        .Str("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
        .Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50)
        .Build();
    return info;
}

const TClassInfo& TStatusPanels::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStatusPanels>("TStatusPanels").Build();
    return info;
}

void TStatusPanel::SetText(const std::string& text) {
    if (text == FText) return;
    FText = text;
    Changed();
}

void TStatusPanel::SetWidth(int width) {
    FWidth = width;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
    FBevel = bevel;
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
    FAlignment = alignment;
    Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
    FStyle = style;
    Changed();
}

void TStatusPanel::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TStatusPanel*>(source)) {
        FText = other->FText;
        FWidth = other->FWidth;
        FBevel = other->FBevel;
        FAlignment = other->FAlignment;
        FStyle = other->FStyle;
        Changed();
        return;
    }
    TCollectionItem::Assign(source);
}
