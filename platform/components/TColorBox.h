#pragma once
#include "components/TCustomComboBox.h"

enum TColorBoxStyleFlag : unsigned {
    cbStandardColors = 1,  // the sixteen named colours
    cbExtendedColors = 2,  // money green, sky blue, cream, medium grey
    cbSystemColors = 4,    // the system colours
    cbIncludeNone = 8,
    cbIncludeDefault = 16,
    cbCustomColor = 32,    // a first entry that shows the colour chooser
    cbPrettyNames = 64,    // names without the "cl" prefix
};
using TColorBoxStyle = unsigned;
extern const TEnumType ColorBoxStyleType;

// A drop-down list of colours, each drawn as a swatch with its name. Selecting a colour that
// the list lacks adds it as a custom entry at the top.
class TColorBox : public TCustomComboBox {
    DECLARE_CLASS(TColorBox, TCustomComboBox)
public:
    explicit TColorBox(TComponent* owner);

    TColor Selected();
    void SetSelected(TColor color);
    TColorBoxStyle ColorStyle() const { return FColorStyle; }
    void SetColorStyle(TColorBoxStyle style);
    TColor Colors(int index);
    std::string ColorNames(int index);

protected:
    void InitializeWindow() override;
    void DrawItem(int index, const TRect& r, UINT state, HDC dc) override;
    void Select() override;
    void Loaded() override;

private:
    void PopulateList();
    void PickCustomColor();

    TColorBoxStyle FColorStyle = cbStandardColors | cbExtendedColors | cbSystemColors;
    TColor FSelected = clBlack;
    bool FPopulated = false;
};
