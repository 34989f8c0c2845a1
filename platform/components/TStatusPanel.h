#pragma once
#include <string>

#include "components/ControlTypes.h"
#include "components/TCollection.h"
#include "components/TCollectionItem.h"

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
extern const TEnumType StatusPanelBevelType;
enum TStatusPanelStyle { psText, psOwnerDraw };
extern const TEnumType StatusPanelStyleType;

// A part of a status bar.
class TStatusPanel : public TCollectionItem {
    DECLARE_CLASS(TStatusPanel, TCollectionItem)
public:
    explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

    const std::string& Text() const { return FText; }
    void SetText(const std::string& text);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel bevel);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle style);
    void Assign(TPersistent* source) override;

private:
    std::string FText;
    int FWidth = 50;
    TStatusPanelBevel FBevel = pbLowered;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelStyle FStyle = psText;
};

class TStatusPanels : public TTypedCollection<TStatusPanel> {
    DECLARE_CLASS(TStatusPanels, TCollection)
};
