#include "SkinObjImage.h"

#include <algorithm>
#include <vector>

#include "DataSkinObject.h"
#include "SkinDraw.h"
#include "SkinPropByName.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinObjImage::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinObjImage>("TSkinObjImage").Build();
    return info;
}

namespace {

// For each cell of the strip, the source frame it shows (0: left blank). A source of five
// frames also gives its fifth to the cells marked 5.
const std::vector<int> CheckCells{1, 2, 5, 1, 2, 5, 3, 4, 5};
const std::vector<int> RadioCells{1, 2, 1, 2, 3, 4};
const std::vector<int> PropertiesCheckCells{1, 2, 5, 1, 2, 5};

constexpr int FifthFrame = 5;

// The strip of cells cut from the source, blank cells left transparent.
void BuildStrip(TBitmap& strip, TBitmap* source, int sourceFrames, const std::vector<int>& cells) {
    sourceFrames = std::max(sourceFrames, 1);
    const int cellWidth = source->Width() / sourceFrames;
    const int height = source->Height();
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(cellWidth * static_cast<int>(cells.size()), height);
    strip.Canvas()->Brush()->SetColor(SkinKeyColour);
    strip.Canvas()->FillRect(TRect{0, 0, strip.Width(), height});
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int frame = cells[i];
        if (frame > sourceFrames || (frame == FifthFrame && sourceFrames != FifthFrame)) continue;
        const int left = cellWidth * static_cast<int>(i);
        strip.Canvas()->CopyRect(TRect{left, 0, left + cellWidth, height}, source->Canvas(),
                                 TRect{cellWidth * (frame - 1), 0, cellWidth * frame, height});
    }
}

}  // namespace

void TSkinObjImage::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    if (Attached) return;
    auto* control = dynamic_cast<TControl*>(Owner());
    if (!control) return;
    UseSkinColor = useSkinColor;
    SkinData = skinData;
    Form = form;
    Canvas = canvas;
    Control = control;
    Handle = control->HandleAllocated() ? control->Handle() : nullptr;
    if (Form) Form->AddControl(this);
    BuildGlyphs();
    Attached = true;
    State = scAttached;
}

void TSkinObjImage::Reskin() { BuildGlyphs(); }

void TSkinObjImage::BuildGlyphs() {
    TDataSkinButton* buttons = SkinData ? SkinData->Objects.Button.get() : nullptr;
    if (!buttons || !Control) return;
    const bool radio = GlyphMode == gmRadioButton;
    TBitmap* source = radio ? &buttons->RadioButton : &buttons->CheckButton;
    if (source->Empty()) return;
    const int frames = radio ? buttons->RadioButtonFrame : buttons->CheckButtonFrame;
    TBitmap strip;
    switch (GlyphMode) {
    case gmCheckBox:
        BuildStrip(strip, source, frames, CheckCells);
        AssignCustomGlyphs(strip);
        break;
    case gmRadioButton:
        BuildStrip(strip, source, frames, RadioCells);
        AssignCustomGlyphs(strip);
        break;
    case gmPropertiesCheckBox:
        BuildStrip(strip, source, frames, PropertiesCheckCells);
        AssignPropertiesGlyph(strip);
        break;
    default:
        break;
    }
}

void TSkinObjImage::AssignCustomGlyphs(TBitmap& strip) {
    if (auto* glyphs = static_cast<TBitmap*>(GetObjectPropByName(Control, "CustomGlyphs", TBitmap::StaticClass())))
        glyphs->Assign(&strip);
    SetPropByName(Control, "transparentcolor", std::to_string(static_cast<int>(SkinKeyColour)));
    // Off and on again: the control reads its glyphs anew only when the switch changes.
    SetPropByName(Control, "UseCustomGlyphs", "false");
    SetPropByName(Control, "UseCustomGlyphs", "true");
}

void TSkinObjImage::AssignPropertiesGlyph(TBitmap& strip) {
    TObject* properties = GetObjectPropByName(Control, "Properties", TObject::StaticClass());
    auto* glyph = static_cast<TBitmap*>(GetObjectPropByName(properties, "Glyph", TBitmap::StaticClass()));
    if (!glyph) return;
    glyph->Assign(&strip);
    glyph->SetTransparentColor(SkinKeyColour);
    glyph->SetTransparent(false);
}

void TSkinObjImage::RestoreColors() {
    if (!Control || State == scWindowGone) return;
    if (GlyphMode == gmPropertiesCheckBox) {
        TObject* properties = GetObjectPropByName(Control, "Properties", TObject::StaticClass());
        if (auto* glyph = static_cast<TBitmap*>(GetObjectPropByName(properties, "Glyph", TBitmap::StaticClass())))
            glyph->SetSize(0, 0);
        return;
    }
    SetPropByName(Control, "UseCustomGlyphs", "false");
}
