// Pictures the engine derives from a skin once it is read: the combo box drawn whole (edge and
// button in one strip, both ways round), its arrow, and the tool bar background.
#include "WinSkinData.h"

#include "ImgUtil.h"
#include "SkinDraw.h"
#include "SkinObjectRules.h"
#include "components/Graphics.h"
#include "components/TCanvas.h"

namespace {

// A combo box frame is drawn at this size, then sliced by its margins to any width.
constexpr int ComboWidth = 50;
constexpr int ComboHeight = 21;
// The arrow cut out of the combo button.
constexpr int ArrowSize = 17;

std::unique_ptr<TBitmap> MagentaBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(clFuchsia);
    bitmap->Canvas()->FillRect(TRect{0, 0, width, height});
    return bitmap;
}

}  // namespace

// The sunken edge with the combo button on its right, one frame per look of the edge: the
// combo button gets this strip, the sunken edge its mirror image (button on the left, for
// right-to-left boxes). The inside of the edge stays magenta, so the box's own text shows.
void TSkinData::BuildComboButton() {
    TDataSkinObject* edge = Objects.SunkEdge.get();
    TDataSkinBorder* button = Objects.ComboButton.get();
    if (!edge || !button) return;
    const int frames = KeptFrameCount(edge->Frame);
    const int buttonWidth = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const auto scratch = MagentaBitmap(ComboWidth, ComboHeight);
    const auto strip = MagentaBitmap(ComboWidth * frames, ComboHeight);
    HDC dc = scratch->Canvas()->Handle();
    const TRect whole{0, 0, ComboWidth, ComboHeight};
    const TRect buttonRect{ComboWidth - buttonWidth, 0, ComboWidth, ComboHeight};
    const TRect inside{2, 2, ComboWidth - 1 - buttonWidth, ComboHeight - 3};

    for (int frame = 1; frame <= frames; ++frame) {
        DrawSkinFrame(dc, whole, &edge->Image, false, false, edge->Trans != 0, frames, frame, edge->Margins());
        DrawSkinFrame(dc, buttonRect, &button->Image, false, false, true, KeptFrameCount(button->Frame), frame,
                      button->Margins());
        if (TDataSkinObject* extra = Objects.ExtraImages.get())
            DrawSkinFrameCentered(dc, buttonRect, &extra->Image, true, KeptFrameCount(extra->Frame), frame);
        scratch->Canvas()->FillRect(inside);
        BitBlt(strip->Canvas()->Handle(), (frame - 1) * ComboWidth, 0, ComboWidth, ComboHeight, dc, 0, 0, SRCCOPY);
    }

    button->Style = 2;
    button->LeftWidth = 2;
    button->TopHeight = edge->TopHeight;
    button->RightWidth = buttonWidth + 2;
    button->BottomHeight = edge->BottomHeight;
    CopyBitmap(strip.get(), &button->Image);

    // The box the other way round, each look where it stands (frame n still look n).
    MirrorFrames(strip.get(), frames);
    edge->Image.Assign(strip.get());
    edge->LeftWidth = buttonWidth + 2;
    edge->RightWidth = 2;
}

// The drop-down arrow alone: the combo button on the face colour, or, where the whole box was
// built, the arrow cut out of each of its frames.
void TSkinData::BuildComboArrow() {
    Objects.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TDataSkinObject& arrow = *Objects.ComboxArrow;
    TDataSkinObject* edge = Objects.SunkEdge.get();
    TDataSkinBorder* button = Objects.ComboButton.get();
    if (!button) return;
    if (!edge) {
        arrow.Image.Assign(&button->Image);
        RecolorMaskedBitmap(&arrow.Image, FColours.ButtonFace);
        arrow.Frame = button->Frame;
        return;
    }
    if (button->Style != 2) return;
    const int frames = KeptFrameCount(edge->Frame);
    const int frameWidth = button->Image.Width() / frames;
    arrow.Image.SetPixelFormat(pf24bit);
    arrow.Image.SetSize(ArrowSize * frames, ArrowSize);
    for (int i = 0; i < frames; ++i) {
        const int right = frameWidth * (i + 1) - 2;
        StretchBlt(arrow.Image.Canvas()->Handle(), ArrowSize * i, 0, ArrowSize, ArrowSize, button->Image.Canvas()->Handle(),
                   right - ArrowSize, 2, ArrowSize, ArrowSize, SRCCOPY);
    }
    arrow.Frame = frames;
}

// A vertical gradient from the face colour, lightened, to the skin's background.
void TSkinData::BuildToolbarBackground() {
    const TToolbarGradient gradient =
        ToolbarGradientColours(static_cast<TColor>(ColorToRGB(FColours.ButtonFace)), static_cast<TColor>(ColorToRGB(SampleBackground())));
    auto background = std::make_unique<TBitmap>();
    background->SetPixelFormat(pf24bit);
    background->SetSize(10, 40);
    GradientFillRect(background->Canvas()->Handle(), TRect{0, 0, 10, 40}, gradient.Top, true, gradient.Bottom);
    if (!Objects.Toolbar) Objects.Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    Objects.Toolbar->Image.Assign(background.get());
    Objects.Toolbar->Frame = 1;
}

// The colour of the title bar a third of the way into its first frame: what the skin's windows
// look like behind their controls.
TColor TSkinData::SampleBackground() {
    TDataSkinBorder& top = *Objects.Borders[TSkinObjects::bTop];
    if (top.Image.Empty()) return FColours.ButtonFace;
    const int frameHeight = top.Image.Height() / KeptFrameCount(top.Frame);
    return top.Image.Canvas()->Pixel(top.Image.Width() / 3, frameHeight / 3);
}
