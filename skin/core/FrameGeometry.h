#pragma once
// Where the pieces of a skin image go: a skin image is a strip of equally sized frames (one per
// visual state) side by side or stacked, and a frame is drawn into a target of any size by
// copying its pieces, borders unscaled and the middle stretched or repeated. These routines
// only say which rectangle of the strip goes to which rectangle of the target; the drawing
// code copies them in the order given, later pieces covering earlier ones.
#include <vector>

// A rectangle in pixels; Right and Bottom lie just outside it.
struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // Right before Left or Bottom above Top: such a target draws nothing. A rectangle of no
    // width or height is a target all the same.
    bool Inverted() const { return Right < Left || Bottom < Top; }
    bool operator==(const TPixelRect& o) const {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
};

// The unscaled borders of a frame: widths of the left and right ones, heights of the top and
// bottom ones. Negative values count as 0.
struct TFrameMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// A piece of the strip and where it goes: copied once into Dest, stretched when the sizes
// differ; or, when repeated, copied again and again at RepeatWidth x RepeatHeight from Dest's
// top-left corner, across and down, while a copy starts inside Dest (the last copies of a row or
// column run past it, for a later piece or the target's edge to cut back).
struct TFramePiece {
    TPixelRect Dest;
    TPixelRect Source;
    int RepeatWidth = 0;
    int RepeatHeight = 0;
    bool Repeated() const { return RepeatWidth > 0 && RepeatHeight > 0; }
};

// Every destination a piece is copied to, in drawing order.
template <typename CopyTo>
void ForEachCopy(const TFramePiece& piece, CopyTo&& copyTo) {
    if (!piece.Repeated()) {
        copyTo(piece.Dest);
        return;
    }
    for (int y = piece.Dest.Top; y < piece.Dest.Bottom; y += piece.RepeatHeight)
        for (int x = piece.Dest.Left; x < piece.Dest.Right; x += piece.RepeatWidth)
            copyTo(TPixelRect{x, y, x + piece.RepeatWidth, y + piece.RepeatHeight});
}

// A skin may give any frame count: counts below 1 count as 1, so that nothing divides by zero.
int UsableFrameCount(int frameCount);

// Frame n (from 1) of a strip: frame width = strip width div count for a horizontal strip
// (frame height the strip's), frame height = strip height div count for a vertical one. Pixels
// left over by the division are never drawn. An index outside 1..count takes the nearest frame,
// so that nothing outside the strip is read.
TPixelRect FrameRect(int stripWidth, int stripHeight, bool vertical, int frameCount, int frameIndex);

// The frame scaled to width x height with its borders kept (a nine-grid): corners at their own
// size, edges stretched along their length, the centre stretched, or repeated at its own size
// when tiled. A target narrower than its left and right borders together drops both of them
// (the frame is then stretched across), and the same for the top and bottom. A piece that has
// nothing to copy (a frame whose borders leave no middle) is left out.
std::vector<TFramePiece> NineGridPieces(const TPixelRect& frame, int width, int height, TFrameMargins margins, bool tile);

// Three slices across width x height: the left border, the middle repeated at its own width
// (and stretched to the height), the right border; the top and bottom borders are not used.
std::vector<TFramePiece> RepeatedMiddlePieces(const TPixelRect& frame, int width, int height, int left, int right);

// Three slices straight into the target: left border, middle stretched, right border, each at
// the full height; a target narrower than the frame takes the whole frame stretched.
std::vector<TFramePiece> SlicedPieces(const TPixelRect& frame, const TPixelRect& target, int left, int right);

// A width x height picture centred in the target (halves rounded toward zero); it is not cut
// when larger than the target.
TPixelRect CenteredRect(const TPixelRect& target, int width, int height);
