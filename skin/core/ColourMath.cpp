#include "ColourMath.h"

#include <algorithm>
#include <cmath>

namespace {

int Red(TColor c) { return c & 0xFF; }
int Green(TColor c) { return (c >> 8) & 0xFF; }
int Blue(TColor c) { return (c >> 16) & 0xFF; }
int Channel(TColor c, int shift) { return (c >> shift) & 0xFF; }

TColor FromChannels(int red, int green, int blue) {
    const auto clamp = [](int v) { return std::clamp(v, 0, 255); };
    return clamp(red) | clamp(green) << 8 | clamp(blue) << 16;
}

}  // namespace

TColor MixColours(TColor colour1, TColor colour2, int weight) {
    const int scale = weight < 100 ? 100 : 1000;
    // Weights outside the scale would give channels outside 0..255; they are cut at the ends.
    const auto mix = [&](int shift) {
        const long long c1 = Channel(colour1, shift), c2 = Channel(colour2, shift);
        return static_cast<int>((c2 * (scale - weight) + c1 * weight + scale / 2) / scale);
    };
    return FromChannels(mix(0), mix(8), mix(16));
}

int PlainSaturationLevel(TColor colour) {
    const int r = Red(colour), g = Green(colour), b = Blue(colour);
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    if (high < 160) return 200;
    const double saturation = static_cast<double>(high - low) / high;
    return static_cast<int>(std::lround(saturation * 255));
}

std::vector<TColor> BuildGradientRamp(int length, TColor colour1, TColor colour2) {
    std::vector<TColor> ramp(static_cast<size_t>(std::max(length, 0)));
    if (ramp.empty()) return ramp;
    const int steps = length - 1;
    const auto entry = [&](int i, int shift) {
        const int c1 = Channel(colour1, shift), delta = Channel(colour2, shift) - c1;
        if (steps == 0) return c1 + delta / 2;
        return c1 + static_cast<int>((steps / 2 + static_cast<long long>(i) * delta) / steps);
    };
    for (int i = 0; i < length; ++i) ramp[static_cast<size_t>(i)] = FromChannels(entry(i, 0), entry(i, 8), entry(i, 16));
    return ramp;
}

int TGradientRampCache::Find(int length, TColor colour1, TColor colour2) const {
    for (int slot = SlotCount - 1; slot >= 0; --slot) {
        const TSlot& s = FSlots[static_cast<size_t>(slot)];
        if (s.Length == length && s.Colour1 == colour1 && s.Colour2 == colour2) return slot;
    }
    return -1;
}

int TGradientRampCache::Ramp(int length, TColor colour1, TColor colour2) {
    const int found = Find(length, colour1, colour2);
    if (found >= 0) return found;
    const int slot = FNextSlot;
    FSlots[static_cast<size_t>(slot)] = TSlot{length, colour1, colour2, BuildGradientRamp(length, colour1, colour2)};
    FNextSlot = (FNextSlot + 1) % SlotCount;
    return slot;
}

TGradientRampCache& GradientRamps() {
    static TGradientRampCache cache;
    return cache;
}

int GradientRamp(int length, TColor colour1, TColor colour2) { return GradientRamps().Ramp(length, colour1, colour2); }
