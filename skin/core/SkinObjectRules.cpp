#include "SkinObjectRules.h"

#include <algorithm>

#include "ColourMath.h"
#include "components/SysUtils.h"

int KeptFrameCount(int frameCount) { return frameCount < 1 ? 1 : frameCount; }

bool IsTitleButtonSection(const std::string& section) {
    const std::string name = UpperCase(section);
    if (name.compare(0, 6, "BUTTON") != 0) return false;
    return name != "BUTTON" && name != "BUTTONS" && name != "BUTTON.RADIO" && name != "BUTTON.CHECKBOX";
}

bool KeepsTitleButton(int action, int visibility) { return action != -1 || visibility == 0; }

int TitleButtonFrameCount(int frameRead, int imageWidth, int imageHeight, int action) {
    if (frameRead != 0) return KeptFrameCount(frameRead);
    if (action < 0 || imageWidth <= 0 || imageHeight <= 0) return 6;
    // width / height <= 3.8, in integers.
    return 10LL * imageWidth <= 38LL * imageHeight ? 3 : 6;
}

bool TitleButtonLosesImage(int frameRead, int action) { return frameRead == 0 && (action == 3 || action == 11); }

int MarkFrameCount(int frameRead, int imageWidth, int imageHeight) {
    if (frameRead != 0) return KeptFrameCount(frameRead);
    return std::max(4, imageWidth / (imageHeight < 16 ? 13 : 16));
}

TToolbarGradient ToolbarGradientColours(TColor face, TColor sampledBackground) {
    constexpr TColor White = 0xFFFFFF;
    TToolbarGradient gradient{MixColours(face, White, 150), MixColours(0x808080, sampledBackground, 150)};
    const int saturation = PlainSaturationLevel(sampledBackground);
    if (saturation > 110) gradient.Bottom = MixColours(sampledBackground, White, (5625 - 25 * saturation) / 140 + 50);
    return gradient;
}
