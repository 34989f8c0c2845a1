#pragma once
// The sixteen indicator lights: the pattern they show for the start of a packet, and the step
// of the running light.
#include <array>
#include <string>

enum class TLightState { Off, On, Error };
using TLightPattern = std::array<TLightState, 16>;

constexpr int LightCount = 16;

// The lights for the first four characters of the text, four per character with its most
// significant bit first; a character that is no hex digit leaves its four lights in error.
// False for a text of fewer than four characters: the lights then stay as they are.
bool LightPatternOf(const std::string& text, TLightPattern& lights);

// The position of the running light after the given one: 1 to 16, then 1 again.
int NextRunningLightPosition(int position);
