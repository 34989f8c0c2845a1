#include "ScrollbarGeometry.h"

#include <cstdint>
#include <cstdlib>

int MulDivRounded(int value, int numerator, int denominator) {
    if (denominator == 0) return 0;
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<std::int64_t>(denominator)))
        quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    return static_cast<int>(quotient);
}

TScrollThumb ClampThumb(TScrollThumb thumb, int length, int arrow) {
    const int track = length - 2 * arrow;
    const int thumbLength = thumb.Length();
    if (!thumb.Shown || track <= 0 || thumbLength < 0 || thumbLength > track) return TScrollThumb{};
    const int lowest = arrow;
    const int highest = length - arrow - thumbLength;
    int start = thumb.Start;
    if (start < lowest) start = lowest;
    if (start > highest) start = highest;
    return TScrollThumb{start, start + thumbLength, true};
}

TScrollThumb ControlThumb(int length, int arrow, int minimum, int maximum, int pageSize, int position) {
    const std::int64_t wideRange = static_cast<std::int64_t>(maximum) - minimum;
    if (wideRange <= 0 || wideRange > 0x7FFFFFFF) return TScrollThumb{};
    const int range = static_cast<int>(wideRange);
    const int thumbLength = pageSize != 0 ? MulDivRounded(length - 2 * arrow, pageSize - 1, range) : arrow;
    const int reserved = pageSize != 0 ? 2 * arrow : 3 * arrow;
    const int start = position == minimum
                          ? arrow
                          : MulDivRounded(length - reserved, static_cast<int>(static_cast<std::int64_t>(position) - minimum),
                                          range) +
                                arrow;
    return ClampThumb(TScrollThumb{start, start + thumbLength, true}, length, arrow);
}

TScrollThumb DraggedThumb(int startAtDown, int thumbLength, int delta, int length, int arrow) {
    const int start = startAtDown + delta;
    return ClampThumb(TScrollThumb{start, start + thumbLength, true}, length, arrow);
}

TScrollPart ScrollPartAt(int position, int length, int arrow, const TScrollThumb& thumb) {
    if (position < arrow) return spFirstArrow;
    if (position >= length - arrow) return spSecondArrow;
    if (!thumb.Shown) return spPageAfter;
    if (position < thumb.Start) return spPageBefore;
    if (position < thumb.End) return spThumb;
    return spPageAfter;
}

int ArrowExtent(int length, int arrow) { return length < 2 * arrow ? length / 2 : arrow; }

int BarBreadth(int imageHeight, int arrow) { return std::abs(imageHeight - arrow) > 2 ? arrow : imageHeight; }
