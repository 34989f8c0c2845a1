#pragma once
// Where the parts of a skinned scroll bar lie along its axis: the two arrows, the thumb between
// them and the page areas on either side. Positions are pixels from the bar's start.
//
// A thumb never leaves the track between the arrows, and a bar with nothing to scroll (a range
// of 0 or less) or no room between its arrows shows none.

// The parts under a point, by the scroll codes the system reports them with.
enum TScrollPart : int {
    spNone = -1,
    spFirstArrow = 0,   // SB_LINEUP
    spSecondArrow = 1,  // SB_LINEDOWN
    spPageBefore = 2,   // SB_PAGEUP
    spPageAfter = 3,    // SB_PAGEDOWN
    spThumb = 5,        // SB_THUMBTRACK
};

struct TScrollThumb {
    int Start = 0;
    int End = 0;
    bool Shown = false;
    // Counted wide: the bounds of a thumb the system reports may lie anywhere.
    int Length() const;
};

// value * numerator / denominator rounded to the nearest, halves away from zero, held to the
// range of an int; 0 for a denominator of 0 (where the system call gives -1).
int MulDivRounded(int value, int numerator, int denominator);

// The thumb kept inside the track from `arrow` to `length - arrow`, its length kept where it
// fits; a thumb longer than the track, or a track of no length, is not shown.
TScrollThumb ClampThumb(TScrollThumb thumb, int length, int arrow);

// The thumb of a scroll bar control from its values: as long as the page is in the track (one
// arrow long without a page), placed by the position within the range.
TScrollThumb ControlThumb(int length, int arrow, int minimum, int maximum, int pageSize, int position);

// The thumb moved with the cursor while it is dragged: `delta` pixels from where it was when the
// button went down.
TScrollThumb DraggedThumb(int startAtDown, int thumbLength, int delta, int length, int arrow);

// The part at `position`: arrows at both ends, the thumb, and the page areas around it.
TScrollPart ScrollPartAt(int position, int length, int arrow, const TScrollThumb& thumb);

// How long each arrow is drawn: half the bar when the bar is shorter than two arrows.
int ArrowExtent(int length, int arrow);

// How broad the bar is drawn: the skin image's height, or the system's arrow size when the
// image is more than 2 pixels off it.
int BarBreadth(int imageHeight, int arrow);
