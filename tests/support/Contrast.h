#pragma once
// How well a text colour reads on what it is drawn on: the contrast ratio of two colours from
// their relative luminance, as the usual guidance for readable text defines them (sRGB channels,
// 1:1 for equal colours up to 21:1 for black on white). 4.5:1 is the floor for ordinary text.
#include <cmath>

constexpr double ReadableContrast = 4.5;

struct TScreenRgb {
    int R = 0, G = 0, B = 0;
    bool operator==(const TScreenRgb& o) const { return R == o.R && G == o.G && B == o.B; }
    bool operator!=(const TScreenRgb& o) const { return !(*this == o); }
};

inline double RelativeLuminance(const TScreenRgb& c) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.R) + 0.7152 * linear(c.G) + 0.0722 * linear(c.B);
}

inline double ContrastRatio(const TScreenRgb& a, const TScreenRgb& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}
