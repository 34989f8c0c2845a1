#pragma once
// Colour arithmetic of the skin painters on plain colours (0x00BBGGRR): mixing two colours, the
// colour ramps of gradient fills with their cache, and how saturated a colour looks. System
// colours are resolved by the caller before they come here.
#include <array>
#include <vector>

#include "components/Colors.h"

// Colour 1 mixed into colour 2: a weight of 0 to 99 is a percentage of colour 1, a weight of
// 100 and more is in thousandths (so 100 is 10 %); each channel rounded half up.
TColor MixColours(TColor colour1, TColor colour2, int weight);

// How saturated a colour looks, 0 to 255, for a colour with a channel of 160 or more; a darker
// colour counts as 200 whatever its hue.
int PlainSaturationLevel(TColor colour);

// The recent colour ramps of gradient fills, so that repainting the same control does not work
// its colours out again: 16 slots filled round robin.
class TGradientRampCache {
public:
    static constexpr int SlotCount = 16;

    // The slot holding the ramp of `length` colours from colour 1 to colour 2, built into the
    // next slot when no slot holds it.
    int Ramp(int length, TColor colour1, TColor colour2);
    const std::vector<TColor>& Colours(int slot) const { return FSlots[static_cast<size_t>(slot)].Colours; }

private:
    // A ramp is known by what it was asked for: its end entries need not equal the colours.
    struct TSlot {
        int Length = -1;
        TColor Colour1 = 0;
        TColor Colour2 = 0;
        std::vector<TColor> Colours;
    };
    int Find(int length, TColor colour1, TColor colour2) const;

    std::array<TSlot, SlotCount> FSlots;
    int FNextSlot = 0;
};

// Entry i of the ramp: each channel moves from colour 1 toward colour 2 in equal steps, half a
// step added before the division (which cuts toward zero); a ramp of one colour is the colour
// half-way.
std::vector<TColor> BuildGradientRamp(int length, TColor colour1, TColor colour2);

// The process's cache (the painters run on the GUI thread only).
TGradientRampCache& GradientRamps();
int GradientRamp(int length, TColor colour1, TColor colour2);
