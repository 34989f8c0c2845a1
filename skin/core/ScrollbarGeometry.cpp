#include "ScrollbarGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

// Every sum and difference here is counted in 64 bits: the values come from the system, from
// a control's published properties and from the cursor, and may lie anywhere in an int.
namespace {

using Wide = std::int64_t;

int HeldToInt(Wide value) {
    return static_cast<int>(std::clamp<Wide>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Exact as long as |value * numerator| stays below 2^63, which the callers keep to.
Wide MulDivWide(Wide value, Wide numerator, Wide denominator) {
    if (denominator == 0) return 0;
    const Wide product = value * numerator;
    Wide quotient = product / denominator;
    const Wide remainder = product % denominator;
    if (2 * std::llabs(remainder) >= std::llabs(denominator)) quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    return quotient;
}

// The thumb from `start`, `thumbLength` long, kept inside the track from `arrow` to
// `length - arrow`; none when it does not fit or there is no track (or a negative arrow).
TScrollThumb ClampWide(Wide start, Wide thumbLength, int length, int arrow) {
    const Wide track = Wide{length} - 2 * Wide{arrow};
    if (arrow < 0 || track <= 0 || thumbLength < 0 || thumbLength > track) return TScrollThumb{};
    const Wide lowest = arrow;
    const Wide highest = Wide{length} - arrow - thumbLength;
    start = std::clamp(start, lowest, highest);
    // Both ends lie between the arrows, inside an int.
    return TScrollThumb{static_cast<int>(start), static_cast<int>(start + thumbLength), true};
}

}  // namespace

int TScrollThumb::Length() const { return HeldToInt(Wide{End} - Start); }

int MulDivRounded(int value, int numerator, int denominator) { return HeldToInt(MulDivWide(value, numerator, denominator)); }

TScrollThumb ClampThumb(TScrollThumb thumb, int length, int arrow) {
    if (!thumb.Shown) return TScrollThumb{};
    return ClampWide(thumb.Start, Wide{thumb.End} - thumb.Start, length, arrow);
}

TScrollThumb ControlThumb(int length, int arrow, int minimum, int maximum, int pageSize, int position) {
    const Wide range = Wide{maximum} - minimum;
    if (range <= 0 || range > std::numeric_limits<int>::max()) return TScrollThumb{};
    // Without a track there is no thumb; with one, every product below stays inside 63 bits.
    const Wide track = Wide{length} - 2 * Wide{arrow};
    if (arrow < 0 || track <= 0) return TScrollThumb{};
    const Wide thumbLength = pageSize != 0 ? MulDivWide(track, Wide{pageSize} - 1, range) : arrow;
    const Wide reserved = (pageSize != 0 ? 2 : 3) * Wide{arrow};
    const Wide start = position == minimum ? arrow : MulDivWide(length - reserved, Wide{position} - minimum, range) + arrow;
    return ClampWide(start, thumbLength, length, arrow);
}

TScrollThumb DraggedThumb(int startAtDown, int thumbLength, int delta, int length, int arrow) {
    return ClampWide(Wide{startAtDown} + delta, thumbLength, length, arrow);
}

TScrollPart ScrollPartAt(int position, int length, int arrow, const TScrollThumb& thumb) {
    if (position < arrow) return spFirstArrow;
    if (position >= Wide{length} - arrow) return spSecondArrow;
    if (!thumb.Shown) return spPageAfter;
    if (position < thumb.Start) return spPageBefore;
    if (position < thumb.End) return spThumb;
    return spPageAfter;
}

int ArrowExtent(int length, int arrow) { return length < 2 * Wide{arrow} ? length / 2 : arrow; }

int BarBreadth(int imageHeight, int arrow) { return std::llabs(Wide{imageHeight} - arrow) > 2 ? arrow : imageHeight; }
