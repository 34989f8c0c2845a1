#include "IndicatorLights.h"

#include "DataConvert.h"

bool LightPatternOf(const std::string& text, TLightPattern& lights) {
    if (text.size() < 4) return false;
    lights.fill(TLightState::Error);
    for (int character = 0; character < 4; ++character) {
        const int value = HexDigitValue(text[static_cast<std::size_t>(character)]);
        if (value < 0) continue;
        for (int bit = 0; bit < 4; ++bit)
            lights[static_cast<std::size_t>(character * 4 + bit)] = (value & (8 >> bit)) ? TLightState::On : TLightState::Off;
    }
    return true;
}

int NextRunningLightPosition(int position) { return position >= LightCount || position < 1 ? 1 : position + 1; }
