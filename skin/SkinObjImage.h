#pragma once
// The skin of the check and radio controls of other libraries that draw their marks from a
// glyph strip of their own: the strip is built from the skin's check or radio marks and handed
// to the control through its published properties. Nothing is hooked.
#include "SkinControl.h"

// Which control and strip: 1 a check box (9 cells), 2 a radio button (6 cells), 3 a check box
// whose glyph sits in its "Properties" (6 cells).
enum TGlyphMode : int { gmCheckBox = 1, gmRadioButton = 2, gmPropertiesCheckBox = 3 };

class TBitmap;

class TSkinObjImage : public TSkinControl {
    DECLARE_CLASS(TSkinObjImage, TSkinControl)
public:
    TSkinObjImage(TComponent* owner, int glyphMode) : TSkinControl(owner), GlyphMode(glyphMode) {}

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    void RestoreColors() override;
    void Reskin() override;

    int GlyphMode = gmCheckBox;

private:
    void BuildGlyphs();
    void AssignCustomGlyphs(TBitmap& strip);
    void AssignPropertiesGlyph(TBitmap& strip);
};
